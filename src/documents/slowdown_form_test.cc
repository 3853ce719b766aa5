// Checks the slowdown order form line by line and its table's cells.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "documents/documents.h"
#include "tests/text_lines.h"

namespace compattatore {
namespace {

std::vector<std::string> form() { return linee(righe_rallentamenti()); }

std::string blanks(std::size_t n) { return std::string(n, ' '); }

/// The cells between the bars of a table line that begins " |".
std::vector<std::string> cells(const std::string& line) {
  std::vector<std::string> out;
  if (!line.starts_with(" |") || !line.ends_with('|')) return out;
  std::size_t start = 2;
  for (std::size_t bar = line.find('|', start); bar != std::string::npos;
       bar = line.find('|', start)) {
    out.push_back(line.substr(start, bar - start));
    start = bar + 1;
  }
  return out;
}

std::string trimmed(const std::string& s) {
  const std::size_t a = s.find_first_not_of(' ');
  if (a == std::string::npos) return "";
  return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

TEST(SlowdownForm, HasFortySixLinesOfTheirLengthsNoneEndingInABlank) {
  const righe r = righe_rallentamenti();
  EXPECT_EQ(r[46], fine_righe);
  const std::vector<std::string> lines = form();
  ASSERT_EQ(lines.size(), 46u);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i].empty(), i == 0 || i == 5 || i == 39) << i;
    if (!lines[i].empty()) {
      EXPECT_NE(lines[i].back(), ' ') << i;
    }
    std::size_t expected = 0;
    if (i == 1) expected = 42;
    if (i == 2) expected = 50;
    if (i == 3 || i == 6 || i == 7) expected = 81;
    if (i == 4) expected = 23;
    if (i >= 8 && i <= 38) expected = 82;
    if (i == 40) expected = 37;
    if (expected != 0) {
      EXPECT_EQ(lines[i].size(), expected) << i;
    }
  }
}

TEST(SlowdownForm, HeadingLinesAreExact) {
  const std::vector<std::string> lines = form();
  ASSERT_EQ(lines.size(), 46u);
  struct Case {
    std::size_t index;
    std::string text;
  };
  const Case cases[] = {
      {1, blanks(31) + "Modulo M. 3"},
      {2, blanks(27) + "ORDINE DI RALLENTAMENTO"},
      {3, " " + std::string(80, '_')},
      {4, "  Linea  xxxxxx xxxxxxx"},
      {6,
       "  Si ordina al macchinista del treno xxxxx di effettuare i "
       "seguenti rallentamenti"},
      {7, "  " + std::string(79, '_')},
      {8,
       " |   |                            |Inizio dopo |          |      "
       "   |            |"},
      {9,
       " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghe"
       "zza|Prescrizioni|"},
      {10,
       " |   |   (o nelle Stazioni di)    |chilometrico|          |   me"
       "tri | specifiche |"},
      {11,
       " |___|____________________________|____________|__________|____"
       "_____|____________|"},
      {40, blanks(14) + "Prescrizioni specifiche"},
  };
  for (const Case& c : cases) EXPECT_EQ(lines[c.index], c.text) << c.index;
}

TEST(SlowdownForm, TableCellsHaveTheirWidthsAndHeadings) {
  const std::vector<std::string> lines = form();
  ASSERT_EQ(lines.size(), 46u);
  const std::vector<std::size_t> widths = {3, 28, 12, 10, 9, 12};
  for (std::size_t i = 8; i <= 38; ++i) {
    const std::vector<std::string> c = cells(lines[i]);
    ASSERT_EQ(c.size(), widths.size()) << i;
    for (std::size_t k = 0; k < widths.size(); ++k) {
      EXPECT_EQ(c[k].size(), widths[k]) << "line " << i << " cell " << k;
    }
  }
  // The top edge runs between the first and the last bar of the table.
  EXPECT_EQ(lines[7].find('_'), lines[8].find('|') + 1);
  EXPECT_EQ(lines[7].size(), lines[8].rfind('|'));

  const std::vector<std::string> headings = {
      "N.",
      "FRA LE STAZIONI (o nelle Stazioni di)",
      "Inizio dopo il cippo chilometrico",
      "Velocita'",
      "Lunghezza metri",
      "Prescrizioni specifiche"};
  for (std::size_t k = 0; k < headings.size(); ++k) {
    std::string read_down;
    for (std::size_t i = 8; i <= 10; ++i) {
      const std::string part = trimmed(cells(lines[i])[k]);
      if (part.empty()) continue;
      if (!read_down.empty()) read_down += ' ';
      read_down += part;
    }
    EXPECT_EQ(read_down, headings[k]);
  }
}

TEST(SlowdownForm, TwentySixEmptyRowsStandBetweenTwoEqualEdges) {
  const std::vector<std::string> lines = form();
  ASSERT_EQ(lines.size(), 46u);
  EXPECT_EQ(lines[38], lines[11]);
  for (std::size_t i = 12; i <= 37; ++i) {
    for (const std::string& cell : cells(lines[i])) {
      EXPECT_EQ(trimmed(cell), "") << i;
    }
    EXPECT_EQ(cells(lines[i]).size(), 6u) << i;
  }
}

TEST(SlowdownForm, PrescriptionsComeInTheOrderABDCWithCContinued) {
  const std::vector<std::string> lines = form();
  ASSERT_EQ(lines.size(), 46u);
  const std::vector<std::string> expected = {
      " A - Da rispettare con tutto il treno (per i treni viaggiatori)",
      " B - Interessa anche la stazione di.......",
      " D - Rallentamneto N. ... e N. ...  sono contigui",
      " C - Da rispettare dalle ore ....  alle ore ..... di tutti",
      "     i giorni esclusi i seguenti:.........",
  };
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 41, lines.end()),
            expected);
}

TEST(SlowdownForm, StaysUnfilled) {
  std::string text;
  for (const std::string& line : form()) text += line + '\n';
  EXPECT_EQ(text.find("Orsella"), std::string::npos);
  EXPECT_EQ(text.find("4273"), std::string::npos);
  for (char c : text) EXPECT_TRUE(c == '\n' || (c >= ' ' && c <= '~'));
}

}  // namespace
}  // namespace compattatore
