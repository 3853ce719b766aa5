// `compatta report` and `compatta watch` as processes: the page they write
// and their exit statuses, the page opened in a headless browser, and
// watch following a text as it is saved.
#include <cairo.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/process.h"
#include "tool/common/exit_status.h"

namespace compattatore {
namespace {

namespace fsys = std::filesystem;

constexpr const char* route_text = "in/Orsella_Vantrona_linea.txt";
constexpr const char* train_text = "in/Orsella_Vantrona_4273-.txt";

class Report : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string tmpl =
        (fsys::temp_directory_path() / "compatta-report-XXXXXX").string();
    ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
    dir_ = tmpl;
    const run_result r = run({"texts", "-o", "in"});
    ASSERT_EQ(r.status, 0) << r.err;
  }
  void TearDown() override { fsys::remove_all(dir_); }

  run_result run(const std::vector<std::string>& args) const {
    std::string cmd = shell_quote(COMPATTA_EXE);
    for (const std::string& a : args) cmd += ' ' + shell_quote(a);
    return run_command(dir_, "", cmd);
  }
  void write(const std::string& rel, const std::string& bytes) const {
    fsys::create_directories((dir_ / rel).parent_path());
    std::ofstream(dir_ / rel, std::ios::binary) << bytes;
  }
  std::string read(const std::string& rel) const { return slurp(dir_ / rel); }

  // The train text with `from` replaced by `to`, once.
  void edit_train(const std::string& from, const std::string& to) const {
    std::string t = read(train_text);
    const std::size_t at = t.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    t.replace(at, from.size(), to);
    write(train_text, t);
  }

  // Every file below the directory whose name says it is a temporary one.
  std::vector<std::string> temporaries() const {
    std::vector<std::string> out;
    for (const auto& e : fsys::recursive_directory_iterator(dir_)) {
      const std::string name = e.path().filename().string();
      if (name.find("tmp") != std::string::npos ||
          name.find("-old") != std::string::npos) {
        out.push_back(name);
      }
    }
    return out;
  }

  fsys::path dir_;
};

TEST_F(Report, ExitStatusSaysWhatTheCheckFoundAndThePageIsWrittenAllTheSame) {
  const struct {
    const char* what;
    std::string from, to;  // an edit of the train text
    int status;
    const char* shows;
  } cases[] = {
      {"clean", "", "", 0, "No problem found (exit status 0)."},
      {"a station off the 50 m grid", "stazione,    3100,",
       "stazione,    3125,", 1,
       "<span class=\"sev\">error 8</span> <a href=\"#train-L31\">"},
      // A 0 km/h slowdown from 0 m takes cell 1's second value.
      {"a seal guard", "[rallentamenti]",
       "[rallentamenti]\r\nrallentamento, 0, 0, 100, 0, 0, 5", 3,
       "no compiled file would be written"},
  };
  const std::string original = read(train_text);
  for (const auto& c : cases) {
    write(train_text, original);
    if (!c.from.empty()) edit_train(c.from, c.to);
    const run_result r =
        run({"report", route_text, train_text, "-o", "page/r.html"});
    // The page's folder is missing: nothing is written, status 2.
    EXPECT_EQ(r.status, tool::exit_status::file_failure) << c.what;
    fsys::create_directories(dir_ / "page");
    const run_result again =
        run({"report", route_text, train_text, "-o", "page/r.html"});
    EXPECT_EQ(again.status, c.status) << c.what << "\n" << again.err;
    const std::string html = read("page/r.html");
    EXPECT_EQ(again.out,
              "wrote page/r.html (" + std::to_string(html.size()) + " bytes)\n")
        << c.what;
    EXPECT_NE(html.find(c.shows), std::string::npos) << c.what;
    EXPECT_NE(html.find("data-status=\"" + std::to_string(c.status) + "\""),
              std::string::npos)
        << c.what;
    EXPECT_EQ(temporaries(), std::vector<std::string>{}) << c.what;
    fsys::remove_all(dir_ / "page");
  }
}

TEST_F(Report, ThePageListsTheFilesCompileWritesWithTheirSizes) {
  ASSERT_EQ(run({"report", route_text, train_text, "-o", "r.html"}).status, 0);
  ASSERT_EQ(run({"compile", route_text, train_text, "-o", "out"}).status, 0);
  const std::string html = read("r.html");
  for (const char* name :
       {"Orsella_Vantrona_linea.dat", "Orsella_Vantrona_4273.sim",
        "Orsella_Vantrona_4273.dat"}) {
    const std::string row =
        "<td><code>" + std::string(name) + "</code></td><td class=\"n\">" +
        std::to_string(fsys::file_size(dir_ / "out" / name)) + "</td>";
    EXPECT_NE(html.find(row), std::string::npos) << row;
  }
  EXPECT_FALSE(fsys::exists(dir_ / "Orsella_Vantrona_4273.sim"));
}

