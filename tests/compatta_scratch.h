// A fixture for `compatta` run as a process in a scratch folder that holds
// the compiled-in texts in in/, as `compatta texts -o in` writes them.
#ifndef TESTS_COMPATTA_SCRATCH_H_
#define TESTS_COMPATTA_SCRATCH_H_

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/process.h"

namespace compattatore {

inline constexpr const char* scratch_route_text =
    "in/Orsella_Vantrona_linea.txt";
inline constexpr const char* scratch_train_text =
    "in/Orsella_Vantrona_4273-.txt";

class compatta_scratch : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string tmpl =
        (std::filesystem::temp_directory_path() / "compatta-scratch-XXXXXX")
            .string();
    ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
    dir_ = tmpl;
    const run_result r = run({"texts", "-o", "in"});
    ASSERT_EQ(r.status, 0) << r.err;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  run_result run(const std::vector<std::string>& args) const {
    std::string cmd = shell_quote(COMPATTA_EXE);
    for (const std::string& a : args) cmd += ' ' + shell_quote(a);
    return run_command(dir_, "", cmd);
  }
  void write(const std::string& rel, const std::string& bytes) const {
    std::filesystem::create_directories((dir_ / rel).parent_path());
    std::ofstream(dir_ / rel, std::ios::binary) << bytes;
  }
  std::string read(const std::string& rel) const { return slurp(dir_ / rel); }

  // The train text with `from` replaced by `to`, once.
  void edit_train(const std::string& from, const std::string& to) const {
    std::string t = read(scratch_train_text);
    const std::size_t at = t.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    t.replace(at, from.size(), to);
    write(scratch_train_text, t);
  }

  // Every file below the folder whose name says it is a temporary one.
  std::vector<std::string> temporaries() const {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::recursive_directory_iterator(dir_)) {
      const std::string name = e.path().filename().string();
      if (name.find("tmp") != std::string::npos ||
          name.find("-old") != std::string::npos) {
        out.push_back(name);
      }
    }
    return out;
  }

  std::filesystem::path dir_;
};

}  // namespace compattatore

#endif  // TESTS_COMPATTA_SCRATCH_H_
