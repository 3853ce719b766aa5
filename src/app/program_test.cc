// The program as a process, run from a copy in a temporary directory: its
// files go beside the executable.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/exit_status.h"
#include "tests/process.h"

namespace {

namespace fsys = std::filesystem;
using compattatore::run_command;
using compattatore::run_result;
using compattatore::shell_quote;

class Program : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string tmpl = (fsys::temp_directory_path() / "prog-XXXXXX").string();
    ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
    dir_ = tmpl;
    fsys::copy_file(COMPATTATORE_EXE, dir_ / "compattatore");
  }
  void TearDown() override { fsys::remove_all(dir_); }

  run_result run() const {
    return run_command(dir_, "", shell_quote((dir_ / "compattatore").string()));
  }

  std::vector<std::string> files() const {
    std::vector<std::string> out;
    for (const auto& e : fsys::directory_iterator(dir_)) {
      const std::string name = e.path().filename().string();
      if (name != "compattatore") out.push_back(name);
    }
    std::sort(out.begin(), out.end());
    return out;
  }

  fsys::path dir_;
};

TEST_F(Program, RunInAnEmptyDirectoryLeavesTheSixFiles) {
  const run_result r = run();
  EXPECT_EQ(r.status, compattatore::exit_status::ok) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(files(), (std::vector<std::string>{
                         "Orsella_Vantrona_4273.dat",
                         "Orsella_Vantrona_4273.sim",
                         "Orsella_Vantrona_4273_note.txt",
                         "Orsella_Vantrona_4273_rallentamenti.txt",
                         "Orsella_Vantrona_4273_scheda_treno.txt",
                         "Orsella_Vantrona_linea.dat",
                     }));
  EXPECT_EQ(fsys::file_size(dir_ / "Orsella_Vantrona_4273_note.txt"), 0u);
}

TEST_F(Program, AFileThatCannotBeWrittenEndsTheRunVisibly) {
  // Root ignores permissions: a directory in the file's place blocks it.
  fsys::create_directory(dir_ / "Orsella_Vantrona_linea.txt");
  const run_result r = run();
  EXPECT_EQ(r.status, compattatore::exit_status::file_failure);
  EXPECT_NE(r.err.find((dir_ / "Orsella_Vantrona_linea.txt").string()),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("directory"), std::string::npos) << r.err;
  // Nothing after the failing step ran.
  EXPECT_EQ(files(), std::vector<std::string>{"Orsella_Vantrona_linea.txt"});
}

TEST_F(Program, ArgumentsAreIgnored) {
  const std::string cmd = "env -u DISPLAY '" +
                          (dir_ / "compattatore").string() +
                          "' --help extra >/dev/null 2>&1";
  EXPECT_EQ(std::system(cmd.c_str()), 0);
  EXPECT_EQ(files().size(), 6u);
}

}  // namespace