// ---------------------------------------------------------------------------
// The page in a browser. The test command installs Debian's chromium; a
// developer's machine may lack it, and then these skip unless the test
// command asks for them.

bool have_chromium() {
  return std::system("command -v chromium >/dev/null 2>&1") == 0;
}

class Browser : public Report {
 protected:
  void SetUp() override {
    if (!have_chromium()) {
      ASSERT_EQ(std::getenv("COMPATTATORE_NEED_CHROMIUM"), nullptr)
          << "chromium is not installed: run scripts/install-deps.sh";
      GTEST_SKIP() << "no chromium to open the page";
    }
    Report::SetUp();
  }

  // Opens the page at `rel` in headless chromium with `what` (--dump-dom,
  // or --screenshot=...), as root needs it: without the sandbox.
  run_result open(const std::string& rel, const std::string& what) const {
    const std::string profile = (dir_ / "profile").string();
    const std::string url = "file://" + (dir_ / rel).string();
    return run_command(
        dir_, "",
        "timeout 120 chromium --headless --disable-gpu --no-sandbox "
        "--no-first-run --hide-scrollbars --window-size=1280,2400 "
        "--enable-logging=stderr --v=0 --user-data-dir=" +
            shell_quote(profile) + " " + what + " " + shell_quote(url));
  }
};

// A console line of the page: its script failed or said something.
bool console_message(const std::string& err) {
  return err.find(":CONSOLE") != std::string::npos ||
         err.find("Uncaught") != std::string::npos;
}

struct surface_closer {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};

TEST_F(Browser, TheCompiledInScenariosPageRunsItsScriptAndIsDrawn) {
  ASSERT_EQ(run({"report", route_text, train_text, "-o", "r.html"}).status, 0);
  const std::string html = read("r.html");
  for (const char* outside : {"http:", "https:", "//", "src=", "@import"}) {
    EXPECT_EQ(html.find(outside), std::string::npos) << outside;
  }

  const run_result dom = open("r.html", "--dump-dom");
  ASSERT_EQ(dom.status, 0) << dom.err;
  EXPECT_FALSE(console_message(dom.err)) << dom.err;
  // The script ran to its end.
  EXPECT_NE(dom.out.find("data-script=\"ready\""), std::string::npos);
  EXPECT_NE(dom.out.find("<td>SAN MARTINO DEL PIANO-TERZO</td>"),
            std::string::npos);

  const run_result shot =
      open("r.html", "--screenshot=" + (dir_ / "shot.png").string());
  ASSERT_EQ(shot.status, 0) << shot.err;
  EXPECT_FALSE(console_message(shot.err)) << shot.err;
  const std::unique_ptr<cairo_surface_t, surface_closer> png(
      cairo_image_surface_create_from_png((dir_ / "shot.png").c_str()));
  ASSERT_EQ(cairo_surface_status(png.get()), CAIRO_STATUS_SUCCESS);
  cairo_surface_flush(png.get());
  const int w = cairo_image_surface_get_width(png.get());
  const int h = cairo_image_surface_get_height(png.get());
  const int stride = cairo_image_surface_get_stride(png.get());
  const unsigned char* data = cairo_image_surface_get_data(png.get());
  ASSERT_EQ(w, 1280);
  long long marked = 0;
  std::set<std::uint32_t> colours;
  for (int y = 0; y < h; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + y * stride);
    for (int x = 0; x < w; ++x) {
      const std::uint32_t px = row[x] & 0xffffffu;
      if (colours.size() < 1000) colours.insert(px);
      const bool near_white = ((px >> 16) & 0xff) > 235 &&
                              ((px >> 8) & 0xff) > 235 && (px & 0xff) > 235;
      if (!near_white) ++marked;
    }
  }
  // The header band alone is a twentieth; the tables, the plan and the
  // section frames add to it.
  EXPECT_GT(marked, static_cast<long long>(w) * h / 10);
  EXPECT_GT(colours.size(), 50u);
}

// The value of attribute `name` in the first tag of `html` that holds
// `marker`; empty when there is none.
std::string attribute_in(const std::string& html, const std::string& marker,
                         const std::string& name) {
  const std::size_t at = html.find(marker);
  if (at == std::string::npos) return "";
  const std::size_t start = html.rfind('<', at);
  const std::size_t end = html.find('>', at);
  const std::string tag = html.substr(start, end - start);
  const std::size_t a = tag.find(' ' + name + "=\"");
  if (a == std::string::npos) return "";
  const std::size_t from = a + name.size() + 3;
  return tag.substr(from, tag.find('"', from) - from);
}

