#include "tool/drawing/plot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/compiled_in_scenario.h"
#include "tool/common/distance.h"
#include "tool/common/latin1.h"
#include "tool/drawing/plot_drawing.h"
#include "tool/drawing/plot_texts.h"

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
  EXPECT_NE(bytes.find(">Alfa</text>"), std::string::npos);
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

TEST(Plot, SvgKeepsTextAsTextAndEscapesIt) {
  const tracciato_linea track = sample_track();
  std::array<stazione, numero_stazioni> table{};
  table[1].progressiva = 200;
  table[1].categoria = 2;
  table[1].nome = "Alfa";
  table[2].progressiva = 2500;
  table[2].categoria = 2;
  table[2].nome = "<script>alert(1)</script> & \xc8ze";  // Latin-1
  plot_input in;
  in.tracciato = &track;
  in.stazioni = &table;
  in.title = "A_linea.dat";
  std::string bytes, err;
  ASSERT_TRUE(draw_plan(in, plot_format::svg, 900, 700, &bytes, &err)) << err;
  EXPECT_NE(bytes.find(">Alfa</text>"), std::string::npos);
  EXPECT_NE(bytes.find(">&lt;script&gt;alert(1)&lt;/script&gt; &amp; \xc3\x88ze"
                       "</text>"),
            std::string::npos);
  EXPECT_EQ(bytes.find("<script"), std::string::npos);
  // No glyph outlines: cairo's SVG surface would write <symbol>s of them.
  EXPECT_EQ(bytes.find("<symbol"), std::string::npos);
}

TEST(Plot, PlacedLabelsNeverOverlapAndMoveAwayWithALeader) {
  label_placer placer({0, 0, 200, 100});
  placer.avoid({95, 45, 105, 55});  // the labels' own mark
  placer.avoid({60, 30, 70, 40});   // another mark
  const auto first = placer.place("one", 100, 50, 40, 12, 0, -1);
  ASSERT_TRUE(first.has_value());
  EXPECT_FALSE(first->leader);
  // Straight above the mark, as asked: its lower side 4 units above it.
  EXPECT_DOUBLE_EQ(first->box.y1, 46);
  EXPECT_DOUBLE_EQ(first->box.x0, 80);
  // The same place asked again and again: each further out, none over
  // another, the far ones with a leader, until there is no room left.
  int placed = 1, leaders = 0;
  while (placer.place("again", 100, 50, 40, 12, 0, -1)) {
    ++placed;
    leaders += placer.placed().back().leader;
  }
  EXPECT_GT(placed, 4);
  EXPECT_GT(leaders, 0);
  EXPECT_FALSE(any_overlap(placer.placed()));
  for (const placed_label& p : placer.placed()) {
    EXPECT_TRUE(p.box.inside({0, 0, 200, 100}));
  }
  // Wider than the page: nowhere.
  label_placer empty({0, 0, 200, 100});
  EXPECT_FALSE(empty.place("wide", 100, 50, 201, 12, 0, -1).has_value());
}

// A mark on one of two close parallel lines, its label asked for on the
// side of the other, with a large mark beside it on the free side: the
// label may not sit on either line, nor its leader run across the other
// line, so it goes out past the large mark on the free side.
TEST(Plot, LeadersKeepOffTheLines) {
  label_placer placer({0, 0, 600, 400});
  for (double y = 0; y <= 400; y += 3) {
    placer.avoid_point(300, y);
    placer.avoid_point(330, y);
  }
  placer.avoid({150, 100, 298, 300});
  const auto p = placer.place("label", 300, 200, 60, 12, 1, 0);
  ASSERT_TRUE(p.has_value());
  EXPECT_TRUE(p->leader);
  EXPECT_LE(p->box.x1, 300) << p->box.x0 << " " << p->box.y0;
}

