#include "compact/station_file.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <string>

#include "tests/hex_bytes.h"

namespace compattatore {
namespace {

TEST(StationFile, StationRecordCarriesItsNameAfterALength) {
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

TEST(StationFile, EmptyStationTableIs2958Bytes) {
  std::array<stazione, numero_stazioni> table{};
  const std::string out = encode_stations(table);
  EXPECT_EQ(out.size(), 2958u);
  EXPECT_EQ(out, std::string(2958, '\0'));
}

TEST(StationFile, StationsComeBackWithTheirNames) {
  std::array<stazione, numero_stazioni> table{};
  table[1] = {2, -200, 600, 200, 1,    "Nome Stazione", 4, -1, 2, 1, 1,
              7, 60,   8,   9,   39120};
  table[80].nome = "(m.2000    )";
  table[85].nome = "Orsella_Vantrona";
  table[85].numero_1 = 610;
  table[85].orario = std::numeric_limits<std::int32_t>::min();
  table[86].nome = std::string("\xe8\0z", 3);  // any byte, NUL included
  std::array<stazione, numero_stazioni> back{};
  ASSERT_EQ(decode_stations(encode_stations(table), &back), std::nullopt);
  EXPECT_EQ(back, table);
}

TEST(StationFile, EveryCutOfAStationTableIsRejected) {
  std::array<stazione, numero_stazioni> table{};
  table[3].nome = "Stazione";
  const std::string whole = encode_stations(table);
  for (std::size_t n = 0; n < whole.size(); ++n) {
    std::array<stazione, numero_stazioni> out{};
    EXPECT_NE(decode_stations(whole.substr(0, n), &out), std::nullopt) << n;
  }
}

}  // namespace
}  // namespace compattatore
