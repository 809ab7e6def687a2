#include "ui/ftp/sha256.h"

#include <openssl/evp.h>

#include <cctype>
#include <stdexcept>

namespace kavrina::ui {

struct Sha256::State {
  EVP_MD_CTX* ctx = EVP_MD_CTX_new();
  ~State() { EVP_MD_CTX_free(ctx); }
};

Sha256::Sha256() : state_(std::make_unique<State>()) {
  if (state_->ctx == nullptr || EVP_DigestInit_ex(state_->ctx, EVP_sha256(), nullptr) != 1)
    throw std::runtime_error("SHA-256 is not available");
}

Sha256::~Sha256() = default;

void Sha256::update(std::span<const char> bytes) {
  EVP_DigestUpdate(state_->ctx, bytes.data(), bytes.size());
}

std::string Sha256::hexDigest() {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  EVP_DigestFinal_ex(state_->ctx, digest, &length);
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  for (unsigned int i = 0; i < length; ++i) {
    out += kHex[digest[i] >> 4];
    out += kHex[digest[i] & 0x0f];
  }
  return out;
}

std::string Sha256::of(std::string_view bytes) {
  Sha256 hash;
  hash.update(bytes);
  return hash.hexDigest();
}

std::string parseSha256(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
  std::string digest;
  for (; at < text.size() && digest.size() < 64; ++at) {
    const auto c = static_cast<unsigned char>(text[at]);
    if (!std::isxdigit(c)) break;
    digest += static_cast<char>(std::tolower(c));
  }
  if (digest.size() != 64) return {};
  // The digest must end there: a longer run of digits is not a SHA-256.
  if (at < text.size() && std::isxdigit(static_cast<unsigned char>(text[at]))) return {};
  return digest;
}

}  // namespace kavrina::ui
