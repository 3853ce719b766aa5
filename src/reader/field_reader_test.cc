#include "reader/field_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace compattatore {
namespace {

std::vector<std::string> texts(std::string_view text, int n) {
  field_reader r(text);
  std::vector<std::string> out;
  for (int i = 0; i < n; ++i) out.emplace_back(r.read_text());
  return out;
}

TEST(FieldReader, TextFieldsEndAtCommasAndLineEnds) {
  struct Case {
    std::string_view text;
    std::vector<std::string> fields;
  };
  const Case cases[] = {
      {"lunghezza percorso,    77000\r\n", {"lunghezza percorso", "77000"}},
      {"  a b  ,c\r\nd", {"a b", "c", "d"}},
      {"a\nb\rc\r\n", {"a", "b", "c"}},      // LF and CR alone end lines
      {"\r\n,x", {"", "", "x"}},             // empty line, empty field
      {"\ta\t,b", {"a", "b"}},               // tabs are blanks
      {"\"x, y\" z,w", {"x, y", "w"}},       // quotes may hold commas
      {"\"open\r\nnext", {"open", "next"}},  // an unclosed quote ends at line
      {"(m.2000    ),", {"(m.2000    )"}},   // blanks inside kept
      {"a-b - c,", {"a-b - c"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(texts(c.text, static_cast<int>(c.fields.size())), c.fields)
        << c.text;
  }
}

TEST(FieldReader, NumbersEndAtBlanksToo) {
  field_reader r("orologio,    10              51            30 \r\nx");
  EXPECT_EQ(r.read_text(), "orologio");
  EXPECT_EQ(r.read_i16(), 10);
  EXPECT_EQ(r.read_i16(), 51);
  EXPECT_EQ(r.read_i16(), 30);
  EXPECT_EQ(r.read_text(), "x");
  EXPECT_TRUE(r.eof());
}

TEST(FieldReader, EmptyNumberFieldsReadZero) {
  field_reader r("indicatori_vmax,  800,  80,  ,  ,  0\r\n");
  EXPECT_EQ(r.read_text(), "indicatori_vmax");
  EXPECT_EQ(r.read_i32(), 800);
  EXPECT_EQ(r.read_i32(), 80);
  EXPECT_EQ(r.read_i32(), 0);
  EXPECT_EQ(r.read_i32(), 0);
  EXPECT_EQ(r.read_i32(), 0);
  EXPECT_TRUE(r.eof());
}

TEST(FieldReader, NumberValuesAndLimits) {
  struct Case {
    std::string_view text;
    int width;  // 32, 16 or 8
    bool ok;
    std::int64_t value;
  };
  const Case cases[] = {
      {"-4", 32, true, -4},
      {"+7", 32, true, 7},
      {"007", 32, true, 7},
      {"2147483647", 32, true, 2147483647},
      {"-2147483648", 32, true, -2147483648LL},
      {"2147483648", 32, false, 0},
      {"-2147483649", 32, false, 0},
      {"99999999999999999999999", 32, false, 0},
      {"32767", 16, true, 32767},
      {"-32768", 16, true, -32768},
      {"32768", 16, false, 0},
      {"255", 8, true, 255},
      {"256", 8, false, 0},
      {"-1", 8, false, 0},
      {"12x", 32, false, 0},
      {"abc", 32, false, 0},
      {"1.5", 32, false, 0},
      {"-", 32, false, 0},
      {"+", 32, false, 0},
      {"+-3", 32, false, 0},
      {"\"5\"", 32, false, 0},
  };
  for (const Case& c : cases) {
    field_reader r(c.text);
    auto read = [&]() -> std::int64_t {
      if (c.width == 8) return r.read_u8();
      if (c.width == 16) return r.read_i16();
      return r.read_i32();
    };
    if (c.ok) {
      EXPECT_EQ(read(), c.value) << c.text;
    } else {
      EXPECT_THROW(read(), read_failure) << c.text;
    }
  }
}

TEST(FieldReader, ReadingPastTheEndFails) {
  field_reader r("pendenza, 0");
  EXPECT_EQ(r.read_text(), "pendenza");
  EXPECT_EQ(r.read_i32(), 0);
  EXPECT_TRUE(r.eof());
  EXPECT_THROW(r.read_i32(), read_failure);
  EXPECT_THROW(r.read_text(), read_failure);

  field_reader blanks("5,   ");
  EXPECT_EQ(blanks.read_i32(), 5);
  EXPECT_THROW(blanks.read_i32(), read_failure);
}

TEST(FieldReader, LastFieldReachesTheEnd) {
  field_reader r("a\r\n[fine]\r\n");
  EXPECT_EQ(r.read_text(), "a");
  EXPECT_FALSE(r.eof());
  EXPECT_EQ(r.read_text(), "[fine]");
  EXPECT_TRUE(r.eof());
}

TEST(FieldReader, KnowsWhereEachFieldBegins) {
  field_reader r("a,  b\r\n\r\n  xyz, 12\ncr\rend");
  const std::vector<text_position> expected = {{1, 1}, {1, 5}, {2, 1}, {3, 3},
                                               {3, 8}, {4, 1}, {5, 1}};
  for (const text_position& want : expected) {
    if (want.line == 3 && want.column == 8) {
      r.read_i32();
    } else {
      r.read_text();
    }
    const text_position got = r.position_of(r.last_field());
    EXPECT_EQ(got.line, want.line);
    EXPECT_EQ(got.column, want.column);
  }
  // Asked for out of order, and far ahead, the places stay right.
  EXPECT_EQ(r.position_of(4), (text_position{1, 5}));
  EXPECT_EQ(r.position_of(0), (text_position{1, 1}));
  EXPECT_EQ(r.position_of(22), (text_position{5, 1}));

  std::string many;
  for (int i = 0; i < 100; ++i) many += "x\n";
  field_reader long_text(many);
  EXPECT_EQ(long_text.position_of(2), (text_position{2, 1}));
  EXPECT_EQ(long_text.position_of(2 * 90 + 1), (text_position{91, 2}));
  EXPECT_EQ(long_text.position_of(2 * 91), (text_position{92, 1}));
}

TEST(FieldReader, KeywordTests) {
  EXPECT_TRUE(contains("progressiva chilometrica tre", "tre"));
  EXPECT_FALSE(contains("Progressiva", "progressiva"));
  EXPECT_TRUE(contains_ci("LUNGHEZZA Percorso", "lunghezza"));
  EXPECT_TRUE(contains_ci("indicatori_vmax", "indicat"));
  EXPECT_FALSE(contains_ci("curv", "curva"));
  EXPECT_FALSE(contains_ci("", "a"));
  // The word's first letter in either case, a false start just before the
  // match, the match at the field's very end, a word that starts with no
  // letter, and bytes beyond ASCII, which have no case here.
  EXPECT_TRUE(contains_ci("-- Segnale", "segnale"));
  EXPECT_TRUE(contains_ci("sesegnale", "segnale"));
  EXPECT_TRUE(contains_ci("x CURVA", "curva"));
  EXPECT_TRUE(contains_ci("- [FINE]", "[fine]"));
  EXPECT_FALSE(contains_ci("[fin]e]", "[fine]"));
  EXPECT_FALSE(
      contains_ci("\xC0"
                  "BC",
                  "\xE0"
                  "bc"));
  EXPECT_TRUE(
      contains_ci("a\xC0"
                  "BC",
                  "\xC0"
                  "bc"));
}

}  // namespace
}  // namespace compattatore
