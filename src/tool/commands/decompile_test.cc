// `compatta decompile` as a process: the round trip on the compiled-in
// scenario and on generated ones (with faults, curves out of order or
// overlapping), what it refuses, and a damaged file named by metre and
// field.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/compatta_scratch.h"

namespace compattatore {
namespace {

namespace fsys = std::filesystem;

class Decompile : public compatta_scratch {
 protected:
  // Compiles the texts of `in` (a folder below the scratch one) into
  // `out`; the status.
  int compile(const std::string& route, const std::string& train,
              const std::string& out) const {
    return run({"compile", route, train, "-o", out}).status;
  }

  // Every file of the folder `rel`, by name.
  std::map<std::string, std::string> files(const std::string& rel) const {
    std::map<std::string, std::string> out;
    for (const auto& e : fsys::directory_iterator(dir_ / rel)) {
      out[e.path().filename().string()] = slurp(e.path());
    }
    return out;
  }

  // Compiles the texts, decompiles the files into `rel`/texts, compiles
  // those and expects the same bytes. The decompile's result.
  run_result round_trip(const std::string& route, const std::string& train,
                        const std::string& rel, int status = 0) const {
    EXPECT_EQ(compile(route, train, rel + "/a"), status);
    std::string sim;
    for (const auto& [name, bytes] : files(rel + "/a")) {
      if (name.ends_with(".sim")) sim = name;
    }
    const run_result d =
        run({"decompile", rel + "/a/" + sim, "-o", rel + "/texts"});
    EXPECT_EQ(d.status, 0) << d.err;
    std::string r, t;
    for (const auto& [name, bytes] : files(rel + "/texts")) {
      (name.ends_with("_linea.txt") ? r : t) = rel + "/texts/" + name;
    }
    EXPECT_EQ(compile(r, t, rel + "/b"), status);
    const auto a = files(rel + "/a");
    const auto b = files(rel + "/b");
    EXPECT_EQ(a.size(), 3u);
    for (const auto& [name, bytes] : a) {
      EXPECT_TRUE(b.count(name) && b.at(name) == bytes)
          << rel << ": " << name << " differs";
    }
    return d;
  }
};

TEST_F(Decompile, CompiledInScenarioComesBackByteForByte) {
  const run_result d = round_trip(scratch_route_text, scratch_train_text, "rt");
  EXPECT_NE(d.out.find("byte for byte"), std::string::npos) << d.out;
  // What compiling adds is not in the texts: no speed point, no seal.
  const std::string treno = read("rt/texts/Orsella_Vantrona_4273-.txt");
  EXPECT_EQ(treno.find("abbattimento"), std::string::npos);
  // The decompiled texts check clean.
  const run_result c = run({"check", "rt/texts/Orsella_Vantrona_linea.txt",
                            "rt/texts/Orsella_Vantrona_4273-.txt"});
  EXPECT_EQ(c.status, 0) << c.err;
  EXPECT_EQ(c.err, "");
}

TEST_F(Decompile, ReportShowsTheSameDrawingsAndTables) {
  round_trip(scratch_route_text, scratch_train_text, "rt");
  ASSERT_EQ(
      run({"report", scratch_route_text, scratch_train_text, "-o", "a.html"})
          .status,
      0);
  ASSERT_EQ(run({"report", "rt/texts/Orsella_Vantrona_linea.txt",
                 "rt/texts/Orsella_Vantrona_4273-.txt", "-o", "b.html"})
                .status,
            0);
  // Every section but the names of the texts and the texts themselves.
  auto sections = [](const std::string& page) {
    std::map<std::string, std::string> out;
    const std::string open = "<section id=\"";
    for (std::size_t at = page.find(open); at != std::string::npos;
         at = page.find(open, at + 1)) {
      const std::size_t id_end = page.find('"', at + open.size());
      const std::size_t end = page.find("</section>", id_end);
      out[page.substr(at + open.size(), id_end - at - open.size())] =
          page.substr(id_end, end - id_end);
    }
    out.erase("scenario");
    out.erase("texts");
    return out;
  };
  const auto a = sections(read("a.html"));
  const auto b = sections(read("b.html"));
  ASSERT_GE(a.size(), 8u);
  for (const auto& [id, html] : a) {
    EXPECT_TRUE(b.count(id) && b.at(id) == html) << id;
  }
}

// Generated scenarios of 8 to 1000 km, whole and with the edits an author
// makes by mistake or on purpose.
struct variante {
  const char* name;
  int lunghezza;
  // The compile's status: 1 where the edits make a data fault.
  int status;
  // Edits the route text and train text.
  void (*edit)(std::vector<std::string>& route,
               std::vector<std::string>& train);
};

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> out;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find("\r\n", at);
    if (end == std::string::npos) end = text.size();
    out.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return out;
}
std::string text_of(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  return out;
}
std::vector<std::size_t> rows(const std::vector<std::string>& lines,
                              const std::string& keyword) {
  std::vector<std::size_t> out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].starts_with(keyword)) out.push_back(i);
  }
  return out;
}

