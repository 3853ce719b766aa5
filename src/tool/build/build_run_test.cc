// `compatta build` as a process over folders of generated scenarios: the
// bytes of one compile each, what a second build leaves alone, what a
// changed text or compiled file brings back, a state file that cannot be
// trusted, and the exit status of a mixed folder.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/process.h"

namespace compattatore {
namespace {

namespace fsys = std::filesystem;

// Texts that read without a fault (two generated scenarios differ only in
// length), one whose station is off the 50 m grid (a data fault), and one
// whose indicator takes the seal's place in cell 1 (a seal guard).
constexpr const char* route_fault =
    "[generale]\r\nlunghezza percorso, 10000\r\n[fine]\r\n";
constexpr const char* train_fault =
    "[generale]\r\n[stazioni]\r\n"
    "stazione, 1225, 2, 800, 0, 0, 0, 0,0,0, 0,0,0, 0, 10, 0, 0, Alfa\r\n"
    "[fine]\r\n";
constexpr const char* route_seal =
    "[generale]\r\nlunghezza percorso, 10000\r\n[cartelli]\r\n"
    "indicatori_vmax, 0, 80, 80, 80, 0, , , , 0\r\n[fine]\r\n";
constexpr const char* train_seal = "[generale]\r\n[fine]\r\n";

class Build : public ::testing::Test {
 protected:
  void SetUp() override {
#ifndef GENERA_SCENARIO_EXE
    GTEST_SKIP() << "the scenario generator is not built";
#endif
    std::string tmpl = (fsys::temp_directory_path() / "build-XXXXXX").string();
    ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
    dir_ = tmpl;
  }
  void TearDown() override {
    if (!dir_.empty()) fsys::remove_all(dir_);
  }

  // Runs `compatta` with `args` in the temporary directory, with `env`
  // (NAME=VALUE words) before it.
  run_result run(const std::vector<std::string>& args,
                 const std::string& env = "") const {
    std::string command = shell_quote(COMPATTA_EXE);
    for (const std::string& a : args) command += ' ' + shell_quote(a);
    return run_command(dir_, env, command);
  }

  void write(const std::string& rel, const std::string& bytes) const {
    fsys::create_directories((dir_ / rel).parent_path());
    std::ofstream(dir_ / rel, std::ios::binary) << bytes;
  }
  std::string read(const std::string& rel) const { return slurp(dir_ / rel); }

  // Generated route texts R1_linea.txt, R2_..., of 2, 3, 4 km, each with
  // train texts R*_1-.txt to R*_`trains`-.txt, in `rel`.
  void generate(const std::string& rel, int routes, int trains) const {
    fsys::create_directories(dir_ / rel);
    for (int r = 1; r <= routes; ++r) {
      for (int t = 1; t <= trains; ++t) {
        const std::string cmd =
#ifdef GENERA_SCENARIO_EXE
            shell_quote(GENERA_SCENARIO_EXE) +
#endif
            " " + std::to_string(1000 + 1000 * r) + " " +
            shell_quote((dir_ / rel).string()) + " R" + std::to_string(r) +
            " " + std::to_string(t) + " >/dev/null";
        ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
      }
    }
  }

  // Every file of `rel` but the build state: its bytes, inode and
  // modification time. A file replaced, even by the same bytes, has
  // another inode.
  struct seen {
    std::string bytes;
    ino_t inode = 0;
    std::int64_t mtime_ns = 0;
    bool operator==(const seen&) const = default;
  };
  std::map<std::string, seen> snapshot(const std::string& rel) const {
    std::map<std::string, seen> out;
    for (const auto& e : fsys::directory_iterator(dir_ / rel)) {
      const std::string name = e.path().filename().string();
      if (name == ".compatta-build-state") continue;
      struct stat st {};
      EXPECT_EQ(::stat(e.path().c_str(), &st), 0);
      out[name] = {slurp(e.path()), st.st_ino,
                   st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec};
    }
    return out;
  }
  // Names whose file is new, gone or replaced between two snapshots.
  static std::set<std::string> changed(const std::map<std::string, seen>& a,
                                       const std::map<std::string, seen>& b) {
    std::set<std::string> out;
    for (const auto& [name, s] : a) {
      const auto it = b.find(name);
      if (it == b.end() || !(it->second == s)) out.insert(name);
    }
    for (const auto& [name, s] : b) {
      if (!a.contains(name)) out.insert(name);
    }
    return out;
  }

