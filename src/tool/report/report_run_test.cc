// `compatta report` as a process: the page it writes and its exit statuses,
// and the page opened in a headless browser.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/compatta_scratch.h"
#include "tests/process.h"

namespace compattatore {
namespace {

namespace fsys = std::filesystem;

constexpr const char* route_text = scratch_route_text;
constexpr const char* train_text = scratch_train_text;

using Report = compatta_scratch;

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
    EXPECT_EQ(r.status, 2) << c.what;
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

}  // namespace
}  // namespace compattatore
