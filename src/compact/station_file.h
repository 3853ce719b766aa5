// The station table file: the 87 entries in order, each its fixed fields
// and a name of its own length, no header. Layout in compiled_files.md.
#ifndef COMPACT_STATION_FILE_H_
#define COMPACT_STATION_FILE_H_

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "compact/decode_fault.h"
#include "model/record_fields.h"
#include "model/scenario.h"

namespace compattatore {

/// Bytes of a station record with an empty name.
inline constexpr std::size_t byte_stazione_senza_nome =
    fixed_bytes(station_fields, false) + fixed_bytes(station_fields, true);
static_assert(byte_stazione_senza_nome == 34,
              "the record layout is the simulator's: never change it");

void encode_station(std::string& out, const stazione& s);
/// Station table file: the 87 entries in order.
std::string encode_stations(
    const std::array<stazione, numero_stazioni>& stazioni);

/// Station table file into its 87 entries. A fault when a
/// record is cut short or bytes follow the 87th record.
[[nodiscard]] decode_result decode_stations(
    std::string_view bytes, std::array<stazione, numero_stazioni>* out);

}  // namespace compattatore

#endif  // COMPACT_STATION_FILE_H_
