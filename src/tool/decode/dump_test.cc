#include "tool/decode/dump.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/json_records.h"

namespace compattatore::tool {
namespace {

// Lines of `text` that begin with `start`.
std::size_t lines_starting(const std::string& text, const std::string& start) {
  std::istringstream in(text);
  std::size_t n = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with(start)) ++n;
  }
  return n;
}

TEST(Dump, KindFromItsWord) {
  EXPECT_EQ(kind_from_word("track"), compiled_kind::track);
  EXPECT_EQ(kind_from_word("stations"), compiled_kind::stations);
  EXPECT_EQ(kind_from_word("cells"), compiled_kind::cells);
  EXPECT_EQ(kind_from_word("cell"), std::nullopt);
  EXPECT_EQ(kind_from_word("Track"), std::nullopt);
}

// A row as the readers and the pass leave it: seal in cell 1, a station end
// with its approach codes, a signal, a slowdown; painted bytes everywhere
// but the last cell.
std::vector<cella> sample_row() {
  std::vector<cella> row(20);
  for (std::size_t i = 0; i + 1 < row.size(); ++i) {
    row[i].velocita_linea = 6;
    row[i].pendenza = 98;
    row[i].aderenza = 100;
  }
  row[1].valore_1 = 5121;
  row[1].valore_2 = 2290;
  row[9].preavviso = 82;
  row[11].oggetto = 10;
  row[11].valore_1 = 1;
  row[15].oggetto = 1;
  row[15].valore_4 = 14;
  row[17].oggetto = 3;
  row[17].valore_1 = 60;
  row[18].oggetto = 250;
  return row;
}

TEST(Dump, CellsTextGivesEachNonEmptyCellWithItsKindsMeaning) {
  const std::vector<cella> row = sample_row();
  std::ostringstream listed;
  cells_text(listed, row, which_cells::non_empty);
  const std::string text = listed.str();
  EXPECT_EQ(lines_starting(text, "cell "), 19u) << text;
  EXPECT_EQ(text.find("cell 19 "), std::string::npos);
  EXPECT_NE(text.find("cell 1 (~0 m): oggetto 0 nothing; seal: stamp 5121, "
                      "check code 2290\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("cell 11 (~500 m): oggetto 10 station end, entry 1\n"),
            std::string::npos);
  EXPECT_NE(text.find("cell 15 (~700 m): oggetto 1 signal\n"),
            std::string::npos);
  EXPECT_NE(text.find("cell 17 (~800 m): oggetto 3 slowdown start, 60 km/h"),
            std::string::npos);
  EXPECT_NE(text.find("cell 18 (~850 m): oggetto 250 unknown kind"),
            std::string::npos);
  EXPECT_NE(text.find("preavviso 82 (station end 2 cells ahead)"),
            std::string::npos);
  EXPECT_NE(text.find("velocita_linea 6 (30 km/h), pendenza 98 (-2 per "
                      "mille), aderenza 100"),
            std::string::npos);

  std::ostringstream all;
  cells_text(all, row, which_cells::all);
  EXPECT_NE(all.str().find("cell 19 (~900 m): oggetto 0 nothing\n"),
            std::string::npos);
}

TEST(Dump, ByDefaultOnlyCellsHoldingAnObjectAndOnlyInTheStretch) {
  const std::vector<cella> row = sample_row();
  // Which cells each listing shows, by index.
  const struct {
    which_cells which;
    dump_range range;
    std::vector<std::size_t> shown;
  } cases[] = {
      {which_cells::objects, {}, {1, 11, 15, 17, 18}},
      {which_cells::objects, {500, 800}, {11, 15, 17}},
      {which_cells::objects, {501, 799}, {15}},  // cells by their first metre
      {which_cells::objects, {0, 0}, {1}},
      {which_cells::objects, {-50, -1}, {}},
      {which_cells::all, {-50, -50}, {0}},
      {which_cells::all, {850, 2000}, {18, 19}},
      {which_cells::non_empty, {850, 2000}, {18}},
  };
  for (const auto& c : cases) {
    std::ostringstream out;
    cells_text(out, row, c.which, c.range);
    std::vector<std::size_t> shown;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) {
      if (line.starts_with("cell "))
        shown.push_back(std::stoul(line.substr(5)));
    }
    EXPECT_EQ(shown, c.shown) << c.range.from << " to " << c.range.to << "\n"
                              << out.str();
  }

  // JSON keeps every nonzero cell, so that a whole listing rebuilds the row,
  // and says which stretch a partial one covers.
  const auto j =
      nlohmann::json::parse(cells_json(row, false, {700, 800}).dump());
  EXPECT_EQ(j["from"], 700);
  EXPECT_EQ(j["to"], 800);
  ASSERT_EQ(j["cells"].size(), 3u);
  EXPECT_EQ(j["cells"][0]["index"], 15);
  EXPECT_FALSE(
      nlohmann::json::parse(cells_json(row, false).dump()).contains("from"));
}

