// CXMLWrapper: the holder of one report document, a libxml2 tree built in memory and handed
// to the style sheet; it is never written out as XML.
//
// Elements are either untyped containers or typed leaves. A typed leaf carries its data type
// in the attribute dt:dt ("string", "i4" or "bin.base64"; namespace
// urn:schemas-microsoft-com:datatypes, declared once on the root) and its value as text:
// the text itself, a 32-bit integer in decimal, or bytes in Base64 (one line, no breaks).
// The style sheets rely only on the element structure and the values.
//
// Texts are UTF-8 and taken as data: "<", "&" and quotes stay characters, never markup.
// Bytes that XML cannot carry (malformed UTF-8, control characters other than tab, line feed
// and carriage return) become U+FFFD, so every text reaches the style sheet.
//
// Every Add* appends to `parent`, or to the root when parent is null, and returns the new
// element; nullptr when the element could not be made (then Failed() stays true and the
// report must not be produced). The wrapper owns the document and frees it when destroyed.
// One report command, one thread.
#pragma once

#include <libxml/tree.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace p528 {

inline constexpr const char* kDataTypeNamespace = "urn:schemas-microsoft-com:datatypes";

class CXMLWrapper {
 public:
  CXMLWrapper() = default;
  CXMLWrapper(const CXMLWrapper&) = delete;
  CXMLWrapper& operator=(const CXMLWrapper&) = delete;
  virtual ~CXMLWrapper();

  // Loads the text `<?xml version="1.0" encoding="UTF-8"?><Document/>` as the document and
  // takes its root. False when the text cannot be loaded or has no root element.
  bool Init();

  xmlNodePtr AddElement(xmlNodePtr parent, const char* name);
  xmlNodePtr AddText(xmlNodePtr parent, const char* name, std::string_view text);
  xmlNodePtr AddInt(xmlNodePtr parent, const char* name, int32_t value);
  xmlNodePtr AddBinary(xmlNodePtr parent, const char* name, const unsigned char* bytes, std::size_t count);

  xmlDocPtr Document() const { return document_; }
  xmlNodePtr Root() const { return root_; }
  // True once Init or any Add* has failed.
  bool Failed() const { return failed_; }

 private:
  xmlNodePtr AddTyped(xmlNodePtr parent, const char* name, const char* type, std::string_view value);

  xmlDocPtr document_ = nullptr;
  xmlNodePtr root_ = nullptr;
  xmlNsPtr dataTypes_ = nullptr;
  bool failed_ = false;
};

// Base64 of `count` bytes (RFC 4648 alphabet, "=" padding, no line breaks).
std::string Base64Encode(const unsigned char* bytes, std::size_t count);

// `text` as XML can carry it: malformed UTF-8 and characters outside the XML character range
// (controls but tab, line feed, carriage return; U+FFFE, U+FFFF) replaced by U+FFFD.
std::string XmlSafeText(std::string_view text);

}  // namespace p528
