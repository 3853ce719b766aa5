#include "compact/track_file.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

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
  std::vector<std::string> pieces;
  encode_track(t, [&](std::string_view p) { pieces.emplace_back(p); });
  ASSERT_GT(pieces.size(), 1u);
  std::string all;
  for (const std::string& p : pieces) all += p;
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
