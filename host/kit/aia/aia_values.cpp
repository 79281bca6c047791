#include "host/kit/aia/aia_values.h"

#include <netcdf.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace p528::aia {

namespace {

// Attributes holding more values than this are not read as numbers (no AIA field has more).
constexpr size_t kMaxAttValues = 64;
// A text variable of peak names may be at most this wide and this large.
constexpr size_t kMaxRowWidth = 1024;
constexpr size_t kMaxTextVarBytes = size_t{64} << 20;

bool IsBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Length of the UTF-8 sequence starting at text[i], or 0 when it is not valid UTF-8
// (overlong forms, surrogates and code points above U+10FFFF are invalid).
size_t Utf8Length(const std::string& text, size_t i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char c = byte(i);
  if (c < 0x80) return 1;
  size_t n = 0;
  uint32_t cp = 0;
  if ((c & 0xE0) == 0xC0) {
    n = 2;
    cp = c & 0x1F;
  } else if ((c & 0xF0) == 0xE0) {
    n = 3;
    cp = c & 0x0F;
  } else if ((c & 0xF8) == 0xF0) {
    n = 4;
    cp = c & 0x07;
  } else {
    return 0;
  }
  if (i + n > text.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  static constexpr std::array<uint32_t, 5> kMin = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kMin[n] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

bool IsUtf8(const std::string& text) {
  for (size_t i = 0; i < text.size();) {
    const size_t n = Utf8Length(text, i);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

std::string Latin1ToUtf8(const std::string& bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (const char byte : bytes) {
    const auto c = static_cast<unsigned char>(byte);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

template <typename T>
std::string Shortest(T value) {
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), result.ptr);
}

bool IsNumericType(nc_type type) {
  return type == NC_BYTE || type == NC_UBYTE || type == NC_SHORT || type == NC_USHORT || type == NC_INT ||
         type == NC_UINT || type == NC_INT64 || type == NC_UINT64 || type == NC_FLOAT || type == NC_DOUBLE;
}

// The text of attribute `name` of `varid` (NC_GLOBAL for the file's own); nullopt when the
// file has no such attribute or it cannot be read.
std::optional<std::string> AttText(int ncid, int varid, const char* name) {
  nc_type type = 0;
  size_t length = 0;
  if (nc_inq_att(ncid, varid, name, &type, &length) != NC_NOERR) return std::nullopt;
  if (type == NC_CHAR) {
    if (length == 0) return std::string();
    // netCDF reads an attribute whole: an oversized one is skipped rather than allocated.
    if (length > kMaxTextBytes * 4) return std::string();
    std::string bytes(length, '\0');
    if (nc_get_att_text(ncid, varid, name, bytes.data()) != NC_NOERR) return std::nullopt;
    return CleanText(bytes.data(), bytes.size());
  }
  if (length == 0 || length > kMaxAttValues) return std::nullopt;
  if (type == NC_STRING) {
    std::vector<char*> strings(length, nullptr);
    if (nc_get_att_string(ncid, varid, name, strings.data()) != NC_NOERR) return std::nullopt;
    std::string text =
        strings[0] != nullptr ? CleanText(strings[0], std::char_traits<char>::length(strings[0])) : "";
    nc_free_string(length, strings.data());
    return text;
  }
  if (!IsNumericType(type)) return std::nullopt;
  std::string text;
  const auto join = [&](const std::string& value) { text += (text.empty() ? "" : ", ") + value; };
  if (type == NC_FLOAT) {
    std::vector<float> values(length);
    if (nc_get_att_float(ncid, varid, name, values.data()) != NC_NOERR) return std::nullopt;
    for (float v : values) {
      if (!IsNull(v)) join(Shortest(v));
    }
  } else if (type == NC_DOUBLE) {
    std::vector<double> values(length);
    if (nc_get_att_double(ncid, varid, name, values.data()) != NC_NOERR) return std::nullopt;
    for (double v : values) {
      if (!IsNull(v)) join(Shortest(v));
    }
  } else {
    std::vector<long long> values(length);
    if (nc_get_att_longlong(ncid, varid, name, values.data()) != NC_NOERR) return std::nullopt;
    for (long long v : values) {
      if (v != -9999) join(std::to_string(v));
    }
  }
  return text;
}

std::optional<double> AttNumber(int ncid, int varid, const char* name) {
  nc_type type = 0;
  size_t length = 0;
  if (nc_inq_att(ncid, varid, name, &type, &length) != NC_NOERR || length == 0) return std::nullopt;
  if (type == NC_CHAR || type == NC_STRING) {
    const std::optional<std::string> text = AttText(ncid, varid, name);
    return text ? ParseNumber(*text) : std::nullopt;
  }
  if (!IsNumericType(type) || length > kMaxAttValues) return std::nullopt;
  if (type == NC_FLOAT) {
    std::vector<float> values(length);
    if (nc_get_att_float(ncid, varid, name, values.data()) != NC_NOERR || IsNull(values[0]))
      return std::nullopt;
    return AsWritten(values[0]);
  }
  std::vector<double> values(length);
  if (nc_get_att_double(ncid, varid, name, values.data()) != NC_NOERR) return std::nullopt;
  if (IsNull(values[0])) return std::nullopt;
  return values[0];
}

// True when dimension `dimid` is the file's record (unlimited) dimension.
bool IsRecordDimension(int ncid, int dimid) {
  int unlimited = -1;
  return nc_inq_unlimdim(ncid, &unlimited) == NC_NOERR && unlimited >= 0 && unlimited == dimid;
}

// A number stored as a variable: a numeric variable (its first value) or a text. A record
// variable holds a value per record, never one number, and is not read; a text is read only
// up to kMaxTextBytes, whatever length its dimensions declare.
std::optional<double> VarNumber(int ncid, const char* name) {
  const std::optional<VarShape> shape = Shape(ncid, name);
  if (!shape) return std::nullopt;
  std::array<int, 2> dims = {0, 0};
  if (!shape->dimLengths.empty() && nc_inq_vardimid(ncid, shape->varid, dims.data()) != NC_NOERR)
    return std::nullopt;
  size_t total = 1;
  for (size_t k = 0; k < shape->dimLengths.size(); ++k) {
    if (IsRecordDimension(ncid, dims[k])) return std::nullopt;
    if (__builtin_mul_overflow(total, shape->dimLengths[k], &total)) return std::nullopt;
  }
  if (total == 0) return std::nullopt;
  const std::array<size_t, 2> first = {0, 0};
  if (shape->type == NC_CHAR) {
    // The text is the first row: the last dimension is its length.
    const size_t length = shape->dimLengths.empty() ? 1 : shape->dimLengths.back();
    std::array<size_t, 2> count = {1, 1};
    count[shape->dimLengths.empty() ? 0 : shape->dimLengths.size() - 1] = std::min(length, kMaxTextBytes);
    std::string bytes(count[0] * count[1], '\0');
    if (nc_get_vara_text(ncid, shape->varid, first.data(), count.data(), bytes.data()) != NC_NOERR)
      return std::nullopt;
    return ParseNumber(CleanText(bytes.data(), bytes.size()));
  }
  if (!IsNumericType(shape->type)) return std::nullopt;
  if (shape->type == NC_FLOAT) {
    float single = 0;
    if (nc_get_var1_float(ncid, shape->varid, first.data(), &single) != NC_NOERR || IsNull(single))
      return std::nullopt;
    return AsWritten(single);
  }
  double value = 0;
  if (nc_get_var1_double(ncid, shape->varid, first.data(), &value) != NC_NOERR) return std::nullopt;
  if (IsNull(value)) return std::nullopt;
  return value;
}

int VarId(int ncid, const char* name) {
  int varid = -1;
  return nc_inq_varid(ncid, name, &varid) == NC_NOERR ? varid : -1;
}

}  // namespace

bool IsNull(double value) { return !std::isfinite(value) || value == kNull; }

double AsWritten(float value) {
  if (!std::isfinite(value)) return value;
  std::array<char, 64> buffer{};
  const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  double exact = value;
  std::from_chars(buffer.data(), written.ptr, exact);
  return exact;
}

std::string CleanText(const char* bytes, size_t count, size_t limit) {
  // Nothing past four times the limit can survive the cut (no character is longer).
  std::string text(bytes, std::min(count, limit * 4 + 4));
  const size_t nul = text.find('\0');
  if (nul != std::string::npos) text.resize(nul);
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && IsBlank(static_cast<unsigned char>(text[end - 1]))) --end;
  text = text.substr(begin, end - begin);
  if (!IsUtf8(text)) text = Latin1ToUtf8(text);
  for (char& c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) c = ' ';
  }
  if (text.size() > limit) {
    size_t cut = 0;
    for (size_t i = 0; i < text.size();) {
      const size_t n = Utf8Length(text, i);
      if (i + n > limit) break;
      i += n;
      cut = i;
    }
    text.resize(cut);
  }
  return text;
}

std::optional<double> ParseNumber(std::string text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && IsBlank(static_cast<unsigned char>(text[end - 1]))) --end;
  text = text.substr(begin, end - begin);
  if (!text.empty() && text[0] == '+') text.erase(0, 1);
  if (text.find('.') == std::string::npos) {
    const size_t comma = text.find(',');
    if (comma != std::string::npos && text.find(',', comma + 1) == std::string::npos) text[comma] = '.';
  }
  if (text.empty()) return std::nullopt;
  double value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size() || IsNull(value))
    return std::nullopt;
  return value;
}

