// The compiled-in scenario end to end, in memory: texts written, read back,
// completed, sealed and encoded as the program does it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "compact/driver.h"
#include "compact/track_file.h"
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
  for (const Span& sp :
       {Span{0, 145, 100}, Span{146, 552, 102}, Span{553, 642, 104},
        Span{643, 935, 96}, Span{936, 1677, 100}, Span{1678, 1680, 0}}) {
    for (std::size_t c = sp.from; c <= sp.to; ++c) {
      ASSERT_EQ(s.celle[c].pendenza, sp.pendenza) << "cell " << c;
    }
  }
}

TEST_F(CompiledInScenario, TrackLineAndItsFile) {
  const tracciato_linea t = s.tracciato.punti();
  ASSERT_EQ(t.metri(), 84001u);
  EXPECT_EQ(t.tipo(1, 1), tipo_elemento::intero);
  EXPECT_EQ(t.tipo(2, 0), tipo_elemento::reale);
  EXPECT_EQ(t.tipo(83998, 1), tipo_elemento::reale);
  EXPECT_EQ(t.tipo(83999, 0), tipo_elemento::vuoto);
  EXPECT_EQ(t.tipo(84000, 1), tipo_elemento::vuoto);
  // The first curve bends left from metre 1001.
  EXPECT_EQ(t.valore(1000, 0), 0.0);
  EXPECT_EQ(t.valore(1000, 1), 1000.0);
  EXPECT_LT(t.valore(1001, 0), 0.0);
  // The file computed piece by piece as it is written holds the points.
  EXPECT_EQ(fs.files[names.file_linea()], encode_track(t));
  EXPECT_EQ(fs.files[names.file_linea()].size(), 1679964u);
  EXPECT_EQ(fs.files[names.file_celle()].size(), 25215u);
}

// FNV-1a, 64 bits: a fingerprint of a whole file.
std::uint64_t fnv1a(const std::string& bytes) {
  std::uint64_t h = 0xcbf29ce484222325u;
  for (char c : bytes) {
    h ^= static_cast<unsigned char>(c);
    h *= 0x100000001b3u;
  }
  return h;
}

// The bytes of the three files, pinned: any change to reading, geometry,
// the pass, the seal or the encoders that moves one bit shows here. The
// track line was checked against an independent computation of the same
// steps in another language before it was pinned.
TEST_F(CompiledInScenario, CompiledFilesKeepTheirBytes) {
  EXPECT_EQ(fnv1a(fs.files[names.file_linea()]), 0xaea6006c6cc5d6f9u);
  EXPECT_EQ(fnv1a(fs.files[names.file_stazioni()]), 0xd24d7a0c1e9a7ef7u);
  EXPECT_EQ(fnv1a(fs.files[names.file_celle()]), 0xbb45c731372e6e17u);
}

TEST_F(CompiledInScenario, TrainValuesAsStated) {
  // Header entries: braked mass and coaches; sand, clock, signal repetition.
  EXPECT_EQ(s.stazioni[84].inizio_area, 100);
  EXPECT_EQ(s.stazioni[84].progressiva, 5);
  EXPECT_EQ(s.stazioni[86].nome, "4273");
  EXPECT_EQ(s.stazioni[86].numero_1, 0);
  EXPECT_EQ(s.stazioni[86].numero_3, 10);
  EXPECT_EQ(s.stazioni[86].numero_4, 51);
  EXPECT_EQ(s.stazioni[86].numero_5, 30);
  EXPECT_EQ(s.stazioni[86].inizio_area, 0);
  EXPECT_EQ(s.stazioni[86].fine_area, 77000);
  EXPECT_EQ(s.stazioni[86].progressiva, 4);
  EXPECT_EQ(s.stazioni[85].nome, "Orsella_Vantrona");
  EXPECT_EQ(s.stazioni[85].inizio_area, 44500);
  EXPECT_EQ(s.stazioni[85].progressiva, 1);

  // The first station: 200 m, kind 2, 800 m long.
  const stazione& prima = s.stazioni[1];
  EXPECT_EQ(prima.progressiva, 200);
  EXPECT_EQ(prima.categoria, 2);
  EXPECT_EQ(prima.inizio_area, -200);
  EXPECT_EQ(prima.fine_area, 600);
  EXPECT_EQ(prima.opzione_4, 0);
  EXPECT_EQ(prima.opzione_5, 0);
  EXPECT_EQ(prima.orario, (10 * 60 + 52) * 60);
  EXPECT_TRUE(s.celle[11].is(oggetto_cella::fine_stazione));
  EXPECT_EQ(s.celle[11].valore_1, 1);
  for (int k = 1; k <= 4; ++k) {
    EXPECT_EQ(s.celle[static_cast<std::size_t>(11 - k)].preavviso, 80 + k);
  }
  EXPECT_EQ(s.stazioni[2].nome, "Nome Stazione");
  EXPECT_EQ(s.stazioni[21].progressiva, 78600);
  EXPECT_TRUE(s.stazioni[22].nome.empty());

  // The first signal, at 1400 m.
  const cella& segnale = s.celle[29];
  EXPECT_TRUE(segnale.is(oggetto_cella::segnale));
  EXPECT_EQ(segnale.valore_1, 32);
  EXPECT_EQ(segnale.valore_2, 41);
  EXPECT_EQ(segnale.valore_3, 0);
  EXPECT_EQ(segnale.valore_4, 4);
  EXPECT_EQ(segnale.tempo_segnale, 0);
  EXPECT_EQ(s.celle[27].preavviso, 41);
  EXPECT_EQ(s.celle[25].preavviso, 42);
  EXPECT_EQ(s.celle[23].preavviso, 43);
  EXPECT_EQ(s.celle[21].preavviso, 44);

  // Line speeds: 30 km/h up to 800 m, 80 from there; adhesion 100.
  for (std::size_t c = 0; c <= 15; ++c) {
    EXPECT_EQ(s.celle[c].velocita_linea, 6) << c;
  }
  EXPECT_EQ(s.celle[16].velocita_linea, 16);
  // 90 km/h from 76400 m, then 30 from 77400 m to the row's end.
  EXPECT_EQ(s.celle[1527].velocita_linea, 32);
  EXPECT_EQ(s.celle[1528].velocita_linea, 18);
  EXPECT_EQ(s.celle[1547].velocita_linea, 18);
  EXPECT_EQ(s.celle[1548].velocita_linea, 6);
  EXPECT_EQ(s.celle[1677].velocita_linea, 6);
  EXPECT_EQ(s.celle[1678].velocita_linea, 0);
  EXPECT_EQ(s.celle[0].aderenza, 100);
  EXPECT_EQ(s.celle[1677].aderenza, 100);
  EXPECT_EQ(s.celle[1678].aderenza, 0);

  // No slowdown, so the consistency pass placed nothing.
  for (const cella& c : s.celle) {
    EXPECT_FALSE(c.is(oggetto_cella::abbattimento));
  }
  // 87 records of 34 bytes, the two header names (16 + 4 bytes), the 21
  // station names (250) and the 15 board inscriptions (537).
  EXPECT_EQ(fs.files[names.file_stazioni()].size(), 3765u);
}

}  // namespace
}  // namespace compattatore