TEST(Dump, DistancesInMetresOrKilometres) {
  const struct {
    const char* text;
    std::optional<std::int64_t> metres;
  } cases[] = {
      {"1500", 1500},           {"1500m", 1500},
      {"1.5km", 1500},          {"0", 0},
      {"12km", 12000},          {"0.0004km", 0},
      {"0.0005km", 1},          {"", std::nullopt},
      {"km", std::nullopt},     {"-5", std::nullopt},
      {"12 km", std::nullopt},  {"1e3", 1000},
      {"nan", std::nullopt},    {"5mi", std::nullopt},
      {"1e20km", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(parse_distance(c.text), c.metres) << '"' << c.text << '"';
  }
}

TEST(Dump, CellsJsonRebuildsTheRow) {
  const std::vector<cella> row = sample_row();
  for (bool all : {false, true}) {
    const auto j = nlohmann::json::parse(cells_json(row, all).dump());
    EXPECT_EQ(j.at("cells").size(), all ? 20u : 19u);
    EXPECT_EQ(cells_from_json(j), row) << "all: " << all;
  }
  const auto j = nlohmann::json::parse(cells_json(row, false).dump());
  EXPECT_EQ(j["cells"][15]["meaning"], "signal");
  EXPECT_EQ(j["cells"][15]["metro"], 700);
}

TEST(Dump, StationsShowEveryFieldAndRebuildTheTable) {
  std::array<stazione, numero_stazioni> table{};
  table[1] = {2, -200, 600, 200, 1,    "Nome Stazione", 4, -1, 2, 1, 1,
              7, 60,   0,   0,   39120};
  table[80].nome = "(m.2000    )";
  table[84] = {0, 100, 77000, 5, 0, "", 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  table[85].nome = "Orsella_Vantrona";
  table[85].numero_1 = 610;
  table[85].orario = 31000;
  table[86].nome = "4273\xe8\"\x01";  // bytes beyond ASCII and quotes

  std::ostringstream out;
  stations_text(out, table);
  const std::string text = out.str();
  EXPECT_NE(text.find("entry 1: station \"Nome Stazione\"\n"
                      "    categoria 2, inizio_area -200, fine_area 600, "
                      "progressiva 200, opzione_1 1\n"
                      "    numero_1 4, numero_2 -1, numero_3 2, numero_4 1, "
                      "numero_5 1\n"
                      "    opzione_2 7, opzione_3 60, opzione_4 0, "
                      "opzione_5 0, orario 39120 (10:52:00)\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("entry 2: empty\n"), std::string::npos);
  EXPECT_NE(text.find("entry 80: indication board \"(m.2000    )\""),
            std::string::npos);
  EXPECT_NE(text.find("means: braked mass 100 %, route length 77000 m, 5 "
                      "coaches"),
            std::string::npos);
  EXPECT_NE(text.find("stamp 610, check code 31000"), std::string::npos);
  EXPECT_NE(text.find("entry 86: train header \"4273\\xe8\\x22\\x01\""),
            std::string::npos);
  EXPECT_EQ(lines_starting(text, "entry "), 87u);

  const auto j = nlohmann::json::parse(stations_json(table).dump());
  EXPECT_EQ(j["entries"].size(), 87u);
  EXPECT_EQ(j["entries"][86]["nome"], "4273\u00e8\"\u0001");
  EXPECT_EQ(stations_from_json(j), table);
}

TEST(Dump, TrackShowsMetreXYWithElementKinds) {
  tracciato_linea t;
  t.make(3);
  t.set_intero(0, 0, 0);
  t.set_intero(0, 1, 0);
  t.set_intero(1, 0, 0);
  t.set_intero(1, 1, 1);
  t.set_reale(2, 0, -0.1);
  t.set_reale(2, 1, 1.9999999999999998);

  std::ostringstream out;
  track_text(out, t);
  EXPECT_EQ(out.str(),
            "metre, x, y\n"
            "0, int 0, int 0\n"
            "1, int 0, int 1\n"
            "2, double -0.1, double 1.9999999999999998\n"
            "3, empty, empty\n");
  std::ostringstream stretch;
  track_text(stretch, t, {1, 2});
  EXPECT_EQ(stretch.str(),
            "metre, x, y\n"
            "1, int 0, int 1\n"
            "2, double -0.1, double 1.9999999999999998\n");
  const auto part = nlohmann::json::parse(track_json(t, {2, 9}).dump());
  ASSERT_EQ(part["elements"].size(), 2u);
  EXPECT_EQ(part["elements"][0]["metro"], 2);
  EXPECT_EQ(part["from"], 2);

  const auto j = nlohmann::json::parse(track_json(t).dump());
  EXPECT_EQ(j["elements"][3]["x"], nullptr);
  EXPECT_EQ(track_from_json(j), t);
}

TEST(Dump, Latin1NamesSurviveUtf8) {
  std::string every_byte;
  for (int b = 0; b < 256; ++b) every_byte.push_back(static_cast<char>(b));
  EXPECT_EQ(utf8_to_latin1(latin1_to_utf8(every_byte)), every_byte);
  EXPECT_EQ(latin1_to_utf8("\xe8"), "\u00e8");
}

}  // namespace
}  // namespace compattatore::tool
