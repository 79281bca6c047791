// `simdist history` and `simdist qc`: the result register of the host's database read from
// the command line.
//
//   simdist history --db DB [--sample TEXT] [--from DATE] [--to DATE] [--instrument N]
//                   [--method N|NAME] [--json OUT|--csv OUT]
//   simdist qc --db DB --instrument N [--baseline FIRST:COUNT] [--percent P] [--json OUT]
//              [--png OUT] [--mr-png OUT]
//
// Dates are YYYY-MM-DD in UTC; --to includes its whole day. A register that does not exist
// is an error (status 2); the commands never write into it.
#pragma once

#include "report_output.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace p528::simdist {

int RunHistoryCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
int RunQcCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                 ChartRendererFactory pictures = nullptr);

}  // namespace p528::simdist
