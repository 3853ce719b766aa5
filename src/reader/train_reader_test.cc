#include "reader/train_reader.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "reader/field_reader.h"
#include "reader/lettura.h"
#include "reader/memorizza_dati.h"
#include "reader/program_reporter.h"
#include "tests/cell_row.h"
#include "tests/memory_file_system.h"

namespace compattatore {
namespace {

using righe = std::vector<std::string>;

const char* const percorso_linea = "linea.txt";
const char* const percorso_treno = "treno.txt";

// The lines under a "[generale]" heading, each ended by CR LF.
std::string testo_treno(const righe& r) {
  std::string t = "[generale]\r\n";
  for (const std::string& riga : r) t += riga + "\r\n";
  return t;
}

// A station row of kind `categoria` with every option 0, due at 10:00.
std::string stazione_riga(int posizione, int categoria, int lunghezza,
                          const std::string& nome = "A") {
  return "stazione," + std::to_string(posizione) + "," +
         std::to_string(categoria) + "," + std::to_string(lunghezza) +
         ",0,0,0,0,0,0,0,0,0,0,10,0,0," + nome;
}

// A prepared model: a 77000 m route, its row of 1681 cells made, as the
// route part leaves it.
class TrainReader : public ::testing::Test {
 protected:
  TrainReader() {
    s.lunghezza_estesa = 84000;
    s.numero_celle = 1680;
    s.celle.resize(1681);
  }

  void leggi(const righe& r) { leggi_testo(testo_treno(r)); }
  void leggi_testo(const std::string& testo) {
    fs.files[percorso_treno] = testo;
    leggi_treno(l, programma);
  }
  // The row as it was before reading, with `velocita` from cell `da` to
  // cell `a` (both included).
  void velocita(std::size_t da, std::size_t a, std::uint8_t v) {
    for (std::size_t i = da; i <= a; ++i) atteso[i].velocita_linea = v;
  }
  bool treno_cancellato() const { return fs.files.count(percorso_treno) == 0; }

