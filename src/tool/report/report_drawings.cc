#include "tool/report/report_drawings.h"

#include <cstdio>
#include <string>

#include "tool/common/html_text.h"
#include "tool/drawing/plot_surface.h"
#include "tool/drawing/profile_drawing.h"
#include "tool/report/inline_svg.h"

namespace compattatore::tool {
namespace {

// Size of the drawings in SVG points: the page scales them to its width.
constexpr int page_width = 1200;
constexpr int page_height = 800;

// A drawing's SVG document put inline under `id`, or why there is none.
page_drawing inline_drawing(std::string id, std::string heading, bool drawn,
                            const std::string& document,
                            const std::string& problem,
                            const std::string& attributes) {
  page_drawing d{std::move(id), std::move(heading), {}, problem};
  if (drawn && !inline_svg(document, d.id, &d.svg, &d.problem, attributes)) {
    d.svg.clear();
  }
  return d;
}

std::string fixed(double v, int decimals) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  return buf;
}

// What the page's kilometre cursor needs of each drawing: the plan's line
// on the page as "metre x y" points, and the profiles' kilometre axis as
// "x-from x-to metre-from metre-to top bottom". Numbers only.
std::string track_attribute(const plan_layout& l) {
  std::string a = "data-track=\"";
  for (std::size_t i = 0; i < l.percorso.size(); ++i) {
    const page_point& p = l.percorso[i];
    if (i > 0) a += ';';
    a += fixed(p.metro, 0) + ' ' + fixed(p.x, 1) + ' ' + fixed(p.y, 1);
  }
  return a + '"';
}

std::string axis_attribute(const profile_layout& l) {
  return "data-km-axis=\"" + fixed(l.x_from, 2) + ' ' + fixed(l.x_to, 2) + ' ' +
         std::to_string(l.from) + ' ' + std::to_string(l.to) + ' ' +
         fixed(l.top, 2) + ' ' + fixed(l.bottom, 2) + '"';
}

}  // namespace

// A further drawing joins the page as one more entry here.
std::vector<page_drawing> report_drawings(const scenario& s,
                                          const std::string& title) {
  std::vector<page_drawing> out;

  const tracciato_linea punti = s.tracciato.punti();
  plot_input plan;
  plan.tracciato = &punti;
  plan.celle = &s.celle;
  plan.stazioni = &s.stazioni;
  // cairo refuses a drawing whose text is not UTF-8.
  plan.title = as_utf8(title);
  std::string bytes;
  std::string problem = "reading stopped before the track line was made";
  plan_layout plan_out;
  const bool drawn =
      punti.metri() >= 2 && draw_plan(plan, plot_format::svg, page_width,
                                      page_height, &bytes, &problem, &plan_out);
  out.push_back(inline_drawing("plan", "Plan view", drawn, bytes, problem,
                               track_attribute(plan_out)));

  profile_input profile;
  profile.celle = &s.celle;
  profile.stazioni = &s.stazioni;
  profile.title = as_utf8(title);
  std::string profile_bytes;
  std::string profile_problem = "reading stopped before the cells were made";
  profile_layout profile_out;
  const bool profile_drawn =
      !s.celle.empty() &&
      draw_profile(profile, plot_format::svg, page_width, page_height,
                   &profile_bytes, &profile_problem, &profile_out);
  out.push_back(inline_drawing("profile", "Profiles", profile_drawn,
                               profile_bytes, profile_problem,
                               axis_attribute(profile_out)));

  return out;
}

}  // namespace compattatore::tool
