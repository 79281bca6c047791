// SHA-256 of a byte string (FIPS 180-4): the fingerprint the result register keeps of every
// chromatogram a result was calculated from, so that the file can be recognised years later.
#pragma once

#include <string>
#include <string_view>

namespace p528 {

// The digest as 64 lower-case hexadecimal digits.
std::string Sha256Hex(std::string_view bytes);

}  // namespace p528
