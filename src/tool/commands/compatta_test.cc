// `compatta` as a process, in a temporary directory: what it writes, what
// it prints, its exit status, and that it leaves its inputs alone.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "compact/cell_file.h"
#include "compact/driver.h"
#include "compact/station_file.h"
#include "compact/track_file.h"
#include "model/codici_errore.h"
#include "model/scenario.h"
#include "platform/real_file_system.h"
#include "reader/memorizza_dati.h"
#include "tests/json_records.h"
#include "tests/memory_file_system.h"
#include "tests/process.h"

namespace compattatore {
namespace {

namespace fsys = std::filesystem;

constexpr const char* route_text = "in/Orsella_Vantrona_linea.txt";
constexpr const char* train_text = "in/Orsella_Vantrona_4273-.txt";
constexpr const char* compiled[] = {
    "Orsella_Vantrona_linea.dat",
    "Orsella_Vantrona_4273.sim",
    "Orsella_Vantrona_4273.dat",
};
constexpr const char* documents[] = {
    "Orsella_Vantrona_4273_note.txt",
    "Orsella_Vantrona_4273_rallentamenti.txt",
    "Orsella_Vantrona_4273_scheda_treno.txt",
};

class Compatta : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string tmpl =
        (fsys::temp_directory_path() / "compatta-XXXXXX").string();
    ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
    dir_ = tmpl;
  }
  void TearDown() override { fsys::remove_all(dir_); }

  // Runs `exe` with `args` in the temporary directory.
  run_result run_exe(const std::string& exe,
                     const std::vector<std::string>& args) const {
    std::string cmd = shell_quote(exe);
    for (const std::string& a : args) cmd += ' ' + shell_quote(a);
    return run_command(dir_, "", cmd);
  }
  run_result run(const std::vector<std::string>& args) const {
    return run_exe(COMPATTA_EXE, args);
  }

  void write(const std::string& rel, const std::string& bytes) const {
    fsys::create_directories((dir_ / rel).parent_path());
    std::ofstream(dir_ / rel, std::ios::binary) << bytes;
  }
  std::string read(const std::string& rel) const { return slurp(dir_ / rel); }

  // Names of the files in a subdirectory, sorted.
  std::vector<std::string> files(const std::string& rel) const {
    std::vector<std::string> out;
    for (const auto& e : fsys::directory_iterator(dir_ / rel)) {
      out.push_back(e.path().filename().string());
    }
    std::sort(out.begin(), out.end());
    return out;
  }

  // Bytes and modification time of every file below the directory.
  using snapshot_t =
      std::map<std::string, std::pair<std::string, fsys::file_time_type>>;
  snapshot_t snapshot() const {
    snapshot_t s;
    for (const auto& e : fsys::recursive_directory_iterator(dir_)) {
      if (!e.is_regular_file()) continue;
      s[fsys::relative(e.path(), dir_).string()] = {slurp(e.path()),
                                                    e.last_write_time()};
    }
    return s;
  }

  // A track line, cell row and station table of 2 km in small/, for dump
  // and plot: the readers in this tree may not make one.
  void write_small_compiled_files() const {
    tracciato_linea track;
    track.make(2001);
    for (std::size_t m = 0; m < 2000; ++m) {
      track.set_reale(m, 0, 0.0);
      track.set_reale(m, 1, static_cast<double>(m));
    }
    std::vector<cella> row(41);
    row[5].oggetto = 1;
    std::array<stazione, numero_stazioni> table{};
    table[1].progressiva = 300;
    table[1].nome = "Alfa";
    write("small/S_linea.dat", encode_track(track));
    write("small/S_1.dat", encode_cells(row));
    write("small/S_1.sim", encode_stations(table));
  }

  // The compiled-in texts and documents in in/, as `compatta texts` writes
  // them.
  void write_compiled_in_texts() const {
    const run_result r = run({"texts", "-o", "in"});
    ASSERT_EQ(r.status, 0) << r.err;
  }

  fsys::path dir_;
};

std::vector<std::string> sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

