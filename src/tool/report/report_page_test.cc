// The report page's pieces in-process: escaping, drawings put inline, and
// the page's links, ids and references.
#include "tool/report/report_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tool/common/html_text.h"
#include "tool/drawing/plot_surface.h"
#include "tool/report/inline_svg.h"
#include "tool/report/report_page_assets.h"

namespace compattatore::tool {
namespace {

TEST(ReportPage, EscapingLeavesNoMarkupAndMakesUtf8) {
  const struct {
    const char* what;
    std::string (*escape)(std::string_view);
    std::string in;
    std::string out;
  } cases[] = {
      {"markup", html_escape, "<script>alert(1)</script>",
       "&lt;script&gt;alert(1)&lt;/script&gt;"},
      {"both quotes, for attributes", html_escape, "a\" b='c'",
       "a&quot; b=&#39;c&#39;"},
      {"an ampersand is not taken as a reference", html_escape, "&amp;",
       "&amp;amp;"},
      {"a NUL byte", html_escape, std::string("a\0b", 3), "a&#xfffd;b"},
      {"Latin-1 letters", html_latin1, "CITT\xc0 <\xe8>",
       "CITT\xc3\x80 &lt;\xc3\xa8&gt;"},
      {"valid UTF-8 kept", html_bytes, "citt\xc3\xa0", "citt\xc3\xa0"},
      {"a stray byte taken as Latin-1", html_bytes, "citt\xe0/x",
       "citt\xc3\xa0/x"},
      {"an overlong form is not UTF-8", html_bytes, "\xc0\xbc",
       "\xc3\x80\xc2\xbc"},
      {"a cut sequence at the end", html_bytes, "a\xe2\x82",
       "a\xc3\xa2\xc2\x82"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.escape(c.in), c.out) << c.what;
  }
}

// A document as cairo writes it, with glyphs, a clip and their uses.
constexpr const char* cairo_like =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<svg xmlns=\"http://www.w3.org/2000/svg\" "
    "xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"300px\" "
    "height=\"200px\" viewBox=\"0 0 300 200\" version=\"1.1\">\n"
    "<defs><g><symbol overflow=\"visible\" id=\"glyph0-1\"><path "
    "d=\"M 0 0 L 1 1\"/></symbol></g><clipPath id=\"clip1\"><path "
    "d=\"M 0 0 L 2 2\"/></clipPath></defs>\n"
    "<g id=\"surface1\"><g clip-path=\"url(#clip1)\"><use "
    "xlink:href=\"#glyph0-1\" x=\"1\" y=\"2\"/></g></g>\n</svg>\n";

TEST(ReportPage, InlineDrawingsKeepTheirIdsApart) {
  std::string a, b, err;
  ASSERT_TRUE(inline_svg(cairo_like, "plan", &a, &err)) << err;
  ASSERT_TRUE(inline_svg(cairo_like, "profile", &b, &err)) << err;
  EXPECT_EQ(a.find("<?xml"), std::string::npos);
  EXPECT_EQ(a.find("http"), std::string::npos) << a;
  EXPECT_EQ(
      a.rfind("<svg id=\"plan\" class=\"drawing\" viewBox=\"0 0 300 200\"", 0),
      0u)
      << a;
  for (const char* part :
       {"id=\"plan-glyph0-1\"", "id=\"plan-clip1\"", "id=\"plan-surface1\"",
        "url(#plan-clip1)", "href=\"#plan-glyph0-1\""}) {
    EXPECT_NE(a.find(part), std::string::npos) << part << "\n" << a;
  }
  const std::regex id(" id=\"([^\"]*)\"");
  std::set<std::string> ids;
  const std::string both = a + b;
  for (auto it = std::sregex_iterator(both.begin(), both.end(), id);
       it != std::sregex_iterator(); ++it) {
    EXPECT_TRUE(ids.insert((*it)[1]).second) << "twice: " << (*it)[1];
  }
  EXPECT_EQ(ids.size(), 8u);

  EXPECT_FALSE(inline_svg("<html></html>", "plan", &a, &err));
  EXPECT_FALSE(inline_svg("<svg width=\"3\"></svg>", "plan", &a, &err));
  EXPECT_FALSE(
      inline_svg("<svg viewBox=\"0 0 1 1\" onload=\"x\"></svg", "p", &a, &err));
}

// A 2 km scenario checked from two small texts, with stations whose names
// hold markup, quotes and Latin-1 letters, and a diagnostic in each text.
class ReportPageOf : public ::testing::Test {
 protected:
  void SetUp() override {
    p_ = {"t/A_linea.txt", "t/A_1-.txt", "A", "1"};
    c_.testo_linea = "[generale]\r\nlunghezza percorso, 2000\r\n[fine]\r\n";
    c_.testo_treno =
        "[generale]\r\n[stazioni]\r\n"
        "stazione, 300, 2, 200, 0,0,0, 0,0,0, 0,0,0, 0, 10,5,0, "
        "<script>alert(1)</script>\r\n"
        "stazione, 1300, 2, 200, 0,0,0, 0,0,0, 0,0,0, 0, 10,9,0, "
        "CITT\xc0 \" onclick='x'\r\n[fine]\r\n";
    scenario& s = c_.s;
    // A straight line of 2000 m.
    s.tracciato.make(2001);
    s.tracciato.seed();
    s.tracciato.disegna(2000, 0.0);
    s.celle.resize(181);
    s.celle[29].set(oggetto_cella::segnale);
    s.celle[29].valore_1 = 32;
    s.celle[29].valore_4 = 14;  // rapp 1, sx 1, dx 1
    s.celle[40].set(oggetto_cella::cartello_indicatore);
    s.celle[40].valore_1 = 80;
    s.stazioni[80].nome = "<b>(GALLERIA)</b>";
    s.stazioni[1] = {2, 200, 400, 300, 0, "<script>alert(1)</script>"};
    s.stazioni[1].orario = 36300;
    s.stazioni[2] = {2, 1200, 1400, 1300, 0, "CITT\xc0 \" onclick='x'"};
    s.stazioni[stazione_testata_treno_linea].fine_area = 2000;
    c_.outcome.sealed = true;
    c_.outcome.status = 1;
    diagnostic d;
    d.code = 8;
    d.file = "t/A_1-.txt";
    d.line = 3;
    d.column = 11;
    d.end_column = 14;
    d.message = "station position is not a multiple of 50";
    d.notes.push_back({"t/A_linea.txt", 2, 1, 2, "the route's length"});
    c_.outcome.problems.push_back(d);
    c_.files = {{"A_linea.dat", 123}, {"A_1.sim", 45}, {"A_1.dat", 67}};
  }

