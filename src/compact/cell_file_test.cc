#include "compact/cell_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/hex_bytes.h"

namespace compattatore {
namespace {

TEST(CellFile, CellIsFifteenBytesLittleEndianInFieldOrder) {
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

TEST(CellFile, CellRowIsEveryCellInOrder) {
  std::vector<cella> row(1681);
  row[0].oggetto = 7;  // cell 0 is written like any other
  row[1680].aderenza = 100;
  const std::string out = encode_cells(row);
  ASSERT_EQ(out.size(), 25215u);
  EXPECT_EQ(out[0], 7);
  EXPECT_EQ(out[25214], 100);
  EXPECT_TRUE(encode_cells({}).empty());
}

TEST(CellFile, CellsComeBackFieldByField) {
  std::vector<cella> row(3);
  row[0] = {255, -32768, 32767, -1, 1, 101, 44, 3, 255, 98, 100};
  row[2].aderenza = 7;
  std::vector<cella> back;
  ASSERT_EQ(decode_cells(encode_cells(row), &back), std::nullopt);
  EXPECT_EQ(back, row);

  ASSERT_EQ(decode_cells("", &back), std::nullopt);
  EXPECT_TRUE(back.empty());
}

}  // namespace
}  // namespace compattatore
