#include "tool/plot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

namespace compattatore::tool {
namespace {

TEST(Plot, FitKeepsOneScaleForBothAxesAndCentres) {
  const struct {
    const char* what;
    double min_x, min_y, max_x, max_y;
    double scale;
  } cases[] = {
      // Page box 1000 wide, 500 high, at (10, 20).
      {"wide: the width decides", 0, 0, 10000, 1000, 0.1},
      {"tall: the height decides", -500, 0, 500, 10000, 0.05},
      {"north only: no x extent", 0, 0, 0, 2000, 0.25},
      {"east only: no y extent", -4000, 7, 0, 7, 0.25},
      {"one point", 3, 3, 3, 3, 1.0},
  };
  for (const auto& c : cases) {
    const page_transform t =
        fit(c.min_x, c.min_y, c.max_x, c.max_y, 10, 20, 1000, 500);
    EXPECT_DOUBLE_EQ(t.scale, c.scale) << c.what;
    // 1000 m east and 1000 m north are equally long on the page.
    EXPECT_DOUBLE_EQ(t.page_x(1000) - t.page_x(0), 1000 * c.scale) << c.what;
    EXPECT_DOUBLE_EQ(t.page_y(0) - t.page_y(1000), 1000 * c.scale) << c.what;
    // The middle of the plan lands in the middle of the box.
    EXPECT_DOUBLE_EQ(t.page_x((c.min_x + c.max_x) / 2), 510) << c.what;
    EXPECT_DOUBLE_EQ(t.page_y((c.min_y + c.max_y) / 2), 270) << c.what;
  }
}

TEST(Plot, FormatComesFromTheExtension) {
  EXPECT_EQ(format_from_name("a/plan.svg"), plot_format::svg);
  EXPECT_EQ(format_from_name("plan.PNG"), plot_format::png);
  EXPECT_EQ(format_from_name("plan.pdf"), plot_format::pdf);
  EXPECT_EQ(format_from_name("plan.jpg"), std::nullopt);
  EXPECT_EQ(format_from_name("svg"), std::nullopt);
}

// 3 km north, then a quarter circle of radius 1000 m to the east, as the
// plan-view geometry seeds and fills it; the last two metres empty.
tracciato_linea sample_track() {
  tracciato_linea t;
  const int last = 4600;
  t.make(last);
  t.set_intero(0, 0, 0);
  t.set_intero(0, 1, 0);
  t.set_intero(1, 0, 0);
  t.set_intero(1, 1, 1);
  for (int m = 2; m <= last - 2; ++m) {
    const auto i = static_cast<std::size_t>(m);
    if (m <= 3000) {
      t.set_reale(i, 0, 0.0);
      t.set_reale(i, 1, m);
    } else {
      const double a = std::min((m - 3000) / 1000.0, M_PI / 2);
      t.set_reale(i, 0, 1000 - 1000 * std::cos(a));
      t.set_reale(i, 1, 3000 + 1000 * std::sin(a));
    }
  }
  return t;
}

std::uint32_t big_endian_32(const std::string& b, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    v = (v << 8) | static_cast<unsigned char>(b[at + i]);
  }
  return v;
}

TEST(Plot, DrawsValidSvgPngAndPdf) {
  const tracciato_linea track = sample_track();
  std::vector<cella> row(100);
  row[11].oggetto = 1;  // signal at ~500 m
  row[21].oggetto = 3;  // slowdown from ~1000 m
  row[21].valore_1 = 60;
  row[31].oggetto = 2;   // to ~1500 m
  row[41].oggetto = 14;  // board at ~2000 m
  std::array<stazione, numero_stazioni> table{};
  table[1].progressiva = 200;
  table[1].categoria = 2;
  table[1].nome = "Alfa";
  table[84].fine_area = 4000;
  plot_input in;
  in.tracciato = &track;
  in.celle = &row;
  in.stazioni = &table;
  in.title = "A_linea.dat";

  std::string bytes, err;
  ASSERT_TRUE(draw_plan(in, plot_format::svg, 900, 700, &bytes, &err)) << err;
  EXPECT_TRUE(bytes.starts_with("<?xml")) << bytes.substr(0, 40);
  EXPECT_NE(bytes.find("<svg"), std::string::npos);
  EXPECT_NE(bytes.find("width=\"900"), std::string::npos);
  EXPECT_NE(bytes.find("height=\"700"), std::string::npos);
  EXPECT_TRUE(bytes.ends_with("</svg>\n"));

  ASSERT_TRUE(draw_plan(in, plot_format::png, 640, 480, &bytes, &err)) << err;
  ASSERT_GT(bytes.size(), 24u);
  EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1a\n");
  EXPECT_EQ(bytes.substr(12, 4), "IHDR");
  EXPECT_EQ(big_endian_32(bytes, 16), 640u);
  EXPECT_EQ(big_endian_32(bytes, 20), 480u);

  ASSERT_TRUE(draw_plan(in, plot_format::pdf, 600, 400, &bytes, &err)) << err;
  EXPECT_TRUE(bytes.starts_with("%PDF-"));

  // The track alone draws too.
  plot_input bare;
  bare.tracciato = &track;
  EXPECT_TRUE(draw_plan(bare, plot_format::png, 300, 300, &bytes, &err)) << err;
}

TEST(Plot, ALineOfFewerThanTwoPointsIsNotDrawn) {
  tracciato_linea empty;
  tracciato_linea seeded;
  seeded.make(3);
  seeded.set_intero(0, 0, 0);
  seeded.set_intero(0, 1, 0);
  seeded.set_intero(1, 0, 0);  // metre 1 has no y
  for (const tracciato_linea* t : {&empty, &seeded}) {
    plot_input in;
    in.tracciato = t;
    std::string bytes, err;
    EXPECT_FALSE(draw_plan(in, plot_format::svg, 400, 400, &bytes, &err));
    EXPECT_NE(err.find("nothing to draw"), std::string::npos) << err;
  }
}

}  // namespace
}  // namespace compattatore::tool
