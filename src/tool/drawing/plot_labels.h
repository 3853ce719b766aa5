// Where the labels of a drawing go: each as near its mark as it can be
// without covering another label, reached by a leader line when it had to
// move away.
#ifndef TOOL_DRAWING_PLOT_LABELS_H_
#define TOOL_DRAWING_PLOT_LABELS_H_

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace compattatore::tool {

struct label_box {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  /// Whether the two boxes share any area (touching edges do not).
  bool overlaps(const label_box& o) const {
    return x0 < o.x1 && o.x0 < x1 && y0 < o.y1 && o.y0 < y1;
  }
  bool inside(const label_box& o) const {
    return x0 >= o.x0 && y0 >= o.y0 && x1 <= o.x1 && y1 <= o.y1;
  }
};

/// A label as placed: its text, its box, its mark and whether a leader
/// line joins the two.
struct placed_label {
  std::string text;
  label_box box;
  double anchor_x = 0, anchor_y = 0;
  bool leader = false;
};

/// Places labels one after another, the first asked first: a label never
/// overlaps one placed before it and stays inside the page box; it keeps
/// off the marks and the drawn lines where it can, and so does its leader
/// line beyond the mark's own surroundings, and leaders and labels keep
/// off each other; always unless `may_cover` (a label that finds no such
/// place is then left out).
class label_placer {
 public:
  explicit label_placer(label_box page, bool may_cover = true);

  /// Something a label should not cover: a mark.
  void avoid(const label_box& b);
  /// A point of a drawn line, which a label should not cover.
  void avoid_point(double x, double y);

  /// A box `w` by `h` for the mark at (x, y), looked for first in the
  /// direction (dx, dy) (a unit vector; 0, 0 for any), then all around at
  /// growing distances. Nothing when no place is free within reach.
  std::optional<placed_label> place(std::string text, double x, double y,
                                    double w, double h, double dx, double dy);

  const std::vector<placed_label>& placed() const { return placed_; }

 private:
  bool free_of_labels(const label_box& b) const;
  bool free_of_marks(const label_box& b, double x, double y) const;
  bool free_of_points(const label_box& b) const;
  /// Whether `b` keeps off the leaders placed before, and its own leader
  /// (when it has one) off the labels placed before.
  bool free_of_leaders(double x, double y, const label_box& b,
                       bool leader) const;
  /// Whether the leader from the mark at (x, y) to `b` keeps off the drawn
  /// lines once it has left the mark.
  bool leader_free_of_points(double x, double y, const label_box& b) const;
  std::size_t column(double x) const;
  std::size_t row(double y) const;

  label_box page_;
  bool may_cover_;
  std::vector<placed_label> placed_;
  std::vector<label_box> marks_;
  // The line's points, in a grid of square buckets.
  double bucket_ = 16.0;
  std::size_t columns_ = 0, rows_ = 0;
  std::vector<std::vector<std::pair<double, double>>> points_;
};

/// Whether any two of `labels` overlap: what the placement rules out.
bool any_overlap(const std::vector<placed_label>& labels);

/// Where a leader from the mark at (x, y) meets the box `b`: the box's
/// point nearest the mark.
std::pair<double, double> leader_end(double x, double y, const label_box& b);

/// Whether the leader of `l` (when it has one) passes through the inside
/// of `b`.
bool leader_crosses(const placed_label& l, const label_box& b);

}  // namespace compattatore::tool

#endif  // TOOL_DRAWING_PLOT_LABELS_H_
