#include "shell/sqlite_unicode.h"

#include "shell/text.h"

#include <sqlite3.h>
#include <unicode/uchar.h>
#include <unicode/unorm2.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>
#include <unicode/uversion.h>

#include <cstring>
#include <vector>

namespace p528 {

namespace {

// ICU's U16_NEXT, whose expansion mixes signed and unsigned arithmetic.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wsign-conversion"
void NextCodePoint(const UChar* s, int32_t& i, int32_t length, UChar32& c) { U16_NEXT(s, i, length, c); }
#pragma GCC diagnostic pop

// ---- text of SQLite values ----------------------------------------------------------------

// The UTF-16 text of a value (copied: SQLite's buffer carries no alignment promise).
std::u16string ValueText16(sqlite3_value* value) {
  const void* p = sqlite3_value_text16(value);
  const int bytes = sqlite3_value_bytes16(value);
  std::u16string out(static_cast<size_t>(bytes) / 2, u'\0');
  if (p != nullptr && bytes > 0) std::memcpy(out.data(), p, out.size() * sizeof(char16_t));
  return out;
}

void ResultText16(sqlite3_context* context, const std::u16string& text) {
  sqlite3_result_text16(context, text.data(), static_cast<int>(text.size() * sizeof(char16_t)),
                        SQLITE_TRANSIENT);
}

// Code points of a UTF-16 text, each simply case-folded (one code point for one).
std::vector<UChar32> FoldedCodePoints(const std::u16string& text) {
  std::vector<UChar32> out;
  out.reserve(text.size());
  const auto* s = reinterpret_cast<const UChar*>(text.data());
  const auto length = static_cast<int32_t>(text.size());
  for (int32_t i = 0; i < length;) {
    UChar32 c;
    NextCodePoint(s, i, length, c);
    out.push_back(u_foldCase(c, U_FOLD_CASE_DEFAULT));
  }
  return out;
}

// ---- case mapping and accents ---------------------------------------------------------------

enum class CaseMapping { kFold, kLower, kUpper, kTitle };

// ICU's full mappings may lengthen the text ("ß" -> "SS"): retried once with the size asked.
bool MapCase(CaseMapping mapping, const std::u16string& in, std::u16string& out, UErrorCode& status) {
  out.assign(in.size() + 8, u'\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    status = U_ZERO_ERROR;
    auto* dest = reinterpret_cast<UChar*>(out.data());
    const auto capacity = static_cast<int32_t>(out.size());
    const auto* src = reinterpret_cast<const UChar*>(in.data());
    const auto length = static_cast<int32_t>(in.size());
    int32_t n = 0;
    switch (mapping) {
      case CaseMapping::kFold:
        n = u_strFoldCase(dest, capacity, src, length, U_FOLD_CASE_DEFAULT, &status);
        break;
      case CaseMapping::kLower: n = u_strToLower(dest, capacity, src, length, "", &status); break;
      case CaseMapping::kUpper: n = u_strToUpper(dest, capacity, src, length, "", &status); break;
      case CaseMapping::kTitle: n = u_strToTitle(dest, capacity, src, length, nullptr, "", &status); break;
    }
    if (status == U_BUFFER_OVERFLOW_ERROR) {
      out.assign(static_cast<size_t>(n) + 1, u'\0');
      continue;
    }
    if (U_FAILURE(status)) return false;
    out.resize(static_cast<size_t>(n));
    return true;
  }
  return false;
}

template <CaseMapping mapping>
void CaseFunction(sqlite3_context* context, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return;  // NULL in, NULL out
  std::u16string out;
  UErrorCode status = U_ZERO_ERROR;
  if (!MapCase(mapping, ValueText16(argv[0]), out, status)) {
    sqlite3_result_error(context, u_errorName(status), -1);
    return;
  }
  ResultText16(context, out);
}

bool Normalize(const UNormalizer2* normalizer, const std::u16string& in, std::u16string& out,
               UErrorCode& status) {
  out.assign(in.size() * 3 + 8, u'\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    status = U_ZERO_ERROR;
    const int32_t n = unorm2_normalize(normalizer, reinterpret_cast<const UChar*>(in.data()),
                                       static_cast<int32_t>(in.size()), reinterpret_cast<UChar*>(out.data()),
                                       static_cast<int32_t>(out.size()), &status);
    if (status == U_BUFFER_OVERFLOW_ERROR) {
      out.assign(static_cast<size_t>(n) + 1, u'\0');
      continue;
    }
    if (U_FAILURE(status)) return false;
    out.resize(static_cast<size_t>(n));
    return true;
  }
  return false;
}

// Removes accents: decomposes, drops the non-spacing marks, composes again.
void UnaccentFunction(sqlite3_context* context, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return;
  UErrorCode status = U_ZERO_ERROR;
  const UNormalizer2* nfd = unorm2_getNFDInstance(&status);
  const UNormalizer2* nfc = unorm2_getNFCInstance(&status);
  std::u16string decomposed;
  if (U_SUCCESS(status) && Normalize(nfd, ValueText16(argv[0]), decomposed, status)) {
    std::u16string bare;
    bare.reserve(decomposed.size());
    const auto* s = reinterpret_cast<const UChar*>(decomposed.data());
    const auto length = static_cast<int32_t>(decomposed.size());
    for (int32_t i = 0; i < length;) {
      const int32_t start = i;
      UChar32 c;
      NextCodePoint(s, i, length, c);
      if (u_charType(c) != U_NON_SPACING_MARK)
        bare.append(decomposed, static_cast<size_t>(start), static_cast<size_t>(i - start));
    }
    std::u16string composed;
    if (Normalize(nfc, bare, composed, status)) {
      ResultText16(context, composed);
      return;
    }
  }
  sqlite3_result_error(context, u_errorName(status), -1);
}

void UnicodeVersionFunction(sqlite3_context* context, int, sqlite3_value**) {
  UVersionInfo version;
  u_getUnicodeVersion(version);
  char text[U_MAX_VERSION_STRING_LENGTH];
  u_versionToString(version, text);
  sqlite3_result_text(context, text, -1, SQLITE_TRANSIENT);
}

// ---- LIKE without regard to case over all of Unicode ---------------------------------------

struct PatternItem {
  enum Kind { kLiteral, kAnyOne, kAnyRun } kind;
  UChar32 c;
};

// "%" matches any run, "_" any one character, the escape character makes the next one
// literal. Greedy matching with one backtrack point: linear memory, at most
// pattern × text steps.
bool LikeMatch(const std::vector<PatternItem>& pattern, const std::vector<UChar32>& text) {
  size_t p = 0;
  size_t t = 0;
  size_t runAt = SIZE_MAX;
  size_t runText = 0;
  while (t < text.size()) {
    if (p < pattern.size() && (pattern[p].kind == PatternItem::kAnyOne ||
                               (pattern[p].kind == PatternItem::kLiteral && pattern[p].c == text[t]))) {
      ++p;
      ++t;
    } else if (p < pattern.size() && pattern[p].kind == PatternItem::kAnyRun) {
      runAt = p++;
      runText = t;
    } else if (runAt != SIZE_MAX) {
      p = runAt + 1;
      t = ++runText;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p].kind == PatternItem::kAnyRun) ++p;
  return p == pattern.size();
}

// like(pattern, text [, escape]): "text LIKE pattern [ESCAPE escape]".
void LikeFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
  for (int i = 0; i < argc; ++i) {
    if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return;
  }
  const int limit = sqlite3_limit(sqlite3_context_db_handle(context), SQLITE_LIMIT_LIKE_PATTERN_LENGTH, -1);
  if (sqlite3_value_bytes(argv[0]) > limit) {
    sqlite3_result_error(context, "LIKE or GLOB pattern too complex", -1);
    return;
  }
  UChar32 escape = -1;
  if (argc == 3) {
    const std::vector<UChar32> e = FoldedCodePoints(ValueText16(argv[2]));
    if (e.size() != 1) {
      sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
      return;
    }
    escape = e[0];
  }
  const std::vector<UChar32> raw = FoldedCodePoints(ValueText16(argv[0]));
  std::vector<PatternItem> pattern;
  pattern.reserve(raw.size());
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == escape) {
      if (++i == raw.size()) {  // an escape with nothing after it matches nothing
        sqlite3_result_int(context, 0);
        return;
      }
      pattern.push_back({PatternItem::kLiteral, raw[i]});
    } else if (raw[i] == '%') {
      if (pattern.empty() || pattern.back().kind != PatternItem::kAnyRun)
        pattern.push_back({PatternItem::kAnyRun, 0});
    } else if (raw[i] == '_') {
      pattern.push_back({PatternItem::kAnyOne, 0});
    } else {
      pattern.push_back({PatternItem::kLiteral, raw[i]});
    }
  }
  sqlite3_result_int(context, LikeMatch(pattern, FoldedCodePoints(ValueText16(argv[1]))) ? 1 : 0);
}

