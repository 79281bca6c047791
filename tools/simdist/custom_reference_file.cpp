#include "custom_reference_file.h"

#include "engine/texts/reference_texts.h"
#include "shell/shell.h"
#include "shell/text.h"

#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

namespace p528 {

namespace {

constexpr const char* kNoValue = "---";
constexpr std::size_t kMaxFileBytes = 64 * 1024;

bool IsFieldSeparator(char c) { return c == ' ' || c == '\t' || c == ';'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsFieldSeparator(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !IsFieldSeparator(line[i])) ++i;
    if (i > start) fields.push_back(line.substr(start, i - start));
  }
  return fields;
}

// A whole field as a finite number; "-" and "---" stand for a value that is not set.
bool ParseValue(std::string_view field, double& value) {
  if (field == "-" || field == kNoValue) {
    value = -1.0;
    return true;
  }
  std::string_view digits = field;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  double parsed = 0.0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), parsed);
  if (ec != std::errc() || end != digits.data() + digits.size() || !std::isfinite(parsed)) return false;
  value = parsed;
  return true;
}

int RowOfPercent(double percent) {
  for (int i = 0; i < kGasoilRowCount; ++i)
    if (GasoilRowPercent(i) == percent) return i;
  return -1;
}

bool StartsWithWordNoCase(std::string_view line, std::string_view word) {
  if (line.size() < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    char c = line[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != word[i]) return false;
  }
  return line.size() == word.size() || IsFieldSeparator(line[word.size()]);
}

}  // namespace

bool ParseCustomReference(const Shell& shell, std::string_view text, CustomReference& out,
                          std::string& error) {
  auto fail = [&](int id, auto... args) {
    error = Format(shell.Str(id).c_str(), args...);
    return false;
  };
  if (text.size() > kMaxFileBytes) return fail(text::kRefFileTooLarge, static_cast<int>(kMaxFileBytes));
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);

  CustomReference parsed(shell);
  std::array<bool, kGasoilRowCount> seen{};
  int lineNumber = 0;
  while (!text.empty()) {
    const std::size_t eol = text.find('\n');
    std::string_view line = text.substr(0, eol);
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
    ++lineNumber;
    if (const std::size_t hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
    line = Trim(line);
    if (line.empty()) continue;

    if (StartsWithWordNoCase(line, "passport")) {
      const std::string_view number = Trim(line.substr(8));
      if (number.empty()) return fail(text::kRefFileNoPassport, lineNumber);
      parsed.passportNumber = std::string(number);
      continue;
    }
    const std::vector<std::string_view> fields = SplitFields(line);
    if (fields.size() != 3) return fail(text::kRefFileFieldCount, lineNumber);
    double values[3] = {};
    for (std::size_t k = 0; k < 3; ++k)
      if (!ParseValue(fields[k], values[k]))
        return fail(text::kRefFileNotNumber, lineNumber, std::string(fields[k]).c_str());
    const int row = RowOfPercent(values[0]);
    if (row < 0) return fail(text::kRefFileUnknownPercent, lineNumber, std::string(fields[0]).c_str());
    if (seen[static_cast<std::size_t>(row)])
      return fail(text::kRefFileDuplicatePercent, lineNumber, std::string(fields[0]).c_str());
    seen[static_cast<std::size_t>(row)] = true;
    parsed.rows[static_cast<std::size_t>(row)].temperature = values[1];
    parsed.rows[static_cast<std::size_t>(row)].deviation = values[2];
  }
  out = std::move(parsed);
  return true;
}

bool ReadCustomReferenceFile(const Shell& shell, const std::string& path, CustomReference& out,
                             std::string& error) {
  std::error_code ec;
  std::ifstream file;
  // A folder opens like a file here but reads as nothing: it must not pass for an empty table.
  if (!std::filesystem::is_directory(path, ec)) file.open(path, std::ios::binary);
  if (!file.is_open()) {
    error = Format(shell.Str(text::kRefFileUnreadable).c_str(), path.c_str());
    return false;
  }
  std::string bytes;
  char buffer[4096];
  while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
    bytes.append(buffer, static_cast<std::size_t>(file.gcount()));
    if (bytes.size() > kMaxFileBytes) {
      error = Format(shell.Str(text::kRefFileTooLarge).c_str(), static_cast<int>(kMaxFileBytes));
      return false;
    }
  }
  if (file.bad()) {
    error = Format(shell.Str(text::kRefFileUnreadable).c_str(), path.c_str());
    return false;
  }
  return ParseCustomReference(shell, bytes, out, error);
}

bool StoreCustomReferenceFile(const Shell& shell, const std::string& path, std::string& error) {
  CustomReference reference(shell);
  if (!ReadCustomReferenceFile(shell, path, reference, error)) return false;
  reference.Save(shell);
  return true;
}

}  // namespace p528
