// The cell row file: every cell, 15 bytes each, field by field, no header.
// Layout in compiled_files.md.
#ifndef COMPACT_CELL_FILE_H_
#define COMPACT_CELL_FILE_H_

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "compact/decode_fault.h"
#include "model/record_fields.h"
#include "model/scenario.h"

namespace compattatore {

/// Bytes of one cell record.
inline constexpr std::size_t byte_cella = fixed_bytes(cell_fields, false);
static_assert(byte_cella == 15,
              "the record layout is the simulator's: never change it");

void encode_cell(std::string& out, const cella& c);
/// Cell row file: every cell, index 0 upward.
std::string encode_cells(std::span<const cella> celle);

/// Cell row file into its cells. An empty file is an empty row. A fault, saying
/// why, when the length is no whole number of cells.
[[nodiscard]] decode_result decode_cells(std::string_view bytes,
                                         std::vector<cella>* out);

}  // namespace compattatore

#endif  // COMPACT_CELL_FILE_H_
