// Shared body of the dump targets: arbitrary bytes decoded as one kind of
// compiled file. What a decoder accepts must encode back to the same bytes
// and render, as text and as JSON, without fault.
#ifndef FUZZ_DUMP_FUZZ_H_
#define FUZZ_DUMP_FUZZ_H_

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

#include "compact/cell_file.h"
#include "compact/station_file.h"
#include "compact/track_file.h"
#include "tool/decode/dump.h"

namespace compattatore::fuzz {

inline std::string_view bytes_of(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

inline void check(bool ok) {
  if (!ok) __builtin_trap();
}

inline void dump_cells(std::string_view bytes) {
  std::vector<cella> row;
  if (const decode_result f = decode_cells(bytes, &row)) {
    return check(!f->message.empty() && f->byte <= bytes.size());
  }
  check(encode_cells(row) == bytes);
  std::ostringstream text;
  tool::cells_text(text, row, tool::which_cells::non_empty);
  tool::cells_text(text, row, tool::which_cells::objects, {100, 5000});
  (void)tool::cells_json(row, false).dump();
}

inline void dump_stations(std::string_view bytes) {
  std::array<stazione, numero_stazioni> table;
  if (const decode_result f = decode_stations(bytes, &table)) {
    return check(!f->message.empty() && f->byte <= bytes.size());
  }
  check(encode_stations(table) == bytes);
  std::ostringstream text;
  tool::stations_text(text, table);
  (void)tool::stations_json(table).dump();
}

inline void dump_track(std::string_view bytes) {
  tracciato_linea t;
  if (const decode_result f = decode_track(bytes, &t)) {
    return check(!f->message.empty() && f->byte <= bytes.size());
  }
  check(encode_track(t) == bytes);
  std::ostringstream text;
  tool::track_text(text, t);
  (void)tool::track_json(t).dump();
}

}  // namespace compattatore::fuzz

#endif  // FUZZ_DUMP_FUZZ_H_
