// Encoders of the three compiled files: field by field, little-endian, no
// header, no gaps. Layouts in compiled_files.md.
#ifndef COMPACT_COMPILED_FILES_H_
#define COMPACT_COMPILED_FILES_H_

#include <array>
#include <cstddef>
#include <span>
#include <string>

#include "model/record_fields.h"
#include "model/scenario.h"
#include "platform/file_system.h"

namespace compattatore {

/// Bytes of one cell record.
inline constexpr std::size_t byte_cella = fixed_bytes(cell_fields, false);
/// Bytes of the longest track element: a tag and a double.
inline constexpr std::size_t byte_elemento_massimo = 10;
/// Bytes of a station record with an empty name.
inline constexpr std::size_t byte_stazione_senza_nome =
    fixed_bytes(station_fields, false) + fixed_bytes(station_fields, true);
static_assert(byte_cella == 15 && byte_stazione_senza_nome == 34,
              "the record layouts are the simulator's: never change them");

void encode_cell(std::string& out, const cella& c);
void encode_station(std::string& out, const stazione& s);

/// Cell row file: every cell, index 0 upward.
std::string encode_cells(std::span<const cella> celle);
/// Station table file: the 87 entries in order.
std::string encode_stations(
    const std::array<stazione, numero_stazioni>& stazioni);
/// Route-wide file: row 0 (x) metre by metre, then row 1 (y); each element
/// a 16-bit tag and 0, 2 or 8 value bytes.
std::string encode_track(const tracciato_linea& t);
/// Length of the route-wide file of `t`.
std::size_t byte_tracciato(const tracciato_linea& t);
/// The same bytes handed to `sink` in pieces of about `byte_pezzo_tracciato`,
/// each ending at an element's end: the file of the longest route is some
/// 20 MB, and a buffer of its whole size costs more than writing it.
void encode_track(const tracciato_linea& t, const byte_sink& sink);
inline constexpr std::size_t byte_pezzo_tracciato = std::size_t{1} << 18;

}  // namespace compattatore

#endif  // COMPACT_COMPILED_FILES_H_
