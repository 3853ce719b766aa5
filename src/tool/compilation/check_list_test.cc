// The list `check` gives: every fault of both texts once, at its line, in
// the order of the texts; every warning once and silenced by its -Wno-;
// and all of it without changing what compile writes or records.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "compact/driver.h"
#include "model/codici_errore.h"
#include "model/warnings.h"
#include "reader/memorizza_dati.h"
#include "tests/memory_file_system.h"
#include "tests/process.h"
#include "tool/compilation/compaction.h"
#include "tool/diagnostics/diagnostic_printer.h"

namespace compattatore::tool {
namespace {

constexpr const char* route_path = "r/A_linea.txt";
constexpr const char* train_path = "t/A_1-.txt";

// A text as lines; a line "!CODE!record" is a fault of code CODE, kept
// only when its fault is wanted (otherwise left empty, so that every line
// keeps its number).
struct fault_line {
  bool in_route;
  int line;
  int code;
};

std::string join(const std::vector<std::string>& lines, int keep,
                 std::vector<fault_line>* faults, bool in_route, int* index) {
  std::string out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::string l = lines[i];
    if (l.starts_with("!")) {
      const std::size_t end = l.find('!', 1);
      const int code = std::stoi(l.substr(1, end - 1));
      l = l.substr(end + 1);
      if (faults) faults->push_back({in_route, static_cast<int>(i) + 1, code});
      if (keep >= 0 && keep != (*index)++) l.clear();
    }
    out += l + "\r\n";
  }
  return out;
}

struct checked {
  compaction_outcome c;
  scenario s;
};

checked check_texts(const std::string& route, const std::string& train,
                    const check_options& o = {}) {
  memory_file_system fs;
  fs.files[route_path] = route;
  fs.files[train_path] = train;
  checked r;
  r.s.nome_linea = "A";
  r.s.numero_treno = "1";
  r.c = compact_texts(r.s, 1, fs, route_path, train_path, o);

  // The program's own reading of the same texts: the model and the
  // recorded fault must be exactly these.
  scenario ref;
  ref.nome_linea = "A";
  ref.numero_treno = "1";
  recording_report report;
  const bool sealed =
      compatta(ref, 1, fs, {route_path, train_path, false}, report);
  EXPECT_EQ(sealed, r.c.sealed);
  EXPECT_EQ(ref.codice_errore, r.s.codice_errore);
  EXPECT_EQ(ref.posizione_errore, r.s.posizione_errore);
  EXPECT_EQ(ref.punto_errore, r.s.punto_errore);
  EXPECT_TRUE(ref.celle == r.s.celle);
  EXPECT_TRUE(ref.stazioni == r.s.stazioni);
  EXPECT_TRUE(ref.tracciato == r.s.tracciato);
  return r;
}

std::vector<const diagnostic*> errors(const compaction_outcome& c) {
  std::vector<const diagnostic*> out;
  for (const diagnostic& d : c.problems) {
    if (d.level == severity::error) out.push_back(&d);
  }
  return out;
}

std::string shown(const compaction_outcome& c) { return c.diagnostics; }

const std::vector<std::string> clean_train = {
    "[generale]",
    "stazione, 200, 2, 800, 1, 0, 0, 4,1,0, 2,1,1, 1, 10,52,0, ALFA",
    "segnale, 1400, 1, 3,4,0, 0, 1, 2,1,0, 0",
    "[fine]",
};

TEST(CheckList, EveryIndependentFaultOnceAtItsLineAloneOrTogether) {
  const struct {
    const char* what;
    std::vector<std::string> route;
    std::vector<std::string> train;
  } cases[] = {
      {"route and train faults of every kind of reaction",
       {
           "[generale]",
           "lunghezza percorso, 12000",
           "!2!progressiva chilometrica uno, 1025, 0, 0",
           "!3!ripetizione segnali 4 codici, 25, 12000",
           "[curve]",
           "!103!curvad, 1000, 500",
           "curvas3, 2000, 400",
           "[cartelli]",
           "indicatori_vmax, 800, 80, 80, 80, 0, , , , 0",
           "!6!cartello_indicatore, 800, (PASSAGGIO)",
           "!15!pendenza, 40000, 1",
           "[fine]",
       },
       {
           "[generale]",
           "stazione, 200, 2, 800, 1, 0, 0, 4,1,0, 2,1,1, 1, 10,52,0, ALFA",
           "!8!stazione, 1225, 12, 400, 0,0,0, 1,1,0, 4,1,0, 1, 11,0,0, BETA",
           "segnale, 1400, 1, 3,4,0, 0, 1, 2,1,0, 0",
           "!16!segnale, 1420, 1, 3,4,0, 0, 1, 2,1,0, 0",
           "!25!segnale, 3950, 1, 3,4,0, 0, 1, 2,x,0, 0",
           "!15!segnale, 90000, 1, 3,4,0, 0, 1, 2,1,0, 0",
           "abbattimento, 7800, 100",
           "abbattimento, 7750, 100",
           "abbattimento, 7700, 100",
           "!12!rallentamento, 8000, 60, 600, 0, 0, 0",
           "!7!abbattimento, 7800, 90",
           "[fine]",
       }},
      {"a seal guard and a train fault",
       {
           "[generale]",
           "lunghezza percorso, 12000",
           "[cartelli]",
           "!1250!indicatori_vmax, 0, 80, 80, 80, 0, , , , 0",
           "[fine]",
       },
       {
           "[generale]",
           "!9!stazione, 2000, 12, 450, 0,0,0, 1,1,0, 4,1,0, 1, 11,0,0, BETA",
           "segnale, 1400, 1, 3,4,0, 0, 1, 2,1,0, 0",
           "[fine]",
       }},
  };
  for (const auto& c : cases) {
    std::vector<fault_line> faults;
    int index = 0;
    const std::string route = join(c.route, -1, &faults, true, &index);
    const std::string train = join(c.train, -1, &faults, false, &index);

    const checked together = check_texts(route, train);
    const auto listed = errors(together.c);
    EXPECT_EQ(listed.size(), faults.size()) << c.what << "\n"
                                            << shown(together.c);
    for (const fault_line& f : faults) {
      int found = 0;
      for (const diagnostic* d : listed) {
        found += d->code == f.code && d->line == f.line &&
                 d->file == (f.in_route ? route_path : train_path);
      }
      EXPECT_EQ(found, 1) << c.what << ": code " << f.code << " at line "
                          << f.line << "\n"
                          << shown(together.c);
    }
    // In the order of the texts.
    for (std::size_t i = 1; i < listed.size(); ++i) {
      const bool same_file = listed[i - 1]->file == listed[i]->file;
      EXPECT_TRUE(!same_file || listed[i - 1]->line <= listed[i]->line)
          << c.what << "\n"
          << shown(together.c);
    }

    for (std::size_t k = 0; k < faults.size(); ++k) {
      int i = 0;
      const std::string r =
          join(c.route, static_cast<int>(k), nullptr, true, &i);
      const std::string t =
          join(c.train, static_cast<int>(k), nullptr, false, &i);
      const checked alone = check_texts(r, t);
      const auto one = errors(alone.c);
      const fault_line& f = faults[k];
      ASSERT_EQ(one.size(), 1u) << c.what << ": code " << f.code << "\n"
                                << shown(alone.c);
      EXPECT_EQ(one[0]->code, f.code) << c.what << "\n" << shown(alone.c);
      EXPECT_EQ(one[0]->line, f.line) << c.what << "\n" << shown(alone.c);
      if (f.code >= 1250) {
        EXPECT_EQ(alone.c.json.at("errore"), f.code);
        EXPECT_EQ(alone.c.status, 3);
      } else {
        EXPECT_EQ(alone.s.codice_errore, f.code) << c.what;
        EXPECT_EQ(alone.c.status, 1);
      }
    }
  }
}

TEST(CheckList, ARouteWithoutItsLengthStillShowsTheTrainsFaults) {
  // Nothing can be placed on the track then: no position fault is listed,
  // as each would only follow from the missing length.
  const checked c = check_texts(
      "[generale]\r\n[curve]\r\npendenza, 90000, 1\r\n[fine]\r\n",
      "[generale]\r\nsegnale, 95000, 1, 3,4,0, 0, 1, 2,1,0, 0\r\n"
      "segnale, 1400, x, 3,4,0, 0, 1, 2,1,0, 0\r\n"
      "stazione, 200, 2, 800, 1, 0, 0, 4,1,0, 2,1,1, 1, 10,52,0, A\r\n"
      "[fine]\r\n");
  const auto listed = errors(c.c);
  ASSERT_EQ(listed.size(), 2u) << shown(c.c);
  EXPECT_EQ(listed[0]->file, route_path);
  EXPECT_EQ(listed[0]->line, 1);
  EXPECT_NE(listed[0]->message.find("no route length"), std::string::npos);
  EXPECT_EQ(listed[1]->file, train_path);
  EXPECT_EQ(listed[1]->line, 3);
  EXPECT_EQ(listed[1]->column, 16);
  EXPECT_EQ(c.s.codice_errore, codice::lettura_fallita);
}

TEST(CheckList, EveryWarningOnceAndSilencedByItsName) {
  const std::vector<std::string> route = {
      "[generale]", "lunghezza percorso, 12000", "[fine]"};
  const struct {
    std::string_view name;
    std::vector<std::string> route;
    std::vector<std::string> train;
    bool in_route;
    int line;
  } cases[] = {
      {avviso::unknown_keyword,
       route,
       {"[generale]", clean_train[1], clean_train[2],
        "segnal, 2450, 1, 2,3,0, 0, 1, 2,1,0, 0"},
       false,
       4},
      {avviso::no_general, route, {clean_train[1], clean_train[2]}, false, 1},
      {avviso::after_end,
       {"[generale]", "lunghezza percorso, 12000", "[fine]",
        "pendenza, 9000, 2"},
       clean_train,
       true,
       4},
      {avviso::name_comma,
       route,
       {"[generale]",
        "stazione, 200, 2, 800, 1, 0, 0, 4,1,0, 2,1,1, 1, 10,52,0, PORTA, "
        "NUOVA",
        clean_train[2]},
       false,
       2},
      {avviso::non_ascii,
       route,
       {"[generale]",
        "stazione, 200, 2, 800, 1, 0, 0, 4,1,0, 2,1,1, 1, 10,52,0, "
        "Citt\xC3\xA0",
        clean_train[2]},
       false,
       2},
      {avviso::run_on,
       route,
       {"[generale]", clean_train[1], "segnale, 1400, 1, 3,4,0, 0",
        "1, 2,1,0, 0"},
       false,
       3},
      {avviso::extra_values,
       route,
       {"[generale]", clean_train[1],
        "segnale, 1400, 1, 3,4,0, 0, 1, 2,1,0, 0, 7"},
       false,
       3},
      {avviso::empty_train, route, {"[generale]", clean_train[2]}, false, 1},
      {avviso::signal_time,
       route,
       {"[generale]", clean_train[1],
        "segnale, 1400, 1, 3,4,0, 0, 1, 2,1,0, 150"},
       false,
       3},
      // The end marker of a 400 m station at 2000 m falls where the signal
      // at 2100 m stands.
      {avviso::station_overwrite,
       route,
       {"[generale]", clean_train[1], "segnale, 2100, 1, 3,4,0, 0, 1, 2,1,0, 0",
        "stazione, 2000, 12, 400, 0,0,0, 1,1,0, 4,1,0, 1, 11,0,0, BETA"},
       false,
       4},
      {avviso::chainage_cleared,
       {"[generale]", "lunghezza percorso, 12000",
        "progressiva chilometrica uno, 5000, 0, 0",
        "progressiva chilometrica due, 5000, 0, 0", "[fine]"},
       clean_train,
       true,
       4},
  };
  for (const auto& c : cases) {
    const std::string r = join(c.route, -1, nullptr, true, nullptr);
    const std::string t = join(c.train, -1, nullptr, false, nullptr);
    const checked all = check_texts(r, t);
    EXPECT_EQ(all.c.status, 0) << c.name << "\n" << shown(all.c);
    ASSERT_EQ(all.c.problems.size(), 1u) << c.name << "\n" << shown(all.c);
    const diagnostic& d = all.c.problems[0];
    EXPECT_EQ(d.name, c.name) << shown(all.c);
    EXPECT_EQ(d.level, severity::warning);
    EXPECT_EQ(d.file, c.in_route ? route_path : train_path) << c.name;
    EXPECT_EQ(d.line, c.line) << c.name << "\n" << shown(all.c);
    EXPECT_NE(avviso::find_warning(d.name), nullptr);

    check_options quiet;
    quiet.silenced = {std::string(c.name)};
    EXPECT_TRUE(check_texts(r, t, quiet).c.problems.empty()) << c.name;

    check_options strict;
    strict.strict = true;
    const checked hard = check_texts(r, t, strict);
    EXPECT_EQ(hard.c.status, 1) << c.name;
    ASSERT_EQ(hard.c.problems.size(), 1u) << c.name;
    EXPECT_EQ(hard.c.problems[0].level, severity::error);
  }

  // One file as both texts: read as the program would, with one warning.
  memory_file_system fs;
  fs.files[route_path] = join(route, -1, nullptr, true, nullptr);
  scenario s;
  s.nome_linea = "A";
  s.numero_treno = "1";
  check_options same;
  same.same_file = true;
  const compaction_outcome c =
      compact_texts(s, 1, fs, route_path, route_path, same);
  ASSERT_EQ(c.problems.size(), 1u) << c.diagnostics;
  EXPECT_EQ(c.problems[0].name, avviso::same_text);
  EXPECT_EQ(c.status, 0);
  same.silenced = {std::string(avviso::same_text)};
  EXPECT_TRUE(
      compact_texts(s, 1, fs, route_path, route_path, same).problems.empty());
}

TEST(CheckList, PrintedAsACompilerWithCaretNotesAndColour) {
  source_texts sources;
  sources.add("r.txt", "[generale]\r\ncurvad,  8350,  500\r\n");
  sources.add(
      "t.txt",
      "[generale]\r\nsegnale,   41500,   1\r\nsegnale,   41500,   2\r\n");
  diagnostic curve;
  curve.code = 103;
  curve.file = "r.txt";
  curve.line = 2;
  curve.column = 1;
  curve.end_column = 7;
  curve.message = "curve keyword \"curvad\" has no class digit 1 to 6";
  diagnostic taken;
  taken.code = 16;
  taken.file = "t.txt";
  taken.line = 3;
  taken.column = 12;
  taken.end_column = 17;
  taken.message = "the signal at 41500 m has no room";
  taken.notes.push_back(
      {"t.txt", 2, 12, 17, "taken by the signal at 41500 m here"});
  diagnostic warning;
  warning.level = severity::warning;
  warning.name = "run-on";
  warning.message = "values run on";
  const std::vector<diagnostic> list = {curve, taken, warning};

  std::ostringstream plain;
  print_diagnostics(plain, list, sources, false);
  EXPECT_EQ(plain.str(),
            "r.txt:2:1: error 103: curve keyword \"curvad\" has no class "
            "digit 1 to 6 [explain 103]\n"
            "    2 | curvad,  8350,  500\n"
            "      | ^~~~~~\n"
            "t.txt:3:12: error 16: the signal at 41500 m has no room "
            "[explain 16]\n"
            "    3 | segnale,   41500,   2\n"
            "      |            ^~~~~\n"
            "t.txt:2:12: note: taken by the signal at 41500 m here\n"
            "    2 | segnale,   41500,   1\n"
            "      |            ^~~~~\n"
            "compatta: warning: values run on [-Wrun-on]\n"
            "2 errors, 1 warning\n"
            "compatta explain CODE or NAME tells more about a problem\n");

  std::ostringstream painted;
  print_diagnostics(painted, {curve}, sources, true);
  EXPECT_EQ(painted.str(),
            "\x1b[1mr.txt:2:1:\x1b[0m \x1b[1;31merror 103:\x1b[0m curve "
            "keyword \"curvad\" has no class digit 1 to 6 [explain 103]\n"
            "    2 | curvad,  8350,  500\n"
            "      | \x1b[1;32m^~~~~~\x1b[0m\n"
            "1 error\n"
            "compatta explain CODE or NAME tells more about a problem\n");

  std::ostringstream nothing;
  print_diagnostics(nothing, {}, sources, true);
  EXPECT_EQ(nothing.str(), "");
}

class CheckCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string tmpl =
        (std::filesystem::temp_directory_path() / "check-XXXXXX").string();
    ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
    dir_ = tmpl;
    std::ofstream(dir_ / "A_linea.txt", std::ios::binary)
        << "[generale]\r\nlunghezza percorso, 12000\r\n[fine]\r\n";
    std::ofstream(dir_ / "A_1-.txt", std::ios::binary)
        << "[generale]\r\n"
        << clean_train[1] << "\r\n"
        << "segnal, 2450, 1, 2,3,0, 0, 1, 2,1,0, 0\r\n"
        << "segnale, 1400, 1, 3,4,0, 0, 1, x,1,0, 0\r\n";
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  run_result run(const std::string& env, const std::string& args) const {
    return run_command(
        dir_, env,
        shell_quote(COMPATTA_EXE) + " check A_linea.txt A_1-.txt " + args);
  }
  std::filesystem::path dir_;
};

