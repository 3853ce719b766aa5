#include "compact/consistency_pass.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace compattatore {
namespace {

using k = oggetto_cella;

/// An object put into the row before the pass.
struct posto {
  int indice;
  oggetto_cella oggetto;
  std::int16_t valore_1 = 0;
};

/// A hand-built row, what it must hold afterwards and the fault left.
struct caso {
  const char* nome;
  int celle;  // cells in the row, index 0 to celle - 1
  std::vector<posto> oggetti;
  /// Every cell of kind 12 after the pass, as {index, valore_1}.
  std::vector<std::pair<int, int>> punti;
  std::int32_t codice = 0;
  std::int32_t posizione = 0;
};

scenario con_celle(int celle, const std::vector<posto>& oggetti) {
  scenario s;
  s.celle.resize(static_cast<std::size_t>(celle));
  for (const posto& p : oggetti) {
    cella& c = s.celle.at(static_cast<std::size_t>(p.indice));
    c.set(p.oggetto);
    c.valore_1 = p.valore_1;
  }
  return s;
}

std::vector<std::pair<int, int>> punti(const scenario& s) {
  std::vector<std::pair<int, int>> out;
  for (std::size_t c = 0; c < s.celle.size(); ++c) {
    if (s.celle[c].is(k::abbattimento)) {
      out.emplace_back(static_cast<int>(c), s.celle[c].valore_1);
    }
  }
  return out;
}

void verifica(const std::vector<caso>& casi) {
  for (const caso& t : casi) {
    SCOPED_TRACE(t.nome);
    scenario s = con_celle(t.celle, t.oggetti);
    passo_consistenza(s);
    EXPECT_EQ(punti(s), t.punti);
    EXPECT_EQ(s.codice_errore, t.codice);
    EXPECT_EQ(s.posizione_errore, t.posizione);
  }
}

TEST(Minimo, SmallerOfTheTwoAndXOnATie) {
  EXPECT_EQ(minimo(std::int16_t{180}, std::int16_t{200}), 180);
  EXPECT_EQ(minimo(std::int16_t{180}, std::int16_t{150}), 150);
  EXPECT_EQ(minimo(std::int16_t{180}, std::int16_t{95}), 95);
  EXPECT_EQ(minimo(std::int16_t{180}, std::int16_t{180}), 180);
  EXPECT_EQ(minimo(std::int16_t{180}, std::int16_t{-1}), -1);
  // 0.0 and -0.0 compare equal, so only the sign shows which one came back.
  EXPECT_FALSE(std::signbit(minimo(0.0, -0.0)));
  EXPECT_TRUE(std::signbit(minimo(-0.0, 0.0)));
}

TEST(ConsistencyPass, SignalsBeforeAWarning) {
  verifica({
      {"signals at 18 and 10 get points, the one at 2 is not looked at",
       40,
       {{22, k::avviso_rallentamento, 60},
        {18, k::segnale},
        {10, k::segnale},
        {2, k::segnale}},
       {{9, 180}, {17, 180}}},
      {"a signal at 3 is the lowest looked at",
       40,
       {{23, k::avviso_rallentamento, 60}, {3, k::segnale}},
       {{2, 180}}},
      {"20 cells back is still looked at",
       60,
       {{40, k::avviso_rallentamento, 60}, {20, k::segnale}},
       {{19, 180}}},
      {"21 cells back is not",
       60,
       {{41, k::avviso_rallentamento, 60}, {20, k::segnale}},
       {}},
      {"a montagna marker before the signal is replaced",
       40,
       {{30, k::avviso_rallentamento, 60}, {20, k::segnale}, {19, k::montagna}},
       {{19, 180}}},
      {"d - 1 taken: the point goes to d - 2",
       40,
       {{30, k::avviso_rallentamento, 60},
        {20, k::segnale},
        {19, k::indicatore_v_max, 21}},
       {{18, 180}}},
      {"a free d - 2 wins over a point in d - 1, which keeps its speed",
       40,
       {{30, k::avviso_rallentamento, 60},
        {20, k::segnale},
        {19, k::abbattimento, 200}},
       {{18, 180}, {19, 200}}},
      {"a point of 200 in d - 1 before a slowdown start in d - 2 is capped",
       30,
       {{15, k::avviso_rallentamento, 60},
        {9, k::segnale},
        {8, k::abbattimento, 200},
        {7, k::inizio_rallentamento, 120}},
       {{8, 180}}},
      {"a point of 150 there stays 150",
       30,
       {{15, k::avviso_rallentamento, 60},
        {9, k::segnale},
        {8, k::abbattimento, 150},
        {7, k::inizio_rallentamento, 120}},
       {{8, 150}}},
      {"d - 1 taken, a point of 200 in d - 2 is capped",
       40,
       {{30, k::avviso_rallentamento, 60},
        {20, k::segnale},
        {19, k::indicatore_v_max, 21},
        {18, k::abbattimento, 200}},
       {{18, 180}}},
      {"no room before the signal: fault 11 at the signal",
       40,
       {{30, k::avviso_rallentamento, 60},
        {20, k::segnale},
        {19, k::indicatore_v_max, 21},
        {18, k::cartello_indicatore, 80}},
       {},
       11,
       1000},
  });
}

TEST(ConsistencyPass, WindowsBeforeASlowdownStart) {
  // Fast slowdowns with a near end: only the windows place points.
  verifica({
      {"start at 7: no window",
       40,
       {{7, k::inizio_rallentamento, 120}, {10, k::fine_rallentamento, 120}},
       {}},
      {"start at 8: one window",
       40,
       {{8, k::inizio_rallentamento, 120}, {11, k::fine_rallentamento, 120}},
       {{3, 180}}},
      {"start at 14: two windows",
       40,
       {{14, k::inizio_rallentamento, 120}, {17, k::fine_rallentamento, 120}},
       {{3, 180}, {9, 180}}},
      {"start at 21: three windows",
       40,
       {{21, k::inizio_rallentamento, 120}, {24, k::fine_rallentamento, 120}},
       {{3, 180}, {10, 180}, {16, 180}}},
      {"the first free cell of each window, a montagna marker counting free",
       40,
       {{21, k::inizio_rallentamento, 120},
        {24, k::fine_rallentamento, 120},
        {16, k::segnale},
        {15, k::montagna},
        {10, k::segnale},
        {9, k::segnale},
        {3, k::segnale},
        {2, k::segnale}},
       {{1, 180}, {8, 180}, {15, 180}}},
      {"a full window: fault 12 at the start, the other windows still filled",
       40,
       {{21, k::inizio_rallentamento, 120},
        {24, k::fine_rallentamento, 120},
        {16, k::segnale},
        {15, k::segnale},
        {14, k::segnale}},
       {{3, 180}, {10, 180}},
       12,
       1050},
  });
}

TEST(ConsistencyPass, InsideASlowSlowdown) {
  // Start at 100, end at 120; windows before it put points at 95, 89, 82.
  const posto inizio_100{100, k::inizio_rallentamento, 100};
  const posto fine{120, k::fine_rallentamento, 100};
  verifica({
      {"every 8 cells",
       200,
       {inizio_100, fine},
       {{82, 180}, {89, 180}, {95, 180}, {108, 180}, {116, 180}}},
      {"108 taken: 107, then 8 after it",
       200,
       {inizio_100, fine, {108, k::segnale}},
       {{82, 180}, {89, 180}, {95, 180}, {107, 180}, {115, 180}}},
      {"108 and 107 taken: 109, then 8 after it",
       200,
       {inizio_100, fine, {108, k::segnale}, {107, k::segnale}},
       {{82, 180}, {89, 180}, {95, 180}, {109, 180}, {117, 180}}},
      {"107 to 109 taken: fault 13 at 108 and no further interior point",
       200,
       {inizio_100,
        fine,
        {107, k::segnale},
        {108, k::segnale},
        {109, k::segnale}},
       {{82, 180}, {89, 180}, {95, 180}},
       13,
       5400},
      {"110 km/h: no interior points",
       200,
       {{100, k::inizio_rallentamento, 110}, fine},
       {{82, 180}, {89, 180}, {95, 180}}},
      {"109 km/h: interior points",
       200,
       {{100, k::inizio_rallentamento, 109}, fine},
       {{82, 180}, {89, 180}, {95, 180}, {108, 180}, {116, 180}}},
      {"a negative speed is below 110",
       200,
       {{100, k::inizio_rallentamento, -1}, fine},
       {{82, 180}, {89, 180}, {95, 180}, {108, 180}, {116, 180}}},
      {"an end 8 cells after the start is a candidate: the point goes before",
       200,
       {inizio_100, {108, k::fine_rallentamento, 100}},
       {{82, 180}, {89, 180}, {95, 180}, {107, 180}}},
  });
}

TEST(ConsistencyPass, FirstSignalAfterTheEnd) {
  const posto inizio_100{100, k::inizio_rallentamento, 100};
  const posto fine{120, k::fine_rallentamento, 100};
  verifica({
      {"12 cells after the end: a point before it",
       200,
       {inizio_100, fine, {132, k::segnale}},
       {{82, 180}, {89, 180}, {95, 180}, {108, 180}, {116, 180}, {131, 180}}},
      {"13 cells after the end: nothing",
       200,
       {inizio_100, fine, {133, k::segnale}},
       {{82, 180}, {89, 180}, {95, 180}, {108, 180}, {116, 180}}},
      {"only the first signal",
       200,
       {inizio_100, fine, {125, k::segnale}, {130, k::segnale}},
       {{82, 180}, {89, 180}, {95, 180}, {108, 180}, {116, 180}, {124, 180}}},
      {"a signal right after the end: the end is taken, the point goes before",
       200,
       {inizio_100, fine, {121, k::segnale}},
       {{82, 180}, {89, 180}, {95, 180}, {108, 180}, {116, 180}, {119, 180}}},
      {"the cell before the signal taken: two before",
       200,
       {inizio_100, fine, {132, k::segnale}, {131, k::indicatore_v_max, 21}},
       {{82, 180}, {89, 180}, {95, 180}, {108, 180}, {116, 180}, {130, 180}}},
      {"both taken: fault 13 at the end",
       200,
       {inizio_100,
        fine,
        {132, k::segnale},
        {131, k::indicatore_v_max, 21},
        {130, k::cartello_indicatore, 80}},
       {{82, 180}, {89, 180}, {95, 180}, {108, 180}, {116, 180}},
       13,
       6000},
      {"a fast slowdown: the signal after its end still gets its point",
       200,
       {{100, k::inizio_rallentamento, 110}, fine, {125, k::segnale}},
       {{82, 180}, {89, 180}, {95, 180}, {124, 180}}},
      {"a fast slowdown: 13 cells after its end is too far",
       200,
       {{100, k::inizio_rallentamento, 110}, fine, {133, k::segnale}},
       {{82, 180}, {89, 180}, {95, 180}}},
      {"a fast slowdown without an end: windows only, no fault",
       200,
       {{100, k::inizio_rallentamento, 110}, {125, k::segnale}},
       {{82, 180}, {89, 180}, {95, 180}}},
  });
}

TEST(ConsistencyPass, NeverLooksOutsideTheRow) {
  verifica({
      {"empty row", 0, {}, {}},
      {"one cell", 1, {{0, k::inizio_rallentamento, 60}}, {}},
      {"three cells: the loop has nothing to visit",
       3,
       {{1, k::inizio_rallentamento, 60}},
       {}},
      {"four cells: a start at 1 without an end stops at 3",
       4,
       {{1, k::inizio_rallentamento, 60}},
       {},
       13,
       150},
      {"four cells: a warning at 1 has no signal cell to look at",
       4,
       {{1, k::avviso_rallentamento, 60}, {0, k::segnale}},
       {}},
      {"a slow slowdown without an end walks to the last cell",
       130,
       {{100, k::inizio_rallentamento, 100}, {129, k::segnale}},
       {{82, 180}, {89, 180}, {95, 180}, {108, 180}, {116, 180}, {124, 180}},
       13,
       6450},
      {"an interior point due at the last cell, with w - 1 taken and w + 1 "
       "outside",
       109,
       {{100, k::inizio_rallentamento, 100},
        {107, k::segnale},
        {108, k::segnale}},
       {{82, 180}, {89, 180}, {95, 180}},
       13,
       5400},
      {"the 12 cells after an end run past the last cell",
       125,
       {{100, k::inizio_rallentamento, 100},
        {120, k::fine_rallentamento, 100},
        {124, k::segnale}},
       {{82, 180}, {89, 180}, {95, 180}, {108, 180}, {116, 180}, {123, 180}}},
      {"a fast slowdown's end and its signal in the row's last two cells",
       110,
       {{100, k::inizio_rallentamento, 120},
        {108, k::fine_rallentamento, 120},
        {109, k::segnale}},
       {{82, 180}, {89, 180}, {95, 180}, {107, 180}}},
  });
}

TEST(ConsistencyPass, TheLastFaultStandsAndEarlierOnesSurviveAQuietPass) {
  // A reader fault before the pass.
  scenario quieto = con_celle(40, {{20, k::segnale}});
  quieto.codice_errore = 15;
  quieto.posizione_errore = 777;
  passo_consistenza(quieto);
  EXPECT_EQ(quieto.codice_errore, 15);
  EXPECT_EQ(quieto.posizione_errore, 777);

  // Fault 12 at the start at 21, then fault 11 at the signal at 40 later in
  // the sweep; the pass goes on after each and places the remaining points.
  scenario s = con_celle(60, {{21, k::inizio_rallentamento, 120},
                              {24, k::fine_rallentamento, 120},
                              {16, k::segnale},
                              {15, k::segnale},
                              {14, k::segnale},
                              {50, k::avviso_rallentamento, 60},
                              {40, k::segnale},
                              {39, k::segnale},
                              {38, k::segnale},
                              {45, k::segnale}});
  s.codice_errore = 15;
  s.posizione_errore = 777;
  passo_consistenza(s);
  EXPECT_EQ(s.codice_errore, 11);
  EXPECT_EQ(s.posizione_errore, 2000);
  // Nearest first: 45 gets 44; 40 finds 39 and 38 taken (fault 11); 39
  // gets 37; 38 then finds 37 taken by that point and gets 36.
  EXPECT_EQ(punti(s),
            (std::vector<std::pair<int, int>>{
                {3, 180}, {10, 180}, {36, 180}, {37, 180}, {44, 180}}));
}

}  // namespace
}  // namespace compattatore
