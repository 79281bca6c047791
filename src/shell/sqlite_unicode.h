// SQL functions and a collation over the whole of Unicode for a SQLite connection, so that
// Cyrillic letters compare without regard to case: "unicode_version", "like" (2 and 3
// arguments), "fold", "lower", "upper", "title", "unaccent", and the "NOCASE" collation
// (UTF-8 and UTF-16) that folds case. ICU does the case mapping and normalisation.
#pragma once

struct sqlite3;

namespace p528 {

// Registers the functions and the collation on `db`; returns SQLITE_OK (0) or the result
// code of the first registration that failed.
int RegisterUnicodeFunctions(sqlite3* db);

}  // namespace p528