// The compiled-in scenario's plan, as `compatta plot` draws it from the
// files `compatta compile` makes of `compatta texts`.
TEST(Plot, CompiledInPlanLabelsDoNotOverlap) {
  const scenario s = compiled_in_scenario(1);
  ASSERT_EQ(s.codice_errore, 0);
  const struct {
    int width, height;
    std::int64_t from, to;
    bool margin;
    bool every_station;  // no station's name left out
    bool room;  // no leader runs across a label: the first kilometres of
                // the whole route are too crowded for that
  } cases[] = {
      {1200, 800, -1, -1, false, true, false},
      {1200, 800, -1, -1, true, true, false},
      {1200, 800, 14000, 22000, false, true, true},
      {1200, 800, 0, 30000, false, true, true},
      {2400, 1600, -1, -1, false, true, false},
      {400, 300, -1, -1, false, false, false},  // crowded: some left out
  };
  const tracciato_linea points = s.tracciato.punti();
  for (const auto& c : cases) {
    plot_input in;
    in.tracciato = &points;
    in.celle = &s.celle;
    in.stazioni = &s.stazioni;
    in.from = c.from;
    in.to = c.to;
    in.margin = c.margin;
    std::string bytes, err;
    plan_layout layout;
    ASSERT_TRUE(draw_plan(in, plot_format::svg, c.width, c.height, &bytes, &err,
                          &layout))
        << err;
    const std::string what = std::to_string(c.width) + "x" +
                             std::to_string(c.height) + " from " +
                             std::to_string(c.from);
    ASSERT_FALSE(layout.labels.empty()) << what;
    for (std::size_t i = 0; i < layout.labels.size(); ++i) {
      const label_box& a = layout.labels[i].box;
      EXPECT_TRUE(a.inside(
          {0, 0, static_cast<double>(c.width), static_cast<double>(c.height)}))
          << what;
      for (std::size_t j = i + 1; j < layout.labels.size(); ++j) {
        EXPECT_FALSE(a.overlaps(layout.labels[j].box))
            << what << ": " << layout.labels[i].text << " and "
            << layout.labels[j].text;
      }
      for (std::size_t j = 0; j < layout.labels.size() && c.room; ++j) {
        EXPECT_FALSE(j != i && leader_crosses(layout.labels[j], a))
            << what << ": the leader of " << layout.labels[j].text
            << " crosses " << layout.labels[i].text;
      }
    }
    // The line as the report's kilometre cursor finds it: in metre order
    // over the stretch, on the page.
    ASSERT_GE(layout.percorso.size(), 2u) << what;
    EXPECT_LE(layout.percorso.size(), max_route_points) << what;
    for (std::size_t i = 0; i < layout.percorso.size(); ++i) {
      const page_point& p = layout.percorso[i];
      if (i > 0) {
        EXPECT_LE(layout.percorso[i - 1].metro, p.metro) << what;
      }
      EXPECT_TRUE(p.x >= 0 && p.x <= c.width && p.y >= 0 && p.y <= c.height)
          << what << ": metre " << p.metro;
    }
    if (c.from >= 0) {
      EXPECT_NEAR(layout.percorso.front().metro, static_cast<double>(c.from),
                  50)
          << what;
      EXPECT_NEAR(layout.percorso.back().metro, static_cast<double>(c.to), 50)
          << what;
    }
    if (!c.every_station) continue;
    for (int e = 1; e <= 21; ++e) {
      const stazione& st = s.stazioni[static_cast<std::size_t>(e)];
      // The last station, at 78600 m, lies in the margin after the route's
      // 77000 m.
      const std::int64_t end = c.to >= 0 ? c.to : c.margin ? 84000 : 77000;
      const bool in_stretch =
          st.progressiva >= std::max<std::int64_t>(c.from, 0) &&
          st.progressiva <= end;
      const std::string name = latin1_to_utf8(st.nome);
      const bool labelled =
          std::any_of(layout.labels.begin(), layout.labels.end(),
                      [&](const placed_label& l) { return l.text == name; });
      EXPECT_EQ(labelled, in_stretch) << what << ": " << name;
      EXPECT_EQ(bytes.find('>' + name + "</text>") != std::string::npos,
                in_stretch)
          << what << ": " << name;
    }
  }
}

TEST(Plot, BoardsShowTheirSpeedsAndInscriptions) {
  const scenario s = compiled_in_scenario(1);
  const tracciato_linea points = s.tracciato.punti();
  plot_input in;
  in.tracciato = &points;
  in.celle = &s.celle;
  in.stazioni = &s.stazioni;
  in.from = 0;
  in.to = 12000;
  std::string bytes, err;
  plan_layout layout;
  ASSERT_TRUE(
      draw_plan(in, plot_format::svg, 1600, 1200, &bytes, &err, &layout))
      << err;
  EXPECT_TRUE(layout.left_out.empty());
  // "indicatori_vmax, 8850, 95, 105, 105" and the first tunnel's board.
  for (const char* text :
       {">95/105/105</text>", ">GALLERIA ROCCAGRANA m.2000</text>",
        ">BIVIO RIVALTELLA</text>", ">80</text>"}) {
    EXPECT_NE(bytes.find(text), std::string::npos) << text;
  }
}