std::string GlobalText(int ncid, const char* name) { return AttText(ncid, NC_GLOBAL, name).value_or(""); }

std::string Text(int ncid, const char* name, const char* ownerVar) {
  if (std::optional<std::string> text = AttText(ncid, NC_GLOBAL, name)) return *text;
  if (ownerVar != nullptr) {
    const int varid = VarId(ncid, ownerVar);
    if (varid >= 0) return AttText(ncid, varid, name).value_or("");
  }
  return {};
}

std::optional<double> Number(int ncid, const char* name, const char* ownerVar) {
  if (VarId(ncid, name) >= 0) return VarNumber(ncid, name);
  if (std::optional<double> value = AttNumber(ncid, NC_GLOBAL, name)) return value;
  if (ownerVar != nullptr) {
    const int varid = VarId(ncid, ownerVar);
    if (varid >= 0) return AttNumber(ncid, varid, name);
  }
  return std::nullopt;
}

std::optional<VarShape> Shape(int ncid, const char* name) {
  VarShape shape;
  shape.varid = VarId(ncid, name);
  if (shape.varid < 0) return std::nullopt;
  int ndims = 0;
  nc_type type = 0;
  if (nc_inq_varndims(ncid, shape.varid, &ndims) != NC_NOERR || ndims < 0 || ndims > 2) return std::nullopt;
  if (nc_inq_vartype(ncid, shape.varid, &type) != NC_NOERR) return std::nullopt;
  shape.type = type;
  std::array<int, 2> dims = {0, 0};
  if (ndims > 0 && nc_inq_vardimid(ncid, shape.varid, dims.data()) != NC_NOERR) return std::nullopt;
  for (int k = 0; k < ndims; ++k) {
    std::array<char, NC_MAX_NAME + 1> dimName{};
    size_t length = 0;
    if (nc_inq_dim(ncid, dims[static_cast<size_t>(k)], dimName.data(), &length) != NC_NOERR)
      return std::nullopt;
    shape.dimNames.emplace_back(dimName.data());
    shape.dimLengths.push_back(length);
  }
  return shape;
}

