#include "tool/drawing/profile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/compiled_in_scenario.h"
#include "tool/drawing/profile_drawing.h"

namespace compattatore::tool {
namespace {

// Two slowdowns (one with approach cells) and two speed caps of the text,
// added to the compiled-in train: the compiled-in one has none.
constexpr const char* extra_rows =
    "rallentamento,  6000, 40, 1200, 0, 1, 0\r\n"
    "rallentamento,  36000, 60, 800, 1, 0, 0\r\n"
    "abbattimento,  30000, 100\r\n"
    "abbattimento,  31000, 0\r\n";

class Profile : public ::testing::Test {
 protected:
  void SetUp() override {
    s_ = compiled_in_scenario(0, extra_rows, &as_read_);
    ASSERT_EQ(s_.codice_errore, 0);
    p_ = profile_of(s_.celle, s_.stazioni, &as_read_);
  }
  // The cell that metre `m` falls in, as dump lists cells: c from
  // (c - 1) * 50 m.
  const cella& at(std::int64_t m) const {
    return s_.celle[static_cast<std::size_t>(m / 50 + 1)];
  }

  scenario s_;
  std::vector<cella> as_read_;
  profile_data p_;
};

TEST_F(Profile, SpeedsStepWhereTheCellsHoldThem) {
  EXPECT_EQ(p_.lunghezza, 77000);
  // Sampled kilometres, against the cells.
  for (std::int64_t m :
       {0, 700, 750, 1000, 3500, 5000, 6500, 12000, 42850, 50000, 76999}) {
    EXPECT_EQ(value_at(p_.velocita_linea, m), 5.0 * at(m).velocita_linea) << m;
    EXPECT_EQ(value_at(p_.pendenza, m), at(m).pendenza - 100.0) << m;
    EXPECT_EQ(value_at(p_.aderenza, m), at(m).aderenza) << m;
    EXPECT_EQ(value_at(p_.montagna, m), at(m).montagna) << m;
  }
  // "montagna, 800, 2800, 11" and "montagna, 3400, 3650, 12": codes 1 and
  // 2 (the tens ask for markers), none between them.
  EXPECT_EQ(value_at(p_.montagna, 1000), 1);
  EXPECT_EQ(value_at(p_.montagna, 3000), 0);
  EXPECT_EQ(value_at(p_.montagna, 3500), 2);
  // And against the texts, worked by hand: "velocita, 800, 80" paints from
  // cell 16, which stands from 750 m; "velocita, 42900, 30" from cell 858.
  // The slowdown at 40 km/h runs from 6000 m (85 there) to 7200 m, and
  // "velocita, 7050, 60" holds from 7000 m, still slowed to 40 until the
  // end; the one at 60 from 36000 m to 36800 m.
  const struct {
    std::int64_t metro;
    double linea, limit;
  } cases[] = {
      {700, 30, 30},   {750, 80, 80},     {5950, 85, 85},  {6000, 85, 40},
      {7150, 60, 40},  {7200, 60, 60},    {36000, 85, 60}, {36750, 85, 60},
      {36800, 85, 85}, {42800, 115, 115}, {42850, 30, 30},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(value_at(p_.velocita_linea, c.metro), c.linea) << c.metro;
    EXPECT_EQ(value_at(p_.limit, c.metro), c.limit) << c.metro;
  }
  // A step is only where the value changes.
  for (std::size_t i = 1; i < p_.limit.size(); ++i) {
    EXPECT_NE(p_.limit[i].value, p_.limit[i - 1].value);
    EXPECT_LT(p_.limit[i - 1].from, p_.limit[i].from);
  }
}

TEST_F(Profile, SlowdownsCapsAndThePassPoints) {
  ASSERT_EQ(p_.rallentamenti.size(), 2u);
  const profile_slowdown& a = p_.rallentamenti[0];
  EXPECT_EQ(a.avviso, 4800);
  EXPECT_EQ(a.inizio, 6000);
  EXPECT_EQ(a.fine, 7200);
  EXPECT_EQ(a.velocita, 40);
  const profile_slowdown& b = p_.rallentamenti[1];
  EXPECT_EQ(b.avviso, 34800);
  EXPECT_EQ(b.fine, 36800);
  EXPECT_EQ(b.velocita, 60);

  // Every cap of the row is there, and those of the text are told apart
  // from those the pass placed (cell 600 is "abbattimento, 30000", which
  // stands from 29950 m).
  std::size_t caps = 0;
  for (const cella& k : s_.celle) {
    caps += k.is(oggetto_cella::abbattimento) ||
            k.is(oggetto_cella::abbattimento_senza_velocita);
  }
  EXPECT_EQ(p_.points.size(), caps);
  auto find = [&](std::int64_t m) {
    return std::find_if(p_.points.begin(), p_.points.end(),
                        [m](const profile_point& q) { return q.metro == m; });
  };
  const auto text_cap = find(29950);
  ASSERT_NE(text_cap, p_.points.end());
  EXPECT_EQ(text_cap->velocita, 100);
  EXPECT_FALSE(text_cap->added_by_pass);
  const auto no_speed = find(30950);
  ASSERT_NE(no_speed, p_.points.end());
  EXPECT_EQ(no_speed->velocita, 0);
  EXPECT_FALSE(no_speed->added_by_pass);
  // The first interior point, 8 cells after the start cell 121; and the
  // first window before it, cell 116.
  for (std::int64_t m : {6400, 5750}) {
    const auto pass = find(m);
    ASSERT_NE(pass, p_.points.end()) << m;
    EXPECT_EQ(pass->velocita, 180) << m;
    EXPECT_TRUE(pass->added_by_pass) << m;
  }
}

TEST_F(Profile, StationsElevationAndSignals) {
  const auto lorba =
      std::find_if(p_.stazioni.begin(), p_.stazioni.end(),
                   [](const profile_station& s) { return s.nome == "LORBA"; });
  ASSERT_NE(lorba, p_.stazioni.end());
  // Position 12300, length 300: area 12150 to 12450, its end marker in
  // cell nearest(12450 / 50 - 1) = 248, from 12350 m.
  EXPECT_EQ(lorba->inizio_area, 12150);
  EXPECT_EQ(lorba->fine_area, 12450);
  EXPECT_EQ(lorba->fermata, 12350);
  EXPECT_EQ(lorba->orario, (11 * 60 + 18) * 60);
  EXPECT_EQ(p_.stazioni.size(), 21u);

  // 2 per mille from cell 146 (7250 m) to cell 552: 407 cells of 0.1 m.
  EXPECT_EQ(value_at(p_.quota, 7250), 0.0);
  EXPECT_NEAR(value_at(p_.quota, 27600), 40.7, 1e-9);

  std::size_t signals = 0;
  for (const cella& k : s_.celle) signals += k.is(oggetto_cella::segnale);
  EXPECT_EQ(p_.segnali.size(), signals);
}

TEST_F(Profile, DrawsEveryFormatWithLabelsApartAndTextAsText) {
  profile_input in;
  in.celle = &s_.celle;
  in.stazioni = &s_.stazioni;
  in.before_pass = &as_read_;
  in.title = "Orsella_Vantrona_4273";
  const struct {
    std::int64_t from, to;
    const char* shows;
    const char* not_shown;
  } stretches[] = {
      // The terminus lies past the route's 77000 m; the profile reaches to
      // its area's end, 79000 m.
      {-1, -1, ">VANTRONA 12:30</text>", nullptr},
      {10000, 20000, ">LORBA 11:18</text>", "PRAVELLO"},
  };
  for (const auto& c : stretches) {
    in.from = c.from;
    in.to = c.to;
    std::string bytes, err;
    profile_layout layout;
    ASSERT_TRUE(
        draw_profile(in, plot_format::svg, 1600, 1000, &bytes, &err, &layout))
        << err;
    EXPECT_EQ(layout.from, c.from < 0 ? 0 : c.from);
    EXPECT_EQ(layout.to, c.to < 0 ? 79000 : c.to);
    EXPECT_FALSE(any_overlap(layout.labels)) << c.from;
    EXPECT_NE(bytes.find(c.shows), std::string::npos) << c.from;
    if (c.not_shown) {
      EXPECT_EQ(bytes.find(c.not_shown), std::string::npos) << c.from;
    }
    EXPECT_TRUE(bytes.ends_with("</svg>\n"));
  }
  std::string bytes, err;
  ASSERT_TRUE(draw_profile(in, plot_format::png, 800, 600, &bytes, &err))
      << err;
  EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1a\n");
  ASSERT_TRUE(draw_profile(in, plot_format::pdf, 800, 600, &bytes, &err))
      << err;
  EXPECT_TRUE(bytes.starts_with("%PDF-"));

  const std::vector<cella> none;
  in.celle = &none;
  EXPECT_FALSE(draw_profile(in, plot_format::svg, 800, 600, &bytes, &err));
  EXPECT_NE(err.find("nothing to draw"), std::string::npos) << err;
}

}  // namespace
}  // namespace compattatore::tool
