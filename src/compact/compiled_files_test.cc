#include "compact/compiled_files.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace compattatore {
namespace {

std::string hex(const std::string& bytes) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    if (!out.empty()) out += ' ';
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

TEST(CompiledFiles, CellIsFifteenBytesLittleEndianInFieldOrder) {
  cella c;
  c.oggetto = 1;
  c.valore_1 = 0x0102;
  c.valore_2 = -2;
  c.valore_3 = 0x7fff;
  c.valore_4 = -32768;
  c.tempo_segnale = 101;
  c.preavviso = 44;
  c.montagna = 3;
  c.velocita_linea = 255;
  c.pendenza = 98;
  c.aderenza = 100;
  std::string out;
  encode_cell(out, c);
  EXPECT_EQ(hex(out), "01 02 01 FE FF FF 7F 00 80 65 2C 03 FF 62 64");
}

TEST(CompiledFiles, StationRecordCarriesItsNameAfterALength) {
  stazione s;
  s.categoria = 2;
  s.inizio_area = -200;
  s.fine_area = 600;
  s.progressiva = 200;
  s.opzione_1 = 1;
  s.nome = "Nome Stazione";
  s.numero_1 = 4;
  s.numero_2 = 1;
  s.numero_3 = 2;
  s.numero_4 = 1;
  s.numero_5 = 1;
  s.opzione_2 = 7;
  s.opzione_3 = 60;
  s.opzione_4 = 8;
  s.opzione_5 = 9;
  s.orario = 39120;
  std::string out;
  encode_station(out, s);
  ASSERT_EQ(out.size(), 47u);
  EXPECT_EQ(hex(out.substr(0, 16)),
            "02 38 FF FF FF 58 02 00 00 C8 00 00 00 01 0D 00");
  EXPECT_EQ(out.substr(16, 13), "Nome Stazione");
  EXPECT_EQ(hex(out.substr(29)),
            "04 00 01 00 02 00 01 00 01 00 07 3C 08 09 D0 98 00 00");
}

TEST(CompiledFiles, EmptyStationTableIs2958Bytes) {
  std::array<stazione, numero_stazioni> table{};
  const std::string out = encode_stations(table);
  EXPECT_EQ(out.size(), 2958u);
  EXPECT_EQ(out, std::string(2958, '\0'));
}

TEST(CompiledFiles, CellRowIsEveryCellInOrder) {
  std::vector<cella> row(1681);
  row[0].oggetto = 7;  // cell 0 is written like any other
  row[1680].aderenza = 100;
  const std::string out = encode_cells(row);
  ASSERT_EQ(out.size(), 25215u);
  EXPECT_EQ(out[0], 7);
  EXPECT_EQ(out[25214], 100);
  EXPECT_TRUE(encode_cells({}).empty());
}

TEST(CompiledFiles, TrackElementsCarryTheirTags) {
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
TEST(CompiledFiles, TrackInPiecesIsTheWholeFile) {
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

}  // namespace
}  // namespace compattatore
