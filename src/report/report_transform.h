// Turning the report document into HTML: the style sheet beside the module, chosen by the
// interface language, applied with libxslt (XSLT 1.0), the result written to a file.
//
// A style sheet may read files (document()) but may not write files, create folders or use
// the network. Nothing is written unless the whole transformation succeeded; a write that
// fails halfway removes what it wrote. Errors are returned, never shown: the windows ignore
// them, the command line prints them.
#pragma once

#include <libxml/tree.h>

#include <cstdint>
#include <string>

namespace p528 {

// "plug528.xsl" for a Russian interface (0x0419), "plug528ENU.xsl" for any other language
// and when the host gave none (0).
const char* StyleSheetName(uint16_t uiLangId);

// `folder` (the module's folder, without a trailing separator) joined with `fileName`; a
// file name that is already absolute stands alone.
std::string StyleSheetPath(const std::string& folder, const std::string& fileName);

enum class TransformStatus {
  Done,
  NoStyleSheet,     // missing, unreadable, not well-formed or not a style sheet
  TransformFailed,  // the style sheet stopped with an error
  CannotWrite,      // the output file could not be written
};

struct TransformResult {
  TransformStatus status = TransformStatus::Done;
  std::string detail;  // the libraries' or the system's reason, one line; "" when done
};

// Transforms `report` with the style sheet at `styleSheetPath` and writes the HTML to
// `outputPath` (an existing file is overwritten).
TransformResult TransformReport(xmlDocPtr report, const std::string& styleSheetPath,
                                const std::string& outputPath);

// The same into memory (tests, and the first half of TransformReport).
TransformResult TransformReportToString(xmlDocPtr report, const std::string& styleSheetPath,
                                        std::string& html);

}  // namespace p528
