// Checks that the compiled-in route and train put every object into a cell
// of its own, so that reading them back raises no data fault.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "content/route_text.h"
#include "content/train_text.h"
#include "model/arrotonda.h"
#include "tests/text_lines.h"

namespace compattatore {
namespace {

// The lines are taken apart here with a plain comma split, independently of
// the reader, and placed by the reader's rounding rules.

/// Cell of a point object at `posizione`: the cell after the one it is in.
int cella_dopo(int posizione) {
  return static_cast<int>(nearest(posizione / 50.0 + 1));
}

struct stazione_letta {
  int progressiva;
  int categoria;
  int lunghezza;
  int opzione_4;
  int inizio_area;
  int fine_area;
};

struct scenario_letto {
  int lunghezza = 0;
  int numero_celle = 0;
  std::vector<int> posizioni_linea;  // every position of the route's rows
  std::vector<int> indicatori;       // speed boards
  std::vector<int> cartelli;         // indication boards
  std::vector<std::pair<int, int>> velocita;
  std::vector<stazione_letta> stazioni;
  std::vector<int> segnali;
  int rallentamenti = 0;
  int abbattimenti = 0;
};

scenario_letto leggi() {
  scenario_letto s;
  for (const std::string& row : linee(righe_linea())) {
    const std::vector<std::string> f = campi(row);
    const std::string& key = f[0];
    if (key == "lunghezza percorso") {
      s.lunghezza = numero(f[1]);
      s.numero_celle = static_cast<int>(nearest((s.lunghezza + 7000) / 50.0));
    } else if (key.starts_with("curva") || key == "pendenza") {
      s.posizioni_linea.push_back(numero(f[1]));
      if (key.starts_with("curva")) {
        s.posizioni_linea.push_back(numero(f[1]) + numero(f[2]));
      }
    } else if (key == "montagna") {
      s.posizioni_linea.push_back(numero(f[1]));
      s.posizioni_linea.push_back(numero(f[2]));
    } else if (key == "indicatori_vmax") {
      s.indicatori.push_back(numero(f[1]));
      s.posizioni_linea.push_back(numero(f[1]));
    } else if (key == "cartello_indicatore") {
      s.cartelli.push_back(numero(f[1]));
      s.posizioni_linea.push_back(numero(f[1]));
    }
  }
  for (const std::string& row : linee(righe_treno())) {
    const std::vector<std::string> f = campi(row);
    const std::string& key = f[0];
    if (key == "velocita") {
      s.velocita.emplace_back(numero(f[1]), numero(f[2]));
    } else if (key == "segnale") {
      s.segnali.push_back(numero(f[1]));
    } else if (key == "stazione") {
      stazione_letta st{
          numero(f[1]), numero(f[2]), numero(f[3]), numero(f[6]), 0, 0};
      const int p = st.progressiva;
      const int l = st.lunghezza;
      if (st.categoria == 5 || st.categoria == 6) {
        st.inizio_area = p - l;
        st.fine_area = p + 150;
      } else if (st.categoria == 7 || st.categoria == 8) {
        st.inizio_area = p - l;
        st.fine_area = p + l;
      } else {
        st.inizio_area = static_cast<int>(nearest(p - l / 2.0));
        st.fine_area = static_cast<int>(
            nearest(p + l / 2.0 + (st.opzione_4 != 0 ? 50 : 0)));
      }
      s.stazioni.push_back(st);
    }
    s.rallentamenti += row.find("rallentamento") != std::string::npos;
    s.abbattimenti += row.find("abbattimento") != std::string::npos;
  }
  return s;
}

bool con_marcatore(const stazione_letta& st) { return st.categoria < 25; }

/// Where a station's end marker goes.
double t_fine(const stazione_letta& st) { return st.fine_area / 50.0 - 1; }

/// Every cell an object takes or marks, with what it is, for the report.
std::multimap<int, std::string> celle_scritte(const scenario_letto& s) {
  std::multimap<int, std::string> out;
  for (int p : s.indicatori)
    out.emplace(cella_dopo(p), "speed board " + std::to_string(p));
  for (int p : s.cartelli)
    out.emplace(cella_dopo(p), "board " + std::to_string(p));
  for (int p : s.segnali) {
    const int c = cella_dopo(p);
    out.emplace(c, "signal " + std::to_string(p));
    for (int k = 1; k <= 4; ++k) {
      out.emplace(c - 2 * k, "approach of signal " + std::to_string(p));
    }
  }
  for (const stazione_letta& st : s.stazioni) {
    if (!con_marcatore(st)) continue;
    const std::string what = "station " + std::to_string(st.progressiva);
    out.emplace(static_cast<int>(nearest(t_fine(st))), "end of " + what);
    if (st.categoria == 5 || st.categoria == 6) continue;
    for (int k = 1; k <= 4; ++k) {
      out.emplace(static_cast<int>(nearest(t_fine(st) - k)),
                  "approach of " + what);
    }
  }
  return out;
}

TEST(ScenarioCells, RoutePositionsAreWithinTheRouteOnTheFiftyMetreGrid) {
  const scenario_letto s = leggi();
  ASSERT_EQ(s.lunghezza, 77000);
  ASSERT_EQ(s.numero_celle, 1680);
  ASSERT_FALSE(s.posizioni_linea.empty());
  for (int p : s.posizioni_linea) {
    EXPECT_EQ(p % 50, 0) << p;
    EXPECT_GE(p, 0) << p;
    EXPECT_LE(p, 77000) << p;
  }
}

TEST(ScenarioCells, EveryPositionPassesTheRangeTestOfItsRecord) {
  const scenario_letto s = leggi();
  const auto passes = [&s](int p, int margin) {
    return (p + margin) / 50.0 <= s.numero_celle;
  };
  for (int p : s.posizioni_linea) EXPECT_TRUE(passes(p, 100)) << p;
  for (int p : s.segnali) EXPECT_TRUE(passes(p, 100)) << p;
  for (const auto& [p, v] : s.velocita) EXPECT_TRUE(passes(p, 100)) << p;
  for (const stazione_letta& st : s.stazioni) {
    EXPECT_TRUE(passes(st.progressiva, 800)) << st.progressiva;
  }
}

TEST(ScenarioCells, NoCellIsTakenOrMarkedTwice) {
  const scenario_letto s = leggi();
  ASSERT_EQ(s.indicatori.size(), 18u);
  ASSERT_EQ(s.cartelli.size(), 15u);
  ASSERT_EQ(s.segnali.size(), 33u);
  ASSERT_EQ(s.stazioni.size(), 21u);
  // Stricter than the readers need: besides taken cells, approach marks
  // never overwrite one another either, so each object keeps its own.
  const std::multimap<int, std::string> cells = celle_scritte(s);
  for (auto it = cells.begin(); it != cells.end(); ++it) {
    const auto next = std::next(it);
    if (next != cells.end() && next->first == it->first) {
      ADD_FAILURE() << "cell " << it->first << ": " << it->second << " and "
                    << next->second;
    }
  }
}

TEST(ScenarioCells, SignalsStandFarEnoughInForTheirApproachMarks) {
  for (int p : leggi().segnali) {
    EXPECT_GE(p, 350) << p;
    EXPECT_EQ(p % 50, 0) << p;
  }
}

TEST(ScenarioCells, StationAreasKeepTheirDistanceAndEndsStayClearOfTheStart) {
  const scenario_letto s = leggi();
  // Indication boards fill the station table from the top down.
  const std::size_t board_slot = 80 - s.cartelli.size();
  EXPECT_LT(s.stazioni.size() + 1, board_slot);
  for (std::size_t i = 0; i < s.stazioni.size(); ++i) {
    const stazione_letta& st = s.stazioni[i];
    EXPECT_EQ(st.progressiva % 50, 0) << st.progressiva;
    EXPECT_EQ(st.lunghezza % 100, 0) << st.progressiva;
    if (con_marcatore(st)) {
      EXPECT_GT(t_fine(st), 1) << st.progressiva;
    }
    if (i > 0) {
      EXPECT_GE(st.inizio_area - 350, s.stazioni[i - 1].fine_area)
          << st.progressiva;
    }
  }
  // The first station's area as the reader computes it.
  EXPECT_EQ(s.stazioni[0].inizio_area, -200);
  EXPECT_EQ(s.stazioni[0].fine_area, 600);
  EXPECT_EQ(nearest(t_fine(s.stazioni[0])), 11);
}

TEST(ScenarioCells, CellOneStaysFreeForTheSealAndThePassAddsNothing) {
  const scenario_letto s = leggi();
  EXPECT_EQ(celle_scritte(s).count(1), 0u);
  EXPECT_EQ(celle_scritte(s).count(0), 0u);
  // Without slowdowns there is no warning or start cell, so the
  // consistency pass places no point.
  EXPECT_EQ(s.rallentamenti, 0);
  EXPECT_EQ(s.abbattimenti, 0);
}

TEST(ScenarioCells, LineSpeedsFitTheirByteAndRiseInPosition) {
  const scenario_letto s = leggi();
  ASSERT_EQ(s.velocita.size(), 19u);
  for (std::size_t i = 0; i < s.velocita.size(); ++i) {
    EXPECT_LE(s.velocita[i].second, 1275);
    EXPECT_GT(s.velocita[i].second, 0);
    if (i > 0) {
      EXPECT_GT(s.velocita[i].first, s.velocita[i - 1].first);
    }
  }
}

}  // namespace
}  // namespace compattatore
