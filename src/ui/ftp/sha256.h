// SHA-256 of a byte stream, computed as the bytes pass, for checking downloads.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace kavrina::ui {

class Sha256 {
 public:
  Sha256();
  ~Sha256();
  Sha256(const Sha256&) = delete;
  Sha256& operator=(const Sha256&) = delete;

  void update(std::span<const char> bytes);
  // The digest of everything passed as 64 lower-case hexadecimal digits; ends the hashing.
  std::string hexDigest();

  // The digest of `bytes` at once.
  static std::string of(std::string_view bytes);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// The first 64 hexadecimal digits of a checksum text (the digest alone, or the digest
// followed by a file name as sha256sum writes it), in lower case; empty when the text does
// not start with 64 hexadecimal digits (blanks before them are skipped).
std::string parseSha256(std::string_view text);

}  // namespace kavrina::ui
