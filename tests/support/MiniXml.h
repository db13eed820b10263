// A small XML reader for the tests: checks that a document is well formed
// (one root, matching tags, quoted and unique attributes, known entity
// references, valid UTF-8, no characters XML forbids) and gives its elements
// with their attributes and decoded text. It reads what the program writes:
// an XML declaration, elements, attributes, text and the five predefined
// entities; anything else (comments, CDATA, character references,
// processing instructions, declarations) is refused.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace minixml {

struct Element {
  std::string name;
  std::map<std::string, std::string> attributes;
  std::string text;  // decoded character data directly inside the element
  std::vector<std::unique_ptr<Element>> children;
  std::string Attribute(const std::string& key) const {
    auto it = attributes.find(key);
    return it == attributes.end() ? std::string() : it->second;
  }
  double Number(const std::string& key) const { return std::strtod(Attribute(key).c_str(), nullptr); }
  bool HasClass(const std::string& c) const { return Attribute("class") == c; }
};

struct Document {
  std::unique_ptr<Element> root;
  std::string error;  // empty when well formed
  bool ok() const { return root != nullptr && error.empty(); }
};

namespace detail {

inline bool XmlChar(uint32_t c) {
  if (c < 0x20) return c == 0x9 || c == 0xA || c == 0xD;
  if (c >= 0xD800 && c <= 0xDFFF) return false;
  return c != 0xFFFE && c != 0xFFFF && c <= 0x10FFFF;
}

// Every byte sequence valid UTF-8 and every character allowed by XML 1.0.
inline bool CheckCharacters(const std::string& s, std::string& error) {
  for (size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    size_t n = c < 0x80 ? 1 : (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
    if (n == 0 || i + n > s.size()) return error = "invalid UTF-8 at byte " + std::to_string(i), false;
    uint32_t cp = n == 1 ? c : n == 2 ? (c & 0x1F) : n == 3 ? (c & 0x0F) : (c & 0x07);
    for (size_t k = 1; k < n; k++) {
      const unsigned char d = static_cast<unsigned char>(s[i + k]);
      if ((d & 0xC0) != 0x80) return error = "invalid UTF-8 at byte " + std::to_string(i), false;
      cp = (cp << 6) | (d & 0x3F);
    }
    const uint32_t min[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < min[n]) return error = "overlong UTF-8 at byte " + std::to_string(i), false;
    if (!XmlChar(cp)) return error = "character not allowed in XML at byte " + std::to_string(i), false;
    i += n;
  }
  return true;
}

class Parser {
 public:
  explicit Parser(const std::string& s) : s_(s) {}

  Document Parse() {
    Document doc;
    if (CheckCharacters(s_, error_)) {
      if (s_.compare(0, 5, "<?xml") == 0 && !SkipPast("?>")) SetError("unterminated declaration");
      Space();
      if (error_.empty() && (p_ >= s_.size() || s_[p_] != '<')) SetError("no root element");
      if (error_.empty()) {
        doc.root = std::make_unique<Element>();
        ParseElement(doc.root.get());
      }
      Space();
      if (error_.empty() && p_ != s_.size()) SetError("content after the root element");
    }
    doc.error = error_;
    if (!doc.error.empty()) doc.root.reset();
    return doc;
  }

 private:
  bool SetError(const std::string& e) {
    if (error_.empty()) error_ = e + " at byte " + std::to_string(p_);
    return false;
  }
  bool SkipPast(const char* end) {
    const size_t q = s_.find(end, p_);
    if (q == std::string::npos) return false;
    p_ = q + std::string(end).size();
    return true;
  }
  void Space() {
    while (p_ < s_.size() && (s_[p_] == ' ' || s_[p_] == '\t' || s_[p_] == '\n' || s_[p_] == '\r')) p_++;
  }
  static bool NameStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' ||
           static_cast<unsigned char>(c) >= 0x80;
  }
  static bool NameChar(char c) { return NameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }
  std::string Name() {
    const size_t start = p_;
    if (p_ >= s_.size() || !NameStart(s_[p_])) return SetError("expected a name"), std::string();
    while (p_ < s_.size() && NameChar(s_[p_])) p_++;
    return s_.substr(start, p_ - start);
  }
  // Decodes one reference starting at '&'.
  bool Reference(std::string& out) {
    const size_t end = s_.find(';', p_);
    if (end == std::string::npos || end - p_ > 12) return SetError("unterminated reference");
    const std::string ref = s_.substr(p_ + 1, end - p_ - 1);
    p_ = end + 1;
    if (ref == "amp") out += '&';
    else if (ref == "lt") out += '<';
    else if (ref == "gt") out += '>';
    else if (ref == "quot") out += '"';
    else if (ref == "apos") out += '\'';
    else return SetError("unknown entity &" + ref + ";");
    return true;
  }
  // Reads the element starting at '<' into e; false on the first fault.
  bool ParseElement(Element* e) {
    p_++;  // '<'
    e->name = Name();
    if (!error_.empty()) return false;
    for (;;) {
      const size_t before = p_;
      Space();
      if (p_ >= s_.size()) return SetError("unterminated start tag");
      if (s_[p_] == '/' || s_[p_] == '>') break;
      if (p_ == before) return SetError("attributes must be separated by white space");
      const std::string key = Name();
      if (!error_.empty()) return false;
      Space();
      if (p_ >= s_.size() || s_[p_] != '=') return SetError("expected '='");
      p_++;
      Space();
      if (p_ >= s_.size() || (s_[p_] != '"' && s_[p_] != '\'')) return SetError("unquoted attribute value");
      const char quote = s_[p_++];
      std::string value;
      while (p_ < s_.size() && s_[p_] != quote) {
        if (s_[p_] == '<') return SetError("'<' in an attribute value");
        if (s_[p_] == '&') {
          if (!Reference(value)) return false;
        } else {
          value += s_[p_++];
        }
      }
      if (p_ >= s_.size()) return SetError("unterminated attribute value");
      p_++;
      if (!e->attributes.emplace(key, value).second) return SetError("repeated attribute " + key);
    }
    if (s_[p_] == '/') {
      if (s_.compare(p_, 2, "/>") != 0) return SetError("expected '/>'");
      p_ += 2;
      return true;
    }
    p_++;  // '>'
    for (;;) {
      if (p_ >= s_.size()) return SetError("unclosed element " + e->name);
      const char c = s_[p_];
      if (c == '&') {
        if (!Reference(e->text)) return false;
      } else if (c != '<') {
        if (c == '>' && p_ >= 2 && s_.compare(p_ - 2, 2, "]]") == 0) return SetError("']]>' in text");
        e->text += c;
        p_++;
      } else if (s_.compare(p_, 2, "</") == 0) {
        p_ += 2;
        const std::string closing = Name();
        if (!error_.empty()) return false;
        if (closing != e->name) return SetError("</" + closing + "> closes <" + e->name + ">");
        Space();
        if (p_ >= s_.size() || s_[p_] != '>') return SetError("expected '>'");
        p_++;
        return true;
      } else if (s_.compare(p_, 2, "<!") == 0 || s_.compare(p_, 2, "<?") == 0) {
        return SetError("comment, CDATA, declaration or processing instruction");
      } else {
        e->children.push_back(std::make_unique<Element>());
        if (!ParseElement(e->children.back().get())) return false;
      }
    }
  }

  const std::string& s_;
  size_t p_ = 0;
  std::string error_;
};

inline void Collect(const Element& e, const std::string& name, const std::string& cls,
                    std::vector<const Element*>& out) {
  if ((name.empty() || e.name == name) && (cls.empty() || e.HasClass(cls))) out.push_back(&e);
  for (const auto& c : e.children) Collect(*c, name, cls, out);
}

}  // namespace detail

inline Document Parse(const std::string& text) { return detail::Parser(text).Parse(); }

// Elements named `name` (any when empty) with class `cls` (any when empty),
// in document order.
inline std::vector<const Element*> FindAll(const Element& root, const std::string& name, const std::string& cls = "") {
  std::vector<const Element*> out;
  detail::Collect(root, name, cls, out);
  return out;
}

}  // namespace minixml
