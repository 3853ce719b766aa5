#include "platform/real_file_system.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace compattatore {
namespace {

namespace fsys = std::filesystem;

/// Far above every file these tests write.
constexpr std::size_t read_limit = std::size_t{16} << 20;

class RealFileSystem : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string tmpl = (fsys::temp_directory_path() / "rfs-XXXXXX").string();
    ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
    dir_ = tmpl;
  }
  void TearDown() override { fsys::remove_all(dir_); }

  std::string path(const std::string& name) const { return dir_ + "/" + name; }
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const auto& e : fsys::directory_iterator(dir_)) {
      out.push_back(e.path().filename().string());
    }
    std::sort(out.begin(), out.end());
    return out;
  }

  std::string dir_;
  real_file_system fs_;
};

TEST_F(RealFileSystem, ReplaceLeavesNoTailOfALongerFile) {
  fs_.replace(path("f.dat"), std::string(30000, 'x'));
  fs_.replace(path("f.dat"), std::string(25215, 'y'));
  EXPECT_EQ(fs_.read(path("f.dat"), read_limit), std::string(25215, 'y'));
  EXPECT_EQ(names(), std::vector<std::string>{"f.dat"});
}

TEST_F(RealFileSystem, FailedReplaceKeepsOldFileAndLeavesNoTemporary) {
  // A directory where the file's name should go cannot be replaced, even
  // by root.
  fsys::create_directory(path("blocked.dat"));
  EXPECT_THROW(fs_.replace(path("blocked.dat"), "new"), file_error);
  EXPECT_EQ(names(), std::vector<std::string>{"blocked.dat"});

  fs_.replace(path("kept.dat"), "old bytes");
  try {
    fs_.replace(path("missing-dir/kept.dat"), "new");
    FAIL() << "replace into a missing directory succeeded";
  } catch (const file_error& e) {
    EXPECT_EQ(e.path(), path("missing-dir/kept.dat"));
    EXPECT_FALSE(e.reason().empty());
  }
  EXPECT_EQ(fs_.read(path("kept.dat"), read_limit), "old bytes");
}

TEST_F(RealFileSystem, ReplaceInPiecesPutsEachPieceAtItsOffset) {
  fs_.replace(path("p.dat"), std::string(90000, 'x'));
  // Two rows written a stretch of each at a time, the second row's pieces
  // first: no byte of the longer old file survives.
  fs_.replace_in_pieces(path("p.dat"), 70004, [](const byte_sink& sink) {
    sink(35002, "AB");
    sink(0, "ab");
    sink(2, "");
    sink(35004, std::string(35000, 'C'));
    sink(2, std::string(35000, 'c'));
  });
  EXPECT_EQ(fs_.read(path("p.dat"), read_limit),
            "ab" + std::string(35000, 'c') + "AB" + std::string(35000, 'C'));
  EXPECT_EQ(names(), std::vector<std::string>{"p.dat"});
}

TEST_F(RealFileSystem, PiecesThatMissTheAnnouncedSizeKeepTheOldFile) {
  fs_.replace(path("kept.dat"), "old bytes");
  const std::function<void(const byte_sink&)> producers[] = {
      [](const byte_sink& sink) { sink(3, "abc"); },  // beyond 4 bytes
      [](const byte_sink& sink) { sink(0, "abc"); },  // one byte short
  };
  for (const auto& produce : producers) {
    EXPECT_THROW(fs_.replace_in_pieces(path("kept.dat"), 4, produce),
                 std::logic_error);
    EXPECT_EQ(fs_.read(path("kept.dat"), read_limit), "old bytes");
    EXPECT_EQ(names(), std::vector<std::string>{"kept.dat"});
  }
}

TEST_F(RealFileSystem, AProducerThatFailsHalfWayKeepsTheOldFile) {
  fs_.replace(path("kept.dat"), "old bytes");
  EXPECT_THROW(fs_.replace_in_pieces(path("kept.dat"), 4,
                                     [](const byte_sink& sink) {
                                       sink(0, "new ");
                                       throw std::runtime_error("stop");
                                     }),
               std::runtime_error);
  EXPECT_EQ(fs_.read(path("kept.dat"), read_limit), "old bytes");
  EXPECT_EQ(names(), std::vector<std::string>{"kept.dat"});
}

