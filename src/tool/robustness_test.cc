// Failures while writing and the sameness of output, on the real
// executables: a disk that fills up (made so by a preloaded library) must
// leave every earlier file whole and no temporary behind, and the same texts
// give the same bytes under any locale, time zone and directory.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/process.h"
#include "tool/exit_status.h"

namespace {

namespace fsys = std::filesystem;
using compattatore::run_command;
using compattatore::run_result;
using compattatore::slurp;

const std::vector<std::string> outputs = {
    "Orsella_Vantrona_4273.dat",
    "Orsella_Vantrona_4273.sim",
    "Orsella_Vantrona_4273_note.txt",
    "Orsella_Vantrona_4273_rallentamenti.txt",
    "Orsella_Vantrona_4273_scheda_treno.txt",
    "Orsella_Vantrona_linea.dat",
};

// Runs `command` (already quoted) in `dir` with `env` set.
run_result run_in(const fsys::path& dir, const std::string& env,
                  const std::string& command) {
  return run_command(dir, env, command);
}

// Every regular file of a directory by name, with its bytes.
std::map<std::string, std::string> contents(const fsys::path& dir) {
  std::map<std::string, std::string> out;
  for (const auto& e : fsys::directory_iterator(dir)) {
    if (e.is_regular_file()) out[e.path().filename().string()] = slurp(e);
  }
  return out;
}

class Robustness : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string tmpl = (fsys::temp_directory_path() / "robust-XXXXXX").string();
    ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
    root_ = tmpl;
  }
  void TearDown() override { fsys::remove_all(root_); }

  // A directory holding a copy of the program.
  fsys::path program_dir(const std::string& name) const {
    const fsys::path d = root_ / name;
    fsys::create_directories(d);
    fsys::copy_file(COMPATTATORE_EXE, d / "compattatore");
    return d;
  }

  static std::string full_disk(const std::string& match,
                               const std::string& after) {
    // The sanitizer runtime must come first among the libraries unless told
    // otherwise; the shim does not need it.
    return "LD_PRELOAD='" + std::string(ENOSPC_SHIM) +
           "' ASAN_OPTIONS=verify_asan_link_order=0 ENOSPC_SHIM_MATCH='" +
           match + "' ENOSPC_SHIM_AFTER=" + after;
  }

  fsys::path root_;
};

TEST_F(Robustness, FullDiskInTheProgramLeavesEveryEarlierFileWhole) {
  struct Case {
    const char* failing;                // the compiled file whose write fails
    const char* after;                  // bytes written before the disk is full
    std::vector<std::string> replaced;  // files the run wrote before it
  };
  const Case cases[] = {
      {"Orsella_Vantrona_linea.dat",
       "0",
       {"Orsella_Vantrona_4273_note.txt",
        "Orsella_Vantrona_4273_rallentamenti.txt",
        "Orsella_Vantrona_4273_scheda_treno.txt"}},
      {"Orsella_Vantrona_4273.sim",
       "1000",
       {"Orsella_Vantrona_4273_note.txt",
        "Orsella_Vantrona_4273_rallentamenti.txt",
        "Orsella_Vantrona_4273_scheda_treno.txt",
        "Orsella_Vantrona_linea.dat"}},
      {"Orsella_Vantrona_4273.dat",
       "15",
       {"Orsella_Vantrona_4273_note.txt",
        "Orsella_Vantrona_4273_rallentamenti.txt",
        "Orsella_Vantrona_4273_scheda_treno.txt", "Orsella_Vantrona_linea.dat",
        "Orsella_Vantrona_4273.sim"}},
  };
  const fsys::path clean = program_dir("clean");
  ASSERT_EQ(run_in(clean, "", "./compattatore").status, 0);
  const auto fresh = contents(clean);

  for (const Case& c : cases) {
    const fsys::path d = program_dir(std::string("full-") + c.failing);
    for (const std::string& name : outputs) {
      std::ofstream(d / name, std::ios::binary) << "earlier " << name;
    }
    // The temporary file is the target's name with a suffix.
    const run_result r = run_in(
        d, full_disk(std::string(c.failing) + ".", c.after), "./compattatore");
    // The program's status for a file that cannot be written (README).
    EXPECT_EQ(r.status, 2) << c.failing;
    EXPECT_NE(r.err.find((d / c.failing).string()), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("No space left on device"), std::string::npos)
        << r.err;

    const auto after = contents(d);
    for (const std::string& name : outputs) {
      ASSERT_EQ(after.count(name), 1u) << c.failing << ": " << name;
      const bool replaced = std::find(c.replaced.begin(), c.replaced.end(),
                                      name) != c.replaced.end();
      EXPECT_EQ(after.at(name), replaced ? fresh.at(name) : "earlier " + name)
          << c.failing << ": " << name;
    }
    // The six outputs and the program; no temporary, no text left over.
    EXPECT_EQ(after.size(), outputs.size() + 1) << c.failing;
  }
}