  std::string page(const page_options& o = {}) const {
    return report_page(p_, c_, report_drawings(c_.s, "A_1"), o);
  }

  scenario_paths p_;
  scenario_check c_;
};

// Every value of attribute `name` in the page.
std::vector<std::string> values_of(const std::string& page,
                                   const std::string& name) {
  const std::regex re("[ \n]" + name + "=\"([^\"]*)\"");
  std::vector<std::string> out;
  for (auto it = std::sregex_iterator(page.begin(), page.end(), re);
       it != std::sregex_iterator(); ++it) {
    out.push_back((*it)[1]);
  }
  return out;
}

TEST_F(ReportPageOf, EveryLinkLandsOnOneElementOfThePage) {
  const std::string html = page();
  std::map<std::string, int> ids;
  for (const std::string& id : values_of(html, "id")) ++ids[id];
  for (const auto& [id, count] : ids) EXPECT_EQ(count, 1) << "id " << id;
  for (const std::string& href : values_of(html, "href")) {
    ASSERT_FALSE(href.empty());
    EXPECT_EQ(href[0], '#') << href;
    EXPECT_EQ(ids.count(href.substr(1)), 1u) << "no element for " << href;
  }
  // The drawing is there, and any id inside it is its own, so that two
  // drawings on one page cannot clash.
  ASSERT_EQ(ids.count("plan"), 1u)
      << html.substr(html.find("<section id=\"drawing-plan"), 300);
  const std::size_t from = html.find("<svg id=\"plan\"");
  const std::size_t inside = html.find('>', from);
  const std::string svg =
      html.substr(inside, html.find("</svg>", from) - inside);
  for (const std::string& id : values_of(svg, "id")) {
    EXPECT_TRUE(id.starts_with("plan-")) << id;
  }
}

TEST_F(ReportPageOf, NamesInLatin1AreDrawn) {
  // The stations hold "CITT\xc0"; a route name may come from a file name
  // that is not UTF-8 either.
  const std::vector<page_drawing> d = report_drawings(c_.s, "Citt\xe0_1");
  ASSERT_EQ(d.size(), 2u);  // the plan and the profiles
  for (const page_drawing& one : d) EXPECT_NE(one.svg, "") << one.problem;
}

TEST_F(ReportPageOf, NothingOutsideThePageIsNamed) {
  for (const bool live : {false, true}) {
    page_options o;
    o.live = live;
    o.checked_at = "10:00:00.000";
    const std::string html = page(o);
    for (const char* outside :
         {"http:", "https:", "//", "src=", "@import", "ftp:", "file:"}) {
      EXPECT_EQ(html.find(outside), std::string::npos) << outside;
    }
    for (std::size_t at = html.find("url("); at != std::string::npos;
         at = html.find("url(", at + 1)) {
      EXPECT_EQ(html.compare(at, 5, "url(#"), 0) << html.substr(at, 40);
    }
    // Only the watch's page reloads itself.
    EXPECT_EQ(html.find("http-equiv=\"refresh\"") != std::string::npos, live);
  }
}

// The style sheet and the script are their files byte for byte, and each
// stays inside its element: a browser ends one at its closing tag in any
// case, wherever the tag stands.
TEST_F(ReportPageOf, StyleAndScriptAreTheirFilesInTheirElements) {
  const struct {
    const char* file;
    std::string_view embedded;
    std::string element;
  } assets[] = {
      {"report_page.css", page_style, "style"},
      {"report_page.js", page_script, "script"},
  };
  const std::string html = page();
  for (const auto& a : assets) {
    std::ifstream in(
        std::string(COMPATTATORE_TOOL_SOURCES) + "/report/" + a.file,
        std::ios::binary);
    ASSERT_TRUE(in) << a.file;
    std::ostringstream file;
    file << in.rdbuf();
    EXPECT_EQ(a.embedded, file.str()) << a.file;
    const std::string whole = "<" + a.element + ">\n" +
                              std::string(a.embedded) + "</" + a.element + ">";
    EXPECT_NE(html.find(whole), std::string::npos) << a.file;
    std::string lower(a.embedded);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
      return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    });
    EXPECT_EQ(lower.find("</" + a.element), std::string::npos) << a.file;
  }
}

