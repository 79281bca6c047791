// Progress of a batch run: a bar redrawn in place on a terminal, and for a host program that
// runs simdist, "progress DONE TOTAL" lines it can read. A run whose standard error is no
// terminal (a file, a pipe, a log) gets no bar: its log holds no carriage-return litter.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <mutex>

namespace p528::simdist {

class Progress {
 public:
  // `bar`: where the bar is drawn (nullptr: none); `lines`: where the lines go (nullptr: none).
  Progress(std::ostream* bar, std::ostream* lines, std::size_t total);
  // One more item done; safe to call from several threads.
  void Step();
  // Clears the bar.
  void Finish();

 private:
  void Draw();
  std::ostream* bar_;
  std::ostream* lines_;
  std::size_t total_;
  std::size_t done_ = 0;
  std::mutex lock_;
};

}  // namespace p528::simdist
