// chrm-inspect FILE: reads a chromatogram file and prints it as one JSON object on standard
// output (the interface is documented in docs/chrm-inspect.md). Exit status 0 when the file
// was read, 1 when it was not (the object then holds only the reader's status), 2 on a
// wrong command line.
#include "chromatogram/chrm_fields.h"
#include "chromatogram/chrm_file.h"
#include "shell/json_writer.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

using p528::ChrmChannel;
using p528::ChrmColumn;
using p528::ChrmPassport;
using p528::ChrmPeak;
using p528::JsonWriter;
using p528::PassportField;

const char* StatusText(int status) {
  switch (status) {
    case -1: return "cannot open the file (missing, unreadable, or not a regular file)";
    case -2: return "header shorter than 16 bytes";
    case -3: return "not a chromatogram file (magic is not \"STG\")";
    case -4: return "format version above 1";
    case -5: return "channel block header short";
    case -6: return "channel samples short";
    case -7: return "XML part not well-formed, or misplaced";
    default: return "unknown failure";
  }
}

// Every stored member of `in` as a member of the open object, in the file's order.
template <class Struct>
void WriteFields(JsonWriter& w, const Struct& in) {
  p528::ForEachChrmField<Struct>([&](const auto& field) { w.Member(field.name, in.*field.member); });
}

void WritePassport(JsonWriter& w, const ChrmPassport& p) {
  w.BeginObject();
  w.Member("path", p.path);
  WriteFields(w, p);
  w.Key("columns");
  w.BeginArray();
  for (const ChrmColumn& c : p.columns) {
    w.BeginObject();
    WriteFields(w, c);
    w.EndObject();
  }
  w.EndArray();
  w.Key("fields");
  w.BeginArray();
  for (const PassportField& f : p.fields) {
    w.BeginObject();
    w.Member("name", f.name);
    w.Member("title", f.title);
    w.Member("value", f.value);
    w.EndObject();
  }
  w.EndArray();
  w.EndObject();
}

void WriteChannel(JsonWriter& w, const ChrmChannel& c) {
  // Smallest and largest sample, NaN samples left out; null when there is none.
  bool any = false;
  double lo = 0;
  double hi = 0;
  for (float s : c.samples) {
    if (std::isnan(s)) continue;
    if (!any || s < lo) lo = s;
    if (!any || s > hi) hi = s;
    any = true;
  }
  w.BeginObject();
  w.Member("number", c.number);
  w.Member("startTime", c.startTime);
  w.Member("step", c.step);
  w.Member("count", static_cast<uint64_t>(c.samples.size()));
  w.Key("min");
  any ? w.Double(lo) : w.Null();
  w.Key("max");
  any ? w.Double(hi) : w.Null();
  w.Key("peaks");
  w.BeginArray();
  for (const ChrmPeak& p : c.peaks) {
    w.BeginObject();
    WriteFields(w, p);
    w.EndObject();
  }
  w.EndArray();
  w.EndObject();
}

}  // namespace

int main(int argc, char** argv) {
  const char* usage = "usage: chrm-inspect [--] FILE\n       chrm-inspect --help | --version\n";
  // "--" lets a file whose name begins with "-" be inspected.
  const bool dashes = argc == 3 && std::string(argv[1]) == "--";
  if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
    std::fputs(usage, stdout);
    std::fputs("Prints the chromatogram FILE as one JSON object (exit 0 read, 1 not read, 2 usage).\n",
               stdout);
    return 0;
  }
  if (argc == 2 && std::string(argv[1]) == "--version") {
    std::printf("chrm-inspect %s\n", PLUG528_VERSION);
    return 0;
  }
  if (!dashes && (argc != 2 || argv[1][0] == '-')) {
    if (argc == 2) std::fprintf(stderr, "chrm-inspect: unknown option %s\n", argv[1]);
    std::fputs(usage, stderr);
    return 2;
  }
  const std::string path = argv[dashes ? 2 : 1];
  p528::CVantiroFile4 file;
  const int status = file.LoadFromFile(path);

  JsonWriter w(2);
  w.BeginObject();
  w.Member("status", status);
  if (status == 0) {
    w.Member("version", static_cast<int>(file.version));
    w.Key("passport");
    WritePassport(w, file.passport);
    w.Key("channels");
    w.BeginArray();
    for (const ChrmChannel& c : file.channels) WriteChannel(w, c);
    w.EndArray();
  }
  w.EndObject();
  std::fputs(w.str().c_str(), stdout);
  std::fputc('\n', stdout);
  if (status != 0) {
    std::fprintf(stderr, "chrm-inspect: %s: %s (status %d)\n", path.c_str(), StatusText(status), status);
    return 1;
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
