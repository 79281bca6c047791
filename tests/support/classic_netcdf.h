// Classic netCDF files (CDF-1, CDF-2, CDF-5) written byte by byte, so that a test can declare
// what the netCDF library itself would never write: counts far beyond the bytes, dimension
// ids that name nothing, data beyond the end of the file. Header-only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace p528::test {

struct ClassicAttribute {
  std::string name;
  uint32_t type = 2;  // NC_CHAR
  uint64_t count = 0;
  std::string values;  // the raw bytes (padded when written)
};

struct ClassicVariable {
  std::string name;
  std::vector<uint64_t> dimensionIds;
  uint32_t type = 5;  // NC_FLOAT
  uint64_t begin = 0;
  std::vector<ClassicAttribute> attributes;
};

struct ClassicFile {
  int version = 1;
  uint64_t records = 0;
  std::vector<std::pair<std::string, uint64_t>> dimensions;
  std::vector<ClassicAttribute> attributes;
  std::vector<ClassicVariable> variables;
  // Overrides of the list counts (declared larger than what follows); 0 keeps the real one.
  uint64_t declaredDimensions = 0;
  uint64_t declaredVariables = 0;

  std::string Bytes() const {
    std::string out = "CDF";
    out += static_cast<char>(version);
    Number(out, records);
    Word(out, dimensions.empty() && declaredDimensions == 0 ? 0 : 0x0A);
    Number(out, declaredDimensions != 0 ? declaredDimensions : dimensions.size());
    for (const auto& [name, length] : dimensions) {
      Name(out, name);
      Number(out, length);
    }
    Attributes(out, attributes);
    Word(out, variables.empty() && declaredVariables == 0 ? 0 : 0x0B);
    Number(out, declaredVariables != 0 ? declaredVariables : variables.size());
    for (const ClassicVariable& v : variables) {
      Name(out, v.name);
      Number(out, v.dimensionIds.size());
      for (uint64_t id : v.dimensionIds) Number(out, id);
      Attributes(out, v.attributes);
      Word(out, v.type);
      Number(out, 4);  // the declared size, which readers recompute
      Big(out, v.begin, version == 1 ? 4 : 8);
    }
    return out;
  }

 private:
  static void Big(std::string& out, uint64_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
  }
  static void Word(std::string& out, uint64_t value) { Big(out, value, 4); }
  void Number(std::string& out, uint64_t value) const { Big(out, value, version == 5 ? 8 : 4); }
  static void Pad(std::string& out) {
    while (out.size() % 4 != 0) out += '\0';
  }
  void Name(std::string& out, const std::string& name) const {
    Number(out, name.size());
    out += name;
    Pad(out);
  }
  void Attributes(std::string& out, const std::vector<ClassicAttribute>& list) const {
    Word(out, list.empty() ? 0 : 0x0C);
    Number(out, list.size());
    for (const ClassicAttribute& a : list) {
      Name(out, a.name);
      Word(out, a.type);
      Number(out, a.count);
      out += a.values;
      Pad(out);
    }
  }
};

}  // namespace p528::test
