#include "reader/memorizza_dati.h"

#include <gtest/gtest.h>

#include <string>

#include "model/codici_errore.h"
#include "tests/memory_file_system.h"

namespace compattatore {
namespace {

constexpr const char* linea = "/d/r_linea.txt";
constexpr const char* treno = "/d/r_1-.txt";

// A text above the size bound is refused before it is held in memory, like
// any text that cannot be read: code 25, both texts deleted.
TEST(MemorizzaDati, TextsAboveTheSizeBoundAreRefused) {
  struct Case {
    const char* name;
    std::size_t route_size;
    std::size_t train_size;
    quale_testo where;
  };
  const std::string route = "[generale]\r\nlunghezza percorso, 1000\r\n[x]\r\n";
  const std::string train = "[generale]\r\n";
  for (const Case& c :
       {Case{"route", limite_testo + 1, 0, quale_testo::linea},
        Case{"train", 0, limite_testo + 1, quale_testo::treno}}) {
    memory_file_system fs;
    fs.files[linea] = route + std::string(c.route_size, ' ');
    fs.files[treno] = train + std::string(c.train_size, ' ');
    scenario s;
    memorizza_dati(s, fs, {linea, treno, true});
    EXPECT_EQ(s.codice_errore, codice::lettura_fallita) << c.name;
    EXPECT_EQ(s.punto_errore, (punto_lettura{c.where, 0, 0})) << c.name;
    EXPECT_TRUE(fs.files.empty()) << c.name;
  }

  // Right at the bound a text is read.
  memory_file_system fs;
  fs.files[linea] = route;
  fs.files[linea] += std::string(limite_testo - route.size(), ' ');
  fs.files[treno] = train;
  scenario s;
  memorizza_dati(s, fs, {linea, treno, true});
  EXPECT_EQ(s.codice_errore, 0);
  EXPECT_EQ(s.numero_celle, 160);
}

TEST(MemorizzaDati, TheAuthorsToolKeepsItsTexts) {
  memory_file_system fs;
  fs.files[linea] = "[generale]\r\nlunghezza percorso, 1000\r\n[fine]\r\n";
  fs.files[treno] = "[generale]\r\nvelocita, 0, 30\r\n[fine]\r\n";
  const auto before = fs.files;
  for (const char* broken : {"", "[generale]\r\nvelocita, x\r\n"}) {
    if (*broken != '\0') fs.files[treno] = broken;
    const auto texts = fs.files;
    scenario s;
    memorizza_dati(s, fs, {linea, treno, false});
    EXPECT_EQ(fs.files, texts);
    for (const std::string& op : fs.log) {
      EXPECT_EQ(op.rfind("remove", 0), std::string::npos) << op;
      EXPECT_EQ(op.rfind("replace", 0), std::string::npos) << op;
    }
  }
}

}  // namespace
}  // namespace compattatore
