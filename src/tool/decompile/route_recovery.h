// The route text recovered from the compiled files: its general values
// from the station table's header entries, its records from the cell row
// before the pass, its curves from the track line.
#ifndef TOOL_DECOMPILE_ROUTE_RECOVERY_H_
#define TOOL_DECOMPILE_ROUTE_RECOVERY_H_

#include <array>
#include <vector>

#include "tool/decompile/compiled_input.h"
#include "tool/decompile/pass_additions.h"
#include "tool/decompile/recovered_texts.h"

namespace compattatore::tool {

/// How far the route text was read, as the files show it.
enum class lettura_linea {
  /// The length was refused or never read: no cell row was made.
  senza_celle,
  /// A fault stopped the reading inside the general section: the track
  /// line was made but never begun.
  guasto_generale,
  /// A fault stopped it among the records: the track line ends short.
  guasto_record,
  /// Read to its end; the train text was read after it.
  intera,
};

/// The route text of `c`, whose seal is off (`stazioni`) and whose cell
/// row is `prima` (before the pass), into `out->linea`. Returns how far
/// the original was read, which the train text's recovery needs.
lettura_linea recupera_linea(const compiled_scenario& c,
                             const std::array<stazione, numero_stazioni>& st,
                             const celle_prima_del_passo& prima,
                             testi_recuperati* out);

}  // namespace compattatore::tool

#endif  // TOOL_DECOMPILE_ROUTE_RECOVERY_H_
