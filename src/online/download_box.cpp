#include "online/download_box.h"

#include <algorithm>
#include <climits>

namespace kavrina::online {

DownloadBox::DownloadBox(ui::UserInterface& ui, std::string_view text)
    : box_(ui.showProgress(text, 0, 0)) {}

ui::ReceiveProgress DownloadBox::progress() {
  return [this](std::uint64_t received, std::int64_t total) { return advance(received, total); };
}

bool DownloadBox::advance(std::uint64_t received, std::int64_t total) {
  if (!box_) return true;
  if (total > 0 && total != total_) {
    total_ = total;
    shift_ = total > INT_MAX ? 10 : 0;
    box_->setRange(0, static_cast<int>(total >> shift_));
  }
  if (total_ > 0)
    box_->setPosition(static_cast<int>(std::min<std::uint64_t>(received, total_) >> shift_));
  return !box_->cancelled();
}

}  // namespace kavrina::online
