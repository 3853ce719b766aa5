// The route-wide track line file: row 0 (x) metre by metre, then row 1 (y);
// each element a 16-bit tag and 0, 2 or 8 value bytes, no header. Layout in
// compiled_files.md.
#ifndef COMPACT_TRACK_FILE_H_
#define COMPACT_TRACK_FILE_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "compact/decode_fault.h"
#include "model/tracciato.h"
#include "platform/file_system.h"

namespace compattatore {

/// Bytes of the longest track element: a tag and a double.
inline constexpr std::size_t byte_elemento_massimo = 10;

/// Route-wide file of `t`.
std::string encode_track(const tracciato_linea& t);
/// Length of the route-wide file of `t`.
std::size_t byte_tracciato(const tracciato_linea& t);
/// The same bytes handed to `sink` in order, in pieces of about
/// `byte_pezzo_tracciato`, each ending at an element's end: the file of the
/// longest route is some 20 MB, and a buffer of its whole size costs more
/// than writing it.
void encode_track(const tracciato_linea& t, const byte_sink& sink);
inline constexpr std::size_t byte_pezzo_tracciato = std::size_t{1} << 18;

/// Route-wide file of the line drawn as `d`: the same bytes as for its
/// points, `encode_track(d.punti())`.
std::string encode_track(const disegno_tracciato& d);
/// Length of the route-wide file of `d`.
std::size_t byte_tracciato(const disegno_tracciato& d);
/// The same bytes handed to `sink`, the points computed as they are
/// written: `metri_pezzo_tracciato` metres at a time, their piece of the x
/// row and their piece of the y row each at its offset. No more than one
/// stretch of the line is ever held.
void encode_track(const disegno_tracciato& d, const byte_sink& sink);
inline constexpr std::size_t metri_pezzo_tracciato = std::size_t{1} << 13;

/// Route-wide file into the track line. An empty file is an empty line.
/// A fault for an unknown tag, a value cut short, or an odd
/// number of elements (the x row and the y row must be equally long).
[[nodiscard]] decode_result decode_track(std::string_view bytes,
                                         tracciato_linea* out);

}  // namespace compattatore

#endif  // COMPACT_TRACK_FILE_H_
