#include "report/report_transform.h"

#include "shell/atomic_file.h"

#include <libxml/parser.h>
#include <libxslt/security.h>
#include <libxslt/transform.h>
#include <libxslt/xslt.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>

namespace p528 {

namespace {

// Collects the messages libxml2 and libxslt print while one transformation runs, instead of
// letting them reach the process's standard error; restores the previous handlers after.
class ErrorCapture {
 public:
  ErrorCapture()
      : xmlHandler_(xmlGenericError),
        xmlContext_(xmlGenericErrorContext),
        xsltHandler_(xsltGenericError),
        xsltContext_(xsltGenericErrorContext) {
    xmlSetGenericErrorFunc(this, &ErrorCapture::Collect);
    xsltSetGenericErrorFunc(this, &ErrorCapture::Collect);
  }
  ~ErrorCapture() {
    xmlSetGenericErrorFunc(xmlContext_, xmlHandler_);
    xsltSetGenericErrorFunc(xsltContext_, xsltHandler_);
  }
  ErrorCapture(const ErrorCapture&) = delete;
  ErrorCapture& operator=(const ErrorCapture&) = delete;

  // The messages as one line (line breaks become "; "), "" when there were none.
  std::string Text(const std::string& fallback) const {
    std::string line;
    for (char c : text_) {
      if (c == '\n') {
        if (!line.empty() && line.back() != ' ') line += "; ";
      } else {
        line += c;
      }
    }
    while (!line.empty() && (line.back() == ' ' || line.back() == ';')) line.pop_back();
    return line.empty() ? fallback : line;
  }

 private:
  static void Collect(void* context, const char* format, ...) {
    auto* self = static_cast<ErrorCapture*>(context);
    if (self->text_.size() > 4096) return;
    char buffer[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    self->text_ += buffer;
  }

  xmlGenericErrorFunc xmlHandler_;
  void* xmlContext_;
  xmlGenericErrorFunc xsltHandler_;
  void* xsltContext_;
  std::string text_;
};

struct StylesheetDeleter {
  void operator()(xsltStylesheetPtr style) const { xsltFreeStylesheet(style); }
};
struct DocDeleter {
  void operator()(xmlDocPtr doc) const { xmlFreeDoc(doc); }
};
struct ContextDeleter {
  void operator()(xsltTransformContextPtr context) const { xsltFreeTransformContext(context); }
};
struct PrefsDeleter {
  void operator()(xsltSecurityPrefsPtr prefs) const { xsltFreeSecurityPrefs(prefs); }
};

}  // namespace

const char* StyleSheetName(uint16_t uiLangId) {
  return uiLangId == 0x0419 ? "plug528.xsl" : "plug528ENU.xsl";
}

std::string StyleSheetPath(const std::string& folder, const std::string& fileName) {
  if (folder.empty() || (!fileName.empty() && fileName.front() == '/')) return fileName;
  if (folder.back() == '/') return folder + fileName;
  return folder + "/" + fileName;
}

TransformResult TransformReportToString(xmlDocPtr report, const std::string& styleSheetPath,
                                        std::string& html) {
  ErrorCapture errors;
  if (report == nullptr) return {TransformStatus::TransformFailed, "no report document"};

  xmlDocPtr sheetDoc = xmlReadFile(styleSheetPath.c_str(), nullptr, XML_PARSE_NONET);
  if (sheetDoc == nullptr) {
    return {TransformStatus::NoStyleSheet, errors.Text(styleSheetPath + ": cannot be read")};
  }
  // On success the style sheet owns its document.
  std::unique_ptr<xsltStylesheet, StylesheetDeleter> style(xsltParseStylesheetDoc(sheetDoc));
  if (!style) {
    xmlFreeDoc(sheetDoc);
    return {TransformStatus::NoStyleSheet, errors.Text(styleSheetPath + ": not a style sheet")};
  }
  if (style->errors > 0) {
    return {TransformStatus::NoStyleSheet, errors.Text(styleSheetPath + ": style sheet errors")};
  }

  std::unique_ptr<xsltSecurityPrefs, PrefsDeleter> prefs(xsltNewSecurityPrefs());
  std::unique_ptr<xsltTransformContext, ContextDeleter> context(xsltNewTransformContext(style.get(), report));
  if (!prefs || !context) return {TransformStatus::TransformFailed, "out of memory"};
  xsltSetSecurityPrefs(prefs.get(), XSLT_SECPREF_WRITE_FILE, xsltSecurityForbid);
  xsltSetSecurityPrefs(prefs.get(), XSLT_SECPREF_CREATE_DIRECTORY, xsltSecurityForbid);
  xsltSetSecurityPrefs(prefs.get(), XSLT_SECPREF_READ_NETWORK, xsltSecurityForbid);
  xsltSetSecurityPrefs(prefs.get(), XSLT_SECPREF_WRITE_NETWORK, xsltSecurityForbid);
  if (xsltSetCtxtSecurityPrefs(prefs.get(), context.get()) != 0) {
    return {TransformStatus::TransformFailed, "cannot restrict the style sheet"};
  }

  std::unique_ptr<xmlDoc, DocDeleter> result(
      xsltApplyStylesheetUser(style.get(), report, nullptr, nullptr, nullptr, context.get()));
  if (!result || context->state != XSLT_STATE_OK) {
    return {TransformStatus::TransformFailed, errors.Text("the style sheet failed")};
  }

  xmlChar* text = nullptr;
  int length = 0;
  if (xsltSaveResultToString(&text, &length, result.get(), style.get()) != 0 || text == nullptr) {
    if (text != nullptr) xmlFree(text);
    return {TransformStatus::TransformFailed, errors.Text("the result cannot be serialised")};
  }
  html.assign(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length));
  xmlFree(text);
  return {};
}

TransformResult TransformReport(xmlDocPtr report, const std::string& styleSheetPath,
                                const std::string& outputPath) {
  std::string html;
  TransformResult result = TransformReportToString(report, styleSheetPath, html);
  if (result.status != TransformStatus::Done) return result;

  // Written whole or not at all: a failure leaves whatever was at the path untouched.
  std::string error;
  if (!WriteFileAtomically(outputPath, html, error)) return {TransformStatus::CannotWrite, error};
  return {};
}

}  // namespace p528