  scenario s;
  memory_file_system fs;
  testi_scenario testi{percorso_linea, percorso_treno, true};
  lettura l{s, fs, testi};
  program_reporter programma{s};
  std::vector<cella> atteso = std::vector<cella>(1681);
};

TEST_F(TrainReader, HeaderValues) {
  leggi({"percentuale massa frenata, 100", "numero vetture, 5", "sabbia, 1",
         "orologio,    10              51            30", "[fine]"});
  EXPECT_EQ(s.codice_errore, 0);
  EXPECT_EQ(s.stazioni[84].inizio_area, 100);
  EXPECT_EQ(s.stazioni[84].progressiva, 5);
  EXPECT_EQ(s.stazioni[86].numero_1, 1);
  EXPECT_EQ(s.stazioni[86].numero_3, 10);
  EXPECT_EQ(s.stazioni[86].numero_4, 51);
  EXPECT_EQ(s.stazioni[86].numero_5, 30);
  EXPECT_TRUE(treno_cancellato());
}

TEST(TrainReaderKeywords, CaseAndOrderOfTheTests) {
  struct Case {
    righe testo;
    std::int32_t massa, vetture;
    std::int16_t sabbia, ore, minuti, secondi;
  };
  const Case cases[] = {
      {{"MASSA Frenata, 70"}, 70, 0, 0, 0, 0, 0},
      // Both words are needed; the lone value is then a keyword field.
      {{"massa, 70", "frenata, 70"}, 0, 0, 0, 0, 0, 0},
      // Every test that matches reads its own values, in table order.
      {{"massa frenata vetture, 60, 7"}, 60, 7, 0, 0, 0, 0},
      {{"Sabbia Orologio, 3, 1, 2, 4"}, 0, 0, 4, 3, 1, 2},
      {{"[vel_limite]", "[stazioni]", "[fine]"}, 0, 0, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    scenario s;
    memory_file_system fs;
    const testi_scenario testi{percorso_linea, percorso_treno, true};
    fs.files[percorso_treno] = testo_treno(c.testo);
    lettura l(s, fs, testi);
    program_reporter programma(s);
    leggi_treno(l, programma);
    const std::string nome = c.testo.front();
    EXPECT_EQ(s.codice_errore, 0) << nome;
    EXPECT_EQ(s.stazioni[84].inizio_area, c.massa) << nome;
    EXPECT_EQ(s.stazioni[84].progressiva, c.vetture) << nome;
    EXPECT_EQ(s.stazioni[86].numero_1, c.sabbia) << nome;
    EXPECT_EQ(s.stazioni[86].numero_3, c.ore) << nome;
    EXPECT_EQ(s.stazioni[86].numero_4, c.minuti) << nome;
    EXPECT_EQ(s.stazioni[86].numero_5, c.secondi) << nome;
  }
}

TEST(TrainReaderKeywords, MinusSignAndEndOfText) {
  struct Case {
    std::string testo;
    std::int32_t vetture;
  };
  const Case cases[] = {
      {"[generale]\r\nnumero vetture, 7\r\n[fine]\r\n", 7},
      // A field with "-" gives way to the next one, twice at most.
      {"[generale]\r\n-numero vetture, 7\r\n[fine]\r\n", 0},
      {"[generale]\r\n-a,-numero vetture, 7\r\n[fine]\r\n", 0},
      {"[generale]\r\n-a,-b,-numero vetture, 7\r\n[fine]\r\n", 7},
      {"[generale]\r\n- commento\r\nnumero vetture, 7\r\n", 7},
      // The last field of the text is never interpreted, not even when it
      // replaces a field with "-".
      {"[generale]\r\nnumero vetture\r\n", 0},
      {"[generale]\r\n-x,numero vetture", 0},
      // A last row without a line end is still read.
      {"[generale]\r\nnumero vetture, 7", 7},
      // Nothing before the heading is read; no heading, nothing at all.
      {"numero vetture, 5\r\n[Generale]\r\nnumero vetture, 7\r\n", 7},
      {"numero vetture, 5\r\n[fine]\r\n", 0},
      {"", 0},
  };
  for (const Case& c : cases) {
    scenario s;
    memory_file_system fs;
    const testi_scenario testi{percorso_linea, percorso_treno, true};
    fs.files[percorso_treno] = c.testo;
    lettura l(s, fs, testi);
    program_reporter programma(s);
    leggi_treno(l, programma);
    EXPECT_EQ(s.codice_errore, 0) << c.testo;
    EXPECT_EQ(s.stazioni[84].progressiva, c.vetture) << c.testo;
    EXPECT_EQ(fs.files.count(percorso_treno), 0u) << c.testo;
  }
}

TEST_F(TrainReader, LineSpeedsAndAdhesionOfTheScenario) {
  leggi({"[aderenze]", "aderenza, 0, 100", "[vel_limite]", "velocita, 0, 30",
         "velocita, 800, 80", "[fine]"});
  EXPECT_EQ(s.codice_errore, 0);
  velocita(0, 15, 6);
  velocita(16, 1677, 16);
  for (std::size_t i = 0; i <= 1677; ++i) atteso[i].aderenza = 100;
  EXPECT_EQ(differenze(s.celle, atteso), "");
}

TEST(TrainReaderFills, StepwiseLineSpeeds) {
  struct Tratto {
    std::size_t da, a;
    std::uint8_t v;
  };
  struct Case {
    const char* name;
    righe testo;
    std::vector<Tratto> tratti;
  };
  const Case cases[] = {
      {"a second row at the same position paints one cell",
       {"velocita,0,30", "velocita,800,80", "velocita,800,100"},
       {{0, 15, 6}, {16, 16, 16}, {17, 1677, 20}}},
      {"speeds round to the nearest 5 km/h",
       {"velocita,0,12", "velocita,100,13", "velocita,200,1275"},
       {{0, 1, 2}, {2, 3, 3}, {4, 1677, 255}}},
      {"before the first row the speed is 0",
       {"velocita,400,50"},
       {{8, 1677, 10}}},
      {"a last row at the range limit still paints one closing cell",
       {"velocita,0,100", "velocita,83900,50"},
       {{0, 1677, 20}, {1678, 1678, 10}}},
      {"a negative speed that rounds to 0",
       {"velocita,0,-2", "velocita,100,5"},
       {{2, 1677, 1}}},
  };
  for (const Case& c : cases) {
    scenario s;
    s.numero_celle = 1680;
    s.celle.resize(1681);
    memory_file_system fs;
    const testi_scenario testi{percorso_linea, percorso_treno, true};
    fs.files[percorso_treno] = testo_treno(c.testo);
    lettura l(s, fs, testi);
    program_reporter programma(s);
    leggi_treno(l, programma);
    std::vector<cella> atteso(1681);
    for (const Tratto& t : c.tratti) {
      for (std::size_t i = t.da; i <= t.a; ++i) atteso[i].velocita_linea = t.v;
    }
    EXPECT_EQ(s.codice_errore, 0) << c.name;
    EXPECT_EQ(differenze(s.celle, atteso), "") << c.name;
  }
}

TEST_F(TrainReader, AdhesionKeepsItsLowByte) {
  leggi({"aderenza,0,300", "aderenza,100,-1", "aderenza,100,7"});
  for (std::size_t i = 0; i <= 1; ++i) atteso[i].aderenza = 44;
  atteso[2].aderenza = 255;
  for (std::size_t i = 3; i <= 1677; ++i) atteso[i].aderenza = 7;
  EXPECT_EQ(differenze(s.celle, atteso), "");
}

TEST_F(TrainReader, SignalAndSlowdownValuesInTextOrder) {
  leggi({"segnale,1400,2,3,4,5,6,1,7,8,9,150",
         "rallentamento,3000,60,400,2,1,30"});
  EXPECT_EQ(s.codice_errore, 0);
  atteso[29] = {.oggetto = 1,
                .valore_1 = 37,
                .valore_2 = 48,
                .valore_3 = 59,
                .valore_4 = 67,
                .tempo_segnale = 150};
  atteso[27].preavviso = 71;
  atteso[25].preavviso = 72;
  atteso[23].preavviso = 73;
  atteso[21].preavviso = 74;
  atteso[33] = {.oggetto = 5, .valore_1 = 4, .valore_2 = 4};
  atteso[34] = {.oggetto = 5, .valore_1 = 3, .valore_2 = 3};
  atteso[35] = {.oggetto = 5, .valore_1 = 2, .valore_2 = 2};
  atteso[36] = {.oggetto = 5, .valore_1 = 1, .valore_2 = 1};
  atteso[37] = {.oggetto = 4, .valore_1 = 60, .valore_2 = 30};
  atteso[61] = {.oggetto = 3, .valore_1 = 60, .valore_2 = 30, .valore_3 = 2};
  atteso[69] = {.oggetto = 2, .valore_1 = 60, .valore_2 = 30, .valore_3 = 2};
  EXPECT_EQ(differenze(s.celle, atteso), "");
}

TEST(TrainReaderSpeedCaps, CellAndValue) {
  struct Case {
    const char* riga;
    std::size_t c;
    cella prima, dopo;
  };
  const cella vuota{};
  const Case cases[] = {
      {"abbattimento,4000,180", 80, vuota, {.oggetto = 12, .valore_1 = 180}},
      {"abbattimento,4000,70000", 80, vuota, {.oggetto = 12, .valore_1 = 4464}},
      {"abbattimento,4000,-5", 80, vuota, {.oggetto = 13}},
      // Without a speed the cell keeps its valore_1; a montagna marker is
      // a free cell.
      {"abbattimento,4000,0",
       80,
       {.oggetto = 11, .valore_1 = 9, .montagna = 1},
       {.oggetto = 13, .valore_1 = 9, .montagna = 1}},
      {"abbattimento,4025,100", 80, vuota, {.oggetto = 12, .valore_1 = 100}},
      {"abbattimento,4075,100", 82, vuota, {.oggetto = 12, .valore_1 = 100}},
      {"abbattimento,0,100", 0, vuota, {.oggetto = 12, .valore_1 = 100}},
      {"abbattimento,83900,100", 1678, vuota, {.oggetto = 12, .valore_1 = 100}},
  };
  for (const Case& c : cases) {
    scenario s;
    s.numero_celle = 1680;
    s.celle.resize(1681);
    s.celle[c.c] = c.prima;
    memory_file_system fs;
    const testi_scenario testi{percorso_linea, percorso_treno, true};
    fs.files[percorso_treno] = testo_treno({c.riga});
    lettura l(s, fs, testi);
    program_reporter programma(s);
    leggi_treno(l, programma);
    std::vector<cella> atteso(1681);
    atteso[c.c] = c.dopo;
    EXPECT_EQ(s.codice_errore, 0) << c.riga;
    EXPECT_EQ(differenze(s.celle, atteso), "") << c.riga;
  }
}

TEST_F(TrainReader, FirstStationOfTheScenario) {
  leggi(
      {"stazione,    200,  2,  800,  0, 0, 0,  0,0,0,  0,0,0,    0,   8, "
       "5, 0, Stazione Uno"});
  EXPECT_EQ(s.codice_errore, 0);
  const stazione& e = s.stazioni[1];
  EXPECT_EQ(e.progressiva, 200);
  EXPECT_EQ(e.categoria, 2);
  EXPECT_EQ(e.inizio_area, -200);
  EXPECT_EQ(e.fine_area, 600);
  EXPECT_EQ(e.orario, 29100);
  EXPECT_EQ(e.nome, "Stazione Uno");
  atteso[10].preavviso = 81;
  atteso[9].preavviso = 82;
  atteso[8].preavviso = 83;
  atteso[7].preavviso = 84;
  atteso[11] = {.oggetto = 10, .valore_1 = 1};
  EXPECT_EQ(differenze(s.celle, atteso), "");
}

TEST_F(TrainReader, FirstStationUsesThenClearsItsOptions) {
  // opzione_5 1, opzione_4 1: the area reaches 50 m further.
  leggi({"stazione,200,2,800,0,1,1,0,0,0,0,0,0,0,10,0,0,A"});
  const stazione& e = s.stazioni[1];
  EXPECT_EQ(e.inizio_area, -200);
  EXPECT_EQ(e.fine_area, 650);
  EXPECT_EQ(e.opzione_4, 0);
  EXPECT_EQ(e.opzione_5, 0);
  atteso[11].preavviso = 81;
  atteso[10].preavviso = 82;
  atteso[9].preavviso = 83;
  atteso[8].preavviso = 84;
  atteso[12] = {.oggetto = 10, .valore_1 = 1};
  EXPECT_EQ(differenze(s.celle, atteso), "");
}

TEST_F(TrainReader, EveryStationValueGoesToItsField) {
  leggi({stazione_riga(200, 2, 800),
         "stazione, 5000, 2, 800, 11, 12, 13, 1400,1500,16, 1700,1800,1900, "
         "20, 10, 51, 30, Nome-Due Tre"});
  EXPECT_EQ(s.codice_errore, 0);
  stazione atteso_2;
  atteso_2.categoria = 2;
  atteso_2.inizio_area = 4600;
  atteso_2.fine_area = 5450;
  atteso_2.progressiva = 5000;
  atteso_2.opzione_1 = 11;
  atteso_2.nome = "Nome-Due Tre";
  atteso_2.numero_1 = 1400;
  atteso_2.numero_2 = 1500;
  atteso_2.numero_3 = 1700;
  atteso_2.numero_4 = 1800;
  atteso_2.numero_5 = 1900;
  atteso_2.opzione_2 = 16;
  atteso_2.opzione_3 = 20;
  atteso_2.opzione_4 = 13;
  atteso_2.opzione_5 = 12;
  atteso_2.orario = 39090;
  EXPECT_EQ(s.stazioni[2], atteso_2);
  EXPECT_EQ(s.celle[108], (cella{.oggetto = 10, .valore_1 = 2}));
  EXPECT_EQ(s.celle[107].preavviso, 81);
  EXPECT_EQ(s.celle[104].preavviso, 84);
}

TEST(TrainReaderStations, AreaAndCellsByKind) {
  struct Case {
    int categoria;
    std::int32_t inizio_area, fine_area;
    int opzione_4;
    std::size_t fine;       // end marker cell, 0 for none
    std::size_t preavviso;  // cell of code 81, 0 for none
  };
  // A second station at 5000 m, 400 m long, opzione_4 and opzione_5 1.
  const Case cases[] = {
      {2, 4800, 5250, 1, 104, 103}, {24, 4800, 5250, 1, 104, 103},
      {5, 4600, 5150, 0, 102, 0},   {6, 4600, 5150, 0, 102, 0},
      {7, 4600, 5400, 0, 107, 106}, {8, 4600, 5400, 0, 107, 106},
      {25, 4800, 5250, 1, 0, 0},    {26, 4800, 5250, 1, 0, 0},
  };
  for (const Case& c : cases) {
    scenario s;
    s.numero_celle = 1680;
    s.celle.resize(1681);
    memory_file_system fs;
    const testi_scenario testi{percorso_linea, percorso_treno, true};
    fs.files[percorso_treno] =
        testo_treno({stazione_riga(200, 2, 800),
                     "stazione,5000," + std::to_string(c.categoria) +
                         ",400,0,1,1,0,0,0,0,0,0,0,10,0,0,B"});
    lettura l(s, fs, testi);
    program_reporter programma(s);
    leggi_treno(l, programma);

    const stazione& e = s.stazioni[2];
    EXPECT_EQ(s.codice_errore, 0) << c.categoria;
    EXPECT_EQ(e.categoria, c.categoria);
    EXPECT_EQ(e.inizio_area, c.inizio_area) << c.categoria;
    EXPECT_EQ(e.fine_area, c.fine_area) << c.categoria;
    EXPECT_EQ(e.opzione_4, c.opzione_4) << c.categoria;
    EXPECT_EQ(e.opzione_5, 0) << c.categoria;  // shorter than 600 m

    std::vector<cella> atteso(1681);
    for (std::size_t k = 1; k <= 4; ++k) {
      atteso[11 - k].preavviso = static_cast<std::uint8_t>(80 + k);
    }
    atteso[11] = {.oggetto = 10, .valore_1 = 1};
    if (c.fine != 0) atteso[c.fine] = {.oggetto = 10, .valore_1 = 2};
    if (c.preavviso != 0) {
      for (std::size_t k = 1; k <= 4; ++k) {
        atteso[c.preavviso + 1 - k].preavviso =
            static_cast<std::uint8_t>(80 + k);
      }
    }
    EXPECT_EQ(differenze(s.celle, atteso), "") << c.categoria;
  }
}

TEST_F(TrainReader, StationMarksOverwriteWhatTheCellsHeld) {
  leggi({"segnale,600,1,0,0,0,0,0,0,0,0,0", "abbattimento,550,180",
         stazione_riga(200, 2, 800)});
  EXPECT_EQ(s.codice_errore, 0);
  atteso[13] = {.oggetto = 1, .valore_4 = 3};
  atteso[11] = {.oggetto = 10, .valore_1 = 1, .preavviso = 31};
  atteso[10].preavviso = 81;
  atteso[9].preavviso = 82;
  atteso[8].preavviso = 83;
  atteso[7].preavviso = 84;
  atteso[5].preavviso = 34;
  EXPECT_EQ(differenze(s.celle, atteso), "");
}

TEST_F(TrainReader, StationEndMarkerInTheLastCell) {
  // 42050 + 42000 ends the area at 84050 m: marker in cell 1680.
  leggi({stazione_riga(42050, 7, 42000)});
  EXPECT_EQ(s.codice_errore, 0);
  EXPECT_EQ(s.celle[1680], (cella{.oggetto = 10, .valore_1 = 1}));
  EXPECT_EQ(s.celle[1676].preavviso, 84);
}

TEST_F(TrainReader, StationEndMarkerBeyondTheRowPaintsNothing) {
  leggi({stazione_riga(42100, 7, 42000)});
  EXPECT_EQ(s.codice_errore, 110);
  EXPECT_EQ(s.posizione_errore, 42100);
  EXPECT_EQ(s.stazioni[1].fine_area, 84100);
  EXPECT_EQ(differenze(s.celle, atteso), "");
}

TEST(TrainReaderStations, AreasAtLeast350mApart) {
  struct Case {
    std::int32_t seconda;
    std::int32_t code;
  };
  // The first area ends at 600 m; the second begins 400 m before its
  // position.
  const Case cases[] = {{1350, 0}, {1300, 22}};
  for (const Case& c : cases) {
    scenario s;
    s.numero_celle = 1680;
    s.celle.resize(1681);
    s.posizione_errore = -1;
    memory_file_system fs;
    const testi_scenario testi{percorso_linea, percorso_treno, true};
    fs.files[percorso_treno] =
        testo_treno({stazione_riga(200, 2, 800),
                     stazione_riga(c.seconda, 2, 800), "numero vetture,5"});
    lettura l(s, fs, testi);
    program_reporter programma(s);
    leggi_treno(l, programma);
    EXPECT_EQ(s.codice_errore, c.code) << c.seconda;
    EXPECT_EQ(s.posizione_errore, c.code == 0 ? -1 : c.seconda);
    EXPECT_EQ(s.stazioni[84].progressiva, c.code == 0 ? 5 : 0);
    // The second station stays stored and marked.
    EXPECT_EQ(s.stazioni[2].progressiva, c.seconda);
    const std::size_t fine = static_cast<std::size_t>(c.seconda / 50 + 7);
    EXPECT_EQ(s.celle[fine], (cella{.oggetto = 10, .valore_1 = 2}));
  }
}

TEST(TrainReaderStations, StationsStopBeforeTheBoards) {
  struct Case {
    std::int32_t posto_cartello;
    int stazioni;
    std::int32_t code;
  };
  // 15 boards leave the slot at 65.
  const Case cases[] = {{65, 63, 0}, {65, 64, 10}, {65, 65, 10}, {80, 64, 0}};
  for (const Case& c : cases) {
    scenario s;
    s.numero_celle = 1680;
    s.celle.resize(1681);
    memory_file_system fs;
    const testi_scenario testi{percorso_linea, percorso_treno, true};
    righe r;
    for (int i = 0; i < c.stazioni; ++i) {
      r.push_back(stazione_riga(1000 + 500 * i, 26, 100));
    }
    fs.files[percorso_treno] = testo_treno(r);
    lettura l(s, fs, testi);
    program_reporter programma(s);
    l.posto_cartello = c.posto_cartello;
    leggi_treno(l, programma);
    const std::string nome =
        std::to_string(c.posto_cartello) + " " + std::to_string(c.stazioni);
    EXPECT_EQ(s.codice_errore, c.code) << nome;
    EXPECT_EQ(s.posizione_errore, 0) << nome;
    EXPECT_EQ(s.stazioni[64].progressiva, c.stazioni >= 64 ? 32500 : 0) << nome;
    EXPECT_EQ(s.stazioni[65].progressiva, 0) << nome;
  }
}

TEST(TrainReaderFaults, CodePositionAndWhereReadingStopped) {
  struct Case {
    const char* name;
    righe testo;  // from line 3
    std::int32_t code, posizione;
    std::int32_t riga, colonna;
    bool morbido;  // the closing steps still run
    std::int32_t posto_cartello = 80;
  };
  const std::string s_200 = stazione_riga(200, 2, 800);
  const std::string segnale = "segnale,1400,1,0,0,0,0,0,0,0,0,0";
  const std::string rallentamento = "rallentamento,3000,60,400,0,1,0";
  // clang-format off
  const Case cases[] = {
      {"speed cap cell taken",
       {"abbattimento,4000,180", "abbattimento,4000,0"}, 7, 4000, 4, 14,
       false},
      {"station position", {stazione_riga(225, 2, 800)}, 8, 225, 3, 10, false},
      {"station length", {stazione_riga(200, 2, 750)}, 9, 200, 3, 10, false},
      {"too many stations", {s_200}, 10, -1, 3, 10, false, 2},
      {"line speed beyond the row", {"velocita,83950,50"}, 15, 83950, 3, 10,
       true},
      {"adhesion beyond the row", {"aderenza,83950,5"}, 15, 83950, 3, 10,
       true},
      {"signal beyond the row", {"segnale,83950,1,0,0,0,0,0,0,0,0,0"}, 15,
       83950, 3, 9, true},
      {"slowdown beyond the row", {"rallentamento,83950,60,0,0,0,0"}, 15,
       83950, 3, 15, true},
      {"speed cap beyond the row", {"abbattimento,83950,100"}, 15, 83950, 3,
       14, true},
      {"station beyond the row", {stazione_riga(83250, 26, 100)}, 15, 83250,
       3, 10, true},
      {"signal cell taken", {segnale, segnale}, 16, 1400, 4, 9, false},
      {"slowdown warning cell taken", {"abbattimento,1850,1", rallentamento},
       17, 3000, 4, 15, false},
      {"slowdown start cell taken", {"abbattimento,3050,1", rallentamento}, 18,
       3000, 4, 15, false},
      {"slowdown end cell taken", {"abbattimento,3450,1", rallentamento}, 19,
       3000, 4, 15, false},
      {"slowdown approach cell taken", {"abbattimento,1700,1", rallentamento},
       20, 3000, 4, 15, false},
      {"stations 300 m apart", {s_200, stazione_riga(1300, 2, 800)}, 22, 1300,
       4, 10, false},
      {"station end too near the start", {stazione_riga(0, 2, 200)}, 24, -1,
       3, 10, false},
      {"negative line speed position", {"velocita,-50,80"}, 104, -50, 3, 10,
       false},
      {"negative adhesion position", {"aderenza,-50,5"}, 104, -50, 3, 10,
       false},
      {"negative signal position", {"segnale,-50,1,0,0,0,0,0,0,0,0,0"}, 104,
       -50, 3, 9, false},
      {"negative slowdown position", {"rallentamento,-50,60,400,0,0,0"}, 104,
       -50, 3, 15, false},
      {"negative speed cap position", {"abbattimento,-50,100"}, 104, -50, 3,
       14, false},
      {"negative station position", {stazione_riga(-50, 2, 800)}, 104, -50, 3,
       10, false},
      {"signal before 350 m", {"segnale,300,1,0,0,0,0,0,0,0,0,0"}, 108, 300, 3,
       9, false},
      {"slowdown end beyond the row", {"rallentamento,1000,60,83000,0,0,0"},
       109, 1000, 3, 15, false},
      {"station end marker beyond the row", {stazione_riga(42100, 7, 42000)},
       110, 42100, 3, 10, false},
  };
  // clang-format on
  for (const Case& c : cases) {
    scenario s;
    s.numero_celle = 1680;
    s.celle.resize(1681);
    s.posizione_errore = -1;
    memory_file_system fs;
    const testi_scenario testi{percorso_linea, percorso_treno, true};
    righe r = {"velocita,0,100"};
    r.insert(r.end(), c.testo.begin(), c.testo.end());
    r.push_back("numero vetture,9");
    fs.files[percorso_treno] = testo_treno(r);
    lettura l(s, fs, testi);
    program_reporter programma(s);
    l.posto_cartello = c.posto_cartello;
    leggi_treno(l, programma);

    EXPECT_EQ(s.codice_errore, c.code) << c.name;
    EXPECT_EQ(s.posizione_errore, c.posizione) << c.name;
    EXPECT_EQ(s.punto_errore,
              (punto_lettura{quale_testo::treno, c.riga, c.colonna}))
        << c.name;
    EXPECT_EQ(fs.files.count(percorso_treno), 0u) << c.name;
    EXPECT_EQ(s.stazioni[84].progressiva, 0) << c.name << ": read on";
    EXPECT_EQ(s.celle[1600].velocita_linea, c.morbido ? 20 : 0) << c.name;
  }
}

TEST(TrainReaderChainage, MultiplesOf50AfterTheTrainText) {
  struct Case {
    // Entry 81's inizio_area, entries 82 and 83's fine_area.
    std::int32_t tre, due, uno;
    std::int32_t prima;  // codice_errore on entry
    std::int32_t code;
  };
  const Case cases[] = {
      {0, 0, 0, 0, 0},     {25, 0, 0, 0, 2},  {0, 0, 75, 0, 2},
      {-50, 100, 0, 0, 0}, {0, 10, 0, 15, 2}, {0, 0, 0, 15, 15},
  };
  for (const Case& c : cases) {
    scenario s;
    s.numero_celle = 1680;
    s.celle.resize(1681);
    s.codice_errore = c.prima;
    s.stazioni[81].inizio_area = c.tre;
    s.stazioni[82].fine_area = c.due;
    s.stazioni[83].fine_area = c.uno;
    memory_file_system fs;
    const testi_scenario testi{percorso_linea, percorso_treno, true};
    fs.files[percorso_treno] = testo_treno({"numero vetture,5"});
    lettura l(s, fs, testi);
    program_reporter programma(s);
    leggi_treno(l, programma);
    EXPECT_EQ(s.codice_errore, c.code);
    EXPECT_EQ(s.stazioni[84].progressiva, 5);
    if (c.code == 2) {
      EXPECT_EQ(s.punto_errore, (punto_lettura{quale_testo::linea, 0, 0}));
    }
  }
}

TEST_F(TrainReader, AfterARouteSoftFaultTheTrainTextIsReadToItsEnd) {
  s.codice_errore = 15;
  s.posizione_errore = 90000;
  s.punto_errore = {quale_testo::linea, 7, 12};
  leggi({"velocita,0,100", "segnale,1400,1,3,4,0,0,1,2,1,0,0",
         "rallentamento,3000,60,400,0,1,0", "abbattimento,4000,180",
         stazione_riga(200, 2, 800), "numero vetture,5", "[fine]"});
  EXPECT_EQ(s.codice_errore, 15);
  EXPECT_EQ(s.posizione_errore, 90000);
  EXPECT_EQ(s.punto_errore, (punto_lettura{quale_testo::linea, 7, 12}));
  EXPECT_EQ(s.celle[29].oggetto, 1);
  EXPECT_EQ(s.celle[33].oggetto, 5);
  EXPECT_EQ(s.celle[61].oggetto, 3);
  EXPECT_EQ(s.celle[80].oggetto, 12);
  EXPECT_EQ(s.celle[11].oggetto, 10);
  EXPECT_EQ(s.stazioni[1].progressiva, 200);
  EXPECT_EQ(s.stazioni[84].progressiva, 5);
  EXPECT_EQ(s.celle[1677].velocita_linea, 20);
  EXPECT_TRUE(treno_cancellato());
}

TEST(TrainReaderFailures, UnexpectedFailuresThrow) {
  const righe cases[] = {
      // A speed is converted when it is painted: by the next row, or by
      // the closing fill.
      {"velocita,0,1276", "velocita,800,100"},
      {"velocita,0,1276"},
      {"velocita,0,-3"},
      {"numero vetture, cinque"},
      {"numero vetture,2147483648"},
      {"sabbia,32768"},
      {"sabbia,-32769"},
      {"orologio,10 51 32768"},
      {"stazione,5000,256,800,0,0,0,0,0,0,0,0,0,0,10,0,0,A"},
      {"stazione,5000,2,800,256,0,0,0,0,0,0,0,0,0,10,0,0,A"},
      {"stazione,5000,2,800,0,0,0,32768,0,0,0,0,0,0,10,0,0,A"},
      {"stazione,5000,2,800,0,0,0,0,0,0,0,0,0,256,10,0,0,A"},
      {"stazione,5000,2,800,0,0,0,0,0,0,0,0,0,0,1000000,0,0,A"},
      {"stazione,1000,7,2147483600,0,0,0,0,0,0,0,0,0,0,10,0,0,A"},
      {"stazione,200,2"},
      {"segnale,1400,1,3"},
      {"abbattimento,2147483647,5"},
  };
  for (const righe& r : cases) {
    scenario s;
    s.numero_celle = 1680;
    s.celle.resize(1681);
    memory_file_system fs;
    const testi_scenario testi{percorso_linea, percorso_treno, true};
    fs.files[percorso_treno] = testo_treno(r);
    lettura l(s, fs, testi);
    program_reporter programma(s);
    EXPECT_THROW(leggi_treno(l, programma), read_failure) << r.front();
  }
}

TEST_F(TrainReader, WidestValuesThatFit) {
  leggi({"velocita,0,1275", "velocita,100,0", "sabbia,-32768",
         "orologio,32767 0 -1",
         "stazione,5000,255,800,255,0,0,32767,-32768,0,0,0,0,255,596523,14,"
         "7,A"});
  EXPECT_EQ(s.codice_errore, 0);
  EXPECT_EQ(s.celle[1].velocita_linea, 255);
  EXPECT_EQ(s.celle[2].velocita_linea, 0);
  EXPECT_EQ(s.stazioni[86].numero_1, -32768);
  EXPECT_EQ(s.stazioni[86].numero_3, 32767);
  EXPECT_EQ(s.stazioni[86].numero_5, -1);
  EXPECT_EQ(s.stazioni[1].categoria, 255);
  EXPECT_EQ(s.stazioni[1].numero_1, 32767);
  EXPECT_EQ(s.stazioni[1].numero_2, -32768);
  EXPECT_EQ(s.stazioni[1].opzione_3, 255);
  EXPECT_EQ(s.stazioni[1].orario, 2147483647);
}

TEST_F(TrainReader, MissingTrainTextThrows) {
  EXPECT_THROW(leggi_treno(l, programma), file_error);
}

// Through the reader's entry: what stays on disk, and the clean-up.
TEST(TrainReaderRun, TextsDeletedAndFailuresCleanedUp) {
  struct Case {
    const char* name;
    std::optional<std::string> treno;
    bool cancella;
    std::int32_t code;
    punto_lettura punto;
    std::set<std::string> restano;
  };
  const std::string ok = "[generale]\r\nnumero vetture,5\r\n[fine]\r\n";
  const std::string illeggibile = "[generale]\r\nnumero vetture,cinque\r\n";
  const Case cases[] = {
      {"read to its end", ok, true, 0, {}, {}},
      {"hard fault",
       "[generale]\r\nabbattimento,4000,1\r\nabbattimento,4000,1\r\n",
       true,
       7,
       {quale_testo::treno, 3, 14},
       {}},
      {"unreadable number",
       illeggibile,
       true,
       25,
       {quale_testo::treno, 2, 16},
       {}},
      {"speed beyond 1275 km/h in the closing fill",
       "[generale]\r\nvelocita, 0, 1300\r\n[fine]\r\n",
       true,
       25,
       {quale_testo::treno, 2, 11},
       {}},
      {"missing train text",
       std::nullopt,
       true,
       25,
       {quale_testo::treno, 0, 0},
       {}},
      {"texts kept", ok, false, 0, {}, {percorso_linea, percorso_treno}},
      {"texts kept after a failure",
       illeggibile,
       false,
       25,
       {quale_testo::treno, 2, 16},
       {percorso_linea, percorso_treno}},
  };
  for (const Case& c : cases) {
    scenario s;
    s.nome_linea = "Linea";
    s.numero_treno = "1";
    // The row the route text below makes.
    s.lunghezza_estesa = 84000;
    s.numero_celle = 1680;
    s.celle.resize(1681);
    memory_file_system fs;
    fs.files[percorso_linea] =
        "[generale]\r\nlunghezza percorso, 77000\r\n[fine]\r\n";
    if (c.treno) fs.files[percorso_treno] = *c.treno;
    memorizza_dati(s, fs, {percorso_linea, percorso_treno, c.cancella});

    std::set<std::string> restano;
    for (const auto& [path, bytes] : fs.files) restano.insert(path);
    EXPECT_EQ(s.codice_errore, c.code) << c.name;
    EXPECT_EQ(s.punto_errore, c.punto) << c.name;
    EXPECT_EQ(restano, c.restano) << c.name;
  }
}

}  // namespace
}  // namespace compattatore