// ---- NOCASE -----------------------------------------------------------------------------------

int CompareFolded(const std::u16string& a, const std::u16string& b) {
  UErrorCode status = U_ZERO_ERROR;
  const int r = u_strCaseCompare(reinterpret_cast<const UChar*>(a.data()), static_cast<int32_t>(a.size()),
                                 reinterpret_cast<const UChar*>(b.data()), static_cast<int32_t>(b.size()),
                                 U_FOLD_CASE_DEFAULT | U_COMPARE_CODE_POINT_ORDER, &status);
  if (U_FAILURE(status)) return a.compare(b);
  return r;
}

int NoCaseUtf16(void*, int bytesA, const void* a, int bytesB, const void* b) {
  std::u16string x(static_cast<size_t>(bytesA) / 2, u'\0');
  std::u16string y(static_cast<size_t>(bytesB) / 2, u'\0');
  if (!x.empty()) std::memcpy(x.data(), a, x.size() * sizeof(char16_t));
  if (!y.empty()) std::memcpy(y.data(), b, y.size() * sizeof(char16_t));
  return CompareFolded(x, y);
}

int NoCaseUtf8(void*, int bytesA, const void* a, int bytesB, const void* b) {
  return CompareFolded(
      Utf8ToUtf16(std::string_view(static_cast<const char*>(a), static_cast<size_t>(bytesA))),
      Utf8ToUtf16(std::string_view(static_cast<const char*>(b), static_cast<size_t>(bytesB))));
}

}  // namespace

