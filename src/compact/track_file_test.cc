#include "compact/track_file.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/hex_bytes.h"

namespace compattatore {
namespace {

TEST(TrackFile, TrackElementsCarryTheirTags) {
  tracciato_linea t;
  t.make(3);
  t.set_intero(0, 0, 0);
  t.set_intero(1, 1, 1);
  t.set_reale(2, 0, -0.5);
  // Row 0: int 0, empty, double -0.5, empty. Row 1: empty, int 1, empty,
  // empty.
  const std::string out = encode_track(t);
  EXPECT_EQ(hex(out),
            "02 00 00 00 "
            "00 00 "
            "05 00 00 00 00 00 00 00 E0 BF "
            "00 00 "
            "00 00 "
            "02 00 01 00 "
            "00 00 "
            "00 00");
  EXPECT_EQ(byte_tracciato(t), 28u);
  EXPECT_TRUE(encode_track(tracciato_linea{}).empty());
  EXPECT_EQ(byte_tracciato(tracciato_linea{}), 0u);
}

// A line longer than one piece: the pieces, put together, are the whole
// file, with no element lost, doubled or split at a piece's end.
TEST(TrackFile, TrackInPiecesIsTheWholeFile) {
  // Straight along +y: x is 0 and y is the metre, for metres 0 to 40000.
  constexpr std::size_t ultimo = 40000;
  tracciato_linea t;
  t.make(ultimo);
  t.set_intero(0, 0, 0);
  t.set_intero(0, 1, 0);
  t.set_intero(1, 0, 0);
  t.set_intero(1, 1, 1);
  for (std::size_t m = 2; m <= ultimo - 2; ++m) {
    t.set_reale(m, 0, 0.0);
    t.set_reale(m, 1, static_cast<double>(m));
  }
  std::size_t pieces = 0;
  std::string all;
  encode_track(t, [&](std::size_t offset, std::string_view p) {
    ASSERT_EQ(offset, all.size()) << "in order, each after the last";
    all += p;
    ++pieces;
  });
  ASSERT_GT(pieces, 1u);
  // Per row: two 4-byte integers, 39997 10-byte doubles, two empties.
  const std::size_t riga = 8 + 39997 * 10 + 4;
  ASSERT_EQ(all.size(), 2 * riga);
  EXPECT_EQ(byte_tracciato(t), 2 * riga);

  const auto elemento = [&](std::size_t asse, std::size_t m) {
    return all.substr(asse * riga + 8 + (m - 2) * 10, 10);
  };
  const auto reale = [](double v) {
    std::string out = "\x05";
    out += '\0';
    const auto bits = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i) out += static_cast<char>(bits >> (8 * i));
    return out;
  };
  for (std::size_t m = 2; m <= ultimo - 2; ++m) {
    ASSERT_EQ(elemento(0, m), reale(0.0)) << m;
    ASSERT_EQ(elemento(1, m), reale(static_cast<double>(m))) << m;
  }
  EXPECT_EQ(hex(all.substr(riga - 4, 4 + 8)),
            "00 00 00 00 02 00 00 00 02 00 01 00");
  EXPECT_EQ(hex(all.substr(2 * riga - 4)), "00 00 00 00");
}

// The file of a drawn line, computed a stretch at a time as it is written,
// holds the same bytes as the file of its points; the stretches' ends fall
// before, inside and after curves, and at the end of what is drawn.
TEST(TrackFile, DrawnLineGivesTheFileOfItsPoints) {
  constexpr auto pezzo = static_cast<std::int32_t>(metri_pezzo_tracciato);
  struct Case {
    const char* what;
    std::int32_t ultimo;  // -1: not made
    bool seme;
    std::vector<disegno_tracciato::tratto> tratti;
  };
  const Case cases[] = {
      {"not made", -1, false, {}},
      {"made, not seeded", 3, false, {}},
      {"seed only", 3, true, {}},
      {"curves across stretch ends, then straight to the end",
       3 * pezzo + 100,
       true,
       {{pezzo - 3, 0.0},
        {pezzo + 5, -0.0004},
        {pezzo + 7, 0.003},
        {2 * pezzo, 0.0},
        {2 * pezzo + 1, 0.001},
        {3 * pezzo + 99, 0.0}}},
      {"stopped at a stretch's end, the rest empty",
       3 * pezzo,
       true,
       {{100, 0.0}, {2 * pezzo, -0.002}}},
      {"a turn of the other zero", 40, true, {{10, 0.0}, {20, -0.0}}},
      {"a long line of many stretches",
       40 * pezzo,
       true,
       {{7 * pezzo + 1, 0.0},
        {7 * pezzo + 900, 0.002},
        {31 * pezzo, 0.0},
        {31 * pezzo + 8, -0.003},
        {40 * pezzo - 2, 0.0}}},
  };
  for (const Case& c : cases) {
    disegno_tracciato d;
    if (c.ultimo >= 0) d.make(c.ultimo);
    if (c.seme) d.seed();
    for (const auto& t : c.tratti) d.disegna(t.fine, t.k);
    const std::string punti = encode_track(d.punti());
    EXPECT_EQ(byte_tracciato(d), punti.size()) << c.what;
    // Gathering checks that the pieces cover the announced size once.
    const std::string disegnato = encode_track(d);
    EXPECT_TRUE(disegnato == punti) << c.what;
  }
}

// A sink that fails (a full disk) stops the writing of a long line at once.
TEST(TrackFile, ASinkThatFailsStopsALongLine) {
  disegno_tracciato d;
  d.make(static_cast<std::int32_t>(40 * metri_pezzo_tracciato));
  d.seed();
  d.disegna(static_cast<std::int32_t>(39 * metri_pezzo_tracciato), 0.001);
  for (const int dopo : {0, 1, 9, 79}) {
    int pezzi = 0;
    EXPECT_THROW(encode_track(d,
                              [&](std::size_t, std::string_view) {
                                if (pezzi++ == dopo) {
                                  throw std::runtime_error("disk full");
                                }
                              }),
                 std::runtime_error)
        << dopo;
    EXPECT_EQ(pezzi, dopo + 1);
  }
}

TEST(TrackFile, TrackComesBackWithElementKinds) {
  tracciato_linea t;
  t.make(4);
  t.set_intero(0, 0, 0);
  t.set_intero(1, 1, -32768);
  t.set_reale(2, 0, -0.0);
  t.set_reale(2, 1, 1e300);
  t.set_reale(3, 1, std::numeric_limits<double>::denorm_min());
  tracciato_linea back;
  ASSERT_EQ(decode_track(encode_track(t), &back), std::nullopt);
  EXPECT_EQ(back, t);
  EXPECT_EQ(back.tipo(4, 0), tipo_elemento::vuoto);
  EXPECT_TRUE(std::signbit(back.valore(2, 0)));

  ASSERT_EQ(decode_track("", &back), std::nullopt);
  EXPECT_TRUE(back.empty());
}

}  // namespace
}  // namespace compattatore
