#include "engine/result_buffers.h"

#include "engine/records.h"

#include <utility>

namespace p528 {

namespace {

template <typename F>
void ForEachBuffer(ChrmResult& r, F f) {
  f(r.Signal);
  f(r.Times);
  f(r.PercentOff);
  f(r.PointTemp);
}

}  // namespace

void ResultBuffers::Keep(ChrmResult& r) {
  ForEachBuffer(r, [this](std::vector<double>& v) {
    if (v.capacity() == 0) return;
    v.clear();
    spare_.push_back(std::move(v));
    v = std::vector<double>();
  });
}

void ResultBuffers::Give(ChrmResult& r) {
  ForEachBuffer(r, [this](std::vector<double>& v) {
    if (spare_.empty() || v.capacity() != 0) return;
    v.swap(spare_.back());
    spare_.pop_back();
  });
}

}  // namespace p528