TEST_F(RealFileSystem, ASetThatFailsPartWayLeavesTheWholeOldSet) {
  fs_.replace(path("a.dat"), "old a");
  fs_.replace(path("c.dat"), "old c");
  auto bytes = [](std::string b) {
    return [b](const byte_sink& sink) { sink(0, b); };
  };
  // b.dat did not exist and must not appear; d.dat cannot be replaced.
  fsys::create_directory(path("d.dat"));
  try {
    fs_.replace_set({{path("a.dat"), 5, bytes("new a")},
                     {path("b.dat"), 5, bytes("new b")},
                     {path("c.dat"), 5, bytes("new c")},
                     {path("d.dat"), 5, bytes("new d")}});
    FAIL() << "a directory was replaced";
  } catch (const file_error& e) {
    EXPECT_EQ(e.path(), path("d.dat"));
    EXPECT_EQ(e.reason(), "Is a directory");
  }
  // A producer that fails after the first file is written.
  EXPECT_THROW(fs_.replace_set(
                   {{path("a.dat"), 5, bytes("new a")},
                    {path("c.dat"), 5,
                     [](const byte_sink&) { throw std::runtime_error("x"); }}}),
               std::runtime_error);
  EXPECT_EQ(fs_.read(path("a.dat"), read_limit), "old a");
  EXPECT_EQ(fs_.read(path("c.dat"), read_limit), "old c");
  EXPECT_EQ(names(), (std::vector<std::string>{"a.dat", "c.dat", "d.dat"}));

  fs_.replace_set(
      {{path("a.dat"), 5, bytes("new a")}, {path("b.dat"), 5, bytes("new b")}});
  EXPECT_EQ(fs_.read(path("a.dat"), read_limit), "new a");
  EXPECT_EQ(fs_.read(path("b.dat"), read_limit), "new b");
  EXPECT_EQ(names(),
            (std::vector<std::string>{"a.dat", "b.dat", "c.dat", "d.dat"}));
}

TEST_F(RealFileSystem,
       WhatAKilledRunLeftBesideTheFilesIsClearedAndNothingElse) {
  const struct {
    const char* name;
    bool cleared;
  } found[] = {
      {".a.dat.compattatore-tmp.Ab3xY9", true},  // a temporary of a.dat
      {".a.dat.compattatore-old", true},         // a.dat is there: spare
      {".a.dat.compattatore-tmp.Ab3xY", false},  // not a name we make
      {".a.dat.compattatore-tmp.Ab3x-9", false},
      {"a.dat.compattatore-tmp.Ab3xY9", false},
      {"a.dat.t1pmlj", false},                    // someone else's
      {".b.dat.compattatore-tmp.Ab3xY9", false},  // b.dat is not written
      {".aa.dat.compattatore-tmp.Ab3xY9", false},
  };
  fs_.replace(path("a.dat"), "old a");
  for (const auto& f : found) fs_.replace(path(f.name), "left");
  fs_.replace(path("a.dat"), "new a");
  std::vector<std::string> expected = {"a.dat"};
  for (const auto& f : found) {
    if (!f.cleared) expected.push_back(f.name);
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(names(), expected);
  EXPECT_EQ(fs_.read(path("a.dat"), read_limit), "new a");
}

TEST_F(RealFileSystem, AnOldFileAKilledRunMovedAsideGoesBackInPlace) {
  // Killed after moving e.dat aside (no hard links) and before putting the
  // new one there: the kept file is the only e.dat. The next run puts it
  // back before anything else, so its own failure leaves it in place.
  fs_.replace(path(".e.dat.compattatore-old"), "old e");
  fsys::create_directory(path("blocked.dat"));
  EXPECT_THROW(
      fs_.replace_set(
          {{path("e.dat"), 5, [](const byte_sink& s) { s(0, "new e"); }},
           {path("blocked.dat"), 1, [](const byte_sink& s) { s(0, "x"); }}}),
      file_error);
  EXPECT_EQ(fs_.read(path("e.dat"), read_limit), "old e");
  EXPECT_EQ(names(), (std::vector<std::string>{"blocked.dat", "e.dat"}));
}

TEST_F(RealFileSystem, ExistsReadAndRemove) {
  EXPECT_FALSE(fs_.exists(path("a")));
  fs_.replace(path("a"), std::string("\0\r\n", 3));
  EXPECT_TRUE(fs_.exists(path("a")));
  EXPECT_EQ(fs_.read(path("a"), read_limit), std::string("\0\r\n", 3));
  fs_.remove(path("a"));
  EXPECT_FALSE(fs_.exists(path("a")));
  EXPECT_NO_THROW(fs_.remove(path("a")));
  EXPECT_THROW(fs_.read(path("a"), read_limit), file_error);
  fsys::create_directory(path("d"));
  EXPECT_FALSE(fs_.exists(path("d")));
}

TEST_F(RealFileSystem, ReadsAreBoundedInSize) {
  fs_.replace(path("big"), std::string(1001, 'g'));
  EXPECT_EQ(fs_.read(path("big"), 1001).size(), 1001u);
  try {
    (void)fs_.read(path("big"), 1000);
    FAIL() << "a file above the bound was read";
  } catch (const file_error& e) {
    EXPECT_EQ(e.path(), path("big"));
    EXPECT_NE(e.reason().find("larger than 1000 bytes"), std::string::npos);
  }
}

TEST_F(RealFileSystem, NewFilesFollowTheUmask) {
  fs_.replace(path("m"), "x");
  struct stat st {};
  ASSERT_EQ(::stat(path("m").c_str(), &st), 0);
  const mode_t mask = ::umask(0);
  ::umask(mask);
  EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);
}

}  // namespace
}  // namespace compattatore