TEST_F(CheckCommand, ColourStrictSilencingAndJson) {
  const run_result plain = run("", "");
  EXPECT_EQ(plain.status, 1) << plain.err;
  EXPECT_EQ(plain.err.find('\x1b'), std::string::npos) << plain.err;
  EXPECT_NE(plain.err.find("A_1-.txt:3:1: warning: \"segnal\" is no keyword"),
            std::string::npos)
      << plain.err;
  EXPECT_NE(plain.err.find("A_1-.txt:4:32: error 25: the signal row's right 1"),
            std::string::npos)
      << plain.err;
  EXPECT_NE(plain.err.find("\n1 error, 1 warning\n"), std::string::npos);

  EXPECT_NE(run("", "--color=always").err.find("\x1b[1;31merror 25:"),
            std::string::npos);
  EXPECT_EQ(run("NO_COLOR=1", "--color=auto").err.find('\x1b'),
            std::string::npos);
  const run_result quiet = run("", "-Wno-unknown-keyword");
  EXPECT_EQ(quiet.err.find("warning"), std::string::npos) << quiet.err;

  const run_result wrong = run("", "-Wno-nothing-such");
  EXPECT_EQ(wrong.status, 2);
  EXPECT_NE(wrong.err.find("there is no warning nothing-such"),
            std::string::npos)
      << wrong.err;

  const run_result json = run("", "--json");
  const auto j = nlohmann::json::parse(json.out);
  EXPECT_EQ(j.at("codice_errore"), 25);
  ASSERT_EQ(j.at("diagnostics").size(), 2u) << json.out;
  const auto& w = j["diagnostics"][0];
  EXPECT_EQ(w.at("severity"), "warning");
  EXPECT_EQ(w.at("code"), nullptr);
  EXPECT_EQ(w.at("name"), "unknown-keyword");
  EXPECT_EQ(w.at("file"), "A_1-.txt");
  EXPECT_EQ(w.at("line"), 3);
  EXPECT_EQ(w.at("column"), 1);
  EXPECT_EQ(w.at("end_column"), 7);
  const auto& e = j["diagnostics"][1];
  EXPECT_EQ(e.at("severity"), "error");
  EXPECT_EQ(e.at("code"), 25);
  EXPECT_EQ(e.at("name"), nullptr);

  // A warning alone exits 0, and 1 with --strict.
  std::ofstream(dir_ / "A_1-.txt", std::ios::binary)
      << "[generale]\r\n"
      << clean_train[1] << "\r\n"
      << clean_train[2] << ", 7\r\n";
  EXPECT_EQ(run("", "").status, 0);
  const run_result strict = run("", "--strict");
  EXPECT_EQ(strict.status, 1) << strict.err;
  EXPECT_NE(strict.err.find(": error: 1 value is left over"), std::string::npos)
      << strict.err;
}

}  // namespace
}  // namespace compattatore::tool
