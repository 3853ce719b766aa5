// The three compiled files together: what each decoder refuses, and a
// round trip of random bytes through all three.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include "compact/cell_file.h"
#include "compact/station_file.h"
#include "compact/track_file.h"
#include "model/record_fields.h"

namespace compattatore {
namespace {

std::string bytes(std::initializer_list<int> list) {
  std::string out;
  for (int b : list) out.push_back(static_cast<char>(b));
  return out;
}

TEST(CompiledFiles, MalformedInputIsRejectedWithItsPlace) {
  enum kind { cells, stations, track };
  std::string empty_table = encode_stations({});
  std::string long_name = empty_table;
  long_name[14] = 1;  // entry 0 announces a 1-byte name: one byte too few
  struct test_case {
    const char* what;
    kind k;
    std::string in;
    std::string error_part;
  } cases[] = {
      {"14-byte cell row", cells, std::string(14, '\0'), "14 bytes left"},
      {"16-byte cell row", cells, std::string(16, '\0'), "1 bytes left"},
      {"empty station table", stations, "", "station record 0 (from byte 0)"},
      {"one record short", stations, empty_table.substr(0, 86 * 34),
       "station record 86 (from byte 2924)"},
      {"one byte over", stations, empty_table + "x", "1 bytes follow"},
      {"name past the end", stations, long_name, "station record 86"},
      {"half a tag", track, bytes({0}), "element 0 (byte 0)"},
      {"unknown tag", track, bytes({0, 0, 7, 0}), "element 1 (byte 2)"},
      {"tag 3 is no kind", track, bytes({3, 0}), "unknown tag 3"},
      {"integer cut short", track, bytes({2, 0, 1}), "needs 2 bytes, 1"},
      {"double cut short", track, bytes({5, 0, 1, 2, 3, 4, 5, 6, 7}),
       "needs 8 bytes, 7"},
      {"x row longer than y", track, bytes({0, 0, 0, 0, 0, 0}),
       "odd number of elements (3)"},
  };
  for (const test_case& c : cases) {
    decode_result fault;
    switch (c.k) {
      case cells: {
        std::vector<cella> out;
        fault = decode_cells(c.in, &out);
        break;
      }
      case stations: {
        std::array<stazione, numero_stazioni> out{};
        fault = decode_stations(c.in, &out);
        break;
      }
      case track: {
        tracciato_linea out;
        fault = decode_track(c.in, &out);
        break;
      }
    }
    ASSERT_TRUE(fault) << c.what;
    EXPECT_NE(fault->message.find(c.error_part), std::string::npos)
        << c.what << ": " << fault->message;
    EXPECT_LE(fault->byte, c.in.size()) << c.what;
  }
}

// Random bytes, a fuzzer's in small: no decoder reads outside its buffer
// (the sanitizer build watches), and what a decoder accepts encodes back to
// the very same bytes.
TEST(CompiledFiles, RandomBytesDecodeCleanlyOrNotAtAll) {
  std::mt19937 gen(20240611);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<std::size_t> length(0, 3200);
  std::uniform_int_distribution<int> pick(0, 2);
  std::uniform_int_distribution<int> name_length(0, 5);
  int accepted_tracks = 0;
  int accepted_stations = 0;
  for (int round = 0; round < 400; ++round) {
    std::string in(length(gen), '\0');
    for (char& c : in) c = static_cast<char>(byte(gen));
    // Well-formed track elements with random values, cut anywhere in every
    // other round.
    std::string elements;
    while (elements.size() < in.size()) {
      const int tag = std::array{0, 2, 5}[static_cast<std::size_t>(pick(gen))];
      elements += bytes({tag, 0});
      for (int i = 0; i < (tag == 5 ? 8 : tag); ++i) {
        elements.push_back(static_cast<char>(byte(gen)));
      }
    }
    if (round % 2 == 0) elements.resize(in.size());
    // Short names, so that more records than the first one are looked at.
    std::string named = in;
    for (std::size_t i = 14; i + 1 < named.size(); i += 34) {
      named[i] = static_cast<char>(name_length(gen));
      named[i + 1] = 0;
    }

    // A well-formed station table with random values and short names, cut
    // anywhere in every third round.
    std::array<stazione, numero_stazioni> table{};
    for (stazione& e : table) {
      for_each_field(station_fields, [&](const auto& f) {
        using T = typename std::decay_t<decltype(f)>::type;
        if constexpr (std::is_same_v<T, std::string>) {
          e.*f.member = std::string(static_cast<std::size_t>(name_length(gen)),
                                    static_cast<char>(byte(gen)));
        } else {
          e.*f.member = static_cast<T>(byte(gen) << 8 | byte(gen));
        }
      });
    }
    std::string stations = encode_stations(table);
    if (round % 3 == 0) stations.resize(length(gen) % stations.size());

    std::vector<cella> c;
    if (!decode_cells(in, &c)) {
      EXPECT_EQ(encode_cells(c), in);
    }
    for (const std::string* s : {&in, &named, &stations}) {
      std::array<stazione, numero_stazioni> st{};
      if (!decode_stations(*s, &st)) {
        EXPECT_EQ(encode_stations(st), *s);
        ++accepted_stations;
      }
    }
    for (const std::string* s : {&in, &elements}) {
      tracciato_linea t;
      if (!decode_track(*s, &t)) {
        EXPECT_EQ(encode_track(t), *s);
        ++accepted_tracks;
      }
    }
  }
  EXPECT_GT(accepted_tracks, 0);
  EXPECT_GT(accepted_stations, 0);
}

}  // namespace
}  // namespace compattatore
