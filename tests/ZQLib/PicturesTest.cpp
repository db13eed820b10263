// The pieces every picture is made of: XML text escaping, numbers written
// whatever the locale, round ticks, picture sizes, and the SVG document itself
// (read back by a separate XML reader). (Files replaced in one step:
// AtomicFileWriteTest.cpp.)
#include <gtest/gtest.h>

#include <clocale>
#include <string>
#include <vector>

#include "ZQLib/PlotScale.h"
#include "ZQLib/SvgDocument.h"
#include "support/MiniXml.h"
#include "support/TextChecks.h"

TEST(XmlEscape, MarkupControlAndForeignBytes) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"site1", "site1"},
      {"a<b", "a&lt;b"},
      {"R&D", "R&amp;D"},
      {"x>y", "x&gt;y"},
      {"say \"hi\"", "say &quot;hi&quot;"},
      {"it's", "it&apos;s"},
      {"&amp;", "&amp;amp;"},                 // an entity in a label is text, not markup
      {"tab\there\nline", "tab here line"},   // no tabs or line breaks in labels
      {std::string("a\x01z", 3), "a z"},      // control characters XML cannot hold
      {"rel\xc3\xa9v\xc3\xa9", "rel\xc3\xa9v\xc3\xa9"},  // UTF-8 kept
      {"rel\xe9v\xe9", "rel\xc3\xa9v\xc3\xa9"},          // Latin-1 bytes read as Latin-1
      {"\xc0\xaf", "\xc3\x80\xc2\xaf"},                  // an overlong form is not UTF-8
      {"\xe2\x82\xac", "\xe2\x82\xac"},                  // the euro sign
      {"\xef\xbf\xbe", " "},                             // U+FFFE is not an XML character
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(XmlEscape(c.in), c.out) << c.in;
}

TEST(TextLength, CharactersNotBytes) {
  EXPECT_EQ(TextLength("abc"), 3);
  EXPECT_EQ(TextLength("rel\xc3\xa9v\xc3\xa9"), 6);
  EXPECT_EQ(TextLength("rel\xe9v\xe9"), 6);
  EXPECT_EQ(TextLength(""), 0);
  EXPECT_DOUBLE_EQ(TextWidth("abcd", 10), 24.0);
}

TEST(SvgNumber, PointAsDecimalSeparatorInAnyLocale) {
  const char* previous = std::setlocale(LC_ALL, nullptr);
  const std::string saved = previous ? previous : "C";
  // A locale with a decimal comma, when one is installed.
  const bool comma = std::setlocale(LC_ALL, "pt_BR.UTF-8") || std::setlocale(LC_ALL, "de_DE.UTF-8");
  EXPECT_EQ(SvgNumber(3.14159), "3.14");
  EXPECT_EQ(SvgNumber(-0.001), "0");
  EXPECT_EQ(SvgNumber(2.5, 3), "2.5");
  EXPECT_EQ(SvgNumber(100.0), "100");
  EXPECT_EQ(SvgNumber(-12.345, 1), "-12.3");
  EXPECT_EQ(SvgNumber(1.0 / 0.0), "0");
  EXPECT_EQ(TickText(0.30000000000000004, 0.1), "0.3");
  EXPECT_EQ(TickText(1500, 500), "1500");
  EXPECT_EQ(TickText(0.05, 0.05), "0.05");
  std::setlocale(LC_ALL, saved.c_str());
  if (!comma) GTEST_LOG_(INFO) << "no decimal-comma locale installed; checked in the C locale only";
}

TEST(RoundTicks, MultiplesOfOneTwoOrFive) {
  const struct {
    double lo, hi;
    int target;
    double step;
    std::vector<double> values;
  } cases[] = {
      {0, 1, 5, 0.2, {0, 0.2, 0.4, 0.6, 0.8, 1}},
      {-0.43, 0.41, 4, 0.2, {-0.4, -0.2, 0, 0.2, 0.4}},
      {0, 3.8, 6, 0.5, {0, 0.5, 1, 1.5, 2, 2.5, 3, 3.5}},
      {12, 97, 4, 20, {20, 40, 60, 80}},
      {-1e-6, 3e-6, 4, 1e-6, {-1e-6, 0, 1e-6, 2e-6, 3e-6}},
      // A coarse first step leaving one tick is refined to give two.
      {0.95, 1.3, 1, 0.2, {1.0, 1.2}},
  };
  for (const auto& c : cases) {
    const AxisTicks t = RoundTicks(c.lo, c.hi, c.target);
    EXPECT_NEAR(t.step, c.step, c.step * 1e-12) << c.lo << " " << c.hi;
    ASSERT_EQ(t.values.size(), c.values.size()) << c.lo << " " << c.hi;
    for (size_t k = 0; k < c.values.size(); k++) EXPECT_NEAR(t.values[k], c.values[k], 1e-15) << k;
  }
  EXPECT_TRUE(RoundTicks(1, 1, 5).values.empty());
  EXPECT_TRUE(RoundTicks(2, 1, 5).values.empty());
  EXPECT_TRUE(RoundTicks(0, 1.0 / 0.0, 5).values.empty());
  EXPECT_EQ(RoundTicks(0, 1, 5).values[3], 0.6);  // not 0.6000000000000001
}

