// The train text recovered from the compiled files: its header values and
// stations from the station table, its adhesion, line speed, signals,
// slowdowns and speed caps from the cell row before the pass.
#ifndef TOOL_DECOMPILE_TRAIN_RECOVERY_H_
#define TOOL_DECOMPILE_TRAIN_RECOVERY_H_

#include <array>

#include "tool/decompile/pass_additions.h"
#include "tool/decompile/recovered_texts.h"
#include "tool/decompile/route_recovery.h"

namespace compattatore::tool {

/// The train text of the table `st` (seal off) and the row `prima`, read
/// after a route text read as `lettura` says, into `out->treno`. The
/// route's indication boards (already in `out->linea`) tell where the
/// stations' entries end.
void recupera_treno(const std::array<stazione, numero_stazioni>& st,
                    const celle_prima_del_passo& prima, lettura_linea lettura,
                    testi_recuperati* out);

}  // namespace compattatore::tool

#endif  // TOOL_DECOMPILE_TRAIN_RECOVERY_H_
