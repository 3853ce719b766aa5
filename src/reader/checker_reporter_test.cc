// The recovering reading's words for a record it cannot read, which name the
// value by the table's name and allowed values, and place it in the text.
#include "reader/checker_reporter.h"

#include <gtest/gtest.h>

#include <string>

#include "model/codici_errore.h"
#include "model/problem.h"
#include "reader/memorizza_dati.h"
#include "tests/memory_file_system.h"

namespace compattatore {
namespace {

constexpr const char* linea = "/d/r_linea.txt";
constexpr const char* treno = "/d/r_1-.txt";
const std::string route_ok =
    "[generale]\r\nlunghezza percorso, 10000\r\n[fine]\r\n";
const std::string train_ok = "[generale]\r\n[fine]\r\n";

// The problems of a recovering reading of the two texts.
std::vector<problem> check(const std::string& route, const std::string& train) {
  memory_file_system fs;
  fs.files[linea] = route;
  fs.files[treno] = train;
  scenario s;
  problem_sink sink;
  memorizza_dati(s, fs, {linea, treno, false}, &sink);
  return sink.list();
}

TEST(CheckerReporter, UnreadableValueIsNamedAsTheReferenceNamesIt) {
  struct Case {
    const char* name;
    std::string route;
    std::string train;
    quale_testo file;
    std::int32_t line, column;
    const char* message;
  } cases[] = {
      {"not a whole number", route_ok, "[generale]\r\nsabbia, x\r\n",
       quale_testo::treno, 2, 9,
       "the sand row's sand (-32768 to 32767) is \"x\", which is not a whole "
       "number"},
      {"too large for its width", route_ok,
       "[generale]\r\nstazione, 1200, 300, 400, 0, 0, 0, 0,0,0, 0,0,0, 0, 10, "
       "0, 0, Alfa\r\n",
       quale_testo::treno, 2, 17,
       "the station row's kind (0 to 255; 5 to 8 and 25 or more are "
       "special) is 300, which does not fit: it must be a whole number from 0 "
       "to 255"},
      {"the text ends before a value", route_ok, "[generale]\r\nvelocita, 800",
       quale_testo::treno, 2, 1,
       "the line speed row ends with the text before its speed (0 to 1275, "
       "kept in steps of 5 km/h): a line speed row has 2 values"},
      {"a value looked for on the next line", route_ok,
       "[generale]\r\norologio, 10\r\n[aderenze]\r\n[fine]\r\n",
       quale_testo::treno, 2, 1,
       "the clock row has 1 of its 3 values on its line; its minutes (0 to "
       "59) was looked for on line 3, which begins with \"[aderenze]\", not a "
       "number"},
      // The inscription is the value read when the text ends, not the
      // position before it.
      {"the text ends before an inscription",
       "[generale]\r\nlunghezza percorso, 10000\r\n[cartelli]\r\n"
       "cartello_indicatore, 750",
       train_ok, quale_testo::linea, 4, 1,
       "the indication board row ends with the text before its inscription "
       "(text without a comma (or in double quotes)): a indication board row "
       "has 2 values"},
  };
  for (const Case& c : cases) {
    const std::vector<problem> list = check(c.route, c.train);
    const problem* found = nullptr;
    for (const problem& p : list) {
      if (p.code == codice::lettura_fallita) found = &p;
    }
    ASSERT_NE(found, nullptr) << c.name;
    EXPECT_EQ(found->message, c.message) << c.name;
    EXPECT_EQ(found->place.file, c.file) << c.name;
    EXPECT_EQ(found->place.line, c.line) << c.name;
    EXPECT_EQ(found->place.column, c.column) << c.name;
  }
}

}  // namespace
}  // namespace compattatore
