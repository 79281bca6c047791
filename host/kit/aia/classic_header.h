// The check of a classic netCDF header (the formats CDF-1, CDF-2 and CDF-5 that AIA files
// use) before the netCDF library is given the bytes. The library trusts the counts and
// sizes of a header: a few hundred bytes declaring millions of dimensions, a variable whose
// data lie beyond the end of the file or a record count near 2^62 make it allocate without
// bound, spend seconds parsing, or read past its buffers. This check walks the header with
// every count bounded by the bytes left and every product checked for overflow, so that
// only a header whose every part lies inside the file reaches the library.
//
// Refused: any other magic (netCDF-4 files are HDF5 files and are never opened), a record
// count that is not given (streaming), a count larger than the bytes left could hold, a name
// longer than netCDF allows, an unknown type, a dimension id that names no dimension, the
// record dimension anywhere but first, and a variable whose data (all its records) do not
// lie within the file.
#pragma once

#include <cstddef>
#include <string>

namespace p528::aia {

// Why the bytes of a whole file are not a classic netCDF file the importer opens; "" when
// they are. Reads nothing outside [bytes, bytes + size).
std::string ClassicHeaderProblem(const void* bytes, size_t size);

}  // namespace p528::aia
