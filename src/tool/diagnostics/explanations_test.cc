#include "tool/diagnostics/explanations.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "compact/driver.h"
#include "model/codici_errore.h"
#include "model/warnings.h"
#include "tests/memory_file_system.h"
#include "tool/compilation/compaction.h"

namespace compattatore::tool {
namespace {

constexpr const char* linea = "/d/r_linea.txt";
constexpr const char* treno = "/d/r_1-.txt";

bool holds(std::string_view line, std::initializer_list<const char*> words) {
  for (const char* w : words) {
    if (line.find(w) != std::string_view::npos) return true;
  }
  return false;
}

// An example's lines put where they belong in a small scenario: general
// records into the route's general section, route records after it, the
// rest into the train text. An example that starts with a heading is a
// whole text.
struct scenario_texts {
  std::string route;
  std::string train;
};

scenario_texts place(std::string_view example) {
  std::vector<std::string_view> lines;
  for (std::size_t at = 0; at <= example.size();) {
    const std::size_t end = std::min(example.find('\n', at), example.size());
    lines.push_back(example.substr(at, end - at));
    at = end + 1;
  }
  std::string whole;
  for (std::string_view l : lines) whole += std::string(l) + "\r\n";
  if (lines.front().starts_with("[gener") || lines.front() == "[treno]") {
    if (holds(example, {"lunghezza"})) {
      return {whole + "[curve]\r\n[fine]\r\n", "[generale]\r\n[fine]\r\n"};
    }
    return {"[generale]\r\nlunghezza percorso, 50000\r\n[fine]\r\n", whole};
  }
  std::string general;
  std::string route;
  std::string train;
  bool length = false;
  for (std::string_view l : lines) {
    const std::string row = std::string(l) + "\r\n";
    if (holds(l, {"lunghezza", "progressiva", "sfondo", "ripetizione"})) {
      length = length || holds(l, {"lunghezza"});
      general += row;
    } else if (holds(l, {"pendenza", "curva", "montagna", "indicatori",
                         "cartello", "[fine]"})) {
      route += row;
    } else {
      train += row;
    }
  }
  return {"[generale]\r\n" +
              std::string(length ? "" : "lunghezza percorso, 50000\r\n") +
              general + "[curve]\r\n" + route + "[fine]\r\n",
          "[generale]\r\n" + train + "[fine]\r\n"};
}

compaction_outcome compiled(std::string_view example, scenario& s) {
  const scenario_texts t = place(example);
  memory_file_system fs;
  fs.files[linea] = t.route;
  fs.files[treno] = t.train;
  s.nome_linea = "r";
  s.numero_treno = "1";
  return compact_texts(s, 1, fs, linea, treno);
}

// The fault code an example comes to: the recorded one, or a seal guard's.
std::int32_t code_of(std::string_view example) {
  scenario s;
  const compaction_outcome c = compiled(example, s);
  if (!c.sealed) return c.json["errore"].get<std::int32_t>();
  return s.codice_errore;
}

bool warns(std::string_view example, std::string_view name) {
  scenario s;
  const compaction_outcome c = compiled(example, s);
  for (const diagnostic& d : c.problems) {
    if (d.level == severity::warning && d.name == name) return true;
  }
  return false;
}

// Each error's wrong example makes that error and its right one makes none,
// so what explain teaches is what the compactor does.
TEST(Explain, WrongExamplesGiveTheirCodeAndRightOnesNone) {
  for (const explanation& e : explanations()) {
    const bool code = e.key.front() >= '0' && e.key.front() <= '9';
    // Examples in parentheses describe a text rather than quote it.
    if (!code || e.wrong.starts_with("(") || e.key == "101") continue;
    EXPECT_EQ(std::to_string(code_of(e.wrong)), e.key) << e.wrong;
    EXPECT_EQ(code_of(e.right), 0) << e.key << ": " << e.right;
  }
}

// Likewise each warning's wrong example draws it and its right one does
// not.
TEST(Explain, WrongExamplesDrawTheirWarningAndRightOnesNot) {
  for (const explanation& e : explanations()) {
    const bool code = e.key.front() >= '0' && e.key.front() <= '9';
    // Two texts in one file is shown as a command line.
    if (code || e.wrong.starts_with("compatta")) continue;
    EXPECT_TRUE(warns(e.wrong, e.key)) << e.key << ": " << e.wrong;
    EXPECT_FALSE(warns(e.right, e.key)) << e.key << ": " << e.right;
    EXPECT_EQ(code_of(e.right), 0) << e.key << ": " << e.right;
  }
}

TEST(Explain, EveryWarningIsExplained) {
  for (const avviso::warning_entry& w : avviso::warning_table()) {
    EXPECT_NE(find_explanation(w.name), nullptr) << w.name;
  }
  for (const explanation& e : explanations()) {
    if (e.key.front() < '0' || e.key.front() > '9') {
      EXPECT_NE(avviso::find_warning(e.key), nullptr) << e.key;
    }
  }
}

TEST(Explain, EveryFaultCodeAndSealGuardIsExplained) {
  std::set<std::string> codes;
  for (const codice::fault_entry& f : codice::fault_table()) {
    codes.insert(std::to_string(f.code));
  }
  codes.insert("1250");
  codes.insert("1251");
  for (const std::string& c : codes) {
    EXPECT_NE(find_explanation(c), nullptr) << "no explanation of " << c;
  }
  for (const explanation& e : explanations()) {
    if (e.key.front() >= '0' && e.key.front() <= '9') {
      EXPECT_TRUE(codes.contains(std::string(e.key))) << e.key;
    }
  }
}

// The folder of explanations holds one file for each fault code, seal guard
// and warning, and no other; every file became an explanation, titled by
// its table.
TEST(Explain, EveryCodeAndWarningHasItsFileAndOnlyThoseHaveOne) {
  std::set<std::string> keys;
  for (const codice::fault_entry& f : codice::fault_table()) {
    keys.insert(std::to_string(f.code));
  }
  for (const codice::seal_guard_entry& g : codice::seal_guard_table()) {
    keys.insert(std::to_string(g.code));
  }
  for (const avviso::warning_entry& w : avviso::warning_table()) {
    keys.insert(std::string(w.name));
  }
  std::set<std::string> files;
  for (const auto& f : std::filesystem::directory_iterator(
           std::string(COMPATTATORE_TOOL_SOURCES) +
           "/diagnostics/explanations")) {
    files.insert(f.path().filename().string());
  }
  std::set<std::string> expected;
  for (const std::string& k : keys) expected.insert(k + ".md");
  EXPECT_EQ(files, expected);

  std::multiset<std::string> read;
  for (const explanation& e : explanations()) {
    read.insert(std::string(e.key));
    EXPECT_FALSE(explanation_title(e).empty()) << e.key;
    for (std::string_view part : {e.rule, e.why, e.wrong, e.right}) {
      EXPECT_FALSE(part.empty()) << e.key;
    }
  }
  EXPECT_EQ(read, std::multiset<std::string>(keys.begin(), keys.end()));
}

// The compactor stops with the numbers the seal guards are explained by.
TEST(Explain, SealGuardsAreTheNumbersTheCompactorStopsWith) {
  const auto guards = codice::seal_guard_table();
  ASSERT_EQ(guards.size(), 2u);
  EXPECT_EQ(std::to_string(guards[0].code), errore_sigillo_1);
  EXPECT_EQ(std::to_string(guards[1].code), errore_sigillo_2);
}

// A title is its table's words, in one explanation and in the list.
TEST(Explain, TitlesComeFromTheFaultAndWarningTables) {
  const struct {
    const char* key;
    const char* heading;  // the explanation's first line
    const char* listed;   // its line in the list
  } cases[] = {
      {"16", "error 16: signal where the track already holds an object",
       "  16              signal where the track already holds an object"},
      {"1251", "error 1251: the route's first 50 m hold a second value",
       "  1251            the route's first 50 m hold a second value"},
      {"run-on",
       "warning -Wrun-on: a record's values run onto the following lines",
       "  run-on          a record's values run onto the following lines"},
  };
  std::ostringstream list;
  std::ostringstream list_err;
  ASSERT_EQ(run_explain(std::nullopt, false, list, list_err), 0);
  for (const auto& c : cases) {
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(run_explain(std::string(c.key), false, out, err), 0) << c.key;
    EXPECT_EQ(out.str().substr(0, out.str().find('\n')), c.heading);
    EXPECT_NE(list.str().find(std::string("\n") + c.listed + "\n"),
              std::string::npos)
        << c.listed;
  }
}

TEST(Explain, KeysAsTheMessagesWriteThem) {
  const struct {
    const char* key;
    const char* heading;  // the explanation's first line starts so
  } cases[] = {
      {"16", "error 16: "},
      {"E16", "error 16: "},
      {"run-on", "warning -Wrun-on: "},
      {"-Wrun-on", "warning -Wrun-on: "},
      {"-Wno-run-on", "warning -Wrun-on: "},
      {"RUN-ON", "warning -Wrun-on: "},
  };
  for (const auto& c : cases) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(run_explain(std::string(c.key), false, out, err), 0) << c.key;
    EXPECT_TRUE(out.str().starts_with(c.heading)) << c.key << ": " << out.str();
  }
  for (const char* nothing : {"14", "E", "-W", "unknown", ""}) {
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(run_explain(std::string(nothing), false, out, err), 2) << nothing;
    EXPECT_TRUE(out.str().empty());
    EXPECT_NE(err.str().find("'compatta explain' lists them all"),
              std::string::npos);
  }
}

}  // namespace
}  // namespace compattatore::tool
