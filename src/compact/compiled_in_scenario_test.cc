// The compiled-in scenario end to end, in memory: texts written, read back,
// completed, sealed and encoded as the program does it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "compact/driver.h"
#include "content/route_text.h"
#include "content/train_text.h"
#include "model/file_names.h"
#include "tests/memory_file_system.h"

namespace compattatore {
namespace {

class CompiledInScenario : public ::testing::Test {
 protected:
  void SetUp() override {
    s.nome_linea = nome_linea_compilato;
    s.numero_treno = numero_treno_compilato;
    names = {"/run", s.nome_linea, s.numero_treno};
    dati_linea(fs, names);
    dati_treno(fs, names);
    memorizza_percorso(s, 1, fs, names, report);
  }

  memory_file_system fs;
  recording_report report;
  scenario s;
  file_names names;
};

TEST_F(CompiledInScenario, ReadsWithoutAnyFaultAndIsSealed) {
  EXPECT_EQ(s.codice_errore, 0) << "at " << s.posizione_errore << " m";
  EXPECT_TRUE(report.numbers.empty());
  EXPECT_EQ(s.stazioni[85].numero_1, 610);
  EXPECT_EQ(s.stazioni[85].orario, 34973);
  EXPECT_EQ(s.celle[1].valore_1, 5121);
  EXPECT_EQ(s.celle[1].valore_2, 2494);
  // Both texts are gone; the compiled files are there.
  EXPECT_EQ(fs.files.count(names.testo_linea()), 0u);
  EXPECT_EQ(fs.files.count(names.testo_treno()), 0u);
}

TEST_F(CompiledInScenario, RouteSizesAndGradients) {
  EXPECT_EQ(s.lunghezza_estesa, 84000);
  EXPECT_EQ(s.numero_celle, 1680);
  ASSERT_EQ(s.celle.size(), 1681u);
  EXPECT_EQ(s.stazioni[84].fine_area, 77000);
  // Gradients 0, 2, 4, -4, 0 from 0, 7300, 27650, 32150, 46800 m.
  struct Span {
    std::size_t from, to;
    int pendenza;
  };
  for (const Span& sp : {Span{0, 145, 100}, Span{146, 552, 102},
                         Span{553, 642, 104}, Span{643, 935, 96},
                         Span{936, 1677, 100}, Span{1678, 1680, 0}}) {
    for (std::size_t c = sp.from; c <= sp.to; ++c) {
      ASSERT_EQ(s.celle[c].pendenza, sp.pendenza) << "cell " << c;
    }
  }
}

TEST_F(CompiledInScenario, TrackLineAndItsFile) {
  ASSERT_EQ(s.tracciato.metri(), 84001u);
  EXPECT_EQ(s.tracciato.tipo(1, 1), tipo_elemento::intero);
  EXPECT_EQ(s.tracciato.tipo(2, 0), tipo_elemento::reale);
  EXPECT_EQ(s.tracciato.tipo(83998, 1), tipo_elemento::reale);
  EXPECT_EQ(s.tracciato.tipo(83999, 0), tipo_elemento::vuoto);
  EXPECT_EQ(s.tracciato.tipo(84000, 1), tipo_elemento::vuoto);
  // The first curve bends left from metre 1001.
  EXPECT_EQ(s.tracciato.valore(1000, 0), 0.0);
  EXPECT_EQ(s.tracciato.valore(1000, 1), 1000.0);
  EXPECT_LT(s.tracciato.valore(1001, 0), 0.0);
  EXPECT_EQ(fs.files[names.file_linea()].size(), 1679964u);
  EXPECT_EQ(fs.files[names.file_celle()].size(), 25215u);
}

}  // namespace
}  // namespace compattatore
