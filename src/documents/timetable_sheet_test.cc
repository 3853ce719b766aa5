// Checks the timetable sheet's header lines and its table rows by their
// grammar, counts and order, and its names against the train text.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "content/route_text.h"
#include "content/train_text.h"
#include "documents/documents.h"
#include "tests/text_lines.h"

namespace compattatore {
namespace {

std::vector<std::string> sheet() { return linee(righe_scheda()); }

std::string blanks(std::size_t n) { return std::string(n, ' '); }

TEST(TimetableSheet, HasFiftyOneLinesOfTheirLengths) {
  const righe r = righe_scheda();
  EXPECT_EQ(r[51], fine_righe);
  const std::vector<std::string> lines = sheet();
  ASSERT_EQ(lines.size(), 51u);
  std::map<std::size_t, std::size_t> lengths = {
      {0, 0},  {1, 0},  {2, 82}, {3, 83},  {4, 83}, {5, 83},  {6, 83},
      {7, 56}, {8, 64}, {9, 57}, {10, 57}, {11, 0}, {12, 82}, {50, 0},
  };
  for (std::size_t i = 13; i <= 49; ++i) lengths[i] = 83;
  for (const auto& [index, length] : lengths) {
    EXPECT_EQ(lines[index].size(), length) << index;
  }
  EXPECT_TRUE(lines[8].ends_with("|" + blanks(7))) << lines[8];
}

TEST(TimetableSheet, FixedHeaderAndTableLinesAreExact) {
  const std::vector<std::string> lines = sheet();
  ASSERT_EQ(lines.size(), 51u);
  struct Case {
    std::size_t index;
    std::string text;
  };
  const Case cases[] = {
      {2, "  " + std::string(19, '_') + blanks(47) + std::string(14, '_')},
      {3,
       " |                   |                    SCHEDA 1/1             "
       "  |              |"},
      {6, blanks(67) + "|" + std::string(14, '_') + "|"},
      {7, "  " + std::string(19, '_') + blanks(16) + std::string(19, '_')},
      {8, " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       "},
      {9, " |        REG        |              |      330T         |"},
      {10, " |___________________|              |___________________|"},
      {12, "  " + std::string(80, '_')},
      {13,
       " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |    "
       " Orario     | Rec |"},
      {14,
       " | Lim.|Marc.|          |  Rs |                            |    "
       "            |     |"},
      {15,
       " |_____|_____|__________|_____|____________________________|____"
       "____________|_____|"},
      {49, lines[15]},
  };
  for (const Case& c : cases) EXPECT_EQ(lines[c.index], c.text) << c.index;
}

/// The station names of the train text, in its order.
std::vector<std::string> train_station_names() {
  std::vector<std::string> out;
  for (const std::string& row : sezione(linee(righe_treno()), "[stazioni]")) {
    out.push_back(campi(row).back());
  }
  return out;
}

TEST(TimetableSheet, HeaderNamesTrainOriginAndDestination) {
  const std::vector<std::string> lines = sheet();
  ASSERT_EQ(lines.size(), 51u);
  const std::string& da = lines[4];
  const std::string& a = lines[5];
  EXPECT_EQ(da.substr(0, 45), " |   TRENO n.4273    |                   da: ");
  EXPECT_EQ(a.substr(0, 45), " |___________________|                    a: ");
  EXPECT_EQ(da.substr(67), "|    V200 B    |");
  EXPECT_EQ(a.substr(67), "|     125%     |");
  EXPECT_NE(da.find("TRENO n." + std::string(numero_treno_compilato) + " "),
            std::string::npos);
  EXPECT_EQ(da.find("da:") + 1, a.find("a:"));

  const std::vector<std::string> names = train_station_names();
  ASSERT_FALSE(names.empty());
  const std::string origin = da.substr(45, 22);
  const std::string destination = a.substr(45, 22);
  EXPECT_NE(origin.front(), ' ');
  EXPECT_EQ(destination, names.back() + blanks(22 - names.back().size()));
  // The short name keeps the first word of the origin's full name.
  const std::string first_word =
      names.front().substr(0, names.front().find(' '));
  EXPECT_TRUE(origin.starts_with(first_word)) << origin;
}

/// One table row taken apart. Speeds are 0 when blank; `orario` is empty
/// when the cell is blank and `forma` tells which Orario form it has.
struct riga_letta {
  int vel_lim = 0;
  int vel_marc = 0;
  int no_rs = 0;
  int metri = 0;
  std::string km;
  std::string nome;
  std::string forma;  // partenza, fermata, arrivo, transito or empty
  std::vector<std::string> orari;
  int segni = 0;  // "+" marks in the Orario cell
};

std::optional<int> velocita(const std::string& cell) {
  static const std::regex grammar(" *([1-9][0-9]*) ");
  std::smatch m;
  if (cell == blanks(5)) return 0;
  if (!std::regex_match(cell, m, grammar)) return std::nullopt;
  return std::stoi(m[1].str());
}

riga_letta leggi_riga(const std::string& line) {
  riga_letta r;
  const std::regex table(
      " \\|(.{5})\\|(.{5})\\|(.{10})\\|(.{5})\\|(.{28})\\|(.{16})\\|( {5})\\|");
  std::smatch m;
  if (!std::regex_match(line, m, table)) {
    ADD_FAILURE() << "not a table row: " << line;
    return r;
  }
  const auto v1 = velocita(m[1].str());
  const auto v2 = velocita(m[2].str());
  const auto v4 = velocita(m[4].str());
  EXPECT_TRUE(v1 && v2 && v4) << line;
  r.vel_lim = v1.value_or(-1);
  r.vel_marc = v2.value_or(-1);
  r.no_rs = v4.value_or(-1);

  std::smatch km;
  const std::string km_cell = m[3].str();
  if (std::regex_match(km_cell, km,
                       std::regex(" *((0|[1-9][0-9]*)\\+([0-9]{3})) "))) {
    r.km = km[1].str();
    r.metri = std::stoi(km[2]) * 1000 + std::stoi(km[3]);
  } else {
    ADD_FAILURE() << "kilometre cell: " << line;
  }

  const std::string name_cell = m[5].str();
  r.nome = name_cell.substr(0, name_cell.find_last_not_of(' ') + 1);
  EXPECT_FALSE(r.nome.empty()) << line;
  EXPECT_NE(name_cell.front(), ' ') << line;

  const std::string t = "([0-9]{2}\\.[0-5][0-9])";
  struct forma {
    const char* nome;
    std::regex grammar;
  };
  static const forma forme[] = {
      {"partenza", std::regex(" {10}" + t + " ")},
      {"fermata", std::regex(" " + t + "([+ ])   " + t + "([+ ])")},
      {"arrivo", std::regex(" " + t + " {10}")},
      {"transito", std::regex(" {6}" + t + " {5}")},
      {"transito", std::regex(" {5}" + t + "(\\+) {5}")},
      {"transito", std::regex(" {5}" + t + " {6}")},
  };
  const std::string orario = m[6].str();
  if (orario == blanks(16)) return r;
  for (const forma& f : forme) {
    std::smatch o;
    if (!std::regex_match(orario, o, f.grammar)) continue;
    r.forma = f.nome;
    for (std::size_t g = 1; g < o.size(); ++g) {
      if (o[g] == "+") ++r.segni;
      if (o[g].length() == 5) r.orari.push_back(o[g].str());
    }
    return r;
  }
  ADD_FAILURE() << "Orario cell: " << line;
  return r;
}

std::vector<riga_letta> rows() {
  const std::vector<std::string> lines = sheet();
  std::vector<riga_letta> out;
  for (std::size_t i = 16; i <= 48 && i < lines.size(); ++i) {
    out.push_back(leggi_riga(lines[i]));
  }
  return out;
}

bool lato_linea(const riga_letta& r) {
  return r.nome == "Deviatoio di Uscita" || r.nome == "Deviatoio d'Ingresso" ||
         r.nome == "Cartello Indicatore";
}

TEST(TimetableSheet, RowsRunInKilometreOrderWithRisingTimes) {
  const std::vector<riga_letta> r = rows();
  ASSERT_EQ(r.size(), 33u);
  EXPECT_EQ(r.front().km, "0+000");
  EXPECT_EQ(r.back().km, "79+000");
  std::vector<std::string> times;
  for (std::size_t i = 0; i < r.size(); ++i) {
    if (i > 0) {
      EXPECT_GT(r[i].metri, r[i - 1].metri) << r[i].km;
    }
    times.insert(times.end(), r[i].orari.begin(), r[i].orari.end());
  }
  ASSERT_FALSE(times.empty());
  EXPECT_EQ(times.front(), "10.52");
  EXPECT_EQ(times.back(), "12.41");
  // Times of one day in the same form compare as text.
  EXPECT_EQ(
      std::adjacent_find(times.begin(), times.end(),
                         [](const auto& a, const auto& b) { return a >= b; }),
      times.end());
}

TEST(TimetableSheet, RowKindsAndMarksHaveTheirCounts) {
  const std::vector<riga_letta> r = rows();
  ASSERT_EQ(r.size(), 33u);
  std::map<std::string, int> line_side;
  std::map<std::string, int> kinds;
  int marked_stops = 0;
  int marked_passes = 0;
  for (const riga_letta& x : r) {
    if (lato_linea(x)) {
      ++line_side[x.nome];
      EXPECT_EQ(x.forma, "") << x.km;
      EXPECT_GT(x.vel_lim, 0) << x.km;
      continue;
    }
    ++kinds[x.forma];
    if (x.forma == "fermata") {
      EXPECT_TRUE(x.segni == 0 || x.segni == 2) << x.km;
      marked_stops += x.segni == 2;
    }
    if (x.forma == "transito") marked_passes += x.segni == 1;
  }
  EXPECT_EQ(line_side,
            (std::map<std::string, int>{{"Deviatoio di Uscita", 4},
                                        {"Deviatoio d'Ingresso", 3},
                                        {"Cartello Indicatore", 5}}));
  EXPECT_EQ(
      kinds,
      (std::map<std::string, int>{
          {"partenza", 1}, {"fermata", 14}, {"transito", 5}, {"arrivo", 1}}));
  EXPECT_EQ(r.front().forma, "partenza");
  EXPECT_EQ(r.back().forma, "arrivo");
  EXPECT_EQ(marked_stops, 2);
  EXPECT_EQ(marked_passes, 2);
}

TEST(TimetableSheet, SpeedsStandInLineSideRowsAndThreeStationRows) {
  std::vector<std::string> station_forms;
  for (const riga_letta& x : rows()) {
    EXPECT_LE(x.vel_marc, x.vel_lim) << x.km;
    EXPECT_EQ(x.no_rs, x.vel_lim) << x.km;
    EXPECT_EQ(x.vel_marc == 0, x.vel_lim == 0) << x.km;
    if (x.vel_lim != 0 && !lato_linea(x)) station_forms.push_back(x.forma);
  }
  EXPECT_EQ(station_forms,
            (std::vector<std::string>{"partenza", "fermata", "transito"}));
}

TEST(TimetableSheet, TellingRowsHold) {
  const std::vector<std::string> lines = sheet();
  ASSERT_EQ(lines.size(), 51u);
  const auto row = [&lines](std::size_t n) { return lines[15 + n]; };
  EXPECT_EQ(row(2),
            " |  80 |  70 |    0+800 |  80 |Deviatoio di Uscita         |      "
            "          |     |");
  EXPECT_EQ(row(9),
            " |  80 |  70 |    8+100 |  80 |Cartello Indicatore         |      "
            "          |     |");
  EXPECT_EQ(row(22),
            " |  80 |  70 |   43+900 |  80 |Deviatoio d'Ingresso        |      "
            "          |     |");
  struct Case {
    std::size_t n;
    std::string start;
    std::string end;
  };
  const Case cases[] = {
      {1, " |  30 |  30 |    0+000 |  30 |", "|          10.52 |     |"},
      {3, " |     |     |    1+900 |     |", "|      10.55     |     |"},
      {4, " |     |     |    3+100 |     |", "| 10.57    11.00 |     |"},
      {10, " | 105 |  90 |    8+600 | 105 |", "| 11.11    11.12 |     |"},
      {20, " | 115 | 100 |   39+100 | 115 |", "|     11.54+     |     |"},
      {23, " |     |     |   44+600 |     |", "| 12.02+   12.03+|     |"},
      {33, " |     |     |   79+000 |     |", "| 12.41          |     |"},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(row(c.n).starts_with(c.start)) << c.n << ": " << row(c.n);
    EXPECT_TRUE(row(c.n).ends_with(c.end)) << c.n << ": " << row(c.n);
  }
}

/// The place names of the route's junction boards.
std::vector<std::string> junction_names() {
  std::vector<std::string> out;
  const std::regex junction(
      "cartello_indicatore,  [0-9]+,   \\(BIVIO *\\)"
      "\\(([^()]*[^() ]) *\\)");
  for (const std::string& row :
       sezione(linee(righe_linea()), "[indicazioni]")) {
    std::smatch m;
    if (std::regex_match(row, m, junction)) out.push_back(m[1].str());
  }
  return out;
}

TEST(TimetableSheet, StationRowsNameTheTrainTextsStationsAndTheJunction) {
  std::vector<std::string> names;
  for (const riga_letta& x : rows()) {
    if (!lato_linea(x)) names.push_back(x.nome);
  }
  const std::vector<std::string> train = train_station_names();
  ASSERT_EQ(names.size(), 21u);
  ASSERT_EQ(train.size(), 21u);
  const std::vector<std::string> junctions = junction_names();
  ASSERT_EQ(junctions.size(), 2u);
  const std::regex capitals("[A-Z][A-Z .-]*");
  for (std::size_t i = 0; i < names.size(); ++i) {
    EXPECT_TRUE(std::regex_match(names[i], capitals)) << names[i];
    if (train[i] == "Nome Stazione") {
      EXPECT_NE(std::find(junctions.begin(), junctions.end(), names[i]),
                junctions.end())
          << names[i];
      continue;
    }
    EXPECT_EQ(names[i], train[i]);
  }
  // Only the junction carries the placeholder in the train text.
  EXPECT_EQ(std::count(train.begin(), train.end(), "Nome Stazione"), 1);
  EXPECT_EQ(train[1], "Nome Stazione");
}

}  // namespace
}  // namespace compattatore