TEST_F(Robustness, FullDiskInTheToolLeavesEarlierFilesAndItsTextsWhole) {
  const fsys::path d = root_ / "tool";
  fsys::create_directories(d);
  ASSERT_EQ(
      run_in(d, "", std::string("'") + COMPATTA_EXE + "' texts -o in").status,
      0);
  const auto texts = contents(d / "in");
  fsys::create_directories(d / "out");
  for (const char* name :
       {"Orsella_Vantrona_linea.dat", "Orsella_Vantrona_4273.sim",
        "Orsella_Vantrona_4273.dat"}) {
    std::ofstream(d / "out" / name, std::ios::binary) << "earlier";
  }
  const run_result r = run_in(d, full_disk("Orsella_Vantrona_4273.sim.", "100"),
                              std::string("'") + COMPATTA_EXE +
                                  "' compile in/Orsella_Vantrona_linea.txt "
                                  "in/Orsella_Vantrona_4273-.txt -o out");
  EXPECT_EQ(r.status, compattatore::tool::exit_status::file_failure) << r.err;
  EXPECT_NE(r.err.find("Orsella_Vantrona_4273.sim"), std::string::npos)
      << r.err;
  const auto out = contents(d / "out");
  EXPECT_EQ(out.size(), 3u);
  EXPECT_NE(out.at("Orsella_Vantrona_linea.dat"), "earlier");
  EXPECT_EQ(out.at("Orsella_Vantrona_4273.sim"), "earlier");
  EXPECT_EQ(out.at("Orsella_Vantrona_4273.dat"), "earlier");
  EXPECT_EQ(contents(d / "in"), texts);
}

TEST_F(Robustness, SameBytesUnderAnyLocaleTimeZoneAndDirectory) {
  const std::string settings[] = {
      "LC_ALL=C TZ=UTC",
      "LC_ALL=C.UTF-8 LANG=it_IT.UTF-8 TZ=Asia/Tokyo",
  };
  std::vector<std::map<std::string, std::string>> runs;
  int n = 0;
  for (const std::string& env : settings) {
    for (const char* where : {"a", "b/deeper dir"}) {
      const fsys::path d =
          program_dir("run" + std::to_string(n++) + "/" + where);
      ASSERT_EQ(run_in(d, env, "./compattatore").status, 0) << env;
      auto files = contents(d);
      files.erase("compattatore");
      runs.push_back(files);

      const fsys::path t = d / "tool";
      fsys::create_directories(t);
      ASSERT_EQ(run_in(t, env,
                       std::string("'") + COMPATTA_EXE + "' texts -o in && '" +
                           COMPATTA_EXE +
                           "' compile in/Orsella_Vantrona_linea.txt "
                           "in/Orsella_Vantrona_4273-.txt -o out")
                    .status,
                0)
          << env;
      for (const auto& [name, bytes] : contents(t / "out")) {
        EXPECT_EQ(bytes, files.at(name)) << env << ": " << name;
      }
    }
  }
  ASSERT_EQ(runs.front().size(), outputs.size());
  for (const auto& r : runs) EXPECT_EQ(r, runs.front());
}

}  // namespace
