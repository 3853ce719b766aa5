#include "tool/diagnostics/recorded_fault.h"

#include <gtest/gtest.h>

#include <string>

#include "model/codici_errore.h"

namespace compattatore::tool {
namespace {

scenario with_fault(std::int32_t code, std::int32_t posizione,
                    punto_lettura punto) {
  scenario s;
  s.codice_errore = code;
  s.posizione_errore = posizione;
  s.punto_errore = punto;
  return s;
}

// The meaning of each code is the model's; what is tested here is the
// line around it.
TEST(RecordedFault, OneLineNamesFileLineColumnMeaningAndPlace) {
  const struct {
    const char* what;
    scenario s;
    std::string before;  // text before the code's meaning
    std::string after;   // and after it
  } cases[] = {
      {"signal cell taken, in the train text",
       with_fault(16, 5400, {quale_testo::treno, 12, 10}),
       "t/A_1-.txt:12:10: error 16: ", ", at 5400 m"},
      {"a fault at 0 m still shows its place",
       with_fault(7, 0, {quale_testo::treno, 3, 15}),
       "t/A_1-.txt:3:15: error 7: ", ", at 0 m"},
      {"route text, no position recorded by this code",
       with_fault(1, 0, {quale_testo::linea, 2, 21}),
       "r/A_linea.txt:2:21: error 1: ", ""},
      {"code 2 after a position beyond the row: the old position is not its",
       with_fault(2, 90000, {quale_testo::treno, 40, 1}),
       "t/A_1-.txt:40:1: error 2: ", ""},
      {"line unknown: the file alone",
       with_fault(101, 0, {quale_testo::linea, 0, 0}),
       "r/A_linea.txt: error 101: ", ""},
      {"column unknown", with_fault(25, 0, {quale_testo::treno, 4, 0}),
       "t/A_1-.txt:4: error 25: ", ""},
      {"no text known", with_fault(24, 0, {quale_testo::nessuno, 0, 0}),
       "compatta: error 24: ", ""},
      {"the pass: position and cell, never where reading stopped",
       with_fault(13, 5400, {quale_testo::treno, 9, 9}),
       "compatta: error 13: ", ", at 5400 m (cell 108)"},
      {"the pass, signal near a warning", with_fault(11, 150, {}),
       "compatta: error 11: ", ", at 150 m (cell 3)"},
      {"a code added for rejected input, with a position",
       with_fault(codice::posizione_negativa, -50, {quale_testo::linea, 7, 12}),
       "r/A_linea.txt:7:12: error 104: ", ", at -50 m"},
      {"an added code that recorded no position",
       with_fault(codice::troppi_cartelli, 0, {quale_testo::linea, 90, 1}),
       "r/A_linea.txt:90:1: error 107: ", ""},
  };
  for (const auto& c : cases) {
    const recorded_fault d = fault_of(c.s, "r/A_linea.txt", "t/A_1-.txt");
    const std::string meaning(codice::significato(c.s.codice_errore));
    ASSERT_FALSE(meaning.empty()) << c.what;
    EXPECT_EQ(fault_line(d), c.before + meaning + c.after) << c.what;
  }

  EXPECT_EQ(fault_line(fault_of(with_fault(99, 0, {quale_testo::treno, 1, 1}),
                                "r", "t")),
            "t:1:1: error 99: unknown fault code");
  EXPECT_EQ(fault_line(fault_of(with_fault(0, 0, {}), "r", "t")), "");
}

TEST(RecordedFault, JsonCarriesTheSameFactsAsTheLine) {
  const recorded_fault reader =
      fault_of(with_fault(8, 225, {quale_testo::treno, 5, 11}), "r", "t");
  EXPECT_EQ(fault_json(reader).dump(),
            R"({"codice_errore":8,"posizione_errore":225,"message":")" +
                std::string(codice::significato(8)) +
                R"(","file":"t","line":5,"column":11})");

  const recorded_fault pass =
      fault_of(with_fault(12, 400, {quale_testo::linea, 2, 2}), "r", "t");
  EXPECT_EQ(fault_json(pass).dump(),
            R"({"codice_errore":12,"posizione_errore":400,"message":")" +
                std::string(codice::significato(12)) + R"(","cell":8})");

  const recorded_fault none = fault_of(with_fault(0, 0, {}), "r", "t");
  EXPECT_EQ(fault_json(none).dump(),
            R"({"codice_errore":0,"posizione_errore":0,"message":"no fault"})");
}

TEST(RecordedFault, SealGuardLineIsTheProgramsMessage) {
  EXPECT_EQ(seal_line("1250"), " Errore n. 1250");
  EXPECT_EQ(seal_line("1251"), " Errore n. 1251");
}

}  // namespace
}  // namespace compattatore::tool