void as_generated(std::vector<std::string>&, std::vector<std::string>&) {}

// Curve rows backwards, and every fifth one overlapped by a row of another
// class that starts before it ends.
void curves_out_of_order(std::vector<std::string>& route,
                         std::vector<std::string>&) {
  const std::vector<std::size_t> at = rows(route, "curva");
  std::vector<std::string> curves;
  for (std::size_t i : at) curves.push_back(route[i]);
  for (std::size_t k = 0; k < at.size(); ++k) {
    route[at[k]] = curves[curves.size() - 1 - k];
  }
  for (std::size_t k = at.size(); k-- > 0;) {
    if (k % 5 != 0) continue;
    const std::string& row = route[at[k]];
    const int start = std::stoi(row.substr(row.find(',') + 1));
    route.insert(route.begin() + static_cast<std::ptrdiff_t>(at[k]) + 1,
                 "curvas5, " + std::to_string(start + 60) + ", 300");
  }
}

// A curve row without its class halfway: the route text stops there, and
// the train text is never read.
void route_fault(std::vector<std::string>& route, std::vector<std::string>&) {
  const std::vector<std::size_t> at = rows(route, "curva");
  route.insert(route.begin() + static_cast<std::ptrdiff_t>(at[at.size() / 2]),
               "curva, 100, 50");
}

// A signal repetition whose keyword has no number of codes: the route
// text stops inside its general section.
void general_fault(std::vector<std::string>& route, std::vector<std::string>&) {
  const std::vector<std::size_t> at = rows(route, "ripetizione");
  route[at[0]] = "ripetizione segnali codici, 0, 1000";
}

// Stations read after the signals (their marks fall on the signals'),
// montagna stretches overlapping, and a station too near the one before
// it, which stops the train text.
void train_faults(std::vector<std::string>& route,
                  std::vector<std::string>& train) {
  const std::vector<std::size_t> mont = rows(route, "montagna");
  route.insert(route.begin() + static_cast<std::ptrdiff_t>(mont.back()) + 1,
               "montagna, 1050, 1450, 12");
  const std::vector<std::size_t> at = rows(train, "stazione");
  std::vector<std::string> stations;
  for (std::size_t i : at) stations.push_back(train[i]);
  for (std::size_t k = at.size(); k-- > 0;) {
    train.erase(train.begin() + static_cast<std::ptrdiff_t>(at[k]));
  }
  const std::size_t fine = rows(train, "[fine]").front();
  std::string near = stations[stations.size() / 2];
  near = "stazione, 200" + near.substr(near.find(',', 10));
  stations.insert(
      stations.begin() + static_cast<std::ptrdiff_t>(stations.size() / 2 + 1),
      near);
  train.insert(train.begin() + static_cast<std::ptrdiff_t>(fine),
               stations.begin(), stations.end());
}

// The train text ends in the middle of a station row.
void cut_short(std::vector<std::string>&, std::vector<std::string>& train) {
  const std::vector<std::size_t> at = rows(train, "stazione");
  const std::size_t i = at[at.size() / 2];
  train[i] = train[i].substr(0, train[i].size() / 2);
  train.resize(i + 1);
}

constexpr variante varianti[] = {
    {"8km", 8000, 0, as_generated},
    {"120km", 120000, 0, as_generated},
    {"1000km", 1000000, 0, as_generated},
    {"8km_curves", 8000, 0, curves_out_of_order},
    {"120km_curves", 120000, 0, curves_out_of_order},
    {"120km_route_fault", 120000, 1, route_fault},
    {"20km_general_fault", 20000, 1, general_fault},
    {"120km_train_faults", 120000, 1, train_faults},
    {"1000km_train_faults", 1000000, 1, train_faults},
    {"50km_cut_short", 50000, 1, cut_short},
};

TEST_F(Decompile, GeneratedScenariosComeBackByteForByte) {
#ifndef GENERA_SCENARIO_EXE
  GTEST_SKIP() << "built without the measuring tools";
#else
  for (const variante& v : varianti) {
    SCOPED_TRACE(v.name);
    const std::string rel = std::string("gen/") + v.name;
    fsys::create_directories(dir_ / rel / "in");
    const run_result g =
        run_command(dir_, "",
                    shell_quote(GENERA_SCENARIO_EXE) + " " +
                        std::to_string(v.lunghezza) + " " + rel + "/in Gen 12");
    ASSERT_EQ(g.status, 0) << g.err;
    std::vector<std::string> route = lines_of(read(rel + "/in/Gen_linea.txt"));
    std::vector<std::string> train = lines_of(read(rel + "/in/Gen_12-.txt"));
    v.edit(route, train);
    write(rel + "/in/Gen_linea.txt", text_of(route));
    write(rel + "/in/Gen_12-.txt", text_of(train));
    round_trip(rel + "/in/Gen_linea.txt", rel + "/in/Gen_12-.txt", rel,
               v.status);
  }
#endif
}

