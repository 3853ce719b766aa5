#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "model/arrotonda.h"
#include "model/tracciato.h"

namespace compattatore {
namespace {

TEST(Nearest, HalvesGoToTheEvenNeighbourOthersToTheNearest) {
  struct Case {
    double x;
    double want;
  };
  for (const Case c : {Case{0.5, 0.0},
                       {1.5, 2.0},
                       {2.5, 2.0},
                       {3.5, 4.0},
                       {-0.5, 0.0},
                       {-1.5, -2.0},
                       {-2.5, -2.0},
                       {2.4999999, 2.0},
                       {2.5000001, 3.0},
                       {-2.6, -3.0},
                       {7.0, 7.0},
                       {1e15 + 0.5, 1e15},
                       {0.0, 0.0}}) {
    EXPECT_EQ(nearest(c.x), c.want) << c.x;
  }
  EXPECT_FALSE(std::signbit(nearest(0.25)));
}

TEST(Nearest, ConversionRefusesWhatTheFieldCannotHold) {
  EXPECT_EQ(nearest_as<std::int16_t>(32767.4), 32767);
  EXPECT_EQ(nearest_as<std::int16_t>(32767.5), std::nullopt);
  EXPECT_EQ(nearest_as<std::int16_t>(-32768.5), -32768);  // halves to even
  EXPECT_EQ(nearest_as<std::int16_t>(-32769.0), std::nullopt);
  EXPECT_EQ(nearest_as<std::uint8_t>(255.5), std::nullopt);
  EXPECT_EQ(nearest_as<std::uint8_t>(-0.5), 0);
  EXPECT_EQ(nearest_as<std::int32_t>(std::nan("")), std::nullopt);
  EXPECT_EQ(nearest_as<std::int32_t>(std::numeric_limits<double>::infinity()),
            std::nullopt);
  EXPECT_EQ(low16(0x12345678), 0x5678);
  EXPECT_EQ(low16(40000), -25536);
  EXPECT_EQ(low8(-1), 255);
  EXPECT_EQ(low8(300), 44);
}

TEST(TrackLine, ElementsKeepTheirKindAndValuePerMetreAndAxis) {
  tracciato_linea t;
  EXPECT_TRUE(t.empty());
  t.make(2);
  ASSERT_EQ(t.metri(), 3u);
  for (int asse = 0; asse < 2; ++asse) {
    for (std::size_t m = 0; m < 3; ++m) {
      EXPECT_EQ(t.tipo(m, asse), tipo_elemento::vuoto);
      EXPECT_EQ(t.valore(m, asse), 0.0);
    }
  }
  t.set_intero(0, 0, -7);
  t.set_reale(2, 1, 0.1);
  EXPECT_EQ(t.tipo(0, 0), tipo_elemento::intero);
  EXPECT_EQ(t.valore(0, 0), -7.0);
  EXPECT_EQ(t.tipo(0, 1), tipo_elemento::vuoto);  // the other axis untouched
  EXPECT_EQ(t.tipo(2, 1), tipo_elemento::reale);
  EXPECT_EQ(t.valore(2, 1), 0.1);
  // The rows whole: x first.
  ASSERT_EQ(t.tipi(1).size(), 3u);
  EXPECT_EQ(t.tipi(1)[2], tipo_elemento::reale);
  EXPECT_EQ(t.valori(0)[0], -7.0);

  tracciato_linea u;
  u.make(2);
  EXPECT_NE(t, u);
  u.set_intero(0, 0, -7);
  u.set_reale(2, 1, 0.1);
  EXPECT_EQ(t, u);
  // Making again empties every element.
  t.make(0);
  EXPECT_EQ(t.metri(), 1u);
  EXPECT_EQ(t.tipo(0, 0), tipo_elemento::vuoto);
  t.clear();
  EXPECT_TRUE(t.empty());
}

}  // namespace
}  // namespace compattatore