std::vector<double> Doubles(int ncid, const char* name, size_t count, std::string* error) {
  const std::optional<VarShape> shape = Shape(ncid, name);
  if (!shape) return {};
  const auto fail = [&](const std::string& why) {
    if (error != nullptr) *error = std::string(name) + ": " + why;
    return std::vector<double>();
  };
  if (!IsNumericType(shape->type)) return fail("not numbers");
  if (shape->dimLengths.size() != 1 || shape->dimLengths[0] != count)
    return fail(
        "holds " +
        (shape->dimLengths.size() == 1 ? std::to_string(shape->dimLengths[0]) : std::string("no list of")) +
        " values, not " + std::to_string(count));
  std::vector<double> values(count);
  if (shape->type == NC_FLOAT) {
    std::vector<float> singles(count);
    const int status = nc_get_var_float(ncid, shape->varid, singles.data());
    if (status != NC_NOERR && status != NC_ERANGE) return fail(nc_strerror(status));
    for (size_t i = 0; i < count; ++i) values[i] = AsWritten(singles[i]);
    return values;
  }
  const int status = nc_get_var_double(ncid, shape->varid, values.data());
  if (status != NC_NOERR && status != NC_ERANGE) return fail(nc_strerror(status));
  return values;
}

std::vector<std::string> TextRows(int ncid, const char* name, size_t rows, std::string* error) {
  const std::optional<VarShape> shape = Shape(ncid, name);
  if (!shape) return {};
  const auto fail = [&](const std::string& why) {
    if (error != nullptr) *error = std::string(name) + ": " + why;
    return std::vector<std::string>();
  };
  if (shape->dimLengths.empty() || shape->dimLengths[0] != rows || rows == 0)
    return fail("not one text per row");
  std::vector<std::string> result;
  result.reserve(rows);
  if (shape->type == NC_CHAR && shape->dimLengths.size() == 2) {
    const size_t width = shape->dimLengths[1];
    if (width == 0 || width > kMaxRowWidth || rows * width > kMaxTextVarBytes) return fail("texts too long");
    std::string bytes(rows * width, '\0');
    const int status = nc_get_var_text(ncid, shape->varid, bytes.data());
    if (status != NC_NOERR) return fail(nc_strerror(status));
    for (size_t r = 0; r < rows; ++r)
      result.push_back(CleanText(bytes.data() + r * width, width, kMaxNameBytes));
    return result;
  }
  if (shape->type == NC_STRING && shape->dimLengths.size() == 1) {
    std::vector<char*> strings(rows, nullptr);
    const int status = nc_get_var_string(ncid, shape->varid, strings.data());
    if (status != NC_NOERR) return fail(nc_strerror(status));
    for (char* s : strings) {
      result.push_back(s != nullptr ? CleanText(s, std::char_traits<char>::length(s), kMaxNameBytes) : "");
    }
    nc_free_string(rows, strings.data());
    return result;
  }
  return fail("not texts");
}

}  // namespace p528::aia
