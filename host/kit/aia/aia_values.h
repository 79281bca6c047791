// Reading the values of an open netCDF file the way AIA chromatography files store them in
// practice: a number may be an attribute or a scalar variable, stored as a number or as text;
// a text may be stored as a number; texts are blank- or NUL-padded; -9999 marks a value that
// is not known. Every size is checked against fixed bounds before anything is allocated, so a
// hostile header cannot make the importer allocate more than the bounds allow.
//
// All functions take the id of a file opened with the netCDF library and never throw; a value
// that is missing, null or unreadable comes back empty (std::nullopt or "").
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace p528::aia {

// The null value of AIA files.
inline constexpr double kNull = -9999.0;

// Bounds on what one file may hold; larger files are refused, never allocated.
inline constexpr size_t kMaxFileBytes = size_t{256} << 20;  // a whole file (read into memory)
inline constexpr size_t kMaxPoints = size_t{1} << 24;       // samples of all channels together (16.7 million)
inline constexpr size_t kMaxChannels = 16;                  // detector channels
inline constexpr size_t kMaxPeaks = 100000;                 // rows of the peak table
inline constexpr size_t kMaxTextBytes = 4096;               // one text value (longer ones are cut)
inline constexpr size_t kMaxNameBytes = 256;                // one peak name

// True when `value` is the AIA null value or not a finite number.
bool IsNull(double value);

// A number stored in single precision as the data system wrote it: the shortest decimal that
// reads back as the same float (0.4f is 0.4, not 0.4000000059604645). Times, intervals and
// peak values stored as floats are read this way, so a step of 0.4 s becomes 0.4 / 60 min.
double AsWritten(float value);

// Text of a global attribute: a text attribute without its padding (blanks, NULs, anything
// after the first NUL), or a numeric attribute written the shortest way that reads back
// exactly ("0.1", "12"); several numbers are joined with ", ". Null numbers give "".
// Bytes that are not UTF-8 are read as Latin-1; control characters become blanks.
std::string GlobalText(int ncid, const char* name);

// A number named `name`: a scalar (or first element of a) variable, else a global attribute,
// else an attribute of the variable `ownerVar` when given (floats as AsWritten). Text values are read as
// decimal numbers (blanks around them allowed, "," accepted as the decimal point). Null or unreadable values
// give std::nullopt.
std::optional<double> Number(int ncid, const char* name, const char* ownerVar = nullptr);

// Text named `name`: a global attribute, else an attribute of `ownerVar`, as GlobalText.
std::string Text(int ncid, const char* name, const char* ownerVar = nullptr);

// Parses a decimal number written as text (see Number); std::nullopt when the whole text is
// not one number.
std::optional<double> ParseNumber(std::string text);

// Cleans a text read from a file: cut at the first NUL, padding blanks removed at both ends,
// invalid UTF-8 read as Latin-1, control characters replaced by blanks, at most `limit`
// bytes (cut on a character boundary).
std::string CleanText(const char* bytes, size_t count, size_t limit = kMaxTextBytes);

// Shape of a variable: its dimension names and lengths, outermost first.
struct VarShape {
  int varid = -1;
  int type = 0;  // nc_type
  std::vector<std::string> dimNames;
  std::vector<size_t> dimLengths;
};
// The shape of variable `name`; std::nullopt when there is no such variable or it has more
// than two dimensions.
std::optional<VarShape> Shape(int ncid, const char* name);

// A one-dimensional numeric variable of exactly `count` values (any numeric type, converted
// to double; floats as AsWritten). Empty when it is missing, has another length or cannot be read; `error`
// (when given) then says why for variables that exist.
std::vector<double> Doubles(int ncid, const char* name, size_t count, std::string* error = nullptr);

// Rows of a two-dimensional text variable (rows x string length), or of a one-dimensional
// string variable, each cleaned as CleanText with kMaxNameBytes. Empty when it is missing,
// has another shape or cannot be read; `error` (when given) then says why for variables that
// exist.
std::vector<std::string> TextRows(int ncid, const char* name, size_t rows, std::string* error = nullptr);

}  // namespace p528::aia
