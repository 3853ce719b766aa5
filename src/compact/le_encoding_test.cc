#include "compact/le_encoding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace compattatore {
namespace {

std::string hex(const std::string& bytes) {
  static constexpr char digits[] = "0123456789abcdef";
  std::string out;
  for (char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

const unsigned char* raw(const std::string& s) {
  return reinterpret_cast<const unsigned char*>(s.data());
}

TEST(LittleEndian, AppendersWriteLowByteFirst) {
  std::string out;
  put_u8(out, 0xab);
  put_u16(out, 0x1234);
  put_i16(out, -2);
  put_u32(out, 0x89abcdefu);
  put_i32(out, -1000000);
  put_f64(out, 1.0);
  EXPECT_EQ(hex(out),
            "ab"
            "3412"
            "feff"
            "efcdab89"
            "c0bdf0ff"
            "000000000000f03f");
}

TEST(LittleEndian, StoresMatchTheAppendersAndReadersInvertBoth) {
  struct Case {
    std::int16_t i16;
    double f64;
  };
  for (const Case c : {Case{0, 0.0},
                       {-1, -0.0},
                       {32767, 0.1},
                       {-32768, -1e300},
                       {258, std::numeric_limits<double>::denorm_min()},
                       {7, std::numeric_limits<double>::infinity()}}) {
    std::string appended;
    put_i16(appended, c.i16);
    put_f64(appended, c.f64);
    std::string stored(10, '\0');
    char* p = store_i16(stored.data(), c.i16);
    EXPECT_EQ(store_f64(p, c.f64), stored.data() + 10);
    EXPECT_EQ(stored, appended) << c.i16;
    EXPECT_EQ(get_i16(raw(stored)), c.i16);
    const double back = get_f64(raw(stored) + 2);
    EXPECT_EQ(std::signbit(back), std::signbit(c.f64));
    EXPECT_EQ(back, c.f64);
  }
  std::string w;
  put_i32(w, std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(get_i32(raw(w)), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(get_u32(raw(w)), 0x80000000u);
  EXPECT_EQ(get_u16(raw(w) + 2), 0x8000u);
}

}  // namespace
}  // namespace compattatore
