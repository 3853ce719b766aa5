#include "reader/cell_painters.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "tests/cell_row.h"

namespace compattatore {
namespace {

// A row of 201 cells (numero_celle 200, a 10000 m extended route).
class Painters : public ::testing::Test {
 protected:
  Painters() {
    s.numero_celle = 200;
    s.celle.resize(201);
    atteso = s.celle;
  }
  // Puts `c` into cell `i` of both the row and the expected row.
  void gia(std::size_t i, cella c) {
    s.celle[i] = c;
    atteso[i] = c;
  }

  scenario s;
  std::vector<cella> atteso;
};

using MemoSegnale = Painters;

TEST_F(MemoSegnale, FirstSignalOfTheScenario) {
  // sx 1, s1 3, s2 4, s3 0, rapp 0, dx 1, d1 2, d2 1, d3 0, tempo 0.
  EXPECT_EQ(memo_segnale(s, 1400, 1, 3, 4, 0, 0, 1, 2, 1, 0, 0), 0);
  atteso[29] = {.oggetto = 1, .valore_1 = 32, .valore_2 = 41, .valore_4 = 4};
  atteso[27].preavviso = 41;
  atteso[25].preavviso = 42;
  atteso[23].preavviso = 43;
  atteso[21].preavviso = 44;
  EXPECT_EQ(differenze(s.celle, atteso), "");
}

TEST_F(MemoSegnale, EveryValueGoesToItsField) {
  // sx 2, s1 3, s2 4, s3 5, rapp 6, dx 1, d1 7, d2 8, d3 9, tempo 150.
  EXPECT_EQ(memo_segnale(s, 1400, 2, 3, 4, 5, 6, 1, 7, 8, 9, 150), 0);
  atteso[29] = {.oggetto = 1,
                .valore_1 = 37,
                .valore_2 = 48,
                .valore_3 = 59,
                .valore_4 = 67,
                .tempo_segnale = 150};
  atteso[27].preavviso = 71;
  atteso[25].preavviso = 72;
  atteso[23].preavviso = 73;
  atteso[21].preavviso = 74;
  EXPECT_EQ(differenze(s.celle, atteso), "");
}

TEST(MemoSegnaleTempo, KeptOnlyForSx2AndRaisedTo101) {
  struct Case {
    std::int32_t sx;
    std::int32_t tempo;
    int tempo_segnale;
  };
  const Case cases[] = {
      {2, 0, 0},     {2, 1, 101},   {2, 50, 101}, {2, 100, 101},
      {2, 101, 101}, {2, 255, 255}, {2, 300, 44}, {2, -1, 255},
      {1, 50, 0},    {0, 150, 0},   {3, 200, 0},
  };
  for (const Case& c : cases) {
    scenario s;
    s.numero_celle = 200;
    s.celle.resize(201);
    EXPECT_EQ(memo_segnale(s, 1400, c.sx, 0, 0, 0, 0, 0, 0, 0, 0, c.tempo), 0);
    EXPECT_EQ(s.celle[29].tempo_segnale, c.tempo_segnale)
        << "sx " << c.sx << " tempo " << c.tempo;
  }
}

TEST(MemoSegnaleCella, HalfCellsRoundToEven) {
  // clang-format off
  const std::pair<std::int32_t, std::size_t> cases[] = {
      {1375, 28},  // 28.5
      {1400, 29},
      {1425, 30},  // 29.5
      {1449, 30},
      {1475, 30},  // 30.5
  };
  // clang-format on
  for (const auto& [posizione, c] : cases) {
    scenario s;
    s.numero_celle = 200;
    s.celle.resize(201);
    EXPECT_EQ(memo_segnale(s, posizione, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(s.celle[c].oggetto, 1) << posizione;
    EXPECT_EQ(s.celle[c - 8].preavviso, 34) << posizione;
  }
}

TEST_F(MemoSegnale, WideValuesKeepTheirLowBits) {
  // s1 4000 and d1 7 give 40007; sx 10 gives the side code 30 and approach
  // codes 301 to 304, which keep their low byte.
  EXPECT_EQ(memo_segnale(s, 1400, 10, 4000, 0, 0, 3276, 0, 7, 0, 0, 0), 0);
  atteso[29] = {.oggetto = 1, .valore_1 = -25529, .valore_4 = -32746};
  atteso[27].preavviso = 45;
  atteso[25].preavviso = 46;
  atteso[23].preavviso = 47;
  atteso[21].preavviso = 48;
  EXPECT_EQ(differenze(s.celle, atteso), "");
}

TEST_F(MemoSegnale, SecondSignal100mOnOverwritesApproachMarks) {
  EXPECT_EQ(memo_segnale(s, 1400, 1, 3, 4, 0, 0, 1, 2, 1, 0, 0), 0);
  EXPECT_EQ(memo_segnale(s, 1500, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0), 0);
  atteso[29] = {.oggetto = 1,
                .valore_1 = 32,
                .valore_2 = 41,
                .valore_4 = 4,
                .preavviso = 61};
  atteso[31] = {.oggetto = 1, .valore_4 = 6};
  atteso[27].preavviso = 62;
  atteso[25].preavviso = 63;
  atteso[23].preavviso = 64;
  atteso[21].preavviso = 44;
  EXPECT_EQ(differenze(s.celle, atteso), "");
}

TEST_F(MemoSegnale, MontagnaMarkerIsFree) {
  gia(29, {.oggetto = 11, .montagna = 2});
  EXPECT_EQ(memo_segnale(s, 1400, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0), 0);
  atteso[29] = {.oggetto = 1, .valore_4 = 1, .montagna = 2};
  for (std::size_t c : {27u, 25u, 23u, 21u}) {
    atteso[c].preavviso = static_cast<std::uint8_t>(10 + (29 - c) / 2);
  }
  EXPECT_EQ(differenze(s.celle, atteso), "");
}

TEST_F(MemoSegnale, TakenCellPaintsNothing) {
  for (int kind : {1, 4, 10, 12, 13}) {
    gia(29, {.oggetto = static_cast<std::uint8_t>(kind), .valore_1 = 5});
    EXPECT_EQ(memo_segnale(s, 1400, 1, 3, 4, 0, 0, 1, 2, 1, 0, 0), 16) << kind;
    EXPECT_EQ(differenze(s.celle, atteso), "") << kind;
  }
}

TEST_F(MemoSegnale, NoSignalBefore350m) {
  EXPECT_EQ(memo_segnale(s, 349, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0), 108);
  EXPECT_EQ(memo_segnale(s, -400, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0), 108);
  EXPECT_EQ(differenze(s.celle, atteso), "");

  // At 350 m the last approach mark is cell 0.
  EXPECT_EQ(memo_segnale(s, 350, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0), 0);
  atteso[8] = {.oggetto = 1, .valore_4 = 3};
  atteso[6].preavviso = 31;
  atteso[4].preavviso = 32;
  atteso[2].preavviso = 33;
  atteso[0].preavviso = 34;
  EXPECT_EQ(differenze(s.celle, atteso), "");
}

using MemoRallentamento = Painters;

TEST(MemoRallentamentoCelle, PaintsWarningStartEndAndApproach) {
  struct Cella {
    std::size_t i;
    cella c;
  };
  struct Case {
    const char* name;
    std::int32_t x, v, l, f_tt, f_ta, d_v;
    std::vector<Cella> celle;
  };
  // clang-format off
  const Case cases[] = {
      {"at 1500 m: no warning, f_ta ignored",
       1500, 60, 400, 2, 1, 0,
       {{31, {.oggetto = 3, .valore_1 = 60, .valore_3 = 2}},
        {39, {.oggetto = 2, .valore_1 = 60, .valore_3 = 2}}}},
      {"at 1550 m: warning in cell 8",
       1550, 60, 400, 2, 0, 0,
       {{8, {.oggetto = 4, .valore_1 = 60}},
        {32, {.oggetto = 3, .valore_1 = 60, .valore_3 = 2}},
        {40, {.oggetto = 2, .valore_1 = 60, .valore_3 = 2}}}},
      {"at 3000 m without f_ta",
       3000, 60, 400, 2, 0, 0,
       {{37, {.oggetto = 4, .valore_1 = 60}},
        {61, {.oggetto = 3, .valore_1 = 60, .valore_3 = 2}},
        {69, {.oggetto = 2, .valore_1 = 60, .valore_3 = 2}}}},
      {"at 3000 m with f_ta",
       3000, 60, 400, 2, 1, 0,
       {{33, {.oggetto = 5, .valore_1 = 4}},
        {34, {.oggetto = 5, .valore_1 = 3}},
        {35, {.oggetto = 5, .valore_1 = 2}},
        {36, {.oggetto = 5, .valore_1 = 1}},
        {37, {.oggetto = 4, .valore_1 = 60}},
        {61, {.oggetto = 3, .valore_1 = 60, .valore_3 = 2}},
        {69, {.oggetto = 2, .valore_1 = 60, .valore_3 = 2}}}},
      {"d_v goes into every cell's valore_2",
       3000, 60, 400, 2, 1, 30,
       {{33, {.oggetto = 5, .valore_1 = 4, .valore_2 = 4}},
        {34, {.oggetto = 5, .valore_1 = 3, .valore_2 = 3}},
        {35, {.oggetto = 5, .valore_1 = 2, .valore_2 = 2}},
        {36, {.oggetto = 5, .valore_1 = 1, .valore_2 = 1}},
        {37, {.oggetto = 4, .valore_1 = 60, .valore_2 = 30}},
        {61, {.oggetto = 3, .valore_1 = 60, .valore_2 = 30, .valore_3 = 2}},
        {69, {.oggetto = 2, .valore_1 = 60, .valore_2 = 30, .valore_3 = 2}}}},
      {"halves round to even: approach cells not next to the warning",
       3025, 60, 400, 2, 1, 0,
       {{33, {.oggetto = 5, .valore_1 = 4}},
        {34, {.oggetto = 5, .valore_1 = 3}},
        {35, {.oggetto = 5, .valore_1 = 2}},
        {36, {.oggetto = 5, .valore_1 = 1}},
        {38, {.oggetto = 4, .valore_1 = 60}},
        {62, {.oggetto = 3, .valore_1 = 60, .valore_3 = 2}},
        {70, {.oggetto = 2, .valore_1 = 60, .valore_3 = 2}}}},
      {"length 0: the start overwrites the end in one cell",
       3000, 60, 0, 2, 0, 0,
       {{37, {.oggetto = 4, .valore_1 = 60}},
        {61, {.oggetto = 3, .valore_1 = 60, .valore_3 = 2}}}},
      {"16-bit values keep their low bits",
       3000, 70000, 400, 65537, 0, -1,
       {{37, {.oggetto = 4, .valore_1 = 4464, .valore_2 = -1}},
        {61, {.oggetto = 3, .valore_1 = 4464, .valore_2 = -1, .valore_3 = 1}},
        {69,
         {.oggetto = 2, .valore_1 = 4464, .valore_2 = -1, .valore_3 = 1}}}},
  };
  // clang-format on
  for (const Case& c : cases) {
    scenario s;
    s.numero_celle = 200;
    s.celle.resize(201);
    std::vector<cella> atteso = s.celle;
    for (const Cella& e : c.celle) atteso[e.i] = e.c;
    EXPECT_EQ(memo_rallentamento(s, c.x, c.v, c.l, c.f_tt, c.f_ta, c.d_v), 0)
        << c.name;
    EXPECT_EQ(differenze(s.celle, atteso), "") << c.name;
  }
}

TEST(MemoRallentamentoOccupato, TakenCellsGiveTheirCodes) {
  const cella blocco = {.oggetto = 12, .valore_1 = 180};
  struct Case {
    const char* name;
    std::int32_t x, l, f_ta;
    std::size_t presa;  // the taken cell
    std::int32_t code;
    std::vector<std::size_t> dipinte;  // cells painted all the same
  };
  const Case cases[] = {
      {"warning", 3000, 400, 1, 37, 17, {}},
      {"start", 3000, 400, 1, 61, 18, {}},
      {"end", 3000, 400, 1, 69, 19, {}},
      {"approach: main cells stay painted", 3000, 400, 1, 34, 20, {37, 61, 69}},
      {"last approach cell", 3000, 400, 1, 33, 20, {37, 61, 69}},
      {"no warning at 1500 m", 1500, 400, 0, 7, 0, {31, 39}},
      {"cell below the approach cells",
       3000,
       400,
       1,
       32,
       0,
       {33, 34, 35, 36, 37, 61, 69}},
      {"approach cells not asked for", 3000, 400, 0, 34, 0, {37, 61, 69}},
  };
  for (const Case& c : cases) {
    scenario s;
    s.numero_celle = 200;
    s.celle.resize(201);
    s.celle[c.presa] = blocco;
    EXPECT_EQ(memo_rallentamento(s, c.x, 60, c.l, 0, c.f_ta, 0), c.code)
        << c.name;
    for (std::size_t i = 0; i < s.celle.size(); ++i) {
      bool dipinta = false;
      for (std::size_t d : c.dipinte) dipinta = dipinta || d == i;
      if (i == c.presa) {
        EXPECT_EQ(s.celle[i], blocco) << c.name;
      } else {
        EXPECT_EQ(s.celle[i].oggetto != 0, dipinta) << c.name << " cell " << i;
      }
    }
  }
}

TEST_F(MemoRallentamento, MontagnaMarkersAreFree) {
  for (std::size_t i : {33u, 34u, 35u, 36u, 37u, 61u, 69u}) {
    gia(i, {.oggetto = 11, .montagna = 1});
  }
  EXPECT_EQ(memo_rallentamento(s, 3000, 60, 400, 0, 1, 0), 0);
  for (std::size_t i : {33u, 34u, 35u, 36u}) atteso[i].oggetto = 5;
  atteso[33].valore_1 = 4;
  atteso[34].valore_1 = 3;
  atteso[35].valore_1 = 2;
  atteso[36].valore_1 = 1;
  atteso[37] = {.oggetto = 4, .valore_1 = 60, .montagna = 1};
  atteso[61] = {.oggetto = 3, .valore_1 = 60, .montagna = 1};
  atteso[69] = {.oggetto = 2, .valore_1 = 60, .montagna = 1};
  EXPECT_EQ(differenze(s.celle, atteso), "");
}

TEST_F(MemoRallentamento, EndCellMustBeInTheRow) {
  // 3000 + 6950 m ends in cell 200, the last one.
  EXPECT_EQ(memo_rallentamento(s, 3000, 60, 6950, 0, 0, 0), 0);
  EXPECT_EQ(s.celle[200].oggetto, 2);

  scenario oltre;
  oltre.numero_celle = 200;
  oltre.celle.resize(201);
  const std::vector<cella> vuota = oltre.celle;
  EXPECT_EQ(memo_rallentamento(oltre, 3000, 60, 7000, 0, 1, 0), 109);
  EXPECT_EQ(memo_rallentamento(oltre, 3000, 60, -3100, 0, 1, 0), 109);
  EXPECT_EQ(differenze(oltre.celle, vuota), "");
}

}  // namespace
}  // namespace compattatore