int RegisterUnicodeFunctions(sqlite3* db) {
  struct Function {
    const char* name;
    int arguments;
    void (*call)(sqlite3_context*, int, sqlite3_value**);
  };
  const Function functions[] = {
      {"unicode_version", 0, UnicodeVersionFunction},
      {"like", 2, LikeFunction},
      {"like", 3, LikeFunction},
      {"fold", 1, CaseFunction<CaseMapping::kFold>},
      {"lower", 1, CaseFunction<CaseMapping::kLower>},
      {"upper", 1, CaseFunction<CaseMapping::kUpper>},
      {"title", 1, CaseFunction<CaseMapping::kTitle>},
      {"unaccent", 1, UnaccentFunction},
  };
  for (const Function& f : functions) {
    const int rc = sqlite3_create_function_v2(db, f.name, f.arguments, SQLITE_UTF16 | SQLITE_DETERMINISTIC,
                                              nullptr, f.call, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) return rc;
  }
  const int rc = sqlite3_create_collation_v2(db, "NOCASE", SQLITE_UTF8, nullptr, NoCaseUtf8, nullptr);
  if (rc != SQLITE_OK) return rc;
  return sqlite3_create_collation16(db, u"NOCASE", SQLITE_UTF16, nullptr, NoCaseUtf16);
}

}  // namespace p528
