#include "tool/drawing/plot_labels.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace compattatore::tool {
namespace {

// Distances from the mark to the label's nearest side, tried in turn; a
// label further out than the first gets a leader line.
constexpr double distances[] = {4, 14, 28, 46, 70, 100, 140, 190};
constexpr int directions = 16;

label_box box_at(double cx, double cy, double w, double h) {
  return {cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2};
}

// Whether the segment from (x0, y0) to (x1, y1) passes through the inside
// of `b` (clipped against the box's four sides in turn).
bool crosses(double x0, double y0, double x1, double y1, const label_box& b) {
  double t0 = 0, t1 = 1;
  const double dx = x1 - x0, dy = y1 - y0;
  const double p[] = {-dx, dx, -dy, dy};
  const double q[] = {x0 - b.x0, b.x1 - x0, y0 - b.y0, b.y1 - y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] <= 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      t0 = std::max(t0, t);
    } else {
      t1 = std::min(t1, t);
    }
    if (t0 >= t1) return false;
  }
  return true;
}

}  // namespace

label_placer::label_placer(label_box page, bool may_cover)
    : page_(page), may_cover_(may_cover) {
  columns_ = static_cast<std::size_t>(
                 std::max(0.0, std::ceil((page.x1 - page.x0) / bucket_))) +
             1;
  rows_ = static_cast<std::size_t>(
              std::max(0.0, std::ceil((page.y1 - page.y0) / bucket_))) +
          1;
  points_.resize(columns_ * rows_);
}

void label_placer::avoid(const label_box& b) { marks_.push_back(b); }

void label_placer::avoid_point(double x, double y) {
  if (x < page_.x0 || x > page_.x1 || y < page_.y0 || y > page_.y1) return;
  const auto cx = static_cast<std::size_t>((x - page_.x0) / bucket_);
  const auto cy = static_cast<std::size_t>((y - page_.y0) / bucket_);
  points_[cy * columns_ + cx].emplace_back(x, y);
}

bool label_placer::free_of_labels(const label_box& b) const {
  return std::none_of(placed_.begin(), placed_.end(),
                      [&](const placed_label& p) { return p.box.overlaps(b); });
}

bool label_placer::free_of_leaders(double x, double y, const label_box& b,
                                   bool leader) const {
  // Plain names: a lambda may not capture a structured binding in C++20.
  const std::pair<double, double> end = leader_end(x, y, b);
  const double ex = end.first;
  const double ey = end.second;
  return std::none_of(placed_.begin(), placed_.end(),
                      [&](const placed_label& p) {
                        if (leader && crosses(x, y, ex, ey, p.box)) return true;
                        return leader_crosses(p, b);
                      });
}

bool label_placer::free_of_marks(const label_box& b, double x, double y) const {
  // The label's own mark (any mark on its anchor) does not count.
  return std::none_of(marks_.begin(), marks_.end(), [&](const label_box& m) {
    const bool own = x >= m.x0 && x <= m.x1 && y >= m.y0 && y <= m.y1;
    return !own && m.overlaps(b);
  });
}

std::size_t label_placer::column(double x) const {
  return static_cast<std::size_t>(std::clamp(
      (x - page_.x0) / bucket_, 0.0, static_cast<double>(columns_ - 1)));
}

std::size_t label_placer::row(double y) const {
  return static_cast<std::size_t>(std::clamp((y - page_.y0) / bucket_, 0.0,
                                             static_cast<double>(rows_ - 1)));
}

bool label_placer::free_of_points(const label_box& b) const {
  for (std::size_t r = row(b.y0); r <= row(b.y1); ++r) {
    for (std::size_t c = column(b.x0); c <= column(b.x1); ++c) {
      for (const auto& [x, y] : points_[r * columns_ + c]) {
        if (x > b.x0 && x < b.x1 && y > b.y0 && y < b.y1) return false;
      }
    }
  }
  return true;
}

bool label_placer::leader_free_of_points(double x, double y,
                                         const label_box& b) const {
  const auto [ex, ey] = leader_end(x, y, b);
  const double vx = ex - x;
  const double vy = ey - y;
  const double length2 = vx * vx + vy * vy;
  if (length2 == 0) return true;
  // The line's points lie about 3 units apart, so a leader that crosses
  // the line passes within half of that of one of them; near the mark the
  // line is its own.
  constexpr double near_line = 2.0;
  constexpr double own = 8.0;
  for (std::size_t r = row(std::min(y, ey) - near_line);
       r <= row(std::max(y, ey) + near_line); ++r) {
    for (std::size_t c = column(std::min(x, ex) - near_line);
         c <= column(std::max(x, ex) + near_line); ++c) {
      for (const auto& [px, py] : points_[r * columns_ + c]) {
        if (std::hypot(px - x, py - y) <= own) continue;
        const double t =
            std::clamp(((px - x) * vx + (py - y) * vy) / length2, 0.0, 1.0);
        if (std::hypot(px - (x + t * vx), py - (y + t * vy)) < near_line) {
          return false;
        }
      }
    }
  }
  return true;
}

std::optional<placed_label> label_placer::place(std::string text, double x,
                                                double y, double w, double h,
                                                double dx, double dy) {
  // The preferred direction first, then the others from nearest to it to
  // the opposite one, alternating sides.
  const double base = dx == 0 && dy == 0 ? -M_PI / 2 : std::atan2(dy, dx);
  std::vector<std::pair<double, double>> dirs;
  dirs.reserve(directions);
  dirs.emplace_back(std::cos(base), std::sin(base));
  for (int k = 1; k <= directions / 2; ++k) {
    for (int s : {1, -1}) {
      if (k == directions / 2 && s == -1) break;
      const double a = base + s * k * 2 * M_PI / directions;
      dirs.emplace_back(std::cos(a), std::sin(a));
    }
  }
  // Strict first (off labels, leaders, marks and lines), then off labels
  // only.
  for (int pass = 0; pass < (may_cover_ ? 2 : 1); ++pass) {
    for (double d : distances) {
      for (const auto& [ux, uy] : dirs) {
        // The box's centre so that its side faces the mark at distance d.
        const double reach = d + std::abs(ux) * w / 2 + std::abs(uy) * h / 2;
        const label_box b = box_at(x + ux * reach, y + uy * reach, w, h);
        if (!b.inside(page_) || !free_of_labels(b)) continue;
        const bool leader = d > distances[0];
        if (pass == 0 && (!free_of_marks(b, x, y) || !free_of_points(b) ||
                          !free_of_leaders(x, y, b, leader) ||
                          (leader && !leader_free_of_points(x, y, b)))) {
          continue;
        }
        placed_label p{std::move(text), b, x, y, leader};
        placed_.push_back(p);
        return p;
      }
    }
  }
  return std::nullopt;
}

std::pair<double, double> leader_end(double x, double y, const label_box& b) {
  return {std::clamp(x, b.x0, b.x1), std::clamp(y, b.y0, b.y1)};
}

bool leader_crosses(const placed_label& l, const label_box& b) {
  if (!l.leader) return false;
  const auto [ex, ey] = leader_end(l.anchor_x, l.anchor_y, l.box);
  return crosses(l.anchor_x, l.anchor_y, ex, ey, b);
}

bool any_overlap(const std::vector<placed_label>& labels) {
  for (std::size_t i = 0; i < labels.size(); ++i) {
    for (std::size_t j = i + 1; j < labels.size(); ++j) {
      if (labels[i].box.overlaps(labels[j].box)) return true;
    }
  }
  return false;
}

}  // namespace compattatore::tool
