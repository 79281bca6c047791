#include "report/xml_wrapper.h"

#include <libxml/parser.h>

#include <cstring>

namespace p528 {

namespace {

const xmlChar* X(const char* text) { return reinterpret_cast<const xmlChar*>(text); }

constexpr char kEmptyDocument[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Document/>";

// Length of the valid UTF-8 sequence at `s` (1-4) and its code point; 0 when malformed.
std::size_t DecodeUtf8(std::string_view s, std::size_t i, char32_t& cp) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  std::size_t length = 0;
  char32_t minimum = 0;
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  } else if ((b0 & 0xE0) == 0xC0) {
    length = 2, cp = b0 & 0x1F, minimum = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    length = 3, cp = b0 & 0x0F, minimum = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    length = 4, cp = b0 & 0x07, minimum = 0x10000;
  } else {
    return 0;
  }
  if (i + length > s.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return length;
}

bool IsXmlChar(char32_t cp) {
  return cp == 0x9 || cp == 0xA || cp == 0xD || (cp >= 0x20 && cp <= 0xD7FF) ||
         (cp >= 0xE000 && cp <= 0xFFFD) || (cp >= 0x10000 && cp <= 0x10FFFF);
}

}  // namespace

std::string XmlSafeText(std::string_view text) {
  static constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    char32_t cp = 0;
    const std::size_t length = DecodeUtf8(text, i, cp);
    if (length == 0) {
      out += kReplacement;
      ++i;
    } else if (!IsXmlChar(cp)) {
      out += kReplacement;
      i += length;
    } else {
      out.append(text.substr(i, length));
      i += length;
    }
  }
  return out;
}

std::string Base64Encode(const unsigned char* bytes, std::size_t count) {
  static constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  out.reserve((count + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 3 <= count; i += 3) {
    const uint32_t v = (uint32_t{bytes[i]} << 16) | (uint32_t{bytes[i + 1]} << 8) | bytes[i + 2];
    out += kAlphabet[(v >> 18) & 63];
    out += kAlphabet[(v >> 12) & 63];
    out += kAlphabet[(v >> 6) & 63];
    out += kAlphabet[v & 63];
  }
  if (count - i == 1) {
    const uint32_t v = uint32_t{bytes[i]} << 16;
    out += kAlphabet[(v >> 18) & 63];
    out += kAlphabet[(v >> 12) & 63];
    out += "==";
  } else if (count - i == 2) {
    const uint32_t v = (uint32_t{bytes[i]} << 16) | (uint32_t{bytes[i + 1]} << 8);
    out += kAlphabet[(v >> 18) & 63];
    out += kAlphabet[(v >> 12) & 63];
    out += kAlphabet[(v >> 6) & 63];
    out += '=';
  }
  return out;
}

CXMLWrapper::~CXMLWrapper() {
  if (document_ != nullptr) xmlFreeDoc(document_);
}

bool CXMLWrapper::Init() {
  if (document_ != nullptr) xmlFreeDoc(document_);
  root_ = nullptr;
  dataTypes_ = nullptr;
  document_ = xmlReadMemory(kEmptyDocument, static_cast<int>(std::strlen(kEmptyDocument)), nullptr, "UTF-8",
                            XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  if (document_ != nullptr) root_ = xmlDocGetRootElement(document_);
  if (root_ != nullptr) dataTypes_ = xmlNewNs(root_, X(kDataTypeNamespace), X("dt"));
  failed_ = root_ == nullptr || dataTypes_ == nullptr;
  return !failed_;
}

xmlNodePtr CXMLWrapper::AddElement(xmlNodePtr parent, const char* name) {
  xmlNodePtr into = parent != nullptr ? parent : root_;
  xmlNodePtr element = into != nullptr ? xmlNewChild(into, nullptr, X(name), nullptr) : nullptr;
  if (element == nullptr) failed_ = true;
  return element;
}

xmlNodePtr CXMLWrapper::AddTyped(xmlNodePtr parent, const char* name, const char* type,
                                 std::string_view value) {
  xmlNodePtr element = AddElement(parent, name);
  if (element == nullptr) return nullptr;
  if (xmlNewNsProp(element, dataTypes_, X("dt"), X(type)) == nullptr) {
    failed_ = true;
    return nullptr;
  }
  if (value.size() > static_cast<std::size_t>(INT32_MAX)) {
    failed_ = true;
    return nullptr;
  }
  if (!value.empty()) {
    // A text node holds the value as it is: no entity or markup is interpreted.
    xmlNodePtr textNode =
        xmlNewTextLen(reinterpret_cast<const xmlChar*>(value.data()), static_cast<int>(value.size()));
    if (textNode == nullptr || xmlAddChild(element, textNode) == nullptr) {
      if (textNode != nullptr) xmlFreeNode(textNode);
      failed_ = true;
      return nullptr;
    }
  }
  return element;
}

xmlNodePtr CXMLWrapper::AddText(xmlNodePtr parent, const char* name, std::string_view text) {
  return AddTyped(parent, name, "string", XmlSafeText(text));
}

xmlNodePtr CXMLWrapper::AddInt(xmlNodePtr parent, const char* name, int32_t value) {
  return AddTyped(parent, name, "i4", std::to_string(value));
}

xmlNodePtr CXMLWrapper::AddBinary(xmlNodePtr parent, const char* name, const unsigned char* bytes,
                                  std::size_t count) {
  return AddTyped(parent, name, "bin.base64", Base64Encode(bytes, count));
}

}  // namespace p528