TEST(PictureSize, DefaultsAndLimits) {
  EXPECT_EQ(PictureSize(0, 640), 640);
  EXPECT_EQ(PictureSize(-3, 640), 640);
  EXPECT_EQ(PictureSize(0.0 / 0.0, 640), 640);
  EXPECT_EQ(PictureSize(800, 640), 800);
  EXPECT_EQ(PictureSize(5, 640), 200);
  EXPECT_EQ(PictureSize(1e9, 640), 20000);
}

TEST(SvgDocument, WellFormedWhateverTheTexts) {
  const std::string hostile = "<script>&\"'</script> ]]> \xe9";
  SvgDocument svg(300, 200, hostile);
  svg.OpenGroup({{"class", "g&<"}});
  svg.Element("rect", {{"class", "box"}, {"x", 1.5}, {"y", 2.0}, {"width", "10"}, {"height", 20.0}});
  svg.Text({{"class", "label"}, {"x", 3.0}, {"y", 4.0}}, hostile);
  svg.OpenGroup({});  // left open: Finish closes it
  const std::string text = svg.Finish();
  EXPECT_EQ(text, svg.Finish());
  const minixml::Document doc = minixml::Parse(text);
  ASSERT_TRUE(doc.ok()) << doc.error << "\n" << text;
  EXPECT_EQ(doc.root->name, "svg");
  EXPECT_EQ(doc.root->Attribute("xmlns"), "http://www.w3.org/2000/svg");
  EXPECT_EQ(doc.root->Attribute("version"), "1.1");
  EXPECT_EQ(doc.root->Attribute("width"), "300");
  EXPECT_EQ(doc.root->Attribute("viewBox"), "0 0 300 200");
  const std::string decoded = "<script>&\"'</script> ]]> \xc3\xa9";
  EXPECT_EQ(minixml::FindAll(*doc.root, "title")[0]->text, decoded);
  EXPECT_EQ(minixml::FindAll(*doc.root, "text", "label")[0]->text, decoded);
  EXPECT_EQ(minixml::FindAll(*doc.root, "g")[0]->Attribute("class"), "g&<");
  const auto box = minixml::FindAll(*doc.root, "rect", "box");
  ASSERT_EQ(box.size(), 1u);
  EXPECT_EQ(box[0]->Number("x"), 1.5);
  EXPECT_EQ(box[0]->Number("height"), 20.0);
  // No scripts and no references to other documents.
  EXPECT_TRUE(minixml::FindAll(*doc.root, "script").empty());
  EXPECT_TRUE(Lacks(text, "href"));
  EXPECT_TRUE(Lacks(text, "<!DOCTYPE"));
}

TEST(MiniXml, RejectsMalformedDocuments) {
  for (const char* bad : {"<a>", "<a></b>", "<a x=1/>", "<a x='1' x='2'/>", "<a>&nbsp;</a>", "<a>&amp</a>",
                          "<a/><b/>", "<a x=\"<\"/>", "<a>\x01</a>", "<a>\xe9</a>", "text<a/>", "", "<a>]]></a>",
                          "<a><!-- c --></a>", "<a>&#233;</a>", "<a><![CDATA[x]]></a>"})
    EXPECT_FALSE(minixml::Parse(bad).ok()) << bad;
  const minixml::Document doc = minixml::Parse("<?xml version=\"1.0\"?>\n<a x='&lt;'><b>&amp;\xc3\xa9</b></a>\n");
  ASSERT_TRUE(doc.ok()) << doc.error;
  EXPECT_EQ(doc.root->Attribute("x"), "<");
  EXPECT_EQ(doc.root->children[0]->text, "&\xc3\xa9");
}
