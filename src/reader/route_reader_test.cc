// The route part of reading, through memorizza_dati over an in-memory
// directory that also holds a train text with no records.
#include "reader/route_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/codici_errore.h"
#include "reader/memorizza_dati.h"
#include "tests/memory_file_system.h"

namespace compattatore {
namespace {

const std::string percorso_linea = "/dir/Linea_linea.txt";
const std::string percorso_treno = "/dir/Linea_7-.txt";
constexpr std::string_view treno_vuoto = "[generale]\r\n[fine]\r\n";

struct esito_lettura {
  scenario s;
  bool linea_resta = false;
  bool treno_resta = false;
  std::vector<std::string> log;
};

// Reads `linea` as the route text; no route text at all when nullopt.
esito_lettura leggi(std::optional<std::string_view> linea,
                    std::int32_t scrivi_tracciato = 0) {
  memory_file_system fs;
  if (linea) fs.files[percorso_linea] = std::string(*linea);
  fs.files[percorso_treno] = std::string(treno_vuoto);
  esito_lettura r;
  r.s.nome_linea = "Linea";
  r.s.numero_treno = "7";
  r.s.scrivi_tracciato = scrivi_tracciato;
  memorizza_dati(r.s, fs, testi_scenario{percorso_linea, percorso_treno, true});
  r.linea_resta = fs.files.count(percorso_linea) != 0;
  r.treno_resta = fs.files.count(percorso_treno) != 0;
  r.log = fs.log;
  return r;
}

// A route text of `lunghezza` metres whose route records start on line 4.
std::string percorso(std::string_view records,
                     std::string_view lunghezza = "1000") {
  return "[generale]\r\nlunghezza percorso, " + std::string(lunghezza) +
         "\r\n[percorso]\r\n" + std::string(records) + "[fine]\r\n";
}

std::string ripeti(int n, std::string_view riga) {
  std::string out;
  for (int i = 0; i < n; ++i) out += riga;
  return out;
}

// With 1000 m: lunghezza_estesa 8000, numero_celle 160, positions up to
// 7900 pass the range test.

TEST(RouteReader, Faults) {
  std::string ottantuno_montagne;
  for (int i = 0; i <= 80; ++i) {
    ottantuno_montagne += "montagna, " + std::to_string(200 * i) + ", " +
                          std::to_string(200 * i + 100) + ", 1\r\n";
  }
  std::string ottantuno_cartelli;
  for (int i = 0; i <= 80; ++i) {
    ottantuno_cartelli +=
        "cartello_indicatore, " + std::to_string(50 * i) + ", (X)\r\n";
  }
  struct Case {
    std::string_view name;
    std::string text;
    std::int32_t scrivi_tracciato;
    std::int32_t code;
    std::int32_t posizione;
    punto_lettura punto;
    bool linea_resta;
    bool treno_resta;
  };
  const quale_testo L = quale_testo::linea;
  // clang-format off
  const Case cases[] = {
      {"length above a million",
       "[generale]\r\nlunghezza percorso, 1000001\r\n[fine]\r\n", 0, 1, 0,
       {L, 2, 21}, false, true},
      {"negative length",
       "[generale]\r\nlunghezza percorso, -5\r\n[fine]\r\n", 0, 104, -5,
       {L, 2, 21}, false, true},
      {"repetition start",
       "[generale]\r\nlunghezza percorso, 1000\r\n"
       "ripetizione segnali 4 codici, 25, 100\r\n[fine]\r\n",
       0, 3, 0, {L, 3, 31}, false, true},
      {"repetition end",
       "[generale]\r\nlunghezza percorso, 1000\r\n"
       "ripetizione segnali 4 codici, 50, 125\r\n[fine]\r\n",
       0, 4, 0, {L, 3, 31}, false, true},
      {"repetition start tested before end",
       "[generale]\r\nlunghezza percorso, 1000\r\n"
       "ripetizione segnali 4 codici, 25, 125\r\n[fine]\r\n",
       0, 3, 0, {L, 3, 31}, false, true},
      {"repetition without 4 or 9",
       "[generale]\r\nlunghezza percorso, 1000\r\n"
       "ripetizione segnali codici, 50, 100\r\n[fine]\r\n",
       0, 5, 0, {L, 3, 29}, false, true},
      {"board cell taken",
       percorso("cartello_indicatore, 750, (A)\r\n"
                "cartello_indicatore, 750, (B)\r\n"),
       0, 6, 750, {L, 5, 22}, false, true},
      {"position beyond the row",
       percorso("pendenza, 7950, 2\r\n"), 0, 15, 7950, {L, 4, 11}, false,
       false},
      {"not a number", percorso("pendenza, 100, x\r\n"), 0, 25, 0,
       {L, 4, 16}, false, false},
      {"beyond 32 bits", percorso("pendenza, 100, 3000000000\r\n"), 0, 25, 0,
       {L, 4, 16}, false, false},
      {"value missing at the end",
       "[generale]\r\nlunghezza percorso, 1000\r\n[x]\r\npendenza, 100", 0,
       25, 0, {L, 4, 11}, false, false},
      {"indicator value beyond 16 bits",
       percorso("indicatori_vmax, 800, 80, 80, 80, 0, 2000000, , , 0\r\n"), 0,
       25, 0, {L, 4, 51}, false, false},
      {"no route length",
       "[generale]\r\nsfondo uno, 5\r\n[x]\r\npendenza, 100, 2\r\n", 0, 25, 0,
       {L, 3, 1}, false, false},
      {"no [generale]", "[curve]\r\ncurvas3, 1, 2\r\n", 0, 102, 0,
       {L, 2, 13}, false, true},
      {"[generale] as the last field", "x\r\n[generale]", 0, 102, 0,
       {L, 2, 1}, false, true},
      {"empty route text", "", 0, 102, 0, {L, 1, 1}, false, true},
      {"curve without class digit", percorso("curvas, 100, 50\r\n"), 1, 103,
       0, {L, 4, 9}, false, true},
      {"curve beyond the track line", percorso("curvad3, 7000, 1500\r\n"), 1,
       103, 7000, {L, 4, 10}, false, true},
      {"curve past a million metres",
       percorso("curvad3, 999000, 5000\r\n", "1000000"), 1, 103, 0,
       {L, 4, 10}, false, true},
      {"negative gradient position", percorso("pendenza, -50, 1\r\n"), 0, 104,
       -50, {L, 4, 11}, false, true},
      {"negative curve start", percorso("curvad3, -1, 10\r\n"), 1, 104, -1,
       {L, 4, 10}, false, true},
      {"negative montagna start", percorso("montagna, -100, 200, 1\r\n"), 0,
       104, -100, {L, 4, 11}, false, true},
      {"negative indicator position",
       percorso("indicatori_vmax, -800, 80, 80, 80, 0, , , , 0\r\n"), 0, 104,
       -800, {L, 4, 18}, false, true},
      {"negative board position",
       percorso("cartello_indicatore, -750, (A)\r\n"), 0, 104, -750,
       {L, 4, 22}, false, true},
      {"montagna ending beyond the row",
       percorso("montagna, 7800, 9000, 1\r\n"), 0, 105, 7800, {L, 4, 11},
       false, true},
      {"81st montagna", percorso(ottantuno_montagne, "20000"), 0, 106, 16000,
       {L, 84, 11}, false, true},
      {"81st indication board", percorso(ottantuno_cartelli, "5000"), 0, 107,
       4000, {L, 84, 22}, false, true},
      {"indicator cell taken",
       percorso("indicatori_vmax, 800, 80, 80, 80, 0, , , , 0\r\n"
                "indicatori_vmax, 800, 90, 90, 90, 0, , , , 0\r\n"),
       0, 21, 800, {L, 5, 18}, false, true},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const esito_lettura r = leggi(c.text, c.scrivi_tracciato);
    EXPECT_EQ(r.s.codice_errore, c.code);
    EXPECT_EQ(r.s.posizione_errore, c.posizione);
    EXPECT_EQ(r.s.punto_errore, c.punto);
    EXPECT_EQ(r.linea_resta, c.linea_resta);
    EXPECT_EQ(r.treno_resta, c.treno_resta);
  }
}

TEST(RouteReader, MissingRouteTextDeletesNothing) {
  const esito_lettura r = leggi(std::nullopt);
  EXPECT_EQ(r.s.codice_errore, 101);
  EXPECT_EQ(r.s.punto_errore, (punto_lettura{quale_testo::linea, 0, 0}));
  EXPECT_TRUE(r.treno_resta);
  for (const std::string& op : r.log) EXPECT_NE(op.rfind("remove", 0), 0u);
  EXPECT_TRUE(r.s.celle.empty());
  EXPECT_EQ(r.s.stazioni[85].nome, "Linea");
  EXPECT_EQ(r.s.stazioni[86].nome, "7");
}

TEST(RouteReader, UnreadableRouteTextFailsAndDeletesTheTrainText) {
  memory_file_system fs;
  fs.files[percorso_linea] = percorso("");
  fs.files[percorso_treno] = std::string(treno_vuoto);
  fs.failing.insert(percorso_linea);
  scenario s;
  memorizza_dati(s, fs, testi_scenario{percorso_linea, percorso_treno, true});
  EXPECT_EQ(s.codice_errore, 25);
  EXPECT_EQ(s.punto_errore, (punto_lettura{quale_testo::linea, 0, 0}));
  EXPECT_EQ(fs.files.count(percorso_treno), 0u);
}

TEST(RouteReader, GeneralRecords) {
  const esito_lettura r = leggi(
      "note before the section, 12\r\n"
      "[Generale]\r\n"
      "lunghezza percorso,    77000\r\n"
      "progressiva chilometrica uno,    100,    200,    0\r\n"
      "progressiva chilometrica due,    300,    400,    1\r\n"
      "progressiva chilometrica tre,    500,    600,    0\r\n"
      "sfondo uno,    44500\r\n"
      "sfondo due,    1\r\n"
      "sfondo tre,    7\r\n"
      "ripetizione segnali 9 codici,    50,    77000\r\n"
      "[fine]\r\n");
  EXPECT_EQ(r.s.codice_errore, 0);
  EXPECT_EQ(r.s.stazioni[84].fine_area, 77000);
  EXPECT_EQ(r.s.lunghezza_estesa, 84000);
  EXPECT_EQ(r.s.numero_celle, 1680);
  EXPECT_EQ(r.s.celle.size(), 1681u);
  EXPECT_TRUE(r.s.tracciato.empty());
  // Chainage ordered by first value; a third value 1 adds 100.
  const auto terna = [&](int e) {
    const stazione& st = r.s.stazioni[static_cast<std::size_t>(e)];
    return std::vector<std::int32_t>{st.inizio_area, st.fine_area,
                                     st.progressiva};
  };
  EXPECT_EQ(terna(81), (std::vector<std::int32_t>{500, 600, 0}));
  EXPECT_EQ(terna(82), (std::vector<std::int32_t>{300, 500, 1}));
  EXPECT_EQ(terna(83), (std::vector<std::int32_t>{100, 200, 0}));
  // Background: two goes to the third value, three to the second.
  EXPECT_EQ(terna(85), (std::vector<std::int32_t>{44500, 7, 1}));
  EXPECT_EQ(terna(86), (std::vector<std::int32_t>{50, 77000, 9}));
  EXPECT_FALSE(r.linea_resta);
  EXPECT_FALSE(r.treno_resta);
}

TEST(RouteReader, SignalRepetitionCodes) {
  struct Case {
    std::string_view row;
    std::int32_t inizio, fine, codici;
  };
  // clang-format off
  const Case cases[] = {
      {"ripetizione segnali 4 codici, 0, 77000", 0, 77000, 4},
      {"ripetizione segnali 9 codici, 0, 77000", 0, 77000, 9},
      {"ripetizione segnali 9 o 4, 0, 77000", 0, 77000, 4},
      {"ripetizione segnali 4 codici, 1000, 0", 1000, 0, 0},
      {"ripetizione segnali 9, -50, 0", -50, 0, 0},
      {"Ripetizione segnali 4 codici, 100, 200", 0, 0, 0},  // exact case
  };
  // clang-format on
  for (const Case& c : cases) {
    const esito_lettura r = leggi("[generale]\r\nlunghezza percorso, 1000\r\n" +
                                  std::string(c.row) + "\r\n[fine]\r\n");
    EXPECT_EQ(r.s.codice_errore, 0) << c.row;
    const stazione& e = r.s.stazioni[86];
    EXPECT_EQ(e.inizio_area, c.inizio) << c.row;
    EXPECT_EQ(e.fine_area, c.fine) << c.row;
    EXPECT_EQ(e.progressiva, c.codici) << c.row;
  }
}

// Keyword fields in context: the minus-sign rule, the end of the text, the
// case rules and where general records are recognised.
TEST(RouteReader, KeywordFieldRules) {
  const std::string testa = "[generale]\r\nlunghezza percorso, 1000\r\n";
  const std::string dieci_meno = ripeti(5, "-\r\n---\r\n");
  struct Case {
    std::string_view name;
    std::string text;
    std::int32_t code;
    std::int32_t lunghezza;  // entry 84 fine_area
    std::int32_t sfondo;     // entry 85 inizio_area
    std::int32_t tre;        // entry 81 inizio_area
    std::uint8_t pendenza;   // cell 0
  };
  // clang-format off
  const Case cases[] = {
      {"an eleventh minus field in the general section is tested",
       testa + dieci_meno + "-sfondo uno-, 7\r\n[fine]\r\n", 0, 1000, 7, 0,
       100},
      {"a tenth is replaced",
       testa + ripeti(9, "-\r\n") + "-sfondo uno-, 7\r\n[fine]\r\n", 0, 1000,
       0, 0, 100},
      {"a heading marked with a minus does not end the section",
       testa + dieci_meno + "-[x]\r\nsfondo uno, 7\r\n[fine]\r\n", 0, 1000, 7,
       0, 100},
      {"a heading ends the section",
       testa + "[curve]\r\nsfondo uno, 7\r\n[fine]\r\n", 0, 1000, 0, 0, 100},
      {"a field with one bracket does not end it",
       testa + "  [note\r\nsfondo uno, 7\r\n[fine]\r\n", 0, 1000, 7, 0, 100},
      {"no end-of-text test between general replacements",
       testa + "-\r\nsfondo uno", 25, 1000, 0, 0, 0},
      {"route length in capitals",
       "[generale]\r\nLUNGHEZZA PERCORSO, 2000\r\n[fine]\r\n", 0, 2000, 0, 0,
       100},
      {"chainage with a capital P is passed over with its numbers",
       testa + "Progressiva chilometrica tre, 100, 200, 0\r\n[fine]\r\n", 0,
       1000, 0, 0, 100},
      {"chainage tre", testa + "progressiva tre, 100, 200, 0\r\n[fine]\r\n",
       0, 1000, 0, 100, 100},
      {"background keywords are exact-case",
       testa + "sfondo UNO, 7\r\n[fine]\r\n", 0, 1000, 0, 0, 100},
      {"the second minus field in the route records is tested",
       percorso("-\r\n-\r\n-pendenza-, 0, 5\r\n"), 0, 1000, 0, 0, 105},
      {"a third minus field is replaced",
       percorso("-\r\n-\r\n-\r\n-pendenza-, 0, 5\r\n"), 0, 1000, 0, 0, 100},
      {"gradient keyword in capitals", percorso("PENDENZA, 0, 5\r\n"), 0, 1000,
       0, 0, 105},
      {"last record without [fine] or line end",
       testa + "[x]\r\npendenza, 0, 5", 0, 1000, 0, 0, 105},
      {"a keyword field at the end is never interpreted",
       testa + "[x]\r\npendenza\r\n", 0, 1000, 0, 0, 100},
      {"a replacement that reaches the end ends the route records",
       testa + "[x]\r\n-\r\npendenza", 0, 1000, 0, 0, 100},
      {"tabs and LF line ends",
       "[generale]\n\tlunghezza percorso\t,\t1000\n[x]\n\tpendenza\t,\t0\t,\t5"
       "\t\n[fine]\n",
       0, 1000, 0, 0, 105},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const esito_lettura r = leggi(c.text);
    EXPECT_EQ(r.s.codice_errore, c.code);
    EXPECT_EQ(r.s.stazioni[84].fine_area, c.lunghezza);
    EXPECT_EQ(r.s.stazioni[85].inizio_area, c.sfondo);
    EXPECT_EQ(r.s.stazioni[81].inizio_area, c.tre);
    ASSERT_FALSE(r.s.celle.empty());
    EXPECT_EQ(r.s.celle[0].pendenza, c.pendenza);
  }
}

std::vector<std::uint8_t> pendenze(const scenario& s) {
  std::vector<std::uint8_t> out;
  for (const cella& c : s.celle) out.push_back(c.pendenza);
  return out;
}

// Runs of equal bytes, as (first cell, last cell, value).
struct tratto {
  std::size_t da, a;
  std::uint8_t valore;
  friend bool operator==(const tratto&, const tratto&) = default;
};
std::ostream& operator<<(std::ostream& os, const tratto& t) {
  return os << t.da << ".." << t.a << "=" << int{t.valore};
}
std::vector<tratto> tratti(const std::vector<std::uint8_t>& v) {
  std::vector<tratto> out;
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (!out.empty() && out.back().valore == v[i]) {
      out.back().a = i;
    } else {
      out.push_back({i, i, v[i]});
    }
  }
  return out;
}

TEST(RouteReader, Gradients) {
  struct Case {
    std::string_view name;
    std::string_view rows;
    std::vector<tratto> cells;
  };
  // clang-format off
  const Case cases[] = {
      {"a row at 0 paints nothing; equal positions paint one cell, older value",
       "pendenza, 0, 5\r\npendenza, 500, 2\r\npendenza, 500, 7\r\n"
       "pendenza, 1000, -3\r\n",
       {{0, 9, 105}, {10, 10, 102}, {11, 19, 107}, {20, 157, 97},
        {158, 160, 0}}},
      {"no rows: level track up to the third-last cell", "",
       {{0, 157, 100}, {158, 160, 0}}},
      {"modulo 256", "pendenza, 0, -101\r\npendenza, 100, 157\r\n",
       {{0, 1, 255}, {2, 157, 1}, {158, 160, 0}}},
      {"halves round to even cells",
       "pendenza, 75, 1\r\npendenza, 125, 2\r\n",  // cells 2 and 2
       {{0, 1, 100}, {2, 2, 101}, {3, 157, 102}, {158, 160, 0}}},
      {"rows at the last position never paint past the row",
       "pendenza, 0, 1\r\npendenza, 7900, 2\r\npendenza, 7900, 3\r\n"
       "pendenza, 7900, 4\r\npendenza, 7900, 5\r\n",
       {{0, 157, 101}, {158, 158, 102}, {159, 159, 103}, {160, 160, 0}}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const esito_lettura r = leggi(percorso(c.rows));
    EXPECT_EQ(r.s.codice_errore, 0);
    EXPECT_EQ(tratti(pendenze(r.s)), c.cells);
  }
}

TEST(RouteReader, PositionBeyondTheRowStopsOnlyTheRouteRecords) {
  const esito_lettura r = leggi(
      percorso("montagna, 7900, 8000, 1\r\n"   // the last position that passes
               "pendenza, 7950, 3\r\n"         // 50 m further
               "montagna, 100, 300, 1\r\n"));  // not read
  EXPECT_EQ(r.s.codice_errore, 15);
  EXPECT_EQ(r.s.posizione_errore, 7950);
  EXPECT_EQ(r.s.celle[158].montagna, 1);
  EXPECT_EQ(r.s.celle[159].montagna, 1);
  EXPECT_EQ(r.s.celle[3].montagna, 0);
  EXPECT_EQ(r.s.conta_montagne, 1);
  // The end steps still run: gradients finished, train text read.
  EXPECT_EQ(tratti(pendenze(r.s)),
            (std::vector<tratto>{{0, 157, 100}, {158, 160, 0}}));
  EXPECT_FALSE(r.linea_resta);
  EXPECT_FALSE(r.treno_resta);
}

TEST(RouteReader, RouteLengthLimits) {
  const esito_lettura massima = leggi(percorso("", "1000000"));
  EXPECT_EQ(massima.s.codice_errore, 0);
  EXPECT_EQ(massima.s.lunghezza_estesa, 1007000);
  EXPECT_EQ(massima.s.numero_celle, 20140);
  EXPECT_EQ(massima.s.celle.size(), 20141u);
  EXPECT_FALSE(massima.treno_resta);

  // With the track line, the longest route is drawn to its third-last
  // metre: the million-metre limit binds curve rows only.
  const esito_lettura disegnata = leggi(percorso("", "1000000"), 1);
  EXPECT_EQ(disegnata.s.codice_errore, 0);
  const tracciato_linea punti = disegnata.s.tracciato.punti();
  EXPECT_EQ(punti.tipo(1006998, 1), tipo_elemento::reale);
  EXPECT_EQ(punti.valore(1006998, 1), 1006998.0);
  EXPECT_EQ(punti.tipo(1006999, 1), tipo_elemento::vuoto);

  const esito_lettura troppo = leggi(percorso("", "1000001"));
  EXPECT_EQ(troppo.s.codice_errore, 1);
  EXPECT_EQ(troppo.s.stazioni[84].fine_area, 1000001);
  EXPECT_TRUE(troppo.s.celle.empty());

  // 1025 m: 8025 / 50 = 160.5 rounds to the even 160.
  EXPECT_EQ(leggi(percorso("", "1025")).s.numero_celle, 160);
  EXPECT_EQ(leggi(percorso("", "1075")).s.numero_celle, 162);
}

TEST(RouteReader, MontagnaStretches) {
  const esito_lettura r =
      leggi(percorso("indicatori_vmax, 1100, 80, 80, 80, 0, , , , 0\r\n"
                     "montagna, 800, 2800, 12\r\n"
                     "montagna, 2900, 3100, 1\r\n"  // 100 m after: code 3
                     "montagna, 3300, 3400, 2\r\n"  // 200 m after: its own code
                     "cartello_indicatore, 900, (X)\r\n",  // on a free marker
                     "5000"));
  ASSERT_EQ(r.s.codice_errore, 0);
  EXPECT_EQ(r.s.conta_montagne, 3);
  std::vector<std::uint8_t> montagna, oggetto;
  for (std::size_t i = 15; i <= 68; ++i) {
    montagna.push_back(r.s.celle[i].montagna);
    oggetto.push_back(r.s.celle[i].oggetto);
  }
  std::vector<std::uint8_t> attesa_montagna(54, 0), atteso_oggetto(54, 0);
  for (std::size_t c = 16; c <= 55; ++c) attesa_montagna[c - 15] = 2;
  for (std::size_t c = 58; c <= 61; ++c) attesa_montagna[c - 15] = 3;
  for (std::size_t c = 66; c <= 67; ++c) attesa_montagna[c - 15] = 2;
  for (std::size_t c = 19; c <= 55; c += 4) atteso_oggetto[c - 15] = 11;
  atteso_oggetto[23 - 15] = 6;   // the indicator was there first
  atteso_oggetto[19 - 15] = 14;  // the board replaced the marker
  EXPECT_EQ(montagna, attesa_montagna);
  EXPECT_EQ(oggetto, atteso_oggetto);
  EXPECT_EQ(r.s.celle[19].valore_1, 80);
}

TEST(RouteReader, MaximumSpeedIndicators) {
  const esito_lettura r =
      leggi(percorso("indicatori_vmax, 800, 80, 80, 80, 0, , , , 0\r\n"
                     "indicatori_vmax, 1000, 80, 90, 100, 2, 62, 63, 70, 1\r\n"
                     "INDICATORI_VMAX,\t1500\t80 90 100 0 ,,,, 5\r\n"));
  ASSERT_EQ(r.s.codice_errore, 0);
  struct Case {
    std::size_t cell;
    std::int16_t v1, v2, v3, v4;
  };
  // clang-format off
  const Case cases[] = {
      {17, 1600, 1600, 1600, 0},
      {21, 1612, 1813, 2014, 21},  // 62 / 5 = 12.4, 63 / 5 = 12.6
      {31, 1600, 1800, 2000, 5},
  };
  // clang-format on
  for (const Case& c : cases) {
    const cella& cel = r.s.celle[c.cell];
    EXPECT_EQ(cel.oggetto, 6) << c.cell;
    EXPECT_EQ(cel.valore_1, c.v1) << c.cell;
    EXPECT_EQ(cel.valore_2, c.v2) << c.cell;
    EXPECT_EQ(cel.valore_3, c.v3) << c.cell;
    EXPECT_EQ(cel.valore_4, c.v4) << c.cell;
  }
}

TEST(RouteReader, IndicationBoards) {
  const esito_lettura r = leggi(percorso(
      "cartello_indicatore,  750,   (GALLERIA  )(ABCDEFGHIJ)(m.2000    )\r\n"
      "CARTELLO indicatore, 1700, (BIVIO     )(KLMNOPQRST)\r\n"
      "cartello, 1800, not a board\r\n"));
  ASSERT_EQ(r.s.codice_errore, 0);
  EXPECT_EQ(r.s.celle[16].oggetto, 14);
  EXPECT_EQ(r.s.celle[16].valore_1, 80);
  EXPECT_EQ(r.s.celle[35].oggetto, 14);
  EXPECT_EQ(r.s.celle[35].valore_1, 79);
  EXPECT_EQ(r.s.celle[37].oggetto, 0);
  EXPECT_EQ(r.s.stazioni[80].nome, "(GALLERIA  )(ABCDEFGHIJ)(m.2000    )");
  EXPECT_EQ(r.s.stazioni[79].nome, "(BIVIO     )(KLMNOPQRST)");
  EXPECT_EQ(r.s.stazioni[78].nome, "");
}

TEST(RouteReader, CurvesDrawTheTrackLine) {
  const esito_lettura r =
      leggi(percorso("curvas3, 1000, 500\r\ncurvad31, 1500, 1\r\n"), 1);
  ASSERT_EQ(r.s.codice_errore, 0);
  const tracciato_linea t = r.s.tracciato.punti();
  ASSERT_EQ(t.metri(), 8001u);
  EXPECT_EQ(t.tipo(0, 0), tipo_elemento::intero);
  EXPECT_EQ(t.tipo(1, 1), tipo_elemento::intero);
  EXPECT_EQ(t.valore(1000, 0), 0.0);
  EXPECT_EQ(t.valore(1000, 1), 1000.0);
  EXPECT_EQ(t.valore(1001, 0), 0.0 + 0.0 + -0.0004 * 1.0);
  EXPECT_LT(t.valore(1500, 0), 0.0);
  EXPECT_EQ(t.tipo(7998, 1), tipo_elemento::reale);
  EXPECT_EQ(t.tipo(7999, 0), tipo_elemento::vuoto);
  EXPECT_EQ(t.tipo(8000, 1), tipo_elemento::vuoto);

  // Class 1 wins over 3 in "curvad31": the one bent metre turns right by
  // 0.0001 times the step before it.
  const double dx = t.valore(1500, 0) - t.valore(1499, 0);
  const double dy = t.valore(1500, 1) - t.valore(1499, 1);
  EXPECT_EQ(t.valore(1501, 0), t.valore(1500, 0) + dx + 0.0001 * dy);
}

TEST(RouteReader, WithoutTrackLineCurvesChangeNothing) {
  const esito_lettura r =
      leggi(percorso("curvas3, 1000, 500\r\ncurvas, 1, 1\r\n"
                     "pendenza, 100, 2\r\n"));
  EXPECT_EQ(r.s.codice_errore, 0);
  EXPECT_TRUE(r.s.tracciato.empty());
  EXPECT_EQ(tratti(pendenze(r.s)),
            (std::vector<tratto>{{0, 1, 100}, {2, 157, 102}, {158, 160, 0}}));
}

// A route text laid out like the compiled-in one, in three spellings.
TEST(RouteReader, CompiledInShape) {
  const std::string crlf =
      "[generale]\r\n"
      "lunghezza percorso,    3000\r\n"
      "progressiva chilometrica uno,    0,    0,    0\r\n"
      "progressiva chilometrica due,    0,    0,    0\r\n"
      "progressiva chilometrica tre,    0,    0,    0\r\n"
      "sfondo uno,    44500\r\n"
      "sfondo due,    1\r\n"
      "sfondo tre,    0\r\n"
      "ripetizione segnali 4 codici,    0,    3000\r\n"
      "[curve]\r\n"
      "curvas3,  1000,  500\r\n"
      "curvad3,  1500,  200\r\n"
      "curvas4,  1700,  250\r\n"
      "[pendenze]\r\n"
      "pendenza,   0,    0\r\n"
      "pendenza,  1300,   2\r\n"
      "pendenza,  2650,   -4\r\n"
      "[montagne]\r\n"
      "montagna,   800,  1200,  11\r\n"
      "[cartelli]\r\n"
      "indicatori_vmax,  800,  80,  80,  80,  0,  ,  ,  ,  0\r\n"
      "indicatori_vmax,  2200,  95,  105,  105,  1,  ,  ,  ,  0\r\n"
      "[indicazioni]\r\n"
      "cartello_indicatore,  750,   (GALLERIA  )(ABCDEFGHIJ)(m.400     )\r\n"
      "cartello_indicatore,  1700,   (BIVIO     )(KLMNOPQRST)\r\n"
      "[fine]\r\n";
  std::string lf, tabs;
  for (char ch : crlf) {
    if (ch != '\r') lf += ch;
  }
  for (std::size_t i = 0; i < lf.size(); ++i) {
    tabs += lf[i];
    if (lf[i] != ',') continue;
    while (i + 1 < lf.size() && lf[i + 1] == ' ') ++i;
    tabs += '\t';
  }
  for (const std::string& text : {crlf, lf, tabs}) {
    const esito_lettura r = leggi(text, 1);
    const scenario& s = r.s;
    ASSERT_EQ(s.codice_errore, 0) << text;
    EXPECT_EQ(s.lunghezza_estesa, 10000);
    EXPECT_EQ(s.numero_celle, 200);
    EXPECT_EQ(tratti(pendenze(s)),
              (std::vector<tratto>{
                  {0, 25, 100}, {26, 52, 102}, {53, 197, 96}, {198, 200, 0}}));
    // Track line: integer seed, doubles up to metre 9998, two empty.
    const tracciato_linea punti = s.tracciato.punti();
    ASSERT_EQ(punti.metri(), 10001u);
    for (std::size_t m = 0; m <= 10000; ++m) {
      const tipo_elemento atteso = m <= 1      ? tipo_elemento::intero
                                   : m <= 9998 ? tipo_elemento::reale
                                               : tipo_elemento::vuoto;
      ASSERT_EQ(punti.tipo(m, 0), atteso) << m;
      ASSERT_EQ(punti.tipo(m, 1), atteso) << m;
    }
    EXPECT_EQ(punti.valore(1000, 1), 1000.0);
    EXPECT_EQ(punti.valore(1001, 0), 0.0 + 0.0 + -0.0004 * 1.0);
    // Montagna 800 to 1200: code 1 in cells 16 to 23, markers in 19, 23.
    for (std::size_t c = 15; c <= 24; ++c) {
      EXPECT_EQ(s.celle[c].montagna, c >= 16 && c <= 23 ? 1 : 0) << c;
    }
    EXPECT_EQ(s.celle[19].oggetto, 11);
    EXPECT_EQ(s.celle[23].oggetto, 11);
    EXPECT_EQ(s.celle[17].oggetto, 6);
    EXPECT_EQ(s.celle[17].valore_1, 1600);
    EXPECT_EQ(s.celle[45].oggetto, 6);
    EXPECT_EQ(s.celle[45].valore_1, 1900);
    EXPECT_EQ(s.celle[45].valore_2, 2100);
    EXPECT_EQ(s.celle[45].valore_4, 10);
    EXPECT_EQ(s.celle[16].oggetto, 14);
    EXPECT_EQ(s.celle[35].valore_1, 79);
    EXPECT_EQ(s.stazioni[80].nome, "(GALLERIA  )(ABCDEFGHIJ)(m.400     )");
    EXPECT_EQ(s.stazioni[86].progressiva, 4);
    EXPECT_EQ(s.stazioni[86].fine_area, 3000);
    EXPECT_EQ(s.stazioni[85].inizio_area, 44500);
    EXPECT_EQ(s.stazioni[85].progressiva, 1);
    EXPECT_FALSE(r.linea_resta);
    EXPECT_FALSE(r.treno_resta);
  }
}

}  // namespace
}  // namespace compattatore
