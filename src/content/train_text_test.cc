// Checks the compiled-in train text against its grammar, columns and counts.
#include "content/train_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "content/station_names.h"
#include "tests/memory_file_system.h"
#include "tests/text_lines.h"

namespace compattatore {
namespace {

std::vector<std::string> train() { return linee(righe_treno()); }

// The numbers of a fixed-column row: after `keyword`, each field is a comma
// and a number right-aligned in its width (blanks before it, no leading
// zero). `rest` gets what follows the last field.
std::vector<int> colonne(const std::string& row, std::string_view keyword,
                         const std::vector<std::size_t>& widths,
                         std::string* rest = nullptr) {
  static const std::regex right_aligned(" *(0|[1-9][0-9]*)");
  EXPECT_TRUE(row.starts_with(keyword)) << row;
  std::vector<int> out;
  std::size_t at = keyword.size();
  for (std::size_t width : widths) {
    if (at + 1 + width > row.size() || row[at] != ',') {
      ADD_FAILURE() << "no field at " << at << ": " << row;
      return out;
    }
    const std::string field = row.substr(at + 1, width);
    EXPECT_TRUE(std::regex_match(field, right_aligned))
        << "'" << field << "' in " << row;
    out.push_back(numero(campi(field).front()));
    at += 1 + width;
  }
  if (rest != nullptr) *rest = row.substr(at);
  return out;
}

TEST(TrainText, SectionsStandAtTheirIndexesWithTheirRowCounts) {
  const righe r = righe_treno();
  EXPECT_EQ(r[86], fine_righe);
  const std::vector<std::string> lines = train();
  ASSERT_EQ(lines.size(), 86u);

  struct Case {
    std::size_t index;
    const char* heading;
    std::size_t rows;
  };
  const Case cases[] = {
      {0, "[generale]", 4},       {5, "[aderenze]", 1},
      {7, "[vel_limite]", 19},    {27, "[stazioni]", 21},
      {49, "[rallentamenti]", 0}, {50, "[segnali]", 33},
      {84, "[codici]", 0},        {85, "[fine]", 0},
  };
  std::size_t headings = 0;
  for (const std::string& line : lines) headings += line.starts_with('[');
  EXPECT_EQ(headings, std::size(cases));
  for (const Case& c : cases) {
    EXPECT_EQ(lines[c.index], c.heading);
    EXPECT_EQ(sezione(lines, c.heading).size(), c.rows) << c.heading;
  }
}

TEST(TrainText, OnlyTheClockRowEndsInABlankAndNoLineIsEmpty) {
  const std::vector<std::string> lines = train();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    ASSERT_FALSE(lines[i].empty()) << i;
    EXPECT_NE(lines[i].front(), ' ') << lines[i];
    EXPECT_EQ(lines[i].back() == ' ', i == 4) << lines[i];
    for (char c : lines[i]) EXPECT_TRUE(c >= ' ' && c <= '~') << lines[i];
  }
}

TEST(TrainText, FileIsNamedByRouteAndTrainAndHoldsTheLinesWithCrLf) {
  memory_file_system fs;
  const file_names names{"/d", "Orsella_Vantrona", "4273"};
  fs.files["/d/Orsella_Vantrona_4273-.txt"] = std::string(9000, '#');
  dati_treno(fs, names);

  ASSERT_EQ(fs.files.size(), 1u);
  const std::string& text = fs.files["/d/Orsella_Vantrona_4273-.txt"];
  std::string expected;
  for (const std::string& line : train()) expected += line + "\r\n";
  EXPECT_EQ(text, expected);
  EXPECT_TRUE(text.starts_with("[generale]\r\n"));
  EXPECT_TRUE(text.ends_with("\r\n[codici]\r\n[fine]\r\n"));
  EXPECT_NE(text.find("\r\n[rallentamenti]\r\n[segnali]\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("\r\norologio,    10              51            30 \r\n"),
            std::string::npos);
  EXPECT_EQ(text.find("riferimento"), std::string::npos);
}

TEST(TrainText, GeneralAndAdhesionRowsAreExact) {
  const std::vector<std::string> lines = train();
  const std::vector<std::string> expected = {
      "numero vetture,    5",
      "percentuale massa frenata,    100",
      "sabbia,    0",
      "orologio,    10              51            30 ",
  };
  EXPECT_EQ(sezione(lines, "[generale]"), expected);
  EXPECT_EQ(sezione(lines, "[aderenze]"),
            std::vector<std::string>{"aderenza,   0,    100"});
}

TEST(TrainText, ClockRowPartsItsNumbersByBlanksAlone) {
  const std::string clock = train()[4];
  EXPECT_EQ(clock.size(), 46u);
  EXPECT_EQ(std::count(clock.begin(), clock.end(), ','), 1);
  const std::regex grammar("orologio,    10 {14}51 {12}30 ");
  EXPECT_TRUE(std::regex_match(clock, grammar)) << clock;
}

TEST(TrainText, LineSpeedsHaveTheirColumnsAndValues) {
  const std::vector<std::string> rows = sezione(train(), "[vel_limite]");
  ASSERT_EQ(rows.size(), 19u);
  EXPECT_EQ(rows.front(), "velocita,   0,    30");
  std::vector<std::pair<int, int>> speeds = {{0, 30}};
  for (std::size_t i = 1; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].size(), 24u) << rows[i];
    const std::vector<int> v = colonne(rows[i], "velocita", {8, 6});
    if (v.size() == 2) speeds.emplace_back(v[0], v[1]);
  }
  const std::vector<std::pair<int, int>> expected = {
      {0, 30},      {800, 80},    {2400, 30},   {3600, 80},   {4300, 85},
      {7050, 60},   {8100, 80},   {8850, 105},  {11700, 80},  {35700, 85},
      {39350, 115}, {42900, 30},  {45400, 115}, {49250, 160}, {55700, 135},
      {55800, 30},  {58900, 160}, {76400, 90},  {77400, 30},
  };
  EXPECT_EQ(speeds, expected);
  for (const char* row :
       {"velocita,     800,    80", "velocita,    8850,   105",
        "velocita,   77400,    30"}) {
    EXPECT_NE(std::find(rows.begin(), rows.end(), row), rows.end()) << row;
  }
}