TEST(Plot, BoardTexts) {
  cella board;
  const struct {
    std::int16_t v1, v2, v3;
    const char* text;
  } speeds[] = {
      {1600, 1600, 1600, "80"},          // 80 on side s, side d empty
      {1900, 2100, 2100, "95/105/105"},  //
      {1602, 1602, 1602, "80 | 10"},     // side d 10 km/h
      {2000 + 13, 2000 + 13, 2000 + 13, "100 | 65"},
  };
  for (const auto& c : speeds) {
    board.valore_1 = c.v1;
    board.valore_2 = c.v2;
    board.valore_3 = c.v3;
    EXPECT_EQ(speed_board_text(board), c.text);
  }
  EXPECT_EQ(indication_text("(GALLERIA  )(CERRETO   )(m.650     )"),
            "GALLERIA CERRETO m.650");
  EXPECT_EQ(indication_text("  (BIVIO)"), "BIVIO");
  EXPECT_EQ(timetable_text(0), "");
  EXPECT_EQ(timetable_text((10 * 60 + 52) * 60), "10:52");
  EXPECT_EQ(timetable_text((9 * 60 + 5) * 60 + 7), "09:05:07");
}

TEST(Plot, StretchesOfTheRoute) {
  const struct {
    const char* from;
    const char* to;
    std::int64_t a, b;  // -1: not given
    const char* error;  // empty: accepted
  } cases[] = {
      {"", "", -1, -1, ""},
      {"14km", "22km", 14000, 22000, ""},
      {"1500", "", 1500, -1, ""},
      {"", "1500m", -1, 1500, ""},
      {"0", "77km", 0, 77000, ""},
      {"22km", "14km", 0, 0, "--from 22km does not lie before --to 14km"},
      {"5km", "5000", 0, 0, "--from 5km does not lie before --to 5000"},
      {"77km", "", 0, 0,
       "--from 77km does not lie before --to 77000 m (the route's end)"},
      {"", "0", 0, 0, "--from 0 does not lie before --to 0"},
      {"", "77001", 0, 0, "--to 77001 lies beyond the route's end at 77000 m"},
      {"80km", "", 0, 0, "--from 80km lies beyond the route's end at 77000 m"},
      {"-1km", "", 0, 0, "--from -1km: not a distance"},
      {"", "12 km", 0, 0, "--to 12 km: not a distance"},
  };
  for (const auto& c : cases) {
    requested_stretch t;
    std::string err;
    const bool ok = parse_stretch(c.from, c.to, 77000, &t, &err);
    EXPECT_EQ(ok, *c.error == '\0') << c.from << ' ' << c.to << ": " << err;
    if (ok) {
      EXPECT_EQ(t.from, c.a) << c.from;
      EXPECT_EQ(t.to, c.b) << c.to;
    } else {
      EXPECT_NE(err.find(c.error), std::string::npos) << err;
    }
  }
}

TEST(Plot, TheMarginIsDrawnOnlyWhenAsked) {
  std::array<stazione, numero_stazioni> table{};
  table[stazione_testata_treno_linea].fine_area = 3000;
  plot_input in;
  in.stazioni = &table;
  const plan_stretch plain = drawn_stretch(in, 0, 4598);
  EXPECT_EQ(plain.from, 0);
  EXPECT_EQ(plain.to, 3000);
  EXPECT_EQ(plain.route_end, 3000);
  in.margin = true;
  EXPECT_EQ(drawn_stretch(in, 0, 4598).to, 4598);
  in.margin = false;
  in.from = 1000;
  in.to = 4000;  // past the end, as a caller may ask
  const plan_stretch asked = drawn_stretch(in, 0, 4598);
  EXPECT_EQ(asked.from, 1000);
  EXPECT_EQ(asked.to, 4000);
  in.stazioni = nullptr;
  in.from = in.to = -1;
  EXPECT_EQ(drawn_stretch(in, 2, 4598).to, 4598);

  // Drawn: the title says where the margin is, only with it.
  const tracciato_linea track = sample_track();
  in.tracciato = &track;
  in.stazioni = &table;
  std::string bytes, err;
  ASSERT_TRUE(draw_plan(in, plot_format::svg, 600, 400, &bytes, &err)) << err;
  EXPECT_EQ(bytes.find("margin"), std::string::npos);
  in.margin = true;
  ASSERT_TRUE(draw_plan(in, plot_format::svg, 600, 400, &bytes, &err)) << err;
  EXPECT_NE(bytes.find("margin, dashed"), std::string::npos);
  EXPECT_NE(bytes.find("stroke-dasharray"), std::string::npos);
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
