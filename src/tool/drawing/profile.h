// What a profile shows along the kilometres, taken from the compiled cell
// row and station table: speed limits, signals, stations, gradient and
// elevation, adhesion. A cell's values hold over the 50 m it stands for,
// from (c - 1) * 50 m, as `dump` lists it.
#ifndef TOOL_DRAWING_PROFILE_H_
#define TOOL_DRAWING_PROFILE_H_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/scenario.h"

namespace compattatore::tool {

/// A value that holds from metre `from` to the next step's `from`.
struct value_step {
  std::int64_t from = 0;
  double value = 0;
  friend bool operator==(const value_step&, const value_step&) = default;
};

/// The value of `series` at metre `metro`: the last step at or before it;
/// 0 before the first.
double value_at(const std::vector<value_step>& series, std::int64_t metro);

struct profile_signal {
  std::int64_t metro = 0;
  cella celle;
};

/// A speed cap (kind 12 or 13). `added_by_pass`: placed by the consistency
/// pass, which the cells before the pass tell; `lowered`: a cap of the
/// text the pass lowered to 180.
struct profile_point {
  std::int64_t metro = 0;
  int velocita = 0;  // 0: a cap without speed
  bool added_by_pass = false;
  bool lowered = false;
};

struct profile_slowdown {
  std::int64_t avviso = -1;  // -1: none (a start at 1500 m or less)
  std::int64_t inizio = 0;
  std::int64_t fine = 0;
  int velocita = 0;
};

struct profile_station {
  int entry = 0;     // entry of the station table
  std::string nome;  // UTF-8
  std::int64_t progressiva = 0;
  std::int64_t inizio_area = 0;
  std::int64_t fine_area = 0;
  std::int64_t fermata = -1;  // the end marker's cell; -1: none
  std::int32_t orario = 0;
};

struct profile_board {
  std::int64_t metro = 0;
  std::string testo;  // UTF-8
  /// A speed board's first speed of side s, in km/h; 0 for an indication
  /// board.
  int velocita = 0;
};

struct profile_data {
  /// The route's length (station table entry 84), or the row's last metre.
  std::int64_t lunghezza = 0;
  /// The row's last metre.
  std::int64_t row_end = 0;
  /// Where a profile ends by default: the route's length, or the end of a
  /// station area that lies past it (a terminus in the row's margin), but
  /// never past the row.
  std::int64_t profile_end = 0;
  /// km/h: `velocita_linea` * 5.
  std::vector<value_step> velocita_linea;
  /// km/h: the line speed, lowered inside each slowdown (start to end) to
  /// its speed.
  std::vector<value_step> limit;
  /// Per mille: `pendenza` - 100.
  std::vector<value_step> pendenza;
  /// Metres above the start, at every cell's first metre: the gradient
  /// added up.
  std::vector<value_step> quota;
  std::vector<value_step> aderenza;
  /// The mountain stretch code of the cells (1 to 3); 0 outside them.
  std::vector<value_step> montagna;
  std::vector<profile_signal> segnali;
  std::vector<profile_point> points;
  std::vector<profile_slowdown> rallentamenti;
  std::vector<profile_station> stazioni;
  std::vector<profile_board> cartelli;
};

/// The profile of a compiled scenario. `before_pass`, when given, is
/// the cell row as read, before the consistency pass, and tells which
/// speed points the pass added.
profile_data profile_of(const std::vector<cella>& celle,
                        const std::array<stazione, numero_stazioni>& stazioni,
                        const std::vector<cella>* before_pass = nullptr);

}  // namespace compattatore::tool

#endif  // TOOL_DRAWING_PROFILE_H_