const std::vector<std::size_t> larghezze_stazione = {8, 3, 5, 3, 2, 2, 3, 1,
                                                     1, 3, 1, 1, 5, 4, 2, 2};

struct stazione_scritta {
  std::vector<int> campi;  // fields 1 to 16
  std::string nome;
};

std::vector<stazione_scritta> stations() {
  std::vector<stazione_scritta> out;
  for (const std::string& row : sezione(train(), "[stazioni]")) {
    std::string rest;
    stazione_scritta s{colonne(row, "stazione", larghezze_stazione, &rest), ""};
    EXPECT_TRUE(rest.starts_with(", ")) << row;
    if (rest.size() > 2) s.nome = rest.substr(2);
    out.push_back(s);
  }
  return out;
}

TEST(TrainText, StationFieldsStayInTheirValueSets) {
  const std::vector<stazione_scritta> s = stations();
  ASSERT_EQ(s.size(), 21u);
  // Values each field may take; an empty set means "checked elsewhere".
  const std::vector<std::set<int>> allowed = {
      {},         {2, 4, 12, 22, 26},
      {},         {0, 1},
      {0, 1},     {0, 1},
      {0, 1, 4},  {0, 1},
      {0, 1},     {0, 2, 4, 5},
      {0, 1, 6},  {0, 1},
      {0, 1, 60}, {0, 10, 11, 12},
      {},         {0},
  };
  std::map<int, int> kinds;
  for (std::size_t i = 0; i < s.size(); ++i) {
    ASSERT_EQ(s[i].campi.size(), 16u) << i;
    const std::vector<int>& f = s[i].campi;
    for (std::size_t k = 0; k < allowed.size(); ++k) {
      if (!allowed[k].empty()) {
        EXPECT_TRUE(allowed[k].contains(f[k]))
            << "field " << k + 1 << " = " << f[k] << " at " << f[0];
      }
    }
    ++kinds[f[1]];
    EXPECT_EQ(f[2] % 100, 0) << f[0];
    EXPECT_GE(f[2], 200) << f[0];
    EXPECT_LE(f[2], 800) << f[0];
    EXPECT_GE(f[14], 0) << f[0];
    EXPECT_LE(f[14], 52) << f[0];
    EXPECT_EQ(f[10] == 6, f[0] == 6400) << f[0];
    if (i > 0) {
      EXPECT_GT(f[0], s[i - 1].campi[0]);
    }
  }
  EXPECT_EQ(s.front().campi[0], 200);
  EXPECT_EQ(s.back().campi[0], 78600);
  EXPECT_EQ(kinds,
            (std::map<int, int>{{2, 3}, {4, 3}, {12, 6}, {22, 3}, {26, 6}}));
}

TEST(TrainText, StationRowsWithoutDataAreExactlyTheFourPassingPoints) {
  std::vector<int> empty;
  for (const stazione_scritta& s : stations()) {
    if (std::all_of(s.campi.begin() + 3, s.campi.end(),
                    [](int v) { return v == 0; })) {
      empty.push_back(s.campi[0]);
    }
  }
  EXPECT_EQ(empty, (std::vector<int>{1900, 39100, 40700, 66000}));
}

