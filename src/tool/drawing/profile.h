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

/// A value that holds from metre `da` to the next step's `da`.
struct gradino {
  std::int64_t da = 0;
  double valore = 0;
  friend bool operator==(const gradino&, const gradino&) = default;
};

/// The value of `serie` at metre `metro`: the last step at or before it;
/// 0 before the first.
double valore_a(const std::vector<gradino>& serie, std::int64_t metro);

struct segnale_profilo {
  std::int64_t metro = 0;
  cella celle;
};

/// A speed cap (kind 12 or 13). `dal_passo`: placed by the consistency
/// pass, which the cells before the pass tell; `abbassato`: a cap of the
/// text the pass lowered to 180.
struct punto_profilo {
  std::int64_t metro = 0;
  int velocita = 0;  // 0: a cap without speed
  bool dal_passo = false;
  bool abbassato = false;
};

struct rallentamento_profilo {
  std::int64_t avviso = -1;  // -1: none (a start at 1500 m or less)
  std::int64_t inizio = 0;
  std::int64_t fine = 0;
  int velocita = 0;
};

struct stazione_profilo {
  int voce = 0;      // entry of the station table
  std::string nome;  // UTF-8
  std::int64_t progressiva = 0;
  std::int64_t inizio_area = 0;
  std::int64_t fine_area = 0;
  std::int64_t fermata = -1;  // the end marker's cell; -1: none
  std::int32_t orario = 0;
};

struct cartello_profilo {
  std::int64_t metro = 0;
  std::string testo;  // UTF-8
  /// A speed board's first speed of side s, in km/h; 0 for an indication
  /// board.
  int velocita = 0;
};

struct profilo {
  /// The route's length (station table entry 84), or the row's last metre.
  std::int64_t lunghezza = 0;
  /// The row's last metre.
  std::int64_t fine_riga = 0;
  /// Where a profile ends by default: the route's length, or the end of a
  /// station area that lies past it (a terminus in the row's margin), but
  /// never past the row.
  std::int64_t fine_profilo = 0;
  /// km/h: `velocita_linea` * 5.
  std::vector<gradino> velocita_linea;
  /// km/h: the line speed, lowered inside each slowdown (start to end) to
  /// its speed.
  std::vector<gradino> limite;
  /// Per mille: `pendenza` - 100.
  std::vector<gradino> pendenza;
  /// Metres above the start, at every cell's first metre: the gradient
  /// added up.
  std::vector<gradino> quota;
  std::vector<gradino> aderenza;
  /// The mountain stretch code of the cells (1 to 3); 0 outside them.
  std::vector<gradino> montagna;
  std::vector<segnale_profilo> segnali;
  std::vector<punto_profilo> punti;
  std::vector<rallentamento_profilo> rallentamenti;
  std::vector<stazione_profilo> stazioni;
  std::vector<cartello_profilo> cartelli;
};

/// The profile of a compiled scenario. `prima_del_passo`, when given, is
/// the cell row as read, before the consistency pass, and tells which
/// speed points the pass added.
profilo profilo_di(const std::vector<cella>& celle,
                   const std::array<stazione, numero_stazioni>& stazioni,
                   const std::vector<cella>* prima_del_passo = nullptr);

}  // namespace compattatore::tool

#endif  // TOOL_DRAWING_PROFILE_H_
