#include "reader/position_ordering.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string_view>

#include "reader/field_reader.h"

namespace compattatore {
namespace {

// Entries 81, 82, 83 as (inizio_area, fine_area, progressiva).
using terne = std::array<std::array<std::int32_t, 3>, 3>;

terne ordina(const terne& prima) {
  scenario s;
  for (std::size_t i = 0; i < 3; ++i) {
    stazione& e = s.stazioni[81 + i];
    e.inizio_area = prima[i][0];
    e.fine_area = prima[i][1];
    e.progressiva = prima[i][2];
  }
  progressive_ordina(s);
  terne dopo{};
  for (std::size_t i = 0; i < 3; ++i) {
    const stazione& e = s.stazioni[81 + i];
    dopo[i] = {e.inizio_area, e.fine_area, e.progressiva};
  }
  return dopo;
}

TEST(ProgressiveOrdina, OrdersAndAdjustsTheChainageEntries) {
  struct Case {
    std::string_view name;
    terne prima;
    terne dopo;
  };
  const Case cases[] = {
      {"all zero stays zero", {}, {}},
      {"only uno used",
       {{{0, 0, 0}, {0, 0, 0}, {5000, 12000, 0}}},
       {{{5000, 12000, 0}, {0, 0, 0}, {0, 0, 0}}}},
      {"largest first in 81",
       {{{20000, 1, 0}, {5000, 2, 0}, {10000, 3, 0}}},
       {{{20000, 1, 0}, {10000, 3, 0}, {5000, 2, 0}}}},
      {"largest in 82",
       {{{5000, 1, 0}, {20000, 2, 0}, {10000, 3, 0}}},
       {{{20000, 2, 0}, {10000, 3, 0}, {5000, 1, 0}}}},
      {"largest in 82, 81 before 83",
       {{{10000, 1, 0}, {20000, 2, 0}, {5000, 3, 0}}},
       {{{20000, 2, 0}, {10000, 1, 0}, {5000, 3, 0}}}},
      {"largest in 83",
       {{{10000, 1, 0}, {5000, 2, 0}, {20000, 3, 0}}},
       {{{20000, 3, 0}, {10000, 1, 0}, {5000, 2, 0}}}},
      {"largest in 83, 82 before 81",
       {{{5000, 1, 0}, {10000, 2, 0}, {20000, 3, 0}}},
       {{{20000, 3, 0}, {10000, 2, 0}, {5000, 1, 0}}}},
      {"shared largest clears all",
       {{{8000, 1, 1}, {8000, 2, 0}, {2000, 3, 0}}},
       {}},
      {"equal smaller ones: the higher entry goes to 82",
       {{{9000, 1, 0}, {3000, 2, 0}, {3000, 3, 0}}},
       {{{9000, 1, 0}, {3000, 3, 0}, {3000, 2, 0}}}},
      {"negative first values still order",
       {{{-100, 1, 0}, {400, 2, 0}, {-200, 3, 0}}},
       {{{400, 2, 0}, {-100, 1, 0}, {-200, 3, 0}}}},
      {"zero sum: the second value of 82 decides, third value 1 adds 100",
       {{{0, 0, 7}, {0, 300, 1}, {0, 0, 9}}},
       {{{0, 400, 1}, {0, 0, 7}, {0, 0, 9}}}},
      {"zero sum: 83 wins over 81",
       {{{0, 50, 0}, {0, 0, 2}, {0, 150, 3}}},
       {{{0, 150, 3}, {0, 0, 2}, {0, 50, 0}}}},
      {"zero sum: 81 alone keeps the order",
       {{{0, 50, 1}, {0, -5, 2}, {0, 0, 3}}},
       {{{0, 150, 1}, {0, -5, 2}, {0, 0, 3}}}},
      {"zero sum of nonzero values orders by the second",
       {{{100, 0, 0}, {-100, 0, 0}, {0, 0, 0}}},
       {}},
      {"third value 1 in every entry",
       {{{300, 10, 1}, {200, 20, 1}, {100, 30, 1}}},
       {{{300, 110, 1}, {200, 120, 1}, {100, 130, 1}}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ordina(c.prima), c.dopo) << c.name;
  }
}

TEST(ProgressiveOrdina, SumBeyond32BitsIsAReadFailure) {
  const terne prima = {{{2000000000, 0, 0}, {2000000000, 0, 0}, {0, 0, 0}}};
  EXPECT_THROW(ordina(prima), read_failure);
}

}  // namespace
}  // namespace compattatore
