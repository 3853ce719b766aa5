#include "compact/station_file.h"

#include <type_traits>
#include <utility>

#include "compact/record_codec.h"

namespace compattatore {
namespace {

std::string num(std::size_t n) { return std::to_string(n); }

// Fixed part of a station record after the name, and before it (the name's
// length included).
constexpr std::size_t byte_dopo_nome = fixed_bytes(station_fields, true);
constexpr std::size_t byte_prima_del_nome = fixed_bytes(station_fields, false);

}  // namespace

void encode_station(std::string& out, const stazione& s) {
  encode_record(out, s, station_fields);
}

std::string encode_stations(
    const std::array<stazione, numero_stazioni>& stazioni) {
  std::string out;
  out.reserve(numero_stazioni * byte_stazione_senza_nome);
  for (const stazione& s : stazioni) encode_station(out, s);
  return out;
}

decode_result decode_stations(std::string_view bytes,
                              std::array<stazione, numero_stazioni>* out) {
  std::array<stazione, numero_stazioni> table{};
  cursor in(bytes);
  for (std::size_t i = 0; i < table.size(); ++i) {
    const std::size_t start = in.pos();
    auto cut_short = [&](std::size_t needed) {
      return decode_fault{start, "station record " + num(i) + " (from byte " +
                                     num(start) + ") is cut short: it needs " +
                                     num(needed) + " more bytes, " +
                                     num(in.left()) + " are left"};
    };
    if (!in.has(byte_prima_del_nome)) return cut_short(byte_prima_del_nome);
    stazione& s = table[i];
    decode_result fault;
    for_each_field(station_fields, [&](const auto& f) {
      using T = typename std::decay_t<decltype(f)>::type;
      if (fault) return;
      if constexpr (std::is_same_v<T, std::string>) {
        const std::size_t n = in.u16();
        if (!in.has(n + byte_dopo_nome)) {
          fault = cut_short(n + byte_dopo_nome);
          return;
        }
        s.*f.member = in.text(n);
      } else {
        s.*f.member = in.get<T>();
      }
    });
    if (fault) return fault;
  }
  if (!in.done()) {
    return decode_fault{
        in.pos(), num(in.left()) + " bytes follow the " + num(table.size()) +
                      "th station record (from byte " + num(in.pos()) + ")"};
  }
  *out = std::move(table);
  return std::nullopt;
}

}  // namespace compattatore
