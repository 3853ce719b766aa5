#include "tool/report_drawings.h"

#include "tool/html_text.h"
#include "tool/inline_svg.h"
#include "tool/plot_surface.h"
#include "tool/profile_drawing.h"

namespace compattatore::tool {
namespace {

// Size of the drawings in SVG points: the page scales them to its width.
constexpr int larghezza = 1200;
constexpr int altezza = 800;

// A drawing's SVG document put inline under `id`, or why there is none.
page_drawing inline_drawing(std::string id, std::string heading, bool drawn,
                            const std::string& document,
                            const std::string& problem) {
  page_drawing d{std::move(id), std::move(heading), {}, problem};
  if (drawn && !inline_svg(document, d.id, &d.svg, &d.problem)) d.svg.clear();
  return d;
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
  const bool drawn =
      punti.metri() >= 2 &&
      draw_plan(plan, plot_format::svg, larghezza, altezza, &bytes, &problem);
  out.push_back(inline_drawing("plan", "Plan view", drawn, bytes, problem));

  profile_input profile;
  profile.celle = &s.celle;
  profile.stazioni = &s.stazioni;
  profile.title = as_utf8(title);
  std::string profile_bytes;
  std::string profile_problem = "reading stopped before the cells were made";
  const bool profile_drawn =
      !s.celle.empty() &&
      draw_profile(profile, plot_format::svg, larghezza, altezza,
                   &profile_bytes, &profile_problem);
  out.push_back(inline_drawing("profile", "Profiles", profile_drawn,
                               profile_bytes, profile_problem));

  return out;
}

}  // namespace compattatore::tool
