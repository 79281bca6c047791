// Reading the report's HTML in tests: libxml2's HTML parser and XPath over the result.
#pragma once

#include <libxml/HTMLparser.h>
#include <libxml/xpath.h>

#include "support/files.h"

#include <memory>
#include <string>
#include <vector>

namespace p528::report_test {

using test::ReadBytes;

class Html {
 public:
  explicit Html(const std::string& text)
      : doc_(htmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, "UTF-8",
                            HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET)) {}
  bool ok() const { return doc_ != nullptr; }

  // Nodes selected by an XPath expression.
  std::vector<xmlNodePtr> Nodes(const std::string& xpath) const {
    std::vector<xmlNodePtr> out;
    if (!doc_) return out;
    std::unique_ptr<xmlXPathContext, decltype(&xmlXPathFreeContext)> context(xmlXPathNewContext(doc_.get()),
                                                                             xmlXPathFreeContext);
    std::unique_ptr<xmlXPathObject, decltype(&xmlXPathFreeObject)> result(
        xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(xpath.c_str()), context.get()),
        xmlXPathFreeObject);
    if (result && result->nodesetval != nullptr) {
      for (int i = 0; i < result->nodesetval->nodeNr; ++i) out.push_back(result->nodesetval->nodeTab[i]);
    }
    return out;
  }
  // The text contents of the selected nodes.
  std::vector<std::string> Texts(const std::string& xpath) const {
    std::vector<std::string> out;
    for (xmlNodePtr node : Nodes(xpath)) out.push_back(Text(node));
    return out;
  }
  std::string First(const std::string& xpath) const {
    const std::vector<std::string> texts = Texts(xpath);
    return texts.empty() ? std::string("<absent>") : texts.front();
  }
  static std::string Text(xmlNodePtr node) {
    xmlChar* content = xmlNodeGetContent(node);
    std::string text = content != nullptr ? reinterpret_cast<const char*>(content) : "";
    xmlFree(content);
    return text;
  }
  static std::string Attribute(xmlNodePtr node, const char* name) {
    xmlChar* value = xmlGetProp(node, reinterpret_cast<const xmlChar*>(name));
    std::string text = value != nullptr ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return text;
  }

 private:
  struct Free {
    void operator()(xmlDocPtr doc) const { xmlFreeDoc(doc); }
  };
  std::unique_ptr<xmlDoc, Free> doc_;
};

inline std::string StyleSheetIn(const char* name) {
  return std::string(PLUG528_SOURCE_DIR) + "/data/" + name;
}

}  // namespace p528::report_test