TEST_F(Compatta, CompiledInTextsCompileToTheProgramsFilesByteForByte) {
  fsys::create_directory(dir_ / "prog");
  fsys::copy_file(COMPATTATORE_EXE, dir_ / "prog" / "compattatore");
  const run_result program = run_exe((dir_ / "prog/compattatore").string(), {});
  ASSERT_EQ(program.status, 0) << program.err;

  write_compiled_in_texts();
  EXPECT_EQ(files("in"),
            sorted({"Orsella_Vantrona_linea.txt", "Orsella_Vantrona_4273-.txt",
                    documents[0], documents[1], documents[2]}));
  for (const char* name : documents) {
    EXPECT_EQ(read(std::string("in/") + name),
              read(std::string("prog/") + name))
        << name;
  }

  const run_result r = run({"compile", route_text, train_text, "-o", "out"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(files("out"), sorted({compiled[0], compiled[1], compiled[2]}));
  for (const char* name : compiled) {
    EXPECT_EQ(read(std::string("out/") + name),
              read(std::string("prog/") + name))
        << name;
  }
}

TEST_F(Compatta, DumpJsonRebuildsTheRecordsCompileWrote) {
  write_compiled_in_texts();
  ASSERT_EQ(run({"compile", route_text, train_text, "-o", "out"}).status, 0);

  // The same compaction in-process: the records the files were made from.
  scenario s;
  s.nome_linea = "Orsella_Vantrona";
  s.numero_treno = "4273";
  real_file_system disk;
  recording_report report;
  const testi_scenario testi{(dir_ / route_text).string(),
                             (dir_ / train_text).string(), false};
  ASSERT_TRUE(compatta(s, 1, disk, testi, report));

  for (const char* name : compiled) {
    const std::string path = std::string("out/") + name;
    const run_result r = run({"dump", path, "--json"});
    ASSERT_EQ(r.status, 0) << name << ": " << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j.at("file"), path);
    EXPECT_EQ(j.at("bytes"), fsys::file_size(dir_ / path));
    if (j.at("kind") == "cells") {
      EXPECT_EQ(cells_from_json(j), s.celle);
    } else if (j.at("kind") == "stations") {
      EXPECT_EQ(stations_from_json(j), s.stazioni);
    } else {
      EXPECT_EQ(j.at("kind"), "track");
      EXPECT_EQ(track_from_json(j), s.tracciato.punti());
    }
    const run_result text = run({"dump", path});
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_TRUE(text.out.starts_with(path + ": ")) << text.out.substr(0, 80);
  }
}

TEST_F(Compatta, JsonGivesTheOutcomeAndEveryFileWrittenWithItsSize) {
  write_compiled_in_texts();
  const run_result r =
      run({"compile", route_text, train_text, "-o", "out", "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j.at("codice_errore"), 0);
  EXPECT_EQ(j.at("posizione_errore"), 0);
  EXPECT_EQ(j.at("message"), "no fault");
  ASSERT_EQ(j.at("files").size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    const auto& f = j["files"][i];
    EXPECT_EQ(f.at("path"), std::string("out/") + compiled[i]);
    EXPECT_EQ(f.at("size"), fsys::file_size(dir_ / "out" / compiled[i]));
  }

  const run_result check = run({"check", route_text, train_text, "--json"});
  ASSERT_EQ(check.status, 0) << check.err;
  EXPECT_TRUE(nlohmann::json::parse(check.out).at("files").empty());
}

TEST_F(Compatta, NoTrackLeavesTheRouteWideFileAlone) {
  write_compiled_in_texts();
  write("out/Orsella_Vantrona_linea.dat", "earlier");
  const run_result r = run(
      {"compile", route_text, train_text, "-o", "out", "--no-track", "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read("out/Orsella_Vantrona_linea.dat"), "earlier");
  EXPECT_EQ(nlohmann::json::parse(r.out).at("files").size(), 2u);
  EXPECT_EQ(files("out"), sorted({compiled[0], compiled[1], compiled[2]}));
}

TEST_F(Compatta, NamesCanBeGivenForTextsNamedOtherwise) {
  write_compiled_in_texts();
  fsys::copy_file(dir_ / route_text, dir_ / "route.txt");
  fsys::copy_file(dir_ / train_text, dir_ / "train.txt");
  const run_result r =
      run({"compile", "route.txt", "train.txt", "--route-name",
           "Orsella_Vantrona", "--train-number", "4273", "-o", "named"});
  ASSERT_EQ(r.status, 0) << r.err;
  ASSERT_EQ(run({"compile", route_text, train_text, "-o", "out"}).status, 0);
  for (const char* name : compiled) {
    EXPECT_EQ(read(std::string("named/") + name),
              read(std::string("out/") + name))
        << name;
  }
}

TEST_F(Compatta, UsageErrorsAndUnreadableFilesExitWith2AndSayWhy) {
  write_compiled_in_texts();
  write_small_compiled_files();
  write("route.txt", "[generale]\r\n");
  write("train.txt", "[generale]\r\n");
  write("afile", "x");
  write("tr.svg", "[generale]\r\n");
  write("odd.dat", std::string(16, '\0'));
  fsys::create_directory(dir_ / "adir_linea.txt");
  write("clash/Orsella_Vantrona_4273.sim", "train text");
  const std::string track = "small/S_linea.dat";

  const struct {
    std::vector<std::string> args;
    std::string says;
  } cases[] = {
      {{}, "a command is required"},
      {{"frobnicate"}, "frobnicate"},
      {{"compile"}, "ROUTE_TEXT"},
      {{"compile", route_text}, "TRAIN_TEXT"},
      {{"compile", route_text, train_text, "--bogus"}, "--bogus"},
      {{"check", route_text, train_text, "-o", "x"}, "-o"},
      {{"compile", "missing_linea.txt", train_text}, "missing_linea.txt"},
      {{"compile", route_text, "in/missing_1-.txt"}, "in/missing_1-.txt"},
      {{"check", "adir_linea.txt", train_text}, "adir_linea.txt"},
      {{"compile", "route.txt", train_text}, "--route-name"},
      {{"compile", route_text, "train.txt"}, "--train-number"},
      {{"compile", route_text, train_text, "-o", "afile"}, "afile"},
      {{"compile", route_text, train_text, "-o", "afile/sub"}, "afile/sub"},
      {{"compile", route_text, "clash/Orsella_Vantrona_4273.sim",
        "--train-number", "4273", "-o", "clash"},
       "cannot write clash/Orsella_Vantrona_4273.sim"},
      {{"texts", "-o", "afile"}, "afile"},
      {{"dump"}, "FILE"},
      {{"dump", "nothing.dat"}, "nothing.dat"},
      {{"dump", route_text}, "--kind"},
      {{"dump", "odd.dat", "--kind", "wheels"}, "wheels"},
      {{"dump", "odd.dat"}, "odd.dat: not a cell row file"},
      {{"dump", "odd.dat", "--kind", "stations"},
       "odd.dat: not a station table file"},
      {{"plot", track}, "--output"},
      {{"plot", track, "-o", "plan.jpg"}, "plan.jpg"},
      {{"plot", "none_linea.dat", "-o", "plan.svg"}, "none_linea.dat"},
      {{"plot", track, "--cells", "none.dat", "-o", "plan.svg"}, "none.dat"},
      {{"plot", track, "--stations", "odd.dat", "-o", "plan.svg"},
       "odd.dat: not a station table file"},
      {{"plot", track, "-o", "plan.svg", "--width", "10"}, "--width"},
      {{"plot", track, "-o", "afile/plan.svg"}, "afile/plan.svg"},
      {{"report", route_text, train_text}, "--output"},
      {{"report", route_text, "in/missing_1-.txt", "-o", "r.html"},
       "in/missing_1-.txt"},
      {{"report", "route.txt", train_text, "-o", "r.html"}, "--route-name"},
      {{"report", route_text, train_text, "-o", "afile/r.html"},
       "afile/r.html"},
      {{"watch", route_text}, "TRAIN_TEXT"},
      {{"watch", "missing_linea.txt", train_text}, "missing_linea.txt"},
      {{"watch", route_text, train_text, "-o", "afile"}, "afile"},
      {{"plot", track, "-o", "plan.svg", "--from", "1.5km", "--to", "1km"},
       "--from 1.5km does not lie before --to 1km"},
      {{"plot", track, "-o", "plan.svg", "--from", "1km", "--to", "1km"},
       "--from 1km does not lie before --to 1km"},
      {{"plot", track, "-o", "plan.svg", "--from", "a mile"},
       "--from a mile: not a distance"},
      // The small track line holds metres 0 to 1999.
      {{"plot", track, "-o", "plan.svg", "--to", "2km"},
       "--to 2km lies beyond the track line's end at 1999 m"},
      {{"profile", route_text, train_text}, "--output"},
      {{"profile", route_text, train_text, "-o", "p.jpg"}, "p.jpg"},
      {{"profile", route_text, "tr.svg", "--train-number", "1", "-o",
        "./tr.svg"},
       "cannot write ./tr.svg: it is one of the texts being read"},
      {{"profile", "route.txt", "train.txt", "-o", "p.svg"}, "--route-name"},
      // The route is 77 km long; its last station's area ends at 79000 m.
      {{"profile", route_text, train_text, "-o", "p.svg", "--to", "79.05km"},
       "--to 79.05km lies beyond the end of the last station's area at "
       "79000 m"},
      {{"profile", route_text, train_text, "-o", "p.svg", "--from", "9000",
        "--to", "8km"},
       "--from 9000 does not lie before --to 8km"},
      {{"profile", route_text, train_text, "-o", "p.svg", "--from", "79km"},
       "--from 79km does not lie before --to 79000 m (the end of the last "
       "station's area)"},
  };
  for (const auto& c : cases) {
    std::string shown;
    for (const std::string& a : c.args) shown += a + ' ';
    const run_result r = run(c.args);
    EXPECT_EQ(r.status, 2) << shown << "\n" << r.err;
    EXPECT_NE(r.err.find(c.says), std::string::npos)
        << shown << "\nsays: " << r.err;
    EXPECT_EQ(r.out, "") << shown;
  }
  EXPECT_FALSE(fsys::exists(dir_ / "plan.svg"));
  EXPECT_FALSE(fsys::exists(dir_ / "p.svg"));
  EXPECT_EQ(files("clash"),
            std::vector<std::string>{"Orsella_Vantrona_4273.sim"});
  EXPECT_EQ(read("clash/Orsella_Vantrona_4273.sim"), "train text");
  EXPECT_FALSE(fsys::exists(dir_ / "Orsella_Vantrona_4273.sim"));
}

TEST_F(Compatta, HelpOnEveryCommand) {
  // Each command lists only the exit statuses it can return.
  const struct {
    const char* command;
    const char* statuses;  // digits that must appear after "Exit status:"
    const char* absent;    // digits that must not
  } cases[] = {
      {"compile", "0123", ""}, {"check", "0123", ""}, {"build", "0123", ""},
      {"texts", "02", "13"},   {"dump", "02", "13"},  {"plot", "02", "13"},
      {"report", "0123", ""},  {"watch", "02", "13"}, {"profile", "02", "13"},
  };
  for (const auto& c : cases) {
    const run_result r = run({c.command, "--help"});
    EXPECT_EQ(r.status, 0) << c.command << ": " << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find(std::string("Usage: compatta ") + c.command),
              std::string::npos)
        << r.out;
    const std::size_t examples = r.out.find("Examples:\n  compatta ");
    const std::size_t statuses = r.out.find("Exit status: ");
    ASSERT_NE(examples, std::string::npos) << r.out;
    ASSERT_NE(statuses, std::string::npos) << r.out;
    EXPECT_LT(examples, statuses);
    const std::string tail = r.out.substr(statuses);
    for (const char* d = c.statuses; *d != '\0'; ++d) {
      EXPECT_NE(tail.find(std::string(1, *d) + ' '), std::string::npos)
          << c.command << " " << *d << "\n"
          << tail;
    }
    for (const char* d = c.absent; *d != '\0'; ++d) {
      EXPECT_EQ(tail.find(std::string("; ") + *d + ' '), std::string::npos)
          << c.command << " " << *d << "\n"
          << tail;
    }
  }
  const run_result top = run({"--help"});
  EXPECT_EQ(top.status, 0);
  EXPECT_NE(top.out.find("Usage: compatta"), std::string::npos) << top.out;
  EXPECT_EQ(top.out.find("Exit status"), std::string::npos) << top.out;
}

TEST_F(Compatta, BothExecutablesPrintTheSameVersion) {
  const run_result tool = run({"--version"});
  const run_result program = run_exe(COMPATTATORE_EXE, {"--version"});
  EXPECT_EQ(tool.status, 0);
  EXPECT_EQ(program.status, 0);
  ASSERT_TRUE(tool.out.starts_with("compatta ")) << tool.out;
  ASSERT_TRUE(program.out.starts_with("compattatore ")) << program.out;
  EXPECT_EQ(tool.out.substr(9), program.out.substr(13));
  EXPECT_TRUE(tool.out.ends_with("\n"));
  // Nothing was written where they ran.
  EXPECT_TRUE(files(".").empty());
}

TEST_F(Compatta, BashCompletionOffersCommandsOptionsChoicesAndFiles) {
  const run_result script = run({"--bash-completion"});
  ASSERT_EQ(script.status, 0) << script.err;
  write("compatta.bash", script.out);
  write("plan.svg", "");
  // Each case: the words typed so far, the last being completed, and what
  // must be offered.
  const struct {
    const char* words;
    const char* offered;
  } cases[] = {
      {"compatta c", "compile check"},
      {"compatta b", "build"},
      {"compatta build in --f", "--force"},
      {"compatta dump x --kind ''", "track stations cells"},
      {"compatta plot --w", "--width"},
      {"compatta compile a b --no", "--no-track"},
      {"compatta plot t.dat -o pl", "plan.svg"},
      {"compatta pro", "profile"},
      {"compatta plot t.dat --m", "--margin"},
      {"compatta --v", "--version"},
  };
  for (const auto& c : cases) {
    write("ask.sh", "source compatta.bash\nCOMP_WORDS=(" +
                        std::string(c.words) +
                        ")\nCOMP_CWORD=$((${#COMP_WORDS[@]} - 1))\n_compatta\n"
                        "echo \"${COMPREPLY[*]}\"\n");
    const run_result r = run_exe("/bin/bash", {"ask.sh"});
    EXPECT_EQ(r.status, 0) << c.words << ": " << r.err;
    EXPECT_EQ(r.out, std::string(c.offered) + "\n") << c.words;
  }
}

TEST_F(Compatta, InputsAreUnchangedByEveryCommand) {
  write_compiled_in_texts();
  ASSERT_EQ(run({"compile", route_text, train_text, "-o", "in"}).status, 0);
  write_small_compiled_files();
  const std::vector<std::vector<std::string>> commands = {
      {"compile", route_text, train_text, "-o", "out"},
      {"compile", route_text, train_text, "-o", "out", "--no-track", "--json"},
      {"check", route_text, train_text},
      {"check", route_text, train_text, "--json"},
      {"dump", "in/Orsella_Vantrona_4273.dat", "--all"},
      {"dump", "in/Orsella_Vantrona_4273.sim", "--json"},
      {"dump", "in/Orsella_Vantrona_linea.dat"},
      {"dump", "small/S_1.dat", "--json", "--all"},
      {"plot", "small/S_linea.dat", "--cells", "small/S_1.dat", "--stations",
       "small/S_1.sim", "-o", "out/plan.svg"},
      {"profile", route_text, train_text, "-o", "out/profile.svg"},
  };
  for (const auto& args : commands) {
    std::string shown;
    for (const std::string& a : args) shown += a + ' ';
    auto before = snapshot();
    const run_result r = run(args);
    EXPECT_EQ(r.status, 0) << shown << "\n" << r.err;
    auto after = snapshot();
    // Only the command's own outputs may change.
    for (const char* rel :
         {"out/Orsella_Vantrona_linea.dat", "out/Orsella_Vantrona_4273.sim",
          "out/Orsella_Vantrona_4273.dat", "out/plan.svg", "out/profile.svg"}) {
      before.erase(rel);
      after.erase(rel);
    }
    EXPECT_EQ(after, before) << shown;
  }
}

TEST_F(Compatta, PlotAndProfileDrawAStretchWithSearchableText) {
  write_compiled_in_texts();
  ASSERT_EQ(run({"compile", route_text, train_text, "-o", "out"}).status, 0);
  const run_result plan =
      run({"plot", "out/Orsella_Vantrona_linea.dat", "--cells",
           "out/Orsella_Vantrona_4273.dat", "--stations",
           "out/Orsella_Vantrona_4273.sim", "--from", "14km", "--to", "22km",
           "-o", "stretch.svg"});
  ASSERT_EQ(plan.status, 0) << plan.err;
  EXPECT_EQ(plan.err, "");
  std::string svg = read("stretch.svg");
  EXPECT_NE(svg.find("plan view, 14 km to 22 km"), std::string::npos);
  EXPECT_NE(svg.find(">VALDIRENA</text>"), std::string::npos);   // 15400 m
  EXPECT_NE(svg.find(">CAMPOSELVO</text>"), std::string::npos);  // 17800 m
  EXPECT_EQ(svg.find("LORBA"), std::string::npos);               // 12300 m

  const run_result profile = run({"profile", route_text, train_text, "--from",
                                  "10km", "--to", "20km", "-o", "p.svg"});
  ASSERT_EQ(profile.status, 0) << profile.err;
  EXPECT_EQ(profile.err, "");
  EXPECT_EQ(
      profile.out,
      "wrote p.svg (" + std::to_string(read("p.svg").size()) + " bytes)\n");
  svg = read("p.svg");
  EXPECT_NE(svg.find("profiles, km 10 to 20"), std::string::npos);
  EXPECT_NE(svg.find(">LORBA 11:18</text>"), std::string::npos);
  EXPECT_EQ(svg.find("PRAVELLO"), std::string::npos);  // 3100 m

  // A data fault: said, and drawn all the same from what was read.
  std::string text = read(train_text);
  const std::string row = "stazione,   12300,";
  ASSERT_NE(text.find(row), std::string::npos);
  text.replace(text.find(row), row.size(), "stazione,   12325,");
  write("faulty/Orsella_Vantrona_4273-.txt", text);
  write("faulty/Orsella_Vantrona_linea.txt", read(route_text));
  const run_result faulty =
      run({"profile", "faulty/Orsella_Vantrona_linea.txt",
           "faulty/Orsella_Vantrona_4273-.txt", "-o", "faulty.png"});
  EXPECT_EQ(faulty.status, 0) << faulty.err;
  EXPECT_NE(faulty.err.find("error 8: the station at 12325 m: a station's "
                            "position must be a multiple of 50 m"),
            std::string::npos)
      << faulty.err;
  EXPECT_NE(faulty.err.find("drawn all the same"), std::string::npos);
  EXPECT_TRUE(read("faulty.png").starts_with("\x89PNG"));
}

TEST_F(Compatta, TextsReplacesNothingAnAuthorMayHaveEditedUnlessForced) {
  write_compiled_in_texts();
  const std::string original = read(route_text);
  write(route_text, "edited by the author");
  const auto before = snapshot();

  const run_result refused = run({"texts", "-o", "in"});
  EXPECT_EQ(refused.status, 2);
  EXPECT_EQ(refused.out, "");
  // Every file that is there is named, and nothing is written.
  for (const std::string name :
       {"Orsella_Vantrona_linea.txt", "Orsella_Vantrona_4273-.txt",
        documents[0], documents[1], documents[2]}) {
    EXPECT_NE(refused.err.find("compatta: in/" + name + " already exists\n"),
              std::string::npos)
        << refused.err;
  }
  EXPECT_NE(refused.err.find("--force"), std::string::npos) << refused.err;
  EXPECT_EQ(snapshot(), before);

  // One file of the five there is enough to write none.
  write("one/Orsella_Vantrona_4273_note.txt", "notes of my own");
  EXPECT_EQ(run({"texts", "-o", "one"}).status, 2);
  EXPECT_EQ(files("one"),
            std::vector<std::string>{"Orsella_Vantrona_4273_note.txt"});

  const run_result forced = run({"texts", "-o", "in", "--force"});
  EXPECT_EQ(forced.status, 0) << forced.err;
  EXPECT_EQ(read(route_text), original);
}

// One rule for one file given as both texts, whichever command reads them:
// it is read as the program would read it, with the same-text warning.
TEST_F(Compatta, OneFileAsBothTextsIsReadAsTheProgramWouldByEveryCommand) {
  write("in/A_linea.txt",
        "[generale]\r\nlunghezza percorso, 10000\r\n[fine]\r\n");
  fsys::create_hard_link(dir_ / "in/A_linea.txt", dir_ / "in/A_1-.txt");
  const std::vector<std::string> both = {"in/A_linea.txt", "in/A_linea.txt",
                                         "--train-number", "1"};
  const std::vector<std::string> linked = {"in/A_linea.txt", "in/A_1-.txt"};
  const struct {
    std::vector<std::string> args;
    std::vector<std::string> texts;
    const char* wrote;  // the output that shows it was not refused
  } cases[] = {
      {{"check"}, both, ""},
      {{"check"}, linked, ""},
      {{"compile", "-o", "out"}, both, "out/A_1.dat"},
      {{"profile", "-o", "p.svg"}, both, "p.svg"},
      {{"profile", "-o", "q.svg"}, linked, "q.svg"},
      {{"report", "-o", "r.html"}, both, "r.html"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = c.args;
    args.insert(args.begin() + 1, c.texts.begin(), c.texts.end());
    std::string shown;
    for (const std::string& a : args) shown += a + ' ';
    const run_result r = run(args);
    EXPECT_EQ(r.status, 0) << shown << "\n" << r.err;
    EXPECT_NE(r.err.find("are the same file: the program reads it twice"),
              std::string::npos)
        << shown << "\n"
        << r.err;
    EXPECT_NE(r.err.find("[-Wsame-text]"), std::string::npos) << r.err;
    if (*c.wrote != '\0') {
      EXPECT_TRUE(fsys::exists(dir_ / c.wrote)) << shown;
    }
  }
}

TEST_F(Compatta, NoCommandWritesOverItsInputsHoweverTheyAreNamed) {
  write_compiled_in_texts();
  write_small_compiled_files();
  // Compiled files under names a drawing could have.
  fsys::copy_file(dir_ / "small/S_linea.dat", dir_ / "trk.png");
  fsys::create_hard_link(dir_ / "trk.png", dir_ / "link.svg");
  fsys::copy_file(dir_ / "small/S_1.dat", dir_ / "c.svg");
  fsys::copy_file(dir_ / "small/S_1.sim", dir_ / "s.pdf");
  // A train text under the name of a compiled file, and another spelling
  // of one.
  fsys::create_directory(dir_ / "out");
  fsys::create_hard_link(dir_ / train_text,
                         dir_ / "out/Orsella_Vantrona_4273.dat");
  fsys::create_hard_link(dir_ / train_text, dir_ / "train_again.txt");

  const struct {
    std::vector<std::string> args;
    std::string says;
  } cases[] = {
      {{"plot", "trk.png", "-o", "trk.png"},
       "cannot write trk.png: it is one of the files being read"},
      {{"plot", "trk.png", "-o", "./link.svg"}, "cannot write ./link.svg"},
      {{"plot", "small/S_linea.dat", "--cells", "c.svg", "-o", "./c.svg"},
       "cannot write ./c.svg"},
      {{"plot", "small/S_linea.dat", "--stations", "s.pdf", "-o",
        "small/../s.pdf"},
       "cannot write small/../s.pdf"},
      {{"compile", route_text, train_text, "-o", "out"},
       "cannot write out/Orsella_Vantrona_4273.dat: it is one of the texts"},
      {{"report", route_text, train_text, "-o", "train_again.txt"},
       "cannot write train_again.txt: it is one of the texts"},
      {{"watch", route_text, train_text, "--report",
        "./" + std::string(route_text)},
       "it is one of the texts"},
      {{"watch", route_text, train_text, "-o", "out"},
       "cannot write out/Orsella_Vantrona_4273.dat: it is one of the texts"},
  };
  for (const auto& c : cases) {
    std::string shown;
    for (const std::string& a : c.args) shown += a + ' ';
    const auto before = snapshot();
    const run_result r = run(c.args);
    EXPECT_EQ(r.status, 2) << shown << "\n" << r.err;
    EXPECT_NE(r.err.find(c.says), std::string::npos)
        << shown << "\nsays: " << r.err;
    EXPECT_EQ(snapshot(), before) << shown;
  }
}

// ---------------------------------------------------------------------------
// These need the route and train readers, which this tree may hold as stubs
// that read nothing: they skip then, and run by themselves once the readers
// are in. With the readers in place none of them may skip.

constexpr const char* small_route =
    "[generale]\r\n"
    "lunghezza percorso, 10000\r\n"
    "[fine]\r\n";
constexpr const char* small_train =
    "[generale]\r\n"
    "[fine]\r\n";

TEST_F(Compatta, SealGuardsStopBeforeAnyFileIsWritten) {
  const struct {
    const char* what;
    const char* route_row;
    const char* train_row;
    int errore;
    const char* at;  // the record that took the seal's place
  } cases[] = {
      // An indicator at 0 m lands in cell 1 with valore_1 80 * 20 = 1600:
      // the first guard finds the stamp's place taken.
      {"cell 1 first value taken", "indicatori_vmax, 0, 80, 80, 80, 0, , , , 0",
       "", 1250, "t/A_linea.txt:4:18"},
      // A 0 km/h slowdown from 0 to 100 m starts in cell 1 with valore_1 0
      // and its d_v 5 in valore_2: the second guard fires.
      {"cell 1 second value taken", "", "rallentamento, 0, 0, 100, 0, 0, 5",
       1251, "t/A_1-.txt:2:16"},
  };
  for (const auto& c : cases) {
    write("t/A_linea.txt", std::string("[generale]\r\n"
                                       "lunghezza percorso, 10000\r\n"
                                       "[cartelli]\r\n") +
                               c.route_row + "\r\n[fine]\r\n");
    write("t/A_1-.txt",
          std::string("[generale]\r\n") + c.train_row + "\r\n[fine]\r\n");
    for (const char* name : {"A_linea.dat", "A_1.sim", "A_1.dat"}) {
      write(std::string("out/") + name, std::string("earlier ") + name);
    }
    const auto before = snapshot();

    const run_result r =
        run({"compile", "t/A_linea.txt", "t/A_1-.txt", "-o", "out", "--json"});
    EXPECT_EQ(r.status, 3) << c.what << "\n" << r.err;
    EXPECT_NE(r.err.find(std::string(c.at) + ": error " +
                         std::to_string(c.errore) + ": "),
              std::string::npos)
        << c.what << "\n"
        << r.err;
    EXPECT_NE(r.err.find("\" Errore n. " + std::to_string(c.errore) + "\""),
              std::string::npos)
        << c.what << "\n"
        << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j.at("errore"), c.errore) << c.what;
    EXPECT_TRUE(j.at("files").empty()) << c.what;
    EXPECT_EQ(snapshot(), before) << c.what;
  }
}

TEST_F(Compatta, DiagnosticsPointAtTheFieldWhereReadingStopped) {
  const struct {
    const char* what;
    std::string route;
    std::string train;
    bool in_route;  // which text the fault is in
    int line;
    int column;
    int code;
    const char* says;  // the message, in part
  } cases[] = {
      {"route length above the limit, at the length field",
       "[generale]\r\nlunghezza percorso, 1000001\r\n[fine]\r\n", small_train,
       true, 2, 21, codice::lunghezza_eccessiva,
       "the route length is 1000001 m, above the longest route the track can "
       "hold, 1000000 m"},
      {"a letter where a number is expected", small_route,
       "[generale]\r\n[segnali]\r\nsegnale, 1000, x, 1,2,3, 0, 1, 1,2,3, 0\r\n"
       "[fine]\r\n",
       false, 3, 16, codice::lettura_fallita,
       "the signal row's left code (0 to 9) is \"x\", which is not a whole "
       "number"},
      {"station position not a multiple of 50, at the position field",
       small_route,
       "[generale]\r\n[stazioni]\r\n"
       "stazione, 1225, 2, 800, 0, 0, 0, 0,0,0, 0,0,0, 0, 10, 0, 0, Alfa\r\n"
       "segnale, 1000, 1, 1,2,3, 0, 1, 1,2,3, 0\r\n[fine]\r\n",
       false, 3, 11, codice::stazione_posizione,
       "the station at 1225 m: a station's position must be a multiple of "
       "50 m, such as 1200 m or 1250 m"},
  };
  for (const auto& c : cases) {
    write("t/A_linea.txt", c.route);
    write("t/A_1-.txt", c.train);
    const run_result r = run({"check", "t/A_linea.txt", "t/A_1-.txt"});
    EXPECT_EQ(r.status, 1) << c.what << "\n" << r.err;
    const std::string expected =
        std::string(c.in_route ? "t/A_linea.txt" : "t/A_1-.txt") + ":" +
        std::to_string(c.line) + ":" + std::to_string(c.column) + ": error " +
        std::to_string(c.code) + ": " + c.says + " [explain " +
        std::to_string(c.code) + "]\n";
    EXPECT_NE(r.err.find(expected), std::string::npos) << c.what << "\n"
                                                       << r.err;
    EXPECT_NE(r.err.find("\n1 error"), std::string::npos) << r.err;
  }

  // compile writes the files all the same, as the program does.
  const run_result r =
      run({"compile", "t/A_linea.txt", "t/A_1-.txt", "-o", "out", "--json"});
  EXPECT_EQ(r.status, 1) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j.at("codice_errore"), codice::stazione_posizione);
  EXPECT_EQ(j.at("posizione_errore"), 1225);
  EXPECT_EQ(j.at("file"), "t/A_1-.txt");
  EXPECT_EQ(j.at("line"), 3);
  EXPECT_EQ(j.at("column"), 11);
  EXPECT_EQ(j.at("files").size(), 3u);
  EXPECT_EQ(files("out"), sorted({"A_1.dat", "A_1.sim", "A_linea.dat"}));
}

}  // namespace
}  // namespace compattatore
