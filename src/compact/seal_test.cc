// The seal: its two guards, the stamps and check codes, and what a broken
// seal leaves on disk.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "compact/consistency_pass.h"
#include "compact/driver.h"
#include "tests/memory_file_system.h"

namespace compattatore {
namespace {

using k = oggetto_cella;

scenario con_nomi(int celle) {
  scenario s;
  s.nome_linea = "Orsella_Vantrona";
  s.numero_treno = "4273";
  s.stazioni[stazione_testata_linea].nome = s.nome_linea;
  s.stazioni[stazione_testata_treno].nome = s.numero_treno;
  s.celle.resize(static_cast<std::size_t>(celle));
  return s;
}

void metti(scenario& s, int c, oggetto_cella kind, std::int16_t v1 = 0) {
  s.celle.at(static_cast<std::size_t>(c)).set(kind);
  s.celle.at(static_cast<std::size_t>(c)).valore_1 = v1;
}

// A slowdown start at 8 whose first window finds 3 and 2 taken, so the
// pass puts its point into cell 1; cell 1 holds a montagna marker first.
void inizio_a_8_con_3_e_2_occupate(scenario& s) {
  metti(s, 8, k::inizio_rallentamento, 120);
  metti(s, 11, k::fine_rallentamento, 120);
  metti(s, 3, k::segnale);
  metti(s, 2, k::segnale);
  metti(s, 1, k::montagna);
}

TEST(Seal, StampsAndCheckCodes) {
  scenario s = con_nomi(10);
  metti(s, 1, k::montagna);
  recording_report report;
  ASSERT_TRUE(sigilla(s, report));
  EXPECT_TRUE(report.numbers.empty());
  const stazione& testata = s.stazioni[85];
  EXPECT_EQ(testata.numero_1, 610);
  EXPECT_EQ(testata.orario, 34973);
  // The marker stays; only the two values carry the seal.
  EXPECT_EQ(s.celle[1].oggetto, 11);
  EXPECT_EQ(s.celle[1].valore_1, 5121);
  EXPECT_EQ(s.celle[1].valore_2, 2494);
  EXPECT_EQ(s.riga, "4273orsella_vantronappqqrrssttuuvvwwxxyyzzjjkk");
}

TEST(Seal, AnEmptyRowSealsTheStationEntryAlone) {
  scenario s = con_nomi(0);
  recording_report report;
  ASSERT_TRUE(sigilla(s, report));
  EXPECT_EQ(s.stazioni[85].numero_1, 610);
  EXPECT_EQ(s.stazioni[85].orario, 34973);
  EXPECT_TRUE(s.celle.empty());
}

TEST(Seal, AGuardReportsAndStampsNothingAfterIt) {
  struct caso {
    const char* nome;
    std::function<void(scenario&)> guasta;
    const char* numero;
    // Left afterwards: entry 85 numero_1 and orario, cell 1 valore_1, _2.
    std::int16_t numero_1;
    std::int32_t orario;
    std::int16_t valore_1;
    std::int16_t valore_2;
  };
  const caso casi[] = {
      {"entry 85 already stamped",
       [](scenario& s) { s.stazioni[85].numero_1 = 1; }, "1250", 1, 0, 0, 0},
      {"cell 1 first value taken",
       [](scenario& s) { s.celle[1].valore_1 = -1; }, "1250", 0, 0, -1, 0},
      {"entry 85 time taken", [](scenario& s) { s.stazioni[85].orario = 1; },
       "1251", 610, 1, 5121, 0},
      {"cell 1 second value taken",
       [](scenario& s) { s.celle[1].valore_2 = 7; }, "1251", 610, 0, 5121, 7},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    scenario s = con_nomi(10);
    c.guasta(s);
    recording_report report;
    EXPECT_FALSE(sigilla(s, report));
    EXPECT_EQ(report.numbers, std::vector<std::string>{c.numero});
    EXPECT_EQ(s.stazioni[85].numero_1, c.numero_1);
    EXPECT_EQ(s.stazioni[85].orario, c.orario);
    EXPECT_EQ(s.celle[1].valore_1, c.valore_1);
    EXPECT_EQ(s.celle[1].valore_2, c.valore_2);
  }
}

TEST(Seal, APointOfThePassInCell1BreaksTheSeal) {
  scenario s = con_nomi(40);
  inizio_a_8_con_3_e_2_occupate(s);
  passo_consistenza(s);
  EXPECT_EQ(s.celle[1].oggetto, 12);
  EXPECT_EQ(s.celle[1].valore_1, 180);
  recording_report report;
  EXPECT_FALSE(sigilla(s, report));
  EXPECT_EQ(report.numbers, std::vector<std::string>{"1250"});
}

// The whole driver over an in-memory directory that holds the compiled
// files of an earlier run. No scenario text is there: the reader then
// stops before it makes the cell row, so the row set up here is the one
// the pass and the seal see.
class DriverSeal : public ::testing::Test {
 protected:
  DriverSeal() : s(con_nomi(40)) {
    fs.files[names.file_linea()] = "old track";
    fs.files[names.file_stazioni()] = "old stations";
    fs.files[names.file_celle()] = "old cells";
    prima = fs.files;
  }