  // Each scenario's "result" column of the table, by scenario.
  static std::map<std::string, std::string> results(const std::string& table) {
    std::map<std::string, std::string> out;
    std::istringstream lines(table);
    std::string line;
    std::getline(lines, line);  // the heading
    while (std::getline(lines, line)) {
      if (line.find(" scenario") != std::string::npos) break;  // the summary
      // Columns are two blanks or more apart; a result may hold one.
      const std::size_t name_end = line.find("  ");
      const std::size_t result_start = line.find_first_not_of(' ', name_end);
      const std::size_t result_end = line.find("  ", result_start);
      const std::string name = line.substr(0, name_end);
      const std::string result =
          line.substr(result_start, result_end - result_start);
      out[name] = result;
    }
    return out;
  }

  // The separate compile of every train text of `in` into `out`.
  void compile_each(const std::string& in, const std::string& out) const {
    for (const auto& e : fsys::directory_iterator(dir_ / in)) {
      const std::string name = e.path().filename().string();
      if (!name.ends_with("-.txt")) continue;
      const std::string stem = name.substr(0, name.size() - 5);
      const std::string route = stem.substr(0, stem.rfind('_'));
      const run_result r = run({"compile", in + "/" + route + "_linea.txt",
                                in + "/" + name, "-o", out});
      ASSERT_LE(r.status, 1) << name << "\n" << r.err;
    }
  }

