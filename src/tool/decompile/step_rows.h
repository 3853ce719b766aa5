// The rows of a stepwise value (gradient, line speed, adhesion) that paint
// a column of the cell row as the readers' stepwise fill does.
#ifndef TOOL_DECOMPILE_STEP_ROWS_H_
#define TOOL_DECOMPILE_STEP_ROWS_H_

#include <cstdint>
#include <functional>
#include <vector>

#include "model/scenario.h"
#include "tool/decompile/recovered_texts.h"

namespace compattatore::tool {

/// Rows whose fill gives field `campo` of `celle`: one at every cell whose
/// value differs from the one before it (from `iniziale`, the value before
/// the first row), placed at the cell's start (cell c at c x 50 m, where
/// the fill turns), the stored byte written as `valore(byte)`. With
/// `riempimento_finale` the reading ends by filling the last value up to
/// the row's last three cells, so the zeros there need no row; without it
/// (the reading stopped at a fault) every change has its row.
std::vector<riga_gradino> righe_a_gradini(
    const std::vector<cella>& celle, std::uint8_t cella::*campo,
    std::uint8_t iniziale, bool riempimento_finale,
    const std::function<std::int32_t(std::uint8_t)>& valore);

}  // namespace compattatore::tool

#endif  // TOOL_DECOMPILE_STEP_ROWS_H_
