#include "model/file_names.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

namespace compattatore {
namespace {

TEST(FileNames, EveryFileOfARunFromDirectoryAndNames) {
  const file_names n{"/d/e", "Orsella_Vantrona", "4273"};
  EXPECT_EQ(n.testo_linea(), "/d/e/Orsella_Vantrona_linea.txt");
  EXPECT_EQ(n.testo_treno(), "/d/e/Orsella_Vantrona_4273-.txt");
  EXPECT_EQ(n.note(), "/d/e/Orsella_Vantrona_4273_note.txt");
  EXPECT_EQ(n.rallentamenti(), "/d/e/Orsella_Vantrona_4273_rallentamenti.txt");
  EXPECT_EQ(n.scheda(), "/d/e/Orsella_Vantrona_4273_scheda_treno.txt");
  EXPECT_EQ(n.file_linea(), "/d/e/Orsella_Vantrona_linea.dat");
  EXPECT_EQ(n.file_stazioni(), "/d/e/Orsella_Vantrona_4273.sim");
  EXPECT_EQ(n.file_celle(), "/d/e/Orsella_Vantrona_4273.dat");
}

TEST(FileNames, RouteNameIsWhatPrecedesTheEnding) {
  const struct {
    const char* path;
    std::optional<std::string> nome;
  } cases[] = {
      {"Orsella_Vantrona_linea.txt", "Orsella_Vantrona"},
      {"dir/sub/A_linea.txt", "A"},
      {"dir_linea.txt/B_linea.txt", "B"},
      {"_linea.txt", std::nullopt},
      {"dir/_linea.txt", std::nullopt},
      {"Orsella_Vantrona_linea.TXT", std::nullopt},
      {"Orsella_Vantrona_linea.txt.bak", std::nullopt},
      {"route.txt", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(nome_linea_from_file(c.path), c.nome) << c.path;
  }
}

TEST(FileNames, TrainNumberFollowsTheRouteName) {
  const struct {
    const char* path;
    const char* nome_linea;
    std::optional<std::string> numero;
  } cases[] = {
      {"Orsella_Vantrona_4273-.txt", "Orsella_Vantrona", "4273"},
      {"in/Orsella_Vantrona_4273-.txt", "Orsella_Vantrona", "4273"},
      // The route name is matched first, so the number may hold an
      // underscore; a text of another route gives the last part.
      {"X_12_A-.txt", "X", "12_A"},
      {"X_12_A-.txt", "Other", "A"},
      {"X_12_A-.txt", "", "A"},
      {"Orsella_Vantrona_-.txt", "Orsella_Vantrona", std::nullopt},
      {"4273-.txt", "Orsella_Vantrona", std::nullopt},
      {"Orsella_Vantrona_4273.txt", "Orsella_Vantrona", std::nullopt},
      {"Orsella_Vantrona_4273_note.txt", "Orsella_Vantrona", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(numero_treno_from_file(c.path, c.nome_linea), c.numero)
        << c.path << " / " << c.nome_linea;
  }
}

// A folder's train text goes with the longest route name it starts with,
// followed by an underscore and a train number.
TEST(FileNames, TrainTextsPairWithTheLongestRouteBesideThem) {
  const std::set<std::string, std::less<>> routes = {"A", "A_B", "C_", "X"};
  const struct {
    const char* file;
    std::optional<std::string> stem;
    std::optional<train_text_names> names;
  } cases[] = {
      {"A_1-.txt", "A_1", train_text_names{"A", "1"}},
      {"A_B_1-.txt", "A_B_1", train_text_names{"A_B", "1"}},
      // No number after the longest: the shorter route takes "B_".
      {"A_B_-.txt", "A_B_", train_text_names{"A", "B_"}},
      {"A_B_C_7-.txt", "A_B_C_7", train_text_names{"A_B", "C_7"}},
      {"C__2-.txt", "C__2", train_text_names{"C_", "2"}},
      {"X-.txt", "X", std::nullopt},
      {"_1-.txt", "_1", std::nullopt},
      {"Z_1-.txt", "Z_1", std::nullopt},
      {"-.txt", std::nullopt, std::nullopt},
      {"A_linea.txt", std::nullopt, std::nullopt},
      {"A_1_note.txt", std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    const std::optional<std::string_view> stem = train_text_stem(c.file);
    ASSERT_EQ(stem.has_value(), c.stem.has_value()) << c.file;
    if (!stem) continue;
    EXPECT_EQ(*stem, *c.stem) << c.file;
    EXPECT_EQ(route_of_train_text(*stem, routes), c.names) << c.file;
  }
}

TEST(FileNames, KindOfACompiledFileByItsName) {
  const struct {
    const char* path;
    std::optional<compiled_kind> kind;
  } cases[] = {
      {"out/Orsella_Vantrona_linea.dat", compiled_kind::track},
      {"Orsella_Vantrona_4273.sim", compiled_kind::stations},
      {"Orsella_Vantrona_4273.dat", compiled_kind::cells},
      {"linea.dat", compiled_kind::cells},
      {"Orsella_Vantrona_linea.txt", std::nullopt},
      {"Orsella_Vantrona_4273.dat.bak", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(compiled_kind_of(c.path), c.kind) << c.path;
  }
}

}  // namespace
}  // namespace compattatore