TEST_F(ReportPageOf, WhatComesFromTheTextsIsTextOnly) {
  const std::string html = page();
  // One script: the page's own.
  std::size_t scripts = 0;
  for (std::size_t at = html.find("<script"); at != std::string::npos;
       at = html.find("<script", at + 1)) {
    ++scripts;
  }
  EXPECT_EQ(scripts, 1u);
  EXPECT_EQ(html.find("<b>(GALLERIA)"), std::string::npos);
  EXPECT_EQ(html.find("onclick='x'"), std::string::npos);
  for (const char* shown : {"<td>&lt;script&gt;alert(1)&lt;/script&gt;</td>",
                            "<code>&lt;b&gt;(GALLERIA)&lt;/b&gt;</code>",
                            "CITT\xc3\x80 &quot; onclick=&#39;x&#39;"}) {
    EXPECT_NE(html.find(shown), std::string::npos) << shown;
  }
}

TEST_F(ReportPageOf, DiagnosticsLinkToTheirLinesAndQuoteThem) {
  const std::string html = page();
  EXPECT_NE(html.find("<a href=\"#train-L3\"><code>t/A_1-.txt:3:11</code></a>: "
                      "station position is not a multiple of 50"),
            std::string::npos);
  // Columns 11 to 13 of the line, marked.
  EXPECT_NE(html.find("<pre class=\"quote\">stazione, <mark>300</mark>, 2,"),
            std::string::npos);
  EXPECT_NE(html.find("note: <a href=\"#route-L2\"><code>t/A_linea.txt:2:1"
                      "</code></a>: the route&#39;s length"),
            std::string::npos);
  // The line itself, among the text's lines, stands out.
  EXPECT_NE(html.find("<span class=\"l hit\" id=\"train-L3\">"),
            std::string::npos);
  EXPECT_NE(html.find("data-status=\"1\""), std::string::npos);
}

TEST_F(ReportPageOf, ASealGuardSaysNoFileWouldBeWritten) {
  c_.outcome.sealed = false;
  c_.outcome.status = 3;
  c_.files.clear();
  const std::string html = page();
  EXPECT_NE(html.find("no compiled file would be written"), std::string::npos);
  EXPECT_NE(html.find("None would be written: a seal guard failed."),
            std::string::npos);
  EXPECT_EQ(html.find("A_1.sim"), std::string::npos);
}

TEST_F(ReportPageOf, TablesReadTheRecordsBack) {
  const std::string html = page();
  for (const char* row : {
           // Station 1: km, kind, area, time.
           "<td class=\"n\">0.300</td><td class=\"n\">2</td><td "
           "class=\"n\">200</td><td class=\"n\">400</td><td "
           "class=\"n\">10:05:00</td>",
           // The signal in cell 29 at 1400 m: sx 1, s 3 0 0, dx 1, d 2 0 0,
           // rapp 1.
           "<td class=\"n\">1.400</td><td class=\"n\">29</td><td "
           "class=\"n\">1</td><td>3 0 0</td><td class=\"n\">1</td><td>2 0 "
           "0</td><td class=\"n\">1</td>",
           "<td><code>A_1.sim</code></td><td class=\"n\">45</td>",
       }) {
    EXPECT_NE(html.find(row), std::string::npos) << row;
  }
}

}  // namespace
}  // namespace compattatore::tool
