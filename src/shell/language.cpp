#include "shell/language.h"

namespace p528 {

namespace {
struct LanguageName {
  uint16_t id;
  const char* abbreviation;
};

// Windows language identifiers and their abbreviated language names.
constexpr LanguageName kLanguages[] = {
    {0x0402, "BGR"}, {0x0404, "CHT"}, {0x0405, "CSY"}, {0x0406, "DAN"}, {0x0407, "DEU"}, {0x0408, "ELL"},
    {0x0409, "ENU"}, {0x040A, "ESP"}, {0x040B, "FIN"}, {0x040C, "FRA"}, {0x040E, "HUN"}, {0x0410, "ITA"},
    {0x0411, "JPN"}, {0x0412, "KOR"}, {0x0413, "NLD"}, {0x0414, "NOR"}, {0x0415, "PLK"}, {0x0416, "PTB"},
    {0x0418, "ROM"}, {0x0419, "RUS"}, {0x041B, "SKY"}, {0x041D, "SVE"}, {0x041F, "TRK"}, {0x0422, "UKR"},
    {0x0423, "BEL"}, {0x0425, "ETI"}, {0x0426, "LVI"}, {0x0427, "LTH"}, {0x042B, "HYE"}, {0x042C, "AZE"},
    {0x0437, "KAT"}, {0x043F, "KKZ"}, {0x0440, "KYR"}, {0x0443, "UZB"}, {0x0804, "CHS"}, {0x0807, "DES"},
    {0x0809, "ENG"}, {0x080A, "ESM"}, {0x080C, "FRB"}, {0x0816, "PTG"}, {0x0C07, "DEA"}, {0x0C09, "ENA"},
    {0x0C0A, "ESN"}, {0x0C0C, "FRC"}, {0x1009, "ENC"}, {0x100C, "FRS"}, {0x1409, "ENZ"}, {0x1809, "ENI"},
    {0x1C09, "ENS"},
};
}  // namespace

const char* LanguageAbbreviation(uint16_t langId) {
  for (const LanguageName& language : kLanguages) {
    if (language.id == langId) return language.abbreviation;
  }
  return nullptr;
}

}  // namespace p528
