// Plain SVG 1.1 documents built in memory: shapes and texts with their
// attributes, every text escaped for XML, numbers written with a point as
// decimal separator whatever the locale. No scripts, no style sheets, no
// references to other files. Shared by the pictures of the analyses.
#pragma once
#include <initializer_list>
#include <string>
#include <vector>

// XML text of s, fit for element content and quoted attribute values: the
// five markup characters become entities; bytes that do not form UTF-8 are
// read as Latin-1 characters; control characters XML cannot hold become spaces.
std::string XmlEscape(const std::string& s);

// Number of characters (UTF-8 code points, Latin-1 bytes counted as one) of s.
int TextLength(const std::string& s);
// Approximate width of s written in a sans-serif font of the given size.
double TextWidth(const std::string& s, double fontSize);

// value with at most `decimals` decimals, trailing zeros dropped ("-0" as "0").
std::string SvgNumber(double value, int decimals = 2);

// Size in pixels of a picture from a size preference: 0 (or anything not a
// positive number) gives fallback; other values are kept within 200..20000.
double PictureSize(double preference, double fallback);

// Colour of group number index (0-based) in pictures keyed by group.
const char* GroupColour(int index);

struct SvgAttribute {
  const char* name;
  std::string value;
  SvgAttribute(const char* n, std::string v) : name(n), value(std::move(v)) {}
  SvgAttribute(const char* n, const char* v) : name(n), value(v) {}
  SvgAttribute(const char* n, double v) : name(n), value(SvgNumber(v)) {}
};
using SvgAttributes = std::initializer_list<SvgAttribute>;

class SvgDocument {
 public:
  // A picture of width x height user units with a white background.
  SvgDocument(double width, double height, const std::string& title);
  // An empty element (line, rect, circle, polygon...).
  void Element(const char* name, SvgAttributes attributes);
  // A text element holding text (escaped here).
  void Text(SvgAttributes attributes, const std::string& text);
  // A group of elements sharing the given attributes, closed by CloseGroup.
  void OpenGroup(SvgAttributes attributes);
  void CloseGroup();
  // Closes every open group and the document and returns its text.
  std::string Finish();

 private:
  void Open(const char* name, SvgAttributes attributes, bool empty);
  std::string text_;
  int openGroups_ = 0;
  bool finished_ = false;
};

// The key of a picture coloured by group, drawn at the right of its plot: a
// bold title, then a swatch of GroupColour(g) and the name of each group g.
// Width it takes beside the plot (margins included; 0 when there are no
// names), and the key drawn with its title's baseline at (x, y).
double GroupKeyWidth(const std::string& title, const std::vector<std::string>& names);
void DrawGroupKey(SvgDocument& svg, double x, double y, const std::string& title,
                  const std::vector<std::string>& names);
