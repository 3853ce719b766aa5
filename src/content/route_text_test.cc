// Checks the compiled-in route text against its grammar, counts and order.
#include "content/route_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "tests/memory_file_system.h"
#include "tests/text_lines.h"

namespace compattatore {
namespace {

// A number written without filling or leading zeros.
const std::string n = "(0|[1-9][0-9]*)";

std::vector<std::string> route() { return linee(righe_linea()); }

// The groups of each row that matches `grammar` (group 0 the whole row);
// a row that does not match fails the test and gives no groups.
using gruppi_riga = std::vector<std::string>;
std::vector<gruppi_riga> match_all(const std::vector<std::string>& rows,
                                   const std::regex& grammar) {
  std::vector<gruppi_riga> out;
  for (const std::string& row : rows) {
    std::smatch m;
    EXPECT_TRUE(std::regex_match(row, m, grammar)) << row;
    out.emplace_back(m.begin(), m.end());
  }
  return out;
}

int num(const std::string& s) { return numero(s); }

TEST(RouteText, SectionsStandAtTheirIndexesWithTheirRowCounts) {
  const righe r = righe_linea();
  EXPECT_EQ(r[140], fine_righe);
  const std::vector<std::string> lines = route();
  ASSERT_EQ(lines.size(), 140u);

  struct Case {
    std::size_t index;
    const char* heading;
    std::size_t rows;
  };
  const Case cases[] = {
      {0, "[generale]", 8},    {9, "[curve]", 74},
      {84, "[pendenze]", 5},   {90, "[montagne]", 13},
      {104, "[cartelli]", 18}, {123, "[indicazioni]", 15},
      {139, "[fine]", 0},
  };
  std::size_t headings = 0;
  for (const std::string& line : lines) headings += line.starts_with('[');
  EXPECT_EQ(headings, std::size(cases));
  for (const Case& c : cases) {
    EXPECT_EQ(lines[c.index], c.heading);
    EXPECT_EQ(sezione(lines, c.heading).size(), c.rows) << c.heading;
  }
}

TEST(RouteText, NoLineIsEmptyOrPaddedAndEveryCharacterIsPrintableAscii) {
  for (const std::string& line : route()) {
    ASSERT_FALSE(line.empty());
    EXPECT_NE(line.front(), ' ') << line;
    EXPECT_NE(line.back(), ' ') << line;
    for (char c : line) EXPECT_TRUE(c >= ' ' && c <= '~') << line;
  }
}

TEST(RouteText, FileHoldsTheLinesWithCrLfAndReplacesAnOlderFile) {
  memory_file_system fs;
  const file_names names{"/d", "Orsella_Vantrona", "4273"};
  fs.files["/d/Orsella_Vantrona_linea.txt"] = std::string(20000, '#');
  dati_linea(fs, names);

  const std::string& text = fs.files["/d/Orsella_Vantrona_linea.txt"];
  std::string expected;
  for (const std::string& line : route()) expected += line + "\r\n";
  EXPECT_EQ(text, expected);
  EXPECT_TRUE(text.starts_with("[generale]\r\n"));
  EXPECT_TRUE(text.ends_with("\r\n[fine]\r\n"));
  EXPECT_EQ(text.find("riferimento"), std::string::npos);
  EXPECT_EQ(text.find('#'), std::string::npos);
}

TEST(RouteText, GeneralRowsAreExact) {
  const std::vector<std::string> expected = {
      "lunghezza percorso,    77000",
      "progressiva chilometrica uno,    0,    0,    0",
      "progressiva chilometrica due,    0,    0,    0",
      "progressiva chilometrica tre,    0,    0,    0",
      "sfondo uno,    44500",
      "sfondo due,    1",
      "sfondo tre,    0",
      "ripetizione segnali 4 codici,    0,    77000",
  };
  EXPECT_EQ(sezione(route(), "[generale]"), expected);
}

TEST(RouteText, GradientRowsAreExact) {
  const std::vector<std::string> expected = {
      "pendenza,   0,    0",   "pendenza,  7300,   2",
      "pendenza,  27650,   4", "pendenza,  32150,   -4",
      "pendenza,  46800,   0",
  };
  EXPECT_EQ(sezione(route(), "[pendenze]"), expected);
}

struct curva {
  std::string keyword;
  int inizio;
  int lunghezza;
};

std::vector<curva> curves() {
  const std::regex grammar("(curva[sd][2-5]),  " + n + ",  " + n);
  std::vector<curva> out;
  for (const gruppi_riga& m : match_all(sezione(route(), "[curve]"), grammar)) {
    if (!m.empty()) out.push_back({m[1], num(m[2]), num(m[3])});
  }
  return out;
}

TEST(RouteText, CurvesKeepTheirKeywordCounts) {
  std::map<std::string, int> counts;
  for (const curva& c : curves()) ++counts[c.keyword];
  const std::map<std::string, int> expected = {
      {"curvas4", 24}, {"curvad4", 18}, {"curvad3", 14}, {"curvas2", 6},
      {"curvas3", 4},  {"curvas5", 3},  {"curvad5", 3},  {"curvad2", 2},
  };
  EXPECT_EQ(counts, expected);
}

TEST(RouteText, CurvesRunInOrderWithoutOverlapSevenTimesTouching) {
  const std::vector<curva> c = curves();
  ASSERT_EQ(c.size(), 74u);
  EXPECT_EQ(c.front().inizio, 1000);
  EXPECT_EQ(c.back().inizio, 74150);
  int touching = 0;
  for (std::size_t i = 0; i < c.size(); ++i) {
    EXPECT_EQ(c[i].inizio % 50, 0) << c[i].inizio;
    EXPECT_EQ(c[i].lunghezza % 50, 0) << c[i].inizio;
    EXPECT_GT(c[i].lunghezza, 0) << c[i].inizio;
    EXPECT_LE(c[i].inizio + c[i].lunghezza, 77000);
    if (i == 0) continue;
    const int fine_prima = c[i - 1].inizio + c[i - 1].lunghezza;
    EXPECT_GE(c[i].inizio, fine_prima) << c[i].inizio;
    touching += c[i].inizio == fine_prima;
  }
  EXPECT_EQ(touching, 7);
}

TEST(RouteText, CurveTellingRowsHoldAndTheLineIsStraightFrom48800) {
  const std::vector<std::string> rows = sezione(route(), "[curve]");
  ASSERT_EQ(rows.size(), 74u);
  EXPECT_EQ(rows.front(), "curvas3,  1000,  500");
  EXPECT_EQ(rows.back(), "curvad3,  74150,  250");
  const auto at = [&rows](const std::string& row) {
    return std::find(rows.begin(), rows.end(), row);
  };
  EXPECT_NE(at("curvas2,  4250,  50"), rows.end());
  EXPECT_NE(at("curvad3,  5950,  800"), rows.end());
  const auto touch = at("curvad3,  6850,  200");
  ASSERT_NE(touch, rows.end());
  EXPECT_EQ(*(touch + 1), "curvas4,  7050,  250");

  const std::vector<curva> c = curves();
  const auto by_length = [](const curva& a, const curva& b) {
    return a.lunghezza < b.lunghezza;
  };
  std::vector<curva> sorted = c;
  std::sort(sorted.begin(), sorted.end(), by_length);
  EXPECT_EQ(sorted[0].inizio, 4250);
  EXPECT_LT(sorted[0].lunghezza, sorted[1].lunghezza);  // the one shortest
  EXPECT_EQ(sorted.back().inizio, 5950);
  EXPECT_GT(sorted.back().lunghezza, sorted[sorted.size() - 2].lunghezza);

  const auto straight = std::find_if(
      c.begin(), c.end(), [](const curva& x) { return x.inizio == 48800; });
  ASSERT_NE(straight, c.end());
  ASSERT_NE(straight + 1, c.end());
  EXPECT_EQ((straight + 1)->inizio, 68850);
}

struct cartello {
  int posizione;
  std::vector<std::string> gruppi;
  std::size_t larghezza;
};

std::vector<cartello> boards() {
  const std::regex grammar("cartello_indicatore,  " + n +
                           ",   ((\\([^(),]*\\)){2,3})");
  const std::regex group("\\(([^()]*)\\)");
  std::vector<cartello> out;
  for (const gruppi_riga& m :
       match_all(sezione(route(), "[indicazioni]"), grammar)) {
    if (m.empty()) continue;
    cartello c{num(m[1]), {}, 0};
    const std::string testo = m[2];
    for (std::sregex_iterator g(testo.begin(), testo.end(), group), end;
         g != end; ++g) {
      c.gruppi.push_back((*g)[1].str());
    }
    c.larghezza = c.gruppi.front().size();
    out.push_back(c);
  }
  return out;
}

std::string trimmed(std::string s) {
  while (s.ends_with(' ')) s.pop_back();
  return s;
}

TEST(RouteText, IndicationBoardsNameTunnelsAndJunctions) {
  const std::vector<cartello> b = boards();
  ASSERT_EQ(b.size(), 15u);
  std::vector<int> tunnels;
  std::vector<std::string> lengths;
  std::vector<int> junctions;
  for (std::size_t i = 0; i < b.size(); ++i) {
    if (i > 0) {
      EXPECT_GT(b[i].posizione, b[i - 1].posizione);
    }
    const std::string kind = trimmed(b[i].gruppi[0]);
    if (kind == "GALLERIA") {
      ASSERT_EQ(b[i].gruppi.size(), 3u) << b[i].posizione;
      tunnels.push_back(b[i].posizione);
      lengths.push_back(trimmed(b[i].gruppi[2]));
    } else {
      EXPECT_EQ(kind, "BIVIO");
      EXPECT_EQ(b[i].gruppi.size(), 2u) << b[i].posizione;
      junctions.push_back(b[i].posizione);
    }
  }
  EXPECT_EQ(tunnels,
            (std::vector<int>{750, 3350, 4450, 13550, 14950, 16300, 18950,
                              20050, 21050, 27500, 31350, 32100, 39400}));
  EXPECT_EQ(lengths,
            (std::vector<std::string>{
                "m.2000", "m.250", "m.650", "m.100", "m.150", "m.200", "m.50",
                "m.100", "m.3300", "m.900", "m.550", "m.800", "m.700"}));
  EXPECT_EQ(junctions, (std::vector<int>{1700, 2100}));
}

TEST(RouteText, IndicationGroupsArePaddedToTheRowsLongestText) {
  std::size_t narrowest = 99;
  std::size_t widest = 0;
  const std::regex name("[A-Z][A-Z. ]*[A-Z]");
  for (const cartello& c : boards()) {
    std::size_t longest = 0;
    for (const std::string& g : c.gruppi) {
      EXPECT_EQ(g.size(), c.larghezza) << c.posizione;
      EXPECT_NE(g.front(), ' ') << c.posizione;
      longest = std::max(longest, trimmed(g).size());
    }
    EXPECT_EQ(longest, c.larghezza) << c.posizione;
    const std::string nome = trimmed(c.gruppi[1]);
    EXPECT_TRUE(std::regex_match(nome, name)) << nome;
    EXPECT_LE(nome.size(), 14u) << nome;
    narrowest = std::min(narrowest, c.larghezza);
    widest = std::max(widest, c.larghezza);
  }
  EXPECT_EQ(narrowest, 8u);
  EXPECT_EQ(widest, 14u);
}

TEST(RouteText, FirstTunnelAndFirstJunctionRowsHaveTheirForm) {
  const std::vector<std::string> rows = sezione(route(), "[indicazioni]");
  ASSERT_EQ(rows.size(), 15u);
  EXPECT_TRUE(std::regex_match(
      rows[0], std::regex("cartello_indicatore,  750,   \\(GALLERIA  \\)"
                          "\\([A-Z]{10}\\)\\(m\\.2000    \\)")))
      << rows[0];
  EXPECT_TRUE(std::regex_match(
      rows[1], std::regex("cartello_indicatore,  1700,   \\(BIVIO     \\)"
                          "\\([A-Z]{10}\\)")))
      << rows[1];
}

TEST(RouteText, MontagnaStretchesBeginFiftyMetresAfterTheirTunnelBoards) {
  const std::vector<std::string> rows = sezione(route(), "[montagne]");
  const std::regex grammar("montagna,   " + n + ",  " + n + ",  (11|12)");
  std::vector<int> tunnels;
  for (const cartello& c : boards()) {
    if (c.gruppi.size() == 3) tunnels.push_back(c.posizione);
  }
  const std::vector<gruppi_riga> m = match_all(rows, grammar);
  ASSERT_EQ(m.size(), 13u);
  ASSERT_EQ(tunnels.size(), 13u);
  std::map<int, int> kinds;
  std::vector<int> lengths;
  for (std::size_t i = 0; i < m.size(); ++i) {
    ASSERT_FALSE(m[i].empty());
    const int inizio = num(m[i][1]);
    const int fine = num(m[i][2]);
    ++kinds[num(m[i][3])];
    EXPECT_EQ(inizio, tunnels[i] + 50) << rows[i];
    EXPECT_GT(fine, inizio) << rows[i];
    EXPECT_EQ(fine % 50, 0) << rows[i];
    EXPECT_GE(inizio, 800) << rows[i];
    EXPECT_LE(fine, 40150) << rows[i];
    if (i > 0) {
      EXPECT_GE(inizio, num(m[i - 1][2])) << rows[i];
    }
    lengths.push_back(fine - inizio);
  }
  EXPECT_EQ(kinds, (std::map<int, int>{{11, 6}, {12, 7}}));

  EXPECT_EQ(rows.front(), "montagna,   800,  2800,  11");
  EXPECT_EQ(rows.back(), "montagna,   39450,  40150,  11");
  const auto shortest = std::min_element(lengths.begin(), lengths.end());
  const auto longest = std::max_element(lengths.begin(), lengths.end());
  EXPECT_EQ(rows[static_cast<std::size_t>(shortest - lengths.begin())],
            "montagna,   19000,  19050,  12");
  EXPECT_EQ(rows[static_cast<std::size_t>(longest - lengths.begin())],
            "montagna,   21100,  24400,  11");
  EXPECT_EQ(std::count(lengths.begin(), lengths.end(), *shortest), 1);
  EXPECT_EQ(std::count(lengths.begin(), lengths.end(), *longest), 1);
}

struct indicatore {
  int posizione;
  int a, b, c;
  int strisce;
};

TEST(RouteText, SpeedBoardsFollowTheirGrammarAndWarningPattern) {
  const std::vector<std::string> rows = sezione(route(), "[cartelli]");
  const std::regex grammar("indicatori_vmax,  " + n + ",  " + n + ",  " + n +
                           ",  " + n + ",  ([012]),  ,  ,  ,  0");
  std::vector<indicatore> v;
  for (const gruppi_riga& m : match_all(rows, grammar)) {
    if (!m.empty()) {
      v.push_back({num(m[1]), num(m[2]), num(m[3]), num(m[4]), num(m[5])});
    }
  }
  ASSERT_EQ(v.size(), 18u);
  EXPECT_EQ(v.front().posizione, 800);
  EXPECT_EQ(v.back().posizione, 76400);
  std::map<int, int> counts;
  for (std::size_t i = 0; i < v.size(); ++i) {
    ++counts[v[i].strisce];
    EXPECT_LE(v[i].a, v[i].b) << rows[i];
    EXPECT_LE(v[i].b, v[i].c) << rows[i];
    EXPECT_EQ(v[i].posizione % 50, 0) << rows[i];
    if (i > 0) {
      EXPECT_GT(v[i].posizione, v[i - 1].posizione) << rows[i];
    }
    if (v[i].strisce == 0) continue;
    // A warning board stands 500 m before the next board of its speeds.
    const auto next = std::find_if(v.begin(), v.end(), [&](const auto& x) {
      return x.posizione == v[i].posizione + 500;
    });
    ASSERT_NE(next, v.end()) << rows[i];
    EXPECT_EQ(next->strisce, v[i].strisce - 1) << rows[i];
    EXPECT_EQ(std::tie(next->a, next->b, next->c),
              std::tie(v[i].a, v[i].b, v[i].c))
        << rows[i];
  }
  EXPECT_EQ(counts, (std::map<int, int>{{0, 14}, {1, 3}, {2, 1}}));

  EXPECT_EQ(rows.front(),
            "indicatori_vmax,  800,  80,  80,  80,  0,  ,  ,  ,  0");
  EXPECT_NE(
      std::find(rows.begin(), rows.end(),
                "indicatori_vmax,  8850,  95,  105,  105,  0,  ,  ,  ,  0"),
      rows.end());
  EXPECT_NE(
      std::find(rows.begin(), rows.end(),
                "indicatori_vmax,  45300,  100,  110,  115,  0,  ,  ,  ,  0"),
      rows.end());
  const std::vector<std::string> last(rows.end() - 3, rows.end());
  EXPECT_EQ(last, (std::vector<std::string>{
                      "indicatori_vmax,  75400,  90,  90,  90,  2,  ,  ,  ,  0",
                      "indicatori_vmax,  75900,  90,  90,  90,  1,  ,  ,  ,  0",
                      "indicatori_vmax,  76400,  90,  90,  90,  0,  ,  ,  ,  0",
                  }));
}

}  // namespace
}  // namespace compattatore