std::vector<double> numbers_in(const std::string& text) {
  std::vector<double> out;
  std::istringstream in(text);
  for (double v = 0; in >> v;) out.push_back(v);
  return out;
}

TEST_F(Browser, TheKilometreCursorStandsAtOneMetreInBothDrawings) {
  ASSERT_EQ(run({"report", route_text, train_text, "-o", "r.html"}).status, 0);
  const std::string html = read("r.html");
  // The profiles' axis: x of the first and last metre, those metres, and
  // the bands' top and foot; the plan's line as "metre x y" points.
  const std::vector<double> axis =
      numbers_in(attribute_in(html, "id=\"profile\"", "data-km-axis"));
  ASSERT_EQ(axis.size(), 6u);
  std::string track = attribute_in(html, "id=\"plan\"", "data-track");
  std::replace(track.begin(), track.end(), ';', ' ');
  const std::vector<double> points = numbers_in(track);
  ASSERT_GE(points.size(), 6u);
  ASSERT_EQ(points.size() % 3, 0u);

  const run_result dom = open("r.html#km=12.5", "--dump-dom");
  ASSERT_EQ(dom.status, 0) << dom.err;
  EXPECT_FALSE(console_message(dom.err)) << dom.err;
  EXPECT_NE(dom.out.find("data-script=\"ready\""), std::string::npos);
  const std::string line = "<line stroke=\"#c0392b\"";
  EXPECT_EQ(attribute_in(dom.out, line, "visibility"), "visible");
  EXPECT_NEAR(
      std::stod(attribute_in(dom.out, line, "x1")),
      axis[0] + (12500 - axis[2]) / (axis[3] - axis[2]) * (axis[1] - axis[0]),
      0.01);
  EXPECT_NE(dom.out.find(">km 12.500</text>"), std::string::npos);
  // On the plan, between the line's two points around 12500 m.
  std::size_t i = 0;
  while (i + 3 < points.size() && points[i + 3] <= 12500) i += 3;
  const double f = (12500 - points[i]) / (points[i + 3] - points[i]);
  const std::string ring = "<circle r=";
  EXPECT_EQ(attribute_in(dom.out, ring, "visibility"), "visible");
  EXPECT_NEAR(std::stod(attribute_in(dom.out, ring, "cx")),
              points[i + 1] + (points[i + 4] - points[i + 1]) * f, 0.01);
  EXPECT_NEAR(std::stod(attribute_in(dom.out, ring, "cy")),
              points[i + 2] + (points[i + 5] - points[i + 2]) * f, 0.01);

  // A kilometre past the drawings, or no number at all: no cursor shows.
  for (const char* hash : {"#km=900", "#km=abc"}) {
    const run_result other = open(std::string("r.html") + hash, "--dump-dom");
    ASSERT_EQ(other.status, 0) << other.err;
    EXPECT_FALSE(console_message(other.err)) << hash << other.err;
    EXPECT_NE(other.out.find("data-script=\"ready\""), std::string::npos);
    EXPECT_EQ(attribute_in(other.out, line, "visibility"), "hidden") << hash;
    EXPECT_EQ(attribute_in(other.out, ring, "visibility"), "hidden") << hash;
  }
}

TEST_F(Browser, AStationNameHoldingMarkupIsShownAsText) {
  edit_train("PRAVELLO",
             "<script>alert(1)</script><img src=x onerror=alert(2)>");
  ASSERT_EQ(run({"report", route_text, train_text, "-o", "r.html"}).status, 0);
  const run_result dom = open("r.html", "--dump-dom");
  ASSERT_EQ(dom.status, 0) << dom.err;
  EXPECT_FALSE(console_message(dom.err)) << dom.err;
  EXPECT_NE(dom.out.find("&lt;script&gt;alert(1)&lt;/script&gt;&lt;img src=x "
                         "onerror=alert(2)&gt;"),
            std::string::npos);
  EXPECT_EQ(dom.out.find("<img"), std::string::npos);
  std::size_t scripts = 0;
  for (std::size_t at = dom.out.find("<script"); at != std::string::npos;
       at = dom.out.find("<script", at + 1)) {
    ++scripts;
  }
  EXPECT_EQ(scripts, 1u);
  EXPECT_NE(dom.out.find("data-script=\"ready\""), std::string::npos);
}

// ---------------------------------------------------------------------------
// watch as a process of its own, ended by a signal.

class Watch : public Report {
 protected:
  void TearDown() override {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    Report::TearDown();
  }