  bool scritto() const {
    for (const std::string& op : fs.log) {
      if (op.rfind("replace ", 0) == 0) return true;
    }
    return false;
  }

  file_names names{"/prog", "Orsella_Vantrona", "4273"};
  memory_file_system fs;
  recording_report report;
  scenario s;
  std::map<std::string, std::string> prima;
};

TEST_F(DriverSeal, AFailedGuardLeavesTheEarlierFilesUntouched) {
  struct caso {
    const char* nome;
    std::function<void(scenario&)> prepara;
    const char* numero;
  };
  const caso casi[] = {
      {"a window point in cell 1", inizio_a_8_con_3_e_2_occupate, "1250"},
      {"an object with a second value in cell 1",
       [](scenario& sc) {
         metti(sc, 1, k::indicatore_v_max);
         sc.celle[1].valore_2 = 7;
       },
       "1251"},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(c.nome);
    s = con_nomi(40);
    fs.log.clear();
    report.numbers.clear();
    c.prepara(s);
    memorizza_percorso(s, 1, fs, names, report);
    EXPECT_EQ(report.numbers, std::vector<std::string>{c.numero});
    EXPECT_EQ(fs.files, prima);
    EXPECT_FALSE(scritto());
  }
}

TEST_F(DriverSeal, TheSealReachesTheCompiledFiles) {
  // The start at 8 with cell 3 free: the window point lands in 3 and the
  // montagna marker in cell 1 stays, which the guard allows.
  metti(s, 8, k::inizio_rallentamento, 120);
  metti(s, 11, k::fine_rallentamento, 120);
  metti(s, 1, k::montagna);
  memorizza_percorso(s, 1, fs, names, report);
  EXPECT_TRUE(report.numbers.empty());

  const std::string& celle = fs.files.at(names.file_celle());
  ASSERT_EQ(celle.size(), 600u);
  // Cell 1 at byte 15: kind 11, 5121 = 0x1401, 2494 = 0x09BE.
  EXPECT_EQ(celle.substr(15, 5), std::string("\x0B\x01\x14\xBE\x09"));
  // Cell 3 at byte 45: kind 12, 180 = 0xB4.
  EXPECT_EQ(celle.substr(45, 3), std::string("\x0C\xB4\x00", 3));

  // Entries 0 to 84 have no name: entry 85 starts at 85 * 34 = 2890, its
  // 16-character name puts numero_1 at +32 and orario at +46.
  const std::string& stazioni = fs.files.at(names.file_stazioni());
  ASSERT_EQ(stazioni.size(), 2978u);
  EXPECT_EQ(stazioni.substr(2890 + 32, 2), std::string("\x62\x02"));
  // 34973 = 0x889D.
  EXPECT_EQ(stazioni.substr(2890 + 46, 4), std::string("\x9D\x88\x00\x00", 4));
}

}  // namespace
}  // namespace compattatore