class DecompileFiles : public Decompile {
 protected:
  void SetUp() override {
    Decompile::SetUp();
    ASSERT_EQ(compile(scratch_route_text, scratch_train_text, "out"), 0);
  }
  static constexpr const char* sim = "out/Orsella_Vantrona_4273.sim";
  static constexpr const char* cells = "out/Orsella_Vantrona_4273.dat";
};

TEST_F(DecompileFiles, ADamagedCellIsNamedByMetreAndField) {
  std::string row = read(cells);
  // The first empty cell after the first kilometre: kind 9 is no record's.
  std::size_t c = 21;
  while (row[c * 15] != 0) ++c;
  row[c * 15] = 9;
  write(cells, row);
  const run_result d = run({"decompile", sim, "-o", "work"});
  EXPECT_EQ(d.status, 1);
  EXPECT_NE(d.err.find("cell row, metre " + std::to_string((c - 1) * 50) +
                       " (cell " + std::to_string(c) +
                       "): oggetto is 9 in the file, 0 from the texts"),
            std::string::npos)
      << d.err;
  // The nearest texts are written all the same.
  EXPECT_FALSE(read("work/Orsella_Vantrona_4273-.txt").empty());
}

TEST_F(DecompileFiles, RefusesWhatIsNoCompiledFileOfItsKind) {
  const std::string table = read(sim);
  struct caso {
    const char* name;
    std::vector<std::string> args;
    const char* says;
  };
  write("cut/Orsella_Vantrona_4273.sim", table.substr(0, table.size() - 7));
  write("swapped/Orsella_Vantrona_4273.sim", read(cells));
  write("swapped/Orsella_Vantrona_4273.dat", table);
  std::string row = read(cells);
  row.pop_back();
  write("short/Orsella_Vantrona_4273.sim", table);
  write("short/Orsella_Vantrona_4273.dat", row);
  const caso casi[] = {
      {"truncated table",
       {"decompile", "cut/Orsella_Vantrona_4273.sim"},
       "not a station table file"},
      {"cells as the table",
       {"decompile", "swapped/Orsella_Vantrona_4273.sim"},
       "not a station table file"},
      {"truncated cell row",
       {"decompile", "short/Orsella_Vantrona_4273.sim"},
       "not a cell row file"},
      {"a cell row given as FILE",
       {"decompile", cells},
       "decompile takes a scenario's station table"},
      {"the track line as the cells",
       {"decompile", sim, "--cells", "out/Orsella_Vantrona_linea.dat"},
       "not a cell row file"},
      {"no such file",
       {"decompile", "none/Orsella_Vantrona_4273.sim"},
       "none/Orsella_Vantrona_4273.sim"},
  };
  for (const caso& c : casi) {
    std::vector<std::string> args = c.args;
    args.insert(args.end(), {"-o", "work"});
    const run_result d = run(args);
    EXPECT_EQ(d.status, 2) << c.name;
    EXPECT_NE(d.err.find(c.says), std::string::npos) << c.name << ": " << d.err;
    EXPECT_FALSE(fsys::exists(dir_ / "work")) << c.name;
  }
}

TEST_F(DecompileFiles, KeepsExistingTextsUnlessForced) {
  write("work/Orsella_Vantrona_linea.txt", "mine");
  const run_result d = run({"decompile", sim, "-o", "work"});
  EXPECT_EQ(d.status, 2);
  EXPECT_NE(d.err.find("work/Orsella_Vantrona_linea.txt already exists"),
            std::string::npos)
      << d.err;
  EXPECT_EQ(read("work/Orsella_Vantrona_linea.txt"), "mine");
  EXPECT_FALSE(fsys::exists(dir_ / "work/Orsella_Vantrona_4273-.txt"));
  EXPECT_EQ(run({"decompile", sim, "-o", "work", "--force"}).status, 0);
  EXPECT_NE(read("work/Orsella_Vantrona_linea.txt"), "mine");
}

TEST_F(DecompileFiles, WithoutTheTrackLineSaysTheCurvesAreLost) {
  write("alone/Orsella_Vantrona_4273.sim", read(sim));
  write("alone/Orsella_Vantrona_4273.dat", read(cells));
  const run_result d =
      run({"decompile", "alone/Orsella_Vantrona_4273.sim", "-o", "work"});
  EXPECT_EQ(d.status, 0) << d.err;
  EXPECT_NE(d.err.find("the curves cannot be recovered"), std::string::npos)
      << d.err;
  EXPECT_EQ(read("work/Orsella_Vantrona_linea.txt").find("curvas"),
            std::string::npos);
  // Given by name, the line gives them back.
  EXPECT_EQ(run({"decompile", "alone/Orsella_Vantrona_4273.sim", "--track",
                 "out/Orsella_Vantrona_linea.dat", "-o", "work2"})
                .status,
            0);
  EXPECT_NE(read("work2/Orsella_Vantrona_linea.txt").find("curvas3,  1000"),
            std::string::npos);
}

}  // namespace
}  // namespace compattatore