TEST(TrainText, StationTellingRowsHold) {
  const std::vector<std::string> rows = sezione(train(), "[stazioni]");
  ASSERT_EQ(rows.size(), 21u);
  EXPECT_TRUE(rows[0].starts_with(
      "stazione,     200,  2,  800,  1, 0, 0,  4,1,0,  2,1,1,    1,  10,52, "
      "0, "));
  EXPECT_EQ(rows[1],
            "stazione,    1900, 26,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, "
            "0, 0, Nome Stazione");

  struct Case {
    int posizione;
    std::vector<int> campi;
  };
  const Case cases[] = {
      {6400, {6400, 12, 600, 0, 1, 0, 1, 1, 0, 5, 6, 1, 60, 11, 7, 0}},
      {17800, {17800, 26, 400, 0, 0, 0, 0, 0, 0, 0, 0, 0, 60, 11, 27, 0}},
      {78600, {78600, 2, 800, 1, 1, 0, 1, 1, 0, 2, 1, 1, 0, 12, 30, 0}},
  };
  const std::vector<stazione_scritta> s = stations();
  for (const Case& c : cases) {
    const auto it = std::find_if(s.begin(), s.end(), [&](const auto& x) {
      return x.campi[0] == c.posizione;
    });
    ASSERT_NE(it, s.end()) << c.posizione;
    EXPECT_EQ(it->campi, c.campi) << c.posizione;
  }
}

TEST(TrainText, StationNamesAreTheSharedCapitalisedNames) {
  const std::vector<stazione_scritta> s = stations();
  ASSERT_EQ(s.size(), numero_stazioni_treno);
  const std::regex name("[A-Z][A-Z ]*(-[A-Z ]*)?[A-Z]");
  std::size_t shortest = 99;
  std::size_t longest = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    EXPECT_EQ(s[i].nome, nomi_stazioni[i]);
    if (s[i].campi[0] == 1900) {
      EXPECT_EQ(s[i].nome, "Nome Stazione");
      continue;
    }
    EXPECT_TRUE(std::regex_match(s[i].nome, name)) << s[i].nome;
    shortest = std::min(shortest, s[i].nome.size());
    longest = std::max(longest, s[i].nome.size());
  }
  EXPECT_EQ(shortest, 5u);
  EXPECT_EQ(longest, 27u);
}

const std::vector<std::size_t> larghezze_segnale = {8, 4, 2, 2, 3, 2,
                                                    5, 3, 1, 1, 2};

TEST(TrainText, SignalRowsHaveTheirColumnsAndValues) {
  const std::vector<std::string> rows = sezione(train(), "[segnali]");
  ASSERT_EQ(rows.size(), 33u);
  const std::vector<std::set<int>> allowed = {
      {},        {1, 2},    {2, 3, 4, 5}, {1, 3, 4}, {0, 1}, {0, 1},
      {0, 1, 2}, {0, 2, 3}, {0, 1},       {0, 1},    {0},
  };
  std::vector<int> positions;
  for (const std::string& row : rows) {
    EXPECT_EQ(row.size(), 51u) << row;
    const std::vector<int> f = colonne(row, "segnale", larghezze_segnale);
    ASSERT_EQ(f.size(), 11u) << row;
    for (std::size_t k = 0; k < allowed.size(); ++k) {
      if (!allowed[k].empty()) {
        EXPECT_TRUE(allowed[k].contains(f[k]))
            << "field " << k + 1 << " in " << row;
      }
    }
    EXPECT_EQ(f[5] == 1, f[0] == 7400) << row;
    positions.push_back(f[0]);
  }
  EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
  EXPECT_EQ(std::adjacent_find(positions.begin(), positions.end()),
            positions.end());
  EXPECT_EQ(positions.front(), 1400);
  EXPECT_EQ(positions.back(), 77400);
}

TEST(TrainText, SignalTellingRowsHold) {
  const std::vector<std::string> rows = sezione(train(), "[segnali]");
  ASSERT_EQ(rows.size(), 33u);
  EXPECT_EQ(rows.front(),
            "segnale,    1400,   1, 3, 4,  0, 0,    1,  2,1,0, 0");
  EXPECT_EQ(rows.back(), "segnale,   77400,   2, 2, 3,  1, 0,    2,  2,1,1, 0");
  for (const char* row : {
           "segnale,    7400,   2, 2, 4,  1, 1,    2,  3,1,1, 0",
           "segnale,   22200,   1, 5, 1,  0, 0,    0,  0,0,0, 0",
           "segnale,   60000,   2, 4, 1,  0, 0,    2,  3,1,0, 0",
       }) {
    EXPECT_NE(std::find(rows.begin(), rows.end(), row), rows.end()) << row;
  }
}

}  // namespace
}  // namespace compattatore
