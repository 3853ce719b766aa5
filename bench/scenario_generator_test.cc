#include "bench/scenario_generator.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "compact/driver.h"
#include "model/file_names.h"
#include "model/scenario.h"
#include "tests/memory_file_system.h"

namespace compattatore {
namespace {

std::int32_t conta(const scenario& s, oggetto_cella kind) {
  std::int32_t n = 0;
  for (const cella& c : s.celle) n += c.is(kind) ? 1 : 0;
  return n;
}

// Each length compiles without a fault and every route marker it wrote is
// in the row: a pattern that put two markers in one cell, or a board past
// the station table's room, would show here.
TEST(ScenarioGeneratorTest, LongRoutesCompileWithoutFault) {
  for (const std::int32_t lunghezza : {2000, 10000, 100000, 1000000}) {
    SCOPED_TRACE(lunghezza);
    const scenario_generato g = genera_scenario(lunghezza);
    memory_file_system fs;
    recording_report report;
    const file_names names{"/g", "Generata", "9000"};
    fs.files[names.testo_linea()] = g.linea;
    fs.files[names.testo_treno()] = g.treno;
    scenario s;
    s.nome_linea = names.nome_linea;
    s.numero_treno = names.numero_treno;
    memorizza_percorso(s, 1, fs, names, report);

    EXPECT_EQ(s.codice_errore, 0) << "at " << s.posizione_errore << " m";
    EXPECT_TRUE(report.numbers.empty());
    EXPECT_EQ(s.stazioni[stazione_testata_treno_linea].fine_area, lunghezza);
    EXPECT_EQ(s.tracciato.metri(),
              static_cast<std::size_t>(lunghezza) + 7000 + 1);
    EXPECT_EQ(conta(s, oggetto_cella::indicatore_v_max), g.conteggi.indicatori);
    EXPECT_EQ(conta(s, oggetto_cella::cartello_indicatore),
              g.conteggi.cartelli);
    EXPECT_EQ(s.conta_montagne, g.conteggi.montagne);
    EXPECT_LE(g.conteggi.montagne, 80);
    EXPECT_LE(g.conteggi.stazioni + g.conteggi.cartelli, 78);
    EXPECT_TRUE(fs.files.contains(names.file_linea()));
  }
}

TEST(ScenarioGeneratorTest, DenseAtOneThousandKilometres) {
  const conteggi_generati n = genera_scenario(1000000).conteggi;
  EXPECT_GE(n.curve, 3000);
  EXPECT_GE(n.pendenze, 1000);
  EXPECT_GE(n.segnali, 900);
  EXPECT_GE(n.rallentamenti, 300);
  EXPECT_EQ(n.montagne, 80);
  EXPECT_EQ(n.stazioni, 60);
}

TEST(ScenarioGeneratorTest, SameLengthSameBytes) {
  const scenario_generato a = genera_scenario(100000);
  const scenario_generato b = genera_scenario(100000);
  EXPECT_EQ(a.linea, b.linea);
  EXPECT_EQ(a.treno, b.treno);
  EXPECT_NE(a.linea, genera_scenario(99000).linea);
}

}  // namespace
}  // namespace compattatore
