#include "content/text_writer.h"

#include <gtest/gtest.h>

#include "tests/memory_file_system.h"

namespace compattatore {
namespace {

TEST(TextWriter, WritesEachLineWithCrLfUpToTheEndMarker) {
  righe r = fill_righe({"a", "", "  b  "});
  r[5] = "after the marker";
  EXPECT_EQ(testo_righe(r), "a\r\n\r\n  b  \r\n");
}

TEST(TextWriter, OnlyTheExactMarkerEndsTheList) {
  struct Case {
    const char* near_miss;
  };
  for (const char* near_miss :
       {"Riferimento fine del file", "riferimento fine del file ",
        " riferimento fine del file", "riferimento fine del fil"}) {
    righe r = fill_righe({"x", near_miss, "y"});
    EXPECT_EQ(testo_righe(r), std::string("x\r\n") + near_miss + "\r\ny\r\n")
        << near_miss;
  }
}

TEST(TextWriter, EmptyListGivesEmptyFile) {
  memory_file_system fs;
  fs.files["/d/f"] = "old content that is longer";
  scrivi_righe(fill_righe({}), fs, "/d/f");
  EXPECT_EQ(fs.files["/d/f"], "");
}

TEST(TextWriter, ListWithoutMarkerStopsAtItsLastEntry) {
  righe r;
  for (auto& line : r) line = "z";
  std::string every_line;
  for (std::size_t i = 0; i < numero_righe; ++i) every_line += "z\r\n";
  EXPECT_EQ(testo_righe(r), every_line);
}

}  // namespace
}  // namespace compattatore
