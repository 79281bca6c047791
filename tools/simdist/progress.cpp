#include "progress.h"

#include <ostream>
#include <string>

namespace p528::simdist {

namespace {
constexpr std::size_t kBarWidth = 30;
}

Progress::Progress(std::ostream* bar, std::ostream* lines, std::size_t total)
    : bar_(bar), lines_(lines), total_(total) {
  Draw();
}

void Progress::Step() {
  const std::lock_guard<std::mutex> lock(lock_);
  ++done_;
  Draw();
}

void Progress::Draw() {
  if (lines_ != nullptr) *lines_ << "progress " << done_ << " " << total_ << std::endl;
  if (bar_ == nullptr || total_ == 0) return;
  const std::size_t filled = done_ * kBarWidth / total_;
  *bar_ << "\r[" << std::string(filled, '#') << std::string(kBarWidth - filled, ' ') << "] " << done_ << "/"
        << total_ << " samples" << std::flush;
}

void Progress::Finish() {
  if (bar_ == nullptr || total_ == 0) return;
  *bar_ << "\r" << std::string(kBarWidth + 32, ' ') << "\r" << std::flush;
}

}  // namespace p528::simdist
