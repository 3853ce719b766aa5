#include "tool/compilation/text_names.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace compattatore::tool {
namespace {

TEST(TextNames, RouteNameIsWhatPrecedesTheEnding) {
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
    EXPECT_EQ(nome_linea_da_file(c.path), c.nome) << c.path;
  }
}

TEST(TextNames, TrainNumberFollowsTheRouteName) {
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
    EXPECT_EQ(numero_treno_da_file(c.path, c.nome_linea), c.numero)
        << c.path << " / " << c.nome_linea;
  }
}

}  // namespace
}  // namespace compattatore::tool
