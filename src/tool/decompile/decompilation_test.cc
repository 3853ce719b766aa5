// Each record kind through a compile and back: a row of a small text,
// compiled as the program compiles it, decompiled, and the same row in the
// texts written (blanks aside).
#include "tool/decompile/decompilation.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "compact/driver.h"
#include "model/file_names.h"
#include "tests/memory_file_system.h"
#include "tool/decompile/round_trip.h"

namespace compattatore::tool {
namespace {

const file_names names{"in", "Prova", "7"};

std::string testo(std::initializer_list<std::string_view> righe) {
  std::string out;
  for (std::string_view r : righe) {
    out += r;
    out += "\r\n";
  }
  return out;
}

// The route text around `riga`: its general section, the row in the
// section it belongs to.
std::string linea_con(std::string_view riga, bool generale) {
  if (generale) {
    return testo(
        {"[generale]", "lunghezza percorso, 12000", riga, "[curve]", "[fine]"});
  }
  return testo(
      {"[generale]", "lunghezza percorso, 12000", "[curve]", riga, "[fine]"});
}
std::string treno_con(std::string_view riga) {
  return testo({"[generale]", riga, "[fine]"});
}

// The compiled files of the two texts, as decompile reads them.
compiled_scenario compila(const std::string& linea, const std::string& treno) {
  memory_file_system fs;
  fs.files[names.testo_linea()] = linea;
  fs.files[names.testo_treno()] = treno;
  scenario s;
  s.nome_linea = names.nome_linea;
  s.numero_treno = names.numero_treno;
  recording_report report;
  EXPECT_TRUE(compatta(
      s, 1, fs, {names.testo_linea(), names.testo_treno(), false}, report));
  compiled_scenario c;
  c.stazioni = s.stazioni;
  c.celle = s.celle;
  c.linea = vista_tracciato(s.tracciato.punti());
  return c;
}

std::string senza_spazi(std::string_view s) {
  std::string out;
  for (char ch : s) {
    if (ch != ' ' && ch != '\t') out += ch;
  }
  return out;
}

bool contiene_riga(const std::string& text, std::string_view riga) {
  const std::string cercata = senza_spazi(riga);
  std::size_t inizio = 0;
  while (inizio < text.size()) {
    std::size_t fine = text.find("\r\n", inizio);
    if (fine == std::string::npos) fine = text.size();
    if (senza_spazi(std::string_view(text).substr(inizio, fine - inizio)) ==
        cercata) {
      return true;
    }
    inizio = fine + 2;
  }
  return false;
}

struct caso {
  std::string_view riga;
  enum { generale, linea, treno } dove;
};

std::ostream& operator<<(std::ostream& o, const caso& c) { return o << c.riga; }

class RecordBack : public ::testing::TestWithParam<caso> {};

TEST_P(RecordBack, SameRowOut) {
  const caso& c = GetParam();
  const bool di_linea = c.dove != caso::treno;
  const std::string linea = di_linea
                                ? linea_con(c.riga, c.dove == caso::generale)
                                : linea_con("- nothing", false);
  const std::string treno =
      di_linea ? treno_con("- nothing") : treno_con(c.riga);
  const compiled_scenario compilato = compila(linea, treno);
  const testi_decompilati d =
      decompila(compilato, "in/Prova_7.sim", "in/Prova_linea.dat");
  const std::string& uscita = di_linea ? d.linea : d.treno;
  EXPECT_TRUE(contiene_riga(uscita, c.riga)) << uscita;
  EXPECT_TRUE(d.avvisi.empty());
  const esito_giro giro = confronta(compilato, names.nome_linea,
                                    names.numero_treno, d.linea, d.treno);
  EXPECT_EQ(giro.totale, 0u)
      << (giro.differenze.empty()
              ? std::string()
              : giro.differenze[0].dove + " " + giro.differenze[0].campo);
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, RecordBack,
    ::testing::Values(
        caso{"lunghezza percorso, 12000", caso::generale},
        caso{"progressiva chilometrica uno, 1000, 5000, 12", caso::generale},
        // A third value of 1 moves the stored end 100 m on.
        caso{"progressiva chilometrica uno, 1000, 5000, 1", caso::generale},
        caso{"sfondo due, 7", caso::generale},
        caso{"ripetizione segnali 9 codici, 500, 11000", caso::generale},
        caso{"curvas3, 1000, 500", caso::linea},
        caso{"curvad6, 2, 40", caso::linea},
        caso{"pendenza, 2500, 12", caso::linea},
        caso{"pendenza, 0, -7", caso::linea},
        caso{"montagna, 800, 2800, 11", caso::linea},
        caso{"montagna, 800, 2800, 2", caso::linea},
        caso{"indicatori_vmax, 800, 80, 80, 80, 0, , , , 0", caso::linea},
        caso{"indicatori_vmax, 800, 100, 110, 115, 1, 60, 60, 60, 2",
             caso::linea},
        caso{"cartello_indicatore, 750, (GALLERIA  )(ROCCAGRANA)", caso::linea},
        caso{"cartello_indicatore, 750, \"BIVIO, NORD\"", caso::linea},
        caso{"numero vetture, 5", caso::treno},
        caso{"percentuale massa frenata, 100", caso::treno},
        caso{"sabbia, -3", caso::treno},
        caso{"orologio, 10 51 30", caso::treno},
        caso{"aderenza, 2000, 90", caso::treno},
        caso{"velocita, 800, 85", caso::treno},
        caso{"stazione, 3100, 12, 400, 1, 0, 0, 1,1,0, 4,1,0, 1, 11,0,0, "
             "PRAVELLO",
             caso::treno},
        // Option 4 moves an ordinary area's end 50 m on, and is cleared
        // for the first station once the area has used it.
        caso{"stazione, 3100, 4, 600, 0, 0, 1, 0,0,0, 0,0,0, 0, 0,0,0, A",
             caso::treno},
        caso{"stazione, 3100, 5, 600, 0, 0, 0, 0,0,0, 0,0,0, 0, 0,0,0, B",
             caso::treno},
        caso{"stazione, 3100, 7, 300, 0, 0, 0, 0,0,0, 0,0,0, 0, 0,0,0, C",
             caso::treno},
        caso{"stazione, 3100, 26, 200, 0, 0, 0, 0,0,0, 0,0,0, 60, 23,59,59, "
             "SAN DORIANO",
             caso::treno},
        caso{"segnale, 1400, 1, 3, 4, 0, 0, 1, 2, 1, 0, 0", caso::treno},
        caso{"segnale, 5500, 2, 2, 3, 1, 0, 2, 3, 1, 0, 150", caso::treno},
        caso{"rallentamento, 6000, 60, 500, 0, 1, 0", caso::treno},
        caso{"rallentamento, 6000, 120, 1100, 1, 0, 10", caso::treno},
        // At 1500 m or before, a slowdown has no warning.
        caso{"rallentamento, 1000, 30, 200, 0, 0, 0", caso::treno},
        caso{"abbattimento, 9000, 100", caso::treno},
        caso{"abbattimento, 9000, 0", caso::treno},
        // The consistency pass's speed points are 180 km/h too: an
        // author's cap of 180 is still the author's.
        caso{"abbattimento, 9000, 180", caso::treno}));

TEST(Decompilation, SpeedPointsOfThePassAndTheSealAreLeftOut) {
  // A slowdown below 110 km/h gets points in its windows and inside it.
  const compiled_scenario c =
      compila(linea_con("- nothing", false),
              treno_con("rallentamento, 6000, 60, 1000, 0, 0, 0"));
  std::size_t punti = 0;
  for (const cella& k : c.celle) {
    if (k.is(oggetto_cella::abbattimento)) ++punti;
  }
  ASSERT_GT(punti, 2u);
  const testi_decompilati d =
      decompila(c, "in/Prova_7.sim", "in/Prova_linea.dat");
  EXPECT_EQ(d.treno.find("abbattimento"), std::string::npos) << d.treno;
  EXPECT_EQ(confronta(c, "Prova", "7", d.linea, d.treno).totale, 0u);
}

TEST(Decompilation, AStationRowCutShortEndsTheTextWhereItWas) {
  // The text ends before the station's fifth number: what was read of it
  // stays in its entry, and reading stops there.
  const compiled_scenario c =
      compila(linea_con("- nothing", false),
              "[generale]\r\nstazione, 3100, 12, 400, 1, 0, 0, 2,3,0, 4,");
  const testi_decompilati d =
      decompila(c, "in/Prova_7.sim", "in/Prova_linea.dat");
  EXPECT_EQ(confronta(c, "Prova", "7", d.linea, d.treno).totale, 0u) << d.treno;
}

TEST(Decompilation, ADamagedCellIsNamedByMetreAndField) {
  compiled_scenario c =
      compila(linea_con("- nothing", false), treno_con("- nothing"));
  c.celle[41].oggetto = 9;  // no record has this kind
  const testi_decompilati d =
      decompila(c, "in/Prova_7.sim", "in/Prova_linea.dat");
  const esito_giro giro = confronta(c, "Prova", "7", d.linea, d.treno);
  ASSERT_EQ(giro.totale, 1u);
  EXPECT_EQ(giro.differenze[0].file, "cell row");
  EXPECT_EQ(giro.differenze[0].dove, "metre 2000 (cell 41)");
  EXPECT_EQ(giro.differenze[0].campo, "oggetto");
  EXPECT_EQ(giro.differenze[0].nel_file, "9");
  EXPECT_EQ(giro.differenze[0].dai_testi, "0");
}

}  // namespace
}  // namespace compattatore::tool
