// `draw_profile`: the profiles of a compiled scenario, one band above the
// other on one kilometre axis: speed limits, signals, stations, gradient
// with elevation, adhesion.
#ifndef TOOL_DRAWING_PROFILE_DRAWING_H_
#define TOOL_DRAWING_PROFILE_DRAWING_H_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/scenario.h"
#include "tool/drawing/plot_labels.h"
#include "tool/drawing/plot_surface.h"
#include "tool/drawing/profile.h"

namespace compattatore::tool {

struct profile_input {
  const std::vector<cella>* celle = nullptr;
  const std::array<stazione, numero_stazioni>* stazioni = nullptr;
  /// Optional: the cell row before the consistency pass, to tell the speed
  /// points the pass added.
  const std::vector<cella>* before_pass = nullptr;
  std::string title;
  /// The stretch drawn, in metres; negative: from 0, to the route's end or
  /// the end of a station area past it (`profile_data::profile_end`).
  /// REQUIRES: from < to when both are given.
  std::int64_t from = -1;
  std::int64_t to = -1;
};

/// What a profile drew, for its users and its tests.
struct profile_layout {
  profile_data data;
  std::int64_t from = 0;
  std::int64_t to = 0;
  /// Where metre `from` and metre `to` stand across the page, and the
  /// top of the first band and the foot of the last.
  double x_from = 0;
  double x_to = 0;
  double top = 0;
  double bottom = 0;
  std::vector<placed_label> labels;
  std::vector<std::string> left_out;
};

/// The drawing's bytes, `width` by `height` pixels (PNG) or points (SVG,
/// PDF). False with `*err` when the cell row is empty or the drawing
/// library fails.
[[nodiscard]] bool draw_profile(const profile_input& in, plot_format format,
                                int width, int height, std::string* bytes,
                                std::string* err,
                                profile_layout* layout = nullptr);

}  // namespace compattatore::tool

#endif  // TOOL_DRAWING_PROFILE_DRAWING_H_
