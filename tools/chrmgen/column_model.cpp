#include "column_model.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace p528::chrmgen {

namespace {
constexpr double kInitialOven = -20.0;  // sub-ambient start, also the retention knee
constexpr double kFinalOven = 380.0;
constexpr double kBleedScale = 45.0;  // degrees per e-fold of bleed
constexpr double kLastElutes = 0.85;  // share of the run at which the last component elutes
}  // namespace

ColumnModel::ColumnModel(const ColumnSettings& settings, double c16, double c18, double last)
    : settings_(settings) {
  if (!(settings.runLength > 0) || !(settings.step > 0) || !(settings.resolution > 0) ||
      settings.tailing < 0 || settings.widthGrowth < 0 || settings.widthGrowth > 1 || !(c18 > c16) ||
      !(last > kInitialOven))
    throw std::invalid_argument("column settings out of range");
  deadTime_ = 0.0125 * settings.runLength;
  kneeTemp_ = kInitialOven;
  kneeTime_ = 0.025 * settings.runLength;
  slope_ = (kLastElutes * settings.runLength - kneeTime_) / (last - kneeTemp_);

  // Half-height widths: w(t) = k * g(t) with g(t) = (1 - growth) + growth * t / t16, and
  // w16 + w18 = 2 (t18 - t16) / (1.699 R).
  const double t16 = RetentionTime(c16), t18 = RetentionTime(c18);
  refTime_ = t16;
  const double g18 = (1 - settings.widthGrowth) + settings.widthGrowth * t18 / t16;
  const double widthSum = 2 * (t18 - t16) / (1.699 * settings.resolution);
  const double w16 = widthSum / (1 + g18);
  sigmaRef_ = w16 / (0.5 * kHalfWidthPerSigma * (2 + settings.tailing));
}

double ColumnModel::RetentionTime(double boilingPoint) const {
  if (boilingPoint >= kneeTemp_) return kneeTime_ + slope_ * (boilingPoint - kneeTemp_);
  // Below the knee: a hyperbolic approach to the dead time that joins the line smoothly, so
  // methane, ethane and propane still come out at distinct times.
  const double span = kneeTime_ - deadTime_;
  return deadTime_ + span / (1.0 + slope_ * (kneeTemp_ - boilingPoint) / span);
}

double ColumnModel::Sigma(double t) const {
  const double g = (1 - settings_.widthGrowth) + settings_.widthGrowth * std::max(t, 0.0) / refTime_;
  return sigmaRef_ * g;
}

PeakShape ColumnModel::Peak(double apex, double area) const {
  const double sigma = Sigma(apex);
  return PeakShape{apex, sigma, sigma * (1 + settings_.tailing), area};
}

double ColumnModel::OvenTemperature(double t) const {
  const double share = std::clamp(t / (kLastElutes * settings_.runLength), 0.0, 1.0);
  return kInitialOven + (kFinalOven - kInitialOven) * share;
}

double ColumnModel::Bleed(double t) const {
  return settings_.bleed * std::exp((OvenTemperature(t) - kFinalOven) / kBleedScale);
}

size_t ColumnModel::SampleCount() const {
  return static_cast<size_t>(std::floor(settings_.runLength / settings_.step + 1e-9)) + 1;
}

}  // namespace p528::chrmgen
