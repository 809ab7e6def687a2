// The progress box of a long download: a busy bar until the server announces the size, then
// the bytes received of the total; its Cancel button (or Escape) gives the download up.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "ui/ftp_client.h"
#include "ui/user_interface.h"

namespace kavrina::online {

class DownloadBox {
 public:
  DownloadBox(ui::UserInterface& ui, std::string_view text);
  DownloadBox(const DownloadBox&) = delete;
  DownloadBox& operator=(const DownloadBox&) = delete;

  // For ReceiveOptions::progress: moves the bar; false once the user cancelled.
  ui::ReceiveProgress progress();
  // Closes the box.
  void close() { box_.reset(); }

 private:
  bool advance(std::uint64_t received, std::int64_t total);

  std::unique_ptr<ui::ProgressBox> box_;
  std::int64_t total_ = -1;
  // Sizes beyond the range of the bar are counted in kilobytes.
  int shift_ = 0;
};

}  // namespace kavrina::online
