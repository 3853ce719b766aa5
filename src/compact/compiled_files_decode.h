// Decoders of the three compiled files, the inverse of compiled_files.h.
// They take any bytes at all: a file that is not what its layout says gives
// an error naming the first byte that does not fit, never a read past the
// buffer.
#ifndef COMPACT_COMPILED_FILES_DECODE_H_
#define COMPACT_COMPILED_FILES_DECODE_H_

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/scenario.h"
#include "model/tracciato.h"

namespace compattatore {

/// Cell row file into its cells. An empty file is an empty row. False, with
/// `*err` saying why, when the length is no whole number of cells.
[[nodiscard]] bool decode_cells(std::string_view bytes, std::vector<cella>* out,
                                std::string* err);

/// Station table file into its 87 entries. False, with `*err`, when a
/// record is cut short or bytes follow the 87th record.
[[nodiscard]] bool decode_stations(std::string_view bytes,
                                   std::array<stazione, numero_stazioni>* out,
                                   std::string* err);

/// Route-wide file into the track line. An empty file is an empty line.
/// False, with `*err`, for an unknown tag, a value cut short, or an odd
/// number of elements (the x row and the y row must be equally long).
[[nodiscard]] bool decode_track(std::string_view bytes, tracciato_linea* out,
                                std::string* err);

}  // namespace compattatore

#endif  // COMPACT_COMPILED_FILES_DECODE_H_
