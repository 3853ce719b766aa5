#include "tool/build/build_state.h"

#include <gtest/gtest.h>

#include <string>

namespace compattatore::tool {
namespace {

build_state small_state() {
  build_state s;
  s.texts = "in";
  s.routes["R1"] = {"00112233445566ff", {199964, 1796871667176574862, 42}};
  scenario_record& sc = s.scenarios["R1_1"];
  sc.route = "R1";
  sc.route_hash = "00112233445566ff";
  sc.train_hash = "a0b1c2d3e4f50617";
  sc.status = 1;
  sc.diagnostics = "in/R1_1-.txt:3:11: error 8: station position\n";
  sc.json = {{"codice_errore", 8}, {"file", "in/R1_1-.txt"}};
  sc.stations = {2989, 5, 7};
  sc.cells = {3015, 6, 8};
  return s;
}

TEST(BuildState, ReadsBackWhatItWrote) {
  const build_state s = small_state();
  std::string why;
  const auto back = read_state(state_bytes(s), &why);
  ASSERT_TRUE(back) << why;
  EXPECT_EQ(back->texts, "in");
  ASSERT_EQ(back->routes.size(), 1u);
  EXPECT_EQ(back->routes.at("R1").route_hash, "00112233445566ff");
  EXPECT_EQ(back->routes.at("R1").track, s.routes.at("R1").track);
  const scenario_record& sc = back->scenarios.at("R1_1");
  EXPECT_EQ(sc.route, "R1");
  EXPECT_EQ(sc.train_hash, "a0b1c2d3e4f50617");
  EXPECT_EQ(sc.status, 1);
  EXPECT_EQ(sc.diagnostics, s.scenarios.at("R1_1").diagnostics);
  EXPECT_EQ(sc.json, s.scenarios.at("R1_1").json);
  EXPECT_EQ(sc.stations, s.scenarios.at("R1_1").stations);
  EXPECT_EQ(sc.cells, s.scenarios.at("R1_1").cells);
  // The same state, the same bytes: an unchanged build rewrites nothing.
  EXPECT_EQ(state_bytes(*back), state_bytes(s));
}

TEST(BuildState, AnyDamageMakesTheWholeFileUntrusted) {
  const std::string good = state_bytes(small_state());
  std::string why;
  for (std::size_t i = 0; i < good.size(); ++i) {
    std::string bad = good;
    bad[i] = static_cast<char>(bad[i] ^ 0x04);
    EXPECT_FALSE(read_state(bad, &why)) << "byte " << i << ": " << bad;
  }
  for (std::size_t n = 0; n < good.size(); ++n) {
    EXPECT_FALSE(read_state(good.substr(0, n), &why)) << "cut at " << n;
  }
  EXPECT_FALSE(read_state(good + " ", &why));
}

TEST(BuildState, FingerprintOfKnownTexts) {
  // 64-bit FNV-1a: the offset basis for nothing, and the published value
  // for "a".
  EXPECT_EQ(fingerprint(""), "cbf29ce484222325");
  EXPECT_EQ(fingerprint("a"), "af63dc4c8601ec8c");
  EXPECT_NE(fingerprint("ab"), fingerprint("ba"));
}

}  // namespace
}  // namespace compattatore::tool
