// Plain SVG 1.1 documents built in memory.
#include "ZQLib/SvgDocument.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

constexpr double kKeyFont = 11;  // group keys

// Length of the UTF-8 sequence starting at s[i], 0 when the bytes there are
// not well-formed UTF-8 (overlong forms, surrogates and values beyond
// U+10FFFF included).
size_t Utf8SequenceLength(const std::string& s, size_t i, uint32_t& codePoint) {
  const unsigned char c = static_cast<unsigned char>(s[i]);
  size_t length = 0;
  uint32_t min = 0;
  if (c < 0x80) {
    codePoint = c;
    return 1;
  } else if ((c & 0xE0) == 0xC0) {
    length = 2, codePoint = c & 0x1F, min = 0x80;
  } else if ((c & 0xF0) == 0xE0) {
    length = 3, codePoint = c & 0x0F, min = 0x800;
  } else if ((c & 0xF8) == 0xF0) {
    length = 4, codePoint = c & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (i + length > s.size()) return 0;
  for (size_t k = 1; k < length; k++) {
    const unsigned char d = static_cast<unsigned char>(s[i + k]);
    if ((d & 0xC0) != 0x80) return 0;
    codePoint = (codePoint << 6) | (d & 0x3F);
  }
  if (codePoint < min || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return 0;
  return length;
}

void AppendUtf8(std::string& out, uint32_t codePoint) {
  if (codePoint < 0x80) {
    out += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    out += static_cast<char>(0xC0 | (codePoint >> 6));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (codePoint >> 12));
    out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

// Characters XML 1.0 documents may hold.
bool XmlAllows(uint32_t c) {
  if (c < 0x20) return c == '\t' || c == '\n' || c == '\r';
  return !(c == 0xFFFE || c == 0xFFFF);
}

}  // namespace

std::string XmlEscape(const std::string& s) {
  std::string out;
  out.reserve(s.size() + s.size() / 8);
  for (size_t i = 0; i < s.size();) {
    uint32_t c = 0;
    size_t length = Utf8SequenceLength(s, i, c);
    if (length == 0) {
      c = static_cast<unsigned char>(s[i]);  // a Latin-1 byte
      length = 1;
    }
    if (!XmlAllows(c) || c == '\t' || c == '\n' || c == '\r') {
      out += ' ';  // no line breaks or tabs in labels; white space kept as one space
    } else if (c == '&') {
      out += "&amp;";
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else if (c == '"') {
      out += "&quot;";
    } else if (c == '\'') {
      out += "&apos;";
    } else if (length > 1) {
      out.append(s, i, length);
    } else {
      AppendUtf8(out, c);
    }
    i += length;
  }
  return out;
}

int TextLength(const std::string& s) {
  int count = 0;
  for (size_t i = 0; i < s.size(); count++) {
    uint32_t c = 0;
    const size_t length = Utf8SequenceLength(s, i, c);
    i += length == 0 ? 1 : length;
  }
  return count;
}

double TextWidth(const std::string& s, double fontSize) { return 0.6 * fontSize * TextLength(s); }

std::string SvgNumber(double value, int decimals) {
  if (!std::isfinite(value)) return "0";
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (result.ec != std::errc()) return "0";
  std::string text(buffer, result.ptr);
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  if (text == "-0") text = "0";
  return text;
}

double PictureSize(double preference, double fallback) {
  if (!std::isfinite(preference) || preference <= 0) return fallback;
  return preference < 200.0 ? 200.0 : (preference > 20000.0 ? 20000.0 : preference);
}

const char* GroupColour(int index) {
  static const char* const colours[] = {"#1f77b4", "#d62728", "#2ca02c", "#ff7f0e", "#9467bd",
                                        "#8c564b", "#e377c2", "#17becf", "#bcbd22", "#7f7f7f"};
  const int n = static_cast<int>(sizeof colours / sizeof colours[0]);
  return colours[((index % n) + n) % n];
}

SvgDocument::SvgDocument(double width, double height, const std::string& title) {
  text_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  text_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" + SvgNumber(width) + "\" height=\"" +
           SvgNumber(height) + "\" viewBox=\"0 0 " + SvgNumber(width) + " " + SvgNumber(height) + "\"";
  text_ += " font-family=\"Helvetica, Arial, sans-serif\">\n";
  text_ += "<title>" + XmlEscape(title) + "</title>\n";
  Element("rect", {{"x", 0.0}, {"y", 0.0}, {"width", width}, {"height", height}, {"fill", "#ffffff"}});
}

void SvgDocument::Open(const char* name, SvgAttributes attributes, bool empty) {
  text_ += '<';
  text_ += name;
  for (const SvgAttribute& a : attributes) {
    text_ += ' ';
    text_ += a.name;
    text_ += "=\"";
    text_ += XmlEscape(a.value);
    text_ += '"';
  }
  text_ += empty ? "/>\n" : ">";
}

void SvgDocument::Element(const char* name, SvgAttributes attributes) { Open(name, attributes, true); }

void SvgDocument::Text(SvgAttributes attributes, const std::string& text) {
  Open("text", attributes, false);
  text_ += XmlEscape(text);
  text_ += "</text>\n";
}

void SvgDocument::OpenGroup(SvgAttributes attributes) {
  Open("g", attributes, false);
  text_ += '\n';
  openGroups_++;
}

void SvgDocument::CloseGroup() {
  if (openGroups_ == 0) return;
  text_ += "</g>\n";
  openGroups_--;
}

std::string SvgDocument::Finish() {
  if (!finished_) {
    while (openGroups_ > 0) CloseGroup();
    text_ += "</svg>\n";
    finished_ = true;
  }
  return text_;
}

double GroupKeyWidth(const std::string& title, const std::vector<std::string>& names) {
  if (names.empty()) return 0;
  double w = TextWidth(title, kKeyFont);
  for (const std::string& name : names) w = std::max(w, 18 + TextWidth(name, kKeyFont));
  return std::min(w, 240.0) + 24;
}

void DrawGroupKey(SvgDocument& svg, double x, double y, const std::string& title,
                  const std::vector<std::string>& names) {
  if (names.empty()) return;
  svg.OpenGroup({{"class", "key"}, {"font-size", SvgNumber(kKeyFont)}});
  svg.Text({{"class", "key-title"}, {"x", x}, {"y", y}, {"font-weight", "bold"}}, title);
  for (size_t g = 0; g < names.size(); g++) {
    y += 18;
    svg.Element("rect", {{"class", "key-swatch"}, {"x", x}, {"y", y - 9}, {"width", 10.0}, {"height", 10.0},
                         {"fill", GroupColour(static_cast<int>(g))}});
    svg.Text({{"class", "key-name"}, {"x", x + 16}, {"y", y}}, names[g]);
  }
  svg.CloseGroup();
}
