// The sample-long vectors of the records of one calculation (Signal, Times, PercentOff,
// PointTemp), kept empty from one recalculation to the next so that the next one reuses
// their memory instead of asking the system for it again: a 60-minute 50 Hz run has four
// vectors of 1.4 MB each, and memory handed back and asked for again costs more than the
// calculation itself. Only the capacity is kept, never a value.
//
// Owned by the engine; user-interface thread only.
#pragma once

#include <vector>

namespace p528 {

struct ChrmResult;

class ResultBuffers {
 public:
  // Forgets what an earlier recalculation left unused.
  void Clear() { spare_.clear(); }
  // Takes the four vectors of `r` (emptied, their memory kept); r's are left empty.
  void Keep(ChrmResult& r);
  // Gives the empty vectors of `r` kept memory, as far as there is any.
  void Give(ChrmResult& r);

 private:
  std::vector<std::vector<double>> spare_;
};

}  // namespace p528
