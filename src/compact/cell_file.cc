#include "compact/cell_file.h"

#include <cassert>
#include <type_traits>
#include <utility>

#include "compact/record_codec.h"

namespace compattatore {

void encode_cell(std::string& out, const cella& c) {
  encode_record(out, c, cell_fields);
}

std::string encode_cells(std::span<const cella> celle) {
  // Stored into a buffer of the whole size: appending byte by byte took a
  // tenth of a long compile.
  std::string out(celle.size() * byte_cella, '\0');
  char* p = out.data();
  for (const cella& c : celle) {
    for_each_field(cell_fields,
                   [&](const auto& f) { p = store_field(p, c.*f.member); });
  }
  assert(p == out.data() + out.size());
  return out;
}

decode_result decode_cells(std::string_view bytes, std::vector<cella>* out) {
  if (bytes.size() % byte_cella != 0) {
    const auto num = [](std::size_t n) { return std::to_string(n); };
    return decode_fault{bytes.size() - bytes.size() % byte_cella,
                        "length " + num(bytes.size()) +
                            " is not a whole number of " + num(byte_cella) +
                            "-byte cells (" + num(bytes.size() % byte_cella) +
                            " bytes left over)"};
  }
  std::vector<cella> celle(bytes.size() / byte_cella);
  cursor in(bytes);
  for (cella& c : celle) {
    for_each_field(cell_fields, [&](const auto& f) {
      using T = typename std::decay_t<decltype(f)>::type;
      c.*f.member = in.get<T>();
    });
  }
  *out = std::move(celle);
  return std::nullopt;
}

}  // namespace compattatore