  fsys::path dir_;
};

TEST_F(Build, WritesTheBytesOfOneCompileEachAndTheRouteWideFileOnce) {
  generate("in", 3, 3);
  write("in/D_linea.txt", route_fault);
  write("in/D_1-.txt", train_fault);
  const run_result r = run({"build", "in", "-o", "out", "-j", "3", "--json"});
  ASSERT_EQ(r.status, 1) << r.err;
  compile_each("in", "separate");

  std::map<std::string, seen> built = snapshot("out");
  std::map<std::string, seen> separate = snapshot("separate");
  ASSERT_EQ(built.size(), separate.size());
  for (const auto& [name, s] : separate) {
    ASSERT_TRUE(built.contains(name)) << name;
    EXPECT_TRUE(built[name].bytes == s.bytes) << name;
  }
  EXPECT_EQ(built.size(), 4u + 2u * 10u);

  // Each route-wide file in the list of files of exactly one scenario.
  const auto list = nlohmann::json::parse(r.out);
  ASSERT_EQ(list.size(), 10u);
  std::map<std::string, int> written;
  for (const auto& s : list) {
    EXPECT_EQ(s.at("rebuilt"), true);
    for (const auto& f : s.at("files")) ++written[f.at("path")];
  }
  for (const char* route : {"R1", "R2", "R3", "D"}) {
    EXPECT_EQ(written[std::string("out/") + route + "_linea.dat"], 1) << route;
  }
  EXPECT_EQ(list[0].at("scenario"), "D_1");
  EXPECT_EQ(list[0].at("status"), 1);
  EXPECT_EQ(list[0].at("codice_errore"), 8);
  EXPECT_EQ(list[0].at("file"), "in/D_1-.txt");
  // The fault as check prints it, under the scenario's name.
  const std::size_t d1 = r.err.find("compatta: scenario D_1:\n");
  ASSERT_NE(d1, std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("in/D_1-.txt:3:11: error 8: ", d1),
            r.err.find("in/D_1-.txt:3:11: error 8: "))
      << r.err;
  EXPECT_NE(r.err.find("in/D_1-.txt:3:11: error 8: "), std::string::npos)
      << r.err;
}

TEST_F(Build, ASecondBuildRewritesNothing) {
  generate("in", 2, 2);
  ASSERT_EQ(run({"build", "in"}).status, 0);
  const auto before = snapshot("in");
  const std::string state = read("in/.compatta-build-state");
  struct stat st_before {};
  ASSERT_EQ(::stat((dir_ / "in/.compatta-build-state").c_str(), &st_before), 0);

  const run_result r = run({"build", "in"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(changed(before, snapshot("in")), std::set<std::string>{});
  struct stat st_after {};
  ASSERT_EQ(::stat((dir_ / "in/.compatta-build-state").c_str(), &st_after), 0);
  EXPECT_EQ(st_after.st_ino, st_before.st_ino);
  EXPECT_EQ(read("in/.compatta-build-state"), state);
  const std::map<std::string, std::string> want = {{"R1_1", "up to date"},
                                                   {"R1_2", "up to date"},
                                                   {"R2_1", "up to date"},
                                                   {"R2_2", "up to date"}};
  EXPECT_EQ(results(r.out), want) << r.out;

  // --force compiles every one again, to the same bytes.
  const run_result forced = run({"build", "in", "--force"});
  EXPECT_EQ(forced.status, 0) << forced.err;
  const auto after = snapshot("in");
  EXPECT_EQ(changed(before, after).size(), 10u);
  for (const auto& [name, s] : before) EXPECT_EQ(after.at(name).bytes, s.bytes);
}

TEST_F(Build, OneChangeBringsBackOnlyWhatDependsOnIt) {
  const struct {
    const char* what;
    const char* file;  // below the temporary directory
    bool remove;       // else a blank line is added at its end
    std::set<std::string> rewritten;
  } cases[] = {
      {"a route text",
       "in/R2_linea.txt",
       false,
       {"R2_linea.dat", "R2_1.sim", "R2_1.dat", "R2_2.sim", "R2_2.dat"}},
      {"a train text", "in/R1_2-.txt", false, {"R1_2.sim", "R1_2.dat"}},
      {"a deleted route-wide file",
       "out/R1_linea.dat",
       true,
       {"R1_linea.dat", "R1_1.sim", "R1_1.dat"}},
      {"a deleted station table",
       "out/R2_2.sim",
       true,
       {"R2_2.sim", "R2_2.dat"}},
      {"a changed cell row", "out/R1_1.dat", false, {"R1_1.sim", "R1_1.dat"}},
  };
  generate("in", 2, 2);
  ASSERT_EQ(run({"build", "in", "-o", "out"}).status, 0);
  for (const auto& c : cases) {
    const auto before = snapshot("out");
    if (c.remove) {
      fsys::remove(dir_ / c.file);
    } else {
      write(c.file, read(c.file) + "\r\n");
    }
    const run_result r = run({"build", "in", "-o", "out"});
    EXPECT_EQ(r.status, 0) << c.what << "\n" << r.err;
    const auto after = snapshot("out");
    EXPECT_EQ(changed(before, after), c.rewritten) << c.what;
    // Made again to the same bytes: an added blank line changes no record.
    for (const auto& [name, s] : before) {
      EXPECT_EQ(after.at(name).bytes, s.bytes) << c.what << " " << name;
    }
  }
  // And the last state holds: nothing more to do.
  const auto before = snapshot("out");
  ASSERT_EQ(run({"build", "in", "-o", "out"}).status, 0);
  EXPECT_EQ(changed(before, snapshot("out")), std::set<std::string>{});
}

TEST_F(Build, AStateFileThatCannotBeTrustedIsIgnoredAndReplaced) {
  generate("in", 1, 2);
  ASSERT_EQ(run({"build", "in", "-o", "out"}).status, 0);
  const std::string good = read("out/.compatta-build-state");
  const std::size_t body = good.find('\n') + 1;
  std::string flipped = good;
  flipped[body + 40] ^= 0x01;
  std::string other_version = good;
  other_version.replace(other_version.find(" 1 ") + 3, 1, "0.0.1 ");
  const struct {
    const char* what;
    std::string state;
    const char* why;
  } cases[] = {
      {"empty", "", "not a build state"},
      {"garbage", "{\"routes\": 3}\n", "not a build state"},
      {"cut short", good.substr(0, good.size() / 2), "damaged"},
      {"one bit flipped", flipped, "damaged"},
      {"another version", other_version, "written by version 0.0.1"},
  };
  for (const auto& c : cases) {
    write("out/.compatta-build-state", c.state);
    const auto before = snapshot("out");
    const run_result r = run({"build", "in", "-o", "out"});
    EXPECT_EQ(r.status, 0) << c.what << "\n" << r.err;
    EXPECT_NE(r.err.find("note: not using out/.compatta-build-state (" +
                         std::string(c.why)),
              std::string::npos)
        << c.what << "\n"
        << r.err;
    EXPECT_EQ(changed(before, snapshot("out")).size(), 5u) << c.what;
    EXPECT_EQ(results(r.out), (std::map<std::string, std::string>{
                                  {"R1_1", "compiled"}, {"R1_2", "compiled"}}))
        << c.what;
    // Replaced by one that is trusted again.
    const run_result again = run({"build", "in", "-o", "out"});
    EXPECT_EQ(again.err, "") << c.what;
    EXPECT_EQ(results(again.out),
              (std::map<std::string, std::string>{{"R1_1", "up to date"},
                                                  {"R1_2", "up to date"}}))
        << c.what;
  }

  // The same outputs built from another folder of texts.
  fsys::copy(dir_ / "in", dir_ / "in2");
  const run_result r = run({"build", "in2", "-o", "out"});
  EXPECT_NE(r.err.find("made from the texts in in)"), std::string::npos)
      << r.err;
  EXPECT_EQ(results(r.out).at("R1_1"), "compiled");
}

TEST_F(Build, AMixedFolderExitsWithItsWorstScenario) {
  generate("clean", 1, 1);
  write("fault/D_linea.txt", route_fault);
  write("fault/D_1-.txt", train_fault);
  write("seal/S_linea.txt", route_seal);
  write("seal/S_1-.txt", train_seal);
  write("orphan/Z_1-.txt", train_seal);
  const struct {
    std::vector<std::string> parts;
    int status;
  } cases[] = {
      {{"clean"}, 0},
      {{"clean", "fault"}, 1},
      {{"clean", "orphan", "fault"}, 2},
      {{"clean", "seal", "fault"}, 3},
      {{"clean", "seal", "orphan", "fault"}, 3},
  };
  for (const auto& c : cases) {
    std::string shown;
    fsys::remove_all(dir_ / "mix");
    fsys::create_directory(dir_ / "mix");
    for (const std::string& p : c.parts) {
      shown += p + ' ';
      for (const auto& e : fsys::directory_iterator(dir_ / p)) {
        fsys::copy_file(e.path(), dir_ / "mix" / e.path().filename());
      }
    }
    const run_result r = run({"build", "mix", "-o", "mix/out"});
    EXPECT_EQ(r.status, c.status) << shown << "\n" << r.err;
    std::set<std::string> expected;
    for (const auto& e : fsys::directory_iterator(dir_ / "mix/out")) {
      expected.insert(e.path().filename().string());
    }
    // Every scenario but the failed ones wrote its set; a seal guard or a
    // missing route text ended no other scenario.
    std::set<std::string> want = {".compatta-build-state", "R1_linea.dat",
                                  "R1_1.sim", "R1_1.dat"};
    for (const std::string& p : c.parts) {
      if (p == "fault") want.insert({"D_linea.dat", "D_1.sim", "D_1.dat"});
    }
    EXPECT_EQ(expected, want) << shown;
    const auto table = results(r.out);
    EXPECT_EQ(table.at("R1_1"), "compiled") << shown;
    for (const std::string& p : c.parts) {
      if (p == "seal") {
        EXPECT_EQ(table.at("S_1"), "seal guard 1250") << shown;
        EXPECT_NE(r.err.find("compatta: scenario S_1:\nmix/S_linea.txt:4:18: "
                             "error 1250: "),
                  std::string::npos)
            << r.err;
        EXPECT_NE(r.err.find("\" Errore n. 1250\""), std::string::npos)
            << r.err;
      }
      if (p == "orphan") {
        EXPECT_EQ(table.at("Z_1"), "no route text") << shown;
        EXPECT_NE(r.err.find("mix/Z_1-.txt: no route text Z_linea.txt"),
                  std::string::npos)
            << r.err;
      }
      if (p == "fault") {
        EXPECT_EQ(table.at("D_1"), "data fault") << shown;
      }
    }
    EXPECT_NE(r.out.find("exit status " + std::to_string(c.status) + "\n"),
              std::string::npos)
        << r.out;
    // Up to date, a scenario keeps its result and so the exit status.
    const run_result again = run({"build", "mix", "-o", "mix/out"});
    EXPECT_EQ(again.status, c.status) << shown << "\n" << again.err;
  }

  // The last folder as JSON: each scenario with its own status.
  const run_result r = run({"build", "mix", "-o", "mix/out", "--json"});
  EXPECT_EQ(r.status, 3);
  std::map<std::string, nlohmann::json> by_name;
  for (const auto& o : nlohmann::json::parse(r.out))
    by_name[o.at("scenario")] = o;
  EXPECT_EQ(by_name.at("R1_1").at("status"), 0);
  EXPECT_EQ(by_name.at("R1_1").at("rebuilt"), false);
  EXPECT_EQ(by_name.at("D_1").at("status"), 1);
  EXPECT_EQ(by_name.at("D_1").at("codice_errore"), 8);
  EXPECT_EQ(by_name.at("S_1").at("status"), 3);
  EXPECT_EQ(by_name.at("S_1").at("errore"), 1250);
  EXPECT_EQ(by_name.at("S_1").at("rebuilt"), true);
  EXPECT_EQ(by_name.at("Z_1").at("status"), 2);
  EXPECT_EQ(by_name.at("Z_1").at("error"),
            "mix/Z_1-.txt: no route text Z_linea.txt beside it; not compiled");
}

#ifdef FAULT_SHIM
TEST_F(Build, AFailedSetLeavesItsOldFilesAndAnotherTrainWritesTheTrack) {
  generate("in", 1, 3);
  ASSERT_EQ(run({"build", "in", "-o", "out"}).status, 0);
  write("in/R1_linea.txt", read("in/R1_linea.txt") + "\r\n");
  const auto before = snapshot("out");
  // The first set that puts R1_linea.dat in place fails.
  const run_result r = run({"build", "in", "-o", "out", "-j", "1"},
                           // The sanitizer runtime need not come first: the
                           // shim does not use it.
                           std::string("LD_PRELOAD=") + FAULT_SHIM +
                               " ASAN_OPTIONS=verify_asan_link_order=0"
                               " FAULT_SHIM_CALL=rename FAULT_SHIM_N=1"
                               " FAULT_SHIM_MATCH=R1_linea.dat");
  EXPECT_EQ(r.status, 2) << r.err;
  EXPECT_NE(r.err.find("compatta: scenario R1_1:\ncompatta: cannot "),
            std::string::npos)
      << r.err;
  const auto after = snapshot("out");
  EXPECT_EQ(changed(before, after),
            (std::set<std::string>{"R1_linea.dat", "R1_2.sim", "R1_2.dat",
                                   "R1_3.sim", "R1_3.dat"}));
  EXPECT_EQ(results(r.out).at("R1_1"), "file error");
  // The next build compiles the failed one alone.
  const run_result next = run({"build", "in", "-o", "out"});
  EXPECT_EQ(next.status, 0) << next.err;
  EXPECT_EQ(changed(after, snapshot("out")),
            (std::set<std::string>{"R1_1.sim", "R1_1.dat"}));
}
#endif

// A train text that is its route text (a link) is compiled as `compile`
// compiles one file given as both texts: with the same-text warning, into
// the same bytes.
TEST_F(Build, OneFileAsBothTextsIsCompiledAsCompileDoes) {
  write("same/R_linea.txt", route_fault);
  fsys::create_hard_link(dir_ / "same/R_linea.txt", dir_ / "same/R_1-.txt");
  const run_result r = run({"build", "same", "-o", "out"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("[-Wsame-text]"), std::string::npos) << r.err;
  EXPECT_EQ(results(r.out).at("R_1"), "compiled") << r.out;
  const run_result one =
      run({"compile", "same/R_linea.txt", "same/R_1-.txt", "-o", "one"});
  ASSERT_EQ(one.status, 0) << one.err;
  for (const char* name : {"R_linea.dat", "R_1.sim", "R_1.dat"}) {
    EXPECT_EQ(read(std::string("out/") + name),
              read(std::string("one/") + name))
        << name;
  }
}

TEST_F(Build, UsageAndFolderErrorsExitWith2) {
  write("empty/R_linea.txt", route_fault);
  write("afile", "x");
  const struct {
    std::vector<std::string> args;
    const char* says;
  } cases[] = {
      {{"build"}, "DIR"},
      {{"build", "missing"}, "cannot read the folder missing"},
      {{"build", "afile"}, "cannot read the folder afile"},
      {{"build", "empty"}, "no train text (NAME_N-.txt) in empty"},
      {{"build", "empty", "-j", "0"}, "-j"},
  };
  for (const auto& c : cases) {
    const run_result r = run(c.args);
    EXPECT_EQ(r.status, 2) << c.says << "\n" << r.err;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
  }
  write("empty/R_1-.txt", train_seal);
  const run_result r = run({"build", "empty", "-o", "afile"});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("cannot use afile as output directory"),
            std::string::npos)
      << r.err;
}

}  // namespace
}  // namespace compattatore
