// The plan-view track line, built metre by metre from the route's curves.
#ifndef READER_PLAN_VIEW_H_
#define READER_PLAN_VIEW_H_

#include <cstdint>
#include <optional>
#include <string_view>

#include "model/tracciato.h"

namespace compattatore {

/// A curve row may not take the metre counter past this. The finish is not
/// bound by it: it stays inside the made line, so the longest route (this
/// length plus the 7000 m margin) gets its whole straight end.
inline constexpr std::int32_t metri_massimi = 1000000;

/// Turn per metre of a curve keyword: its class digit, the first of "1" to
/// "6" found (tested in that order), negative when the keyword holds an "s"
/// in either case. Nothing when it holds no class digit.
std::optional<double> curvatura(std::string_view keyword);

/// How extending the line ended.
enum class esito_tracciato {
  fatto,
  /// The metre counter passed `metri_massimi` (the metre before is drawn).
  oltre_limite,
  /// The next metre lies beyond the made line; nothing of it is drawn.
  oltre_tracciato,
};

/// Draws a track line one metre at a time: each step continues the
/// direction of the last metre, turned by k. The step vector is never
/// renormalised, so the line is exactly as long as the integration makes it.
/// Only which metres are drawn with which turn is kept; the points follow
/// from that (`cammino_tracciato`).
class plan_view {
 public:
  explicit plan_view(disegno_tracciato& t) : t_(t) {}

  /// Makes the line with metres 0 to `ultimo`, every element empty.
  void make(std::int32_t ultimo) { t_.make(ultimo); }

  /// Metres 0 and 1 as the 16-bit integers (0, 0) and (0, 1): the line
  /// starts at the origin heading along +y. The next metre is 2.
  /// REQUIRES: the line is made with at least metres 0 and 1.
  void seed() { t_.seed(); }

  /// Straight up to metre `s`, then turning by `k` up to metre s + n. A
  /// curve that starts behind the counter bends from there; one that ends
  /// behind it draws nothing.
  /// REQUIRES: seeded.
  [[nodiscard]] esito_tracciato curve(std::int32_t s, std::int32_t n, double k);

  /// Straight up to the third-last metre; the last two stay empty. Never
  /// passes the made line, so it always ends `fatto`.
  /// REQUIRES: seeded.
  [[nodiscard]] esito_tracciato finish();

  /// The next metre to draw.
  std::int32_t metro() const { return t_.prossimo(); }

 private:
  /// Steps with turn `k` while the counter is at most `fino`; a curve row's
  /// steps (`limitato`) also stop past `metri_massimi`.
  esito_tracciato steps(std::int64_t fino, double k, bool limitato);
  std::int64_t ultimo() const {
    return static_cast<std::int64_t>(t_.metri()) - 1;
  }

  disegno_tracciato& t_;
};

}  // namespace compattatore

#endif  // READER_PLAN_VIEW_H_
