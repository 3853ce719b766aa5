#include "compact/check_codes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace compattatore {
namespace {

scenario con_nomi(const std::string& treno, const std::string& linea) {
  scenario s;
  s.stazioni[stazione_testata_treno].nome = treno;
  s.stazioni[stazione_testata_linea].nome = linea;
  return s;
}

TEST(CheckCodes, SumsOverTheFirst25Characters) {
  struct caso {
    const char* treno;
    const char* linea;
    std::int16_t og;
    std::int32_t st;
  };
  // Worked out by hand from the character codes.
  const caso casi[] = {
      // "4273orsella_vantrona" and the filler's "ppqqr".
      {"4273", "Orsella_Vantrona", 2494, 34973},
      {"4273", "ORSELLA_VANTRONA", 2494, 34973},
      {"4273", "orsella_vantrona", 2494, 34973},
      // The filler alone, without its last "k".
      {"", "", 2893, 37698},
      // "abc" and the filler's first 22 characters.
      {"", "abc", 2868, 38353},
      {"", "ABC", 2868, 38353},
  };
  for (const caso& c : casi) {
    SCOPED_TRACE(std::string(c.treno) + "/" + c.linea);
    scenario s = con_nomi(c.treno, c.linea);
    EXPECT_EQ(codice_gara_og(s), c.og);
    EXPECT_EQ(codice_gara_st(s), c.st);
  }
}

TEST(CheckCodes, CharactersAfter25DoNotCount) {
  // Both join to "1234567890abcdefghijklmno" in their first 25 characters.
  scenario a = con_nomi("1234567890", "abcdefghijklmnopqrstuvwxyz");
  scenario b = con_nomi("1234567890", "abcdefghijklmnoZZZ");
  EXPECT_EQ(codice_gara_og(a), codice_gara_og(b));
  EXPECT_EQ(codice_gara_st(a), codice_gara_st(b));
  // The 25th character itself does count.
  scenario c = con_nomi("1234567890", "abcdefghijklmnZ");
  EXPECT_NE(codice_gara_og(a), codice_gara_og(c));
  EXPECT_NE(codice_gara_st(a), codice_gara_st(c));
}

TEST(CheckCodes, OrderOfTheNamesCountsOnlyForTheWeightedCode) {
  scenario uno_ab = con_nomi("1", "ab");
  scenario ab_uno = con_nomi("ab", "1");
  EXPECT_EQ(codice_gara_og(uno_ab), 2818);
  EXPECT_EQ(codice_gara_og(ab_uno), 2818);
  // "1ab": 49 + 2 * 97 + 3 * 98 = 537; "ab1": 97 + 2 * 98 + 3 * 49 = 440.
  EXPECT_EQ(codice_gara_st(uno_ab), 38300);
  EXPECT_EQ(codice_gara_st(ab_uno), 38203);
}

TEST(CheckCodes, RepeatedCallsGiveTheSameCodeAndLeaveTheCheckText) {
  scenario s = con_nomi("4273", "Orsella_Vantrona");
  s.riga = "field read last";
  const std::string testo = "4273orsella_vantronappqqrrssttuuvvwwxxyyzzjjkk";
  EXPECT_EQ(codice_gara_st(s), 34973);
  EXPECT_EQ(s.riga, testo);
  EXPECT_EQ(codice_gara_st(s), 34973);
  EXPECT_EQ(s.riga, testo);
  EXPECT_EQ(codice_gara_og(s), 2494);
  EXPECT_EQ(s.riga, testo);
  EXPECT_EQ(codice_gara_og(s), 2494);
  EXPECT_EQ(s.riga, testo);
  // The names themselves are not lowered.
  EXPECT_EQ(s.stazioni[stazione_testata_linea].nome, "Orsella_Vantrona");
}

}  // namespace
}  // namespace compattatore