  void start(const std::vector<std::string>& args) {
    std::vector<std::string> all = {COMPATTA_EXE, "watch"};
    all.insert(all.end(), args.begin(), args.end());
    const std::string out = (dir_ / "watch.out").string();
    const std::string err = (dir_ / "watch.err").string();
    pid_ = ::fork();
    ASSERT_GE(pid_, 0);
    if (pid_ == 0) {
      if (::chdir(dir_.c_str()) != 0) ::_exit(127);
      const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      ::dup2(o, 1);
      ::dup2(e, 2);
      std::vector<char*> argv;
      for (std::string& a : all) argv.push_back(a.data());
      argv.push_back(nullptr);
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
  }

  // Waits up to 20 s for `done` to hold.
  template <typename F>
  bool wait_for(F done) const {
    for (int i = 0; i < 400; ++i) {
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }

  // Sends `sig` and returns the exit status, or -1 when it did not exit.
  int stop(int sig) {
    ::kill(pid_, sig);
    int raw = 0;
    ::waitpid(pid_, &raw, 0);
    pid_ = -1;
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }

  pid_t pid_ = -1;
};

TEST_F(Watch, ASavedTextIsCheckedAgainAndThePageRewritten) {
  start({route_text, train_text, "--report", "r.html", "-o", "out"});
  ASSERT_TRUE(wait_for([&] {
    return read("watch.out").find("wrote out/Orsella_Vantrona_4273.dat") !=
           std::string::npos;
  })) << read("watch.out")
      << read("watch.err");
  const std::string first = read("r.html");
  EXPECT_NE(first.find("<meta http-equiv=\"refresh\""), std::string::npos);
  EXPECT_NE(first.find("data-status=\"0\""), std::string::npos);
  EXPECT_NE(read("watch.out")
                .find("check 1: watching " + std::string(route_text) + " and " +
                      train_text),
            std::string::npos);

  // Saved in place: a data fault.
  edit_train("stazione,    3100,", "stazione,    3125,");
  ASSERT_TRUE(wait_for([&] {
    return read("r.html").find("data-status=\"1\"") != std::string::npos;
  })) << read("watch.out");
  const std::string out = read("watch.out");
  EXPECT_NE(
      out.find("check 2: train text saved ==\n" + std::string(train_text) +
               ":31:14: error 8: the station at 3125 m: a station's position "
               "must be a multiple of 50 m, such as 3100 m or 3150 m "
               "[explain 8]\n"),
      std::string::npos)
      << out;
  EXPECT_NE(out.find("ms after the save"), std::string::npos) << out;

  // Saved as editors do it: a new file renamed over the text.
  std::string t = read(train_text);
  t.replace(t.find("stazione,    3125,"), 18, "stazione,    3100,");
  t.replace(t.find("PRAVELLO"), 8, "PRAVELLINO");
  write("in/.new", t);
  fsys::rename(dir_ / "in/.new", dir_ / train_text);
  ASSERT_TRUE(wait_for([&] {
    return read("r.html").find("<td>PRAVELLINO</td>") != std::string::npos;
  })) << read("watch.out");
  EXPECT_NE(read("r.html").find("data-status=\"0\""), std::string::npos);

  EXPECT_EQ(stop(SIGTERM), 0) << read("watch.err");
  EXPECT_TRUE(read("watch.out").ends_with("watch ended\n"));
  EXPECT_EQ(read("watch.err"), "");
  EXPECT_EQ(temporaries(), std::vector<std::string>{});
  // The page left behind no longer reloads itself.
  const std::string last = read("r.html");
  EXPECT_EQ(last.find("http-equiv"), std::string::npos);
  EXPECT_NE(last.find("<td>PRAVELLINO</td>"), std::string::npos);
  // And the compiled files are those of the last texts.
  ASSERT_EQ(run({"compile", route_text, train_text, "-o", "again"}).status, 0);
  for (const char* name :
       {"Orsella_Vantrona_linea.dat", "Orsella_Vantrona_4273.sim",
        "Orsella_Vantrona_4273.dat"}) {
    EXPECT_EQ(read(std::string("out/") + name),
              read(std::string("again/") + name))
        << name;
  }
}

TEST_F(Watch, CtrlCEndsItCleanly) {
  start({route_text, train_text});
  ASSERT_TRUE(wait_for([&] {
    return read("watch.out").find("no problem found") != std::string::npos;
  })) << read("watch.err");
  EXPECT_EQ(stop(SIGINT), 0);
  EXPECT_TRUE(read("watch.out").ends_with("watch ended\n"));
  EXPECT_FALSE(fsys::exists(dir_ / "out"));
}

}  // namespace
}  // namespace compattatore
