#include "reader/plan_view.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace compattatore {
namespace {

constexpr int x = 0;
constexpr int y = 1;

TEST(Curvatura, ClassDigitAndSide) {
  struct Case {
    std::string_view keyword;
    std::optional<double> k;
  };
  const Case cases[] = {
      {"curvas3", -0.0004},         {"curvad3", 0.0004},
      {"curvad1", 0.0001},          {"curvad2", 0.0002},
      {"curvad4", 0.001},           {"curvad5", 0.002},
      {"curvad6", 0.003},           {"CURVAS6", -0.003},
      {"curvad31", 0.0001},         {"curvad 6 2", 0.0002},
      {"curva3 s", -0.0004},        {"curvad", std::nullopt},
      {"curvas0789", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(curvatura(c.keyword), c.k) << c.keyword;
  }
}

class PlanView : public ::testing::Test {
 protected:
  void SetUp() override {
    linea.make(8000);
    linea.seed();
  }
  // The point of metre m, checked to be a computed double.
  void expect_point(std::size_t m, double px, double py) {
    const tracciato_linea p = t();
    EXPECT_EQ(p.tipo(m, x), tipo_elemento::reale) << m;
    EXPECT_EQ(p.tipo(m, y), tipo_elemento::reale) << m;
    EXPECT_EQ(p.valore(m, x), px) << m;
    EXPECT_EQ(p.valore(m, y), py) << m;
  }
  // The points drawn so far.
  tracciato_linea t() const { return d.punti(); }

  disegno_tracciato d;
  plan_view linea{d};
};

TEST_F(PlanView, SeedIsTwoIntegerMetres) {
  EXPECT_EQ(t().metri(), 8001u);
  EXPECT_EQ(t().tipo(0, x), tipo_elemento::intero);
  EXPECT_EQ(t().tipo(0, y), tipo_elemento::intero);
  EXPECT_EQ(t().tipo(1, x), tipo_elemento::intero);
  EXPECT_EQ(t().tipo(1, y), tipo_elemento::intero);
  EXPECT_EQ(t().valore(0, y), 0.0);
  EXPECT_EQ(t().valore(1, x), 0.0);
  EXPECT_EQ(t().valore(1, y), 1.0);
  EXPECT_EQ(t().tipo(2, x), tipo_elemento::vuoto);
  EXPECT_EQ(linea.metro(), 2);
}

TEST_F(PlanView, LeftCurveAfterAStraight) {
  ASSERT_EQ(linea.curve(1000, 500, -0.0004), esito_tracciato::fatto);
  EXPECT_EQ(linea.metro(), 1501);
  for (std::size_t m : {2u, 3u, 500u, 999u, 1000u}) {
    expect_point(m, 0.0, static_cast<double>(m));
  }
  // dx = 0, dy = 1 before metre 1001.
  expect_point(1001, 0.0 + 0.0 + -0.0004 * 1.0, 1000.0 + 1.0 - -0.0004 * 0.0);
  // dx = -0.0004, dy = 1 before metre 1002.
  expect_point(1002, -0.0004 + -0.0004 + -0.0004 * 1.0,
               1001.0 + 1.0 - -0.0004 * -0.0004);
  const tracciato_linea p = t();
  for (std::size_t m = 1001; m <= 1500; ++m) {
    EXPECT_LT(p.valore(m, x), 0.0) << m;
  }
  EXPECT_EQ(t().tipo(1501, x), tipo_elemento::vuoto);
}

TEST_F(PlanView, TouchingCurvesHaveNoStraightStepBetween) {
  ASSERT_EQ(linea.curve(2, 1, 0.0004), esito_tracciato::fatto);
  expect_point(2, 0.0, 2.0);
  expect_point(3, 0.0 + 0.0 + 0.0004 * 1.0, 2.0 + 1.0 - 0.0004 * 0.0);
  ASSERT_EQ(linea.curve(3, 1, -0.001), esito_tracciato::fatto);
  // Metre 4 turns at once: dx = 0.0004, dy = 1.
  expect_point(4, 0.0004 + 0.0004 + -0.001 * 1.0, 3.0 + 1.0 - -0.001 * 0.0004);
  EXPECT_EQ(linea.metro(), 5);
}

TEST_F(PlanView, CurvesBehindTheCounter) {
  ASSERT_EQ(linea.curve(10, 0, 0.003), esito_tracciato::fatto);
  EXPECT_EQ(linea.metro(), 11);  // a zero-length curve only goes straight
  expect_point(10, 0.0, 10.0);
  EXPECT_EQ(t().tipo(11, x), tipo_elemento::vuoto);

  ASSERT_EQ(linea.curve(5, 3, 0.003), esito_tracciato::fatto);
  EXPECT_EQ(linea.metro(), 11);  // ended behind: nothing drawn

  ASSERT_EQ(linea.curve(8, 4, 0.001), esito_tracciato::fatto);
  EXPECT_EQ(linea.metro(), 13);  // started behind: bends 11 and 12 only
  expect_point(11, 0.0 + 0.0 + 0.001 * 1.0, 10.0 + 1.0 - 0.001 * 0.0);
}

TEST_F(PlanView, FinishLeavesTheLastTwoMetresEmpty) {
  ASSERT_EQ(linea.curve(100, 50, 0.002), esito_tracciato::fatto);
  ASSERT_EQ(linea.finish(), esito_tracciato::fatto);
  EXPECT_EQ(linea.metro(), 7999);
  EXPECT_EQ(t().tipo(7998, x), tipo_elemento::reale);
  EXPECT_EQ(t().tipo(7998, y), tipo_elemento::reale);
  for (std::size_t m : {7999u, 8000u}) {
    EXPECT_EQ(t().tipo(m, x), tipo_elemento::vuoto) << m;
    EXPECT_EQ(t().tipo(m, y), tipo_elemento::vuoto) << m;
  }
  // After the bend the line goes straight on, turned: the same step.
  EXPECT_NEAR(t().valore(7998, x) - t().valore(7997, x),
              t().valore(151, x) - t().valore(150, x), 1e-9);
  EXPECT_GT(t().valore(7998, x), 700.0);
}

TEST_F(PlanView, CurveMayReachTheLastMetreButNotBeyond) {
  ASSERT_EQ(linea.curve(7900, 100, 0.001), esito_tracciato::fatto);
  EXPECT_EQ(t().tipo(8000, y), tipo_elemento::reale);
  EXPECT_EQ(linea.curve(8000, 1, 0.001), esito_tracciato::oltre_tracciato);
  EXPECT_EQ(linea.metro(), 8001);
  EXPECT_EQ(linea.finish(), esito_tracciato::fatto);  // nothing left to draw
}

TEST(PlanViewLimit, CounterMayNotPassAMillion) {
  disegno_tracciato d;
  plan_view linea(d);
  auto t = [&d] { return d.punti(); };
  linea.make(1007000);
  linea.seed();
  EXPECT_EQ(linea.curve(999990, 100, 0.0001), esito_tracciato::oltre_limite);
  EXPECT_EQ(linea.metro(), 1000001);
  EXPECT_EQ(t().tipo(1000000, x), tipo_elemento::reale);
  EXPECT_EQ(t().tipo(1000001, x), tipo_elemento::vuoto);

  // The finish of the longest route runs to its third-last metre.
  linea.seed();
  EXPECT_EQ(linea.finish(), esito_tracciato::fatto);
  EXPECT_EQ(t().valore(1006998, y), 1006998.0);
  EXPECT_EQ(t().tipo(1006999, y), tipo_elemento::vuoto);
}

}  // namespace
}  // namespace compattatore
