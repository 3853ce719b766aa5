// Checks how the three documents reach their files.
#include "documents/documents.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/memory_file_system.h"
#include "tests/text_lines.h"

namespace compattatore {
namespace {

TEST(Documents, EachReplacesItsFileWholeAndWritingTwiceChangesNothing) {
  struct Case {
    void (*scrivi)(file_system&, const file_names&);
    righe (*contenuto)();
    const char* path;
    std::size_t lines;
  };
  const Case cases[] = {
      {dati_note, righe_note, "/d/Orsella_Vantrona_4273_note.txt", 0},
      {dati_rallentamenti, righe_rallentamenti,
       "/d/Orsella_Vantrona_4273_rallentamenti.txt", 46},
      {dati_scheda, righe_scheda, "/d/Orsella_Vantrona_4273_scheda_treno.txt",
       51},
  };
  const file_names names{"/d", "Orsella_Vantrona", "4273"};
  for (const Case& c : cases) {
    memory_file_system fs;
    fs.files[c.path] = std::string(10000, '#') + "\r\n";
    c.scrivi(fs, names);
    const std::string first = fs.files[c.path];
    c.scrivi(fs, names);
    EXPECT_EQ(fs.files.size(), 1u) << c.path;
    EXPECT_EQ(fs.files[c.path], first) << c.path;

    std::string expected;
    for (const std::string& line : linee(c.contenuto())) {
      expected += line + "\r\n";
    }
    EXPECT_EQ(first, expected) << c.path;
    EXPECT_EQ(linee(c.contenuto()).size(), c.lines) << c.path;
    EXPECT_EQ(first.find("riferimento"), std::string::npos) << c.path;
  }
}

TEST(Documents, NotesAreAZeroByteFileEvenOverALongerOne) {
  EXPECT_EQ(righe_note()[0], fine_righe);
  memory_file_system fs;
  fs.files["/d/Orsella_Vantrona_4273_note.txt"] = "old notes\r\nline 2\r\n";
  dati_note(fs, file_names{"/d", "Orsella_Vantrona", "4273"});
  EXPECT_EQ(fs.files["/d/Orsella_Vantrona_4273_note.txt"], "");
}

}  // namespace
}  // namespace compattatore
