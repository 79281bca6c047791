#include "text_writer.h"

#include "aia_writer.h"
#include "shell/atomic_file.h"
#include "shell/text.h"

#include <array>
#include <charconv>
#include <filesystem>
#include <stdexcept>

namespace p528::chrmgen {

namespace {

std::string Exact(double value) { return Format("%.17g", value); }

std::string Shortest(float value) {
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), result.ptr);
}

// "YYYY-MM-DD hh:mm:ss+hh:mm" from the AIA stamp "YYYYMMDDhhmmss+hhmm".
std::string ReadableStamp(int64_t utcSeconds) {
  const std::string s = AiaTimestampText(utcSeconds, kMoscowOffsetMinutes);
  return s.substr(0, 4) + "-" + s.substr(4, 2) + "-" + s.substr(6, 2) + " " + s.substr(8, 2) + ":" +
         s.substr(10, 2) + ":" + s.substr(12, 2) + s.substr(14, 3) + ":" + s.substr(17, 2);
}

}  // namespace

std::string TextExport(const ChrmFile& file) {
  const ChrmChannel& channel = file.channels.front();
  const ChrmPassport& p = file.passport;
  std::string text = "Sample: " + p.sample + "\n";
  text += "Injection time: " + ReadableStamp(p.andate) + "\n";
  for (const PassportField& field : p.fields) {
    if (field.name == "operator") text += "Operator: " + field.value + "\n";
  }
  text += "Method: " + p.method + "\n";
  text += "Interval (min): " + Exact(channel.step) + "\n\n";
  if (!channel.peaks.empty()) {
    text += "Name\tTime (min)\tStart (min)\tEnd (min)\tHeight\tArea\n";
    for (const ChrmPeak& peak : channel.peaks) {
      text += peak.name + "\t" + Exact(peak.time) + "\t" + Exact(peak.front) + "\t" + Exact(peak.back) +
              "\t" + Exact(peak.height) + "\t" + Exact(peak.area) + "\n";
    }
    text += "\n";
  }
  text += "Time (min)\tSignal\n";
  for (size_t i = 0; i < channel.samples.size(); ++i) {
    text += Exact(channel.startTime + static_cast<double>(i) * channel.step) + "\t" +
            Shortest(channel.samples[i]) + "\n";
  }
  return text;
}

void WriteTextExport(const ChrmFile& file, const std::string& path) {
  if (file.channels.empty())
    throw std::runtime_error("cannot write " + path + ": the chromatogram has no channel");
  std::string error;
  if (!WriteFileAtomically(path, TextExport(file), error))
    throw std::runtime_error("cannot write " + path + ": " + error);
}

void WriteTextSet(const GeneratedSet& set, const std::string& folder) {
  for (const GeneratedRun& run : set.runs) {
    std::filesystem::path target = std::filesystem::path(folder) / run.fileName;
    target.replace_extension(".txt");
    WriteTextExport(run.file, target.string());
  }
}

}  // namespace p528::chrmgen
