#include "compact/compiled_files.h"

#include <cassert>
#include <cstdint>
#include <type_traits>

#include "compact/le_encoding.h"
#include "model/record_fields.h"

namespace compattatore {

namespace {

template <typename T>
void put_field(std::string& out, const T& v) {
  if constexpr (std::is_same_v<T, std::string>) {
    // The length field is 16 bits wide; a longer name is cut to what it can
    // announce, so the record stays readable.
    const std::size_t n = v.size() > 0xffffu ? 0xffffu : v.size();
    put_u16(out, static_cast<std::uint16_t>(n));
    out.append(v, 0, n);
  } else if constexpr (sizeof(T) == 1) {
    put_u8(out, v);
  } else if constexpr (sizeof(T) == 2) {
    put_i16(out, v);
  } else {
    put_i32(out, v);
  }
}

template <typename Record, typename Fields>
void encode_record(std::string& out, const Record& r, const Fields& fields) {
  for_each_field(fields, [&](const auto& f) { put_field(out, r.*f.member); });
}

}  // namespace

void encode_cell(std::string& out, const cella& c) {
  encode_record(out, c, cell_fields);
}

void encode_station(std::string& out, const stazione& s) {
  encode_record(out, s, station_fields);
}

std::string encode_cells(std::span<const cella> celle) {
  std::string out;
  out.reserve(celle.size() * byte_cella);
  for (const cella& c : celle) encode_cell(out, c);
  assert(out.size() == celle.size() * byte_cella);
  return out;
}

std::string encode_stations(
    const std::array<stazione, numero_stazioni>& stazioni) {
  std::string out;
  out.reserve(numero_stazioni * byte_stazione_senza_nome);
  for (const stazione& s : stazioni) encode_station(out, s);
  return out;
}

std::size_t byte_tracciato(const tracciato_linea& t) {
  std::size_t n = 0;
  for (int asse = 0; asse < 2 && !t.empty(); ++asse) {
    for (const tipo_elemento k : t.tipi(asse)) {
      n += k == tipo_elemento::reale    ? byte_elemento_massimo
           : k == tipo_elemento::intero ? 4
                                        : 2;
    }
  }
  return n;
}

void encode_track(const tracciato_linea& t, const byte_sink& sink) {
  // Each element is stored straight into a buffer with room for one more
  // of the longest; appending byte by byte cost several times the writing.
  std::string buf(byte_pezzo_tracciato + byte_elemento_massimo, '\0');
  char* const start = buf.data();
  char* const full = start + byte_pezzo_tracciato;
  char* p = start;
  for (int asse = 0; asse < 2 && !t.empty(); ++asse) {
    const std::span<const tipo_elemento> tipi = t.tipi(asse);
    const std::span<const double> valori = t.valori(asse);
    for (std::size_t m = 0; m < tipi.size(); ++m) {
      const tipo_elemento k = tipi[m];
      p = store_u16(p, static_cast<std::uint16_t>(k));
      if (k == tipo_elemento::reale) {
        p = store_f64(p, valori[m]);
      } else if (k == tipo_elemento::intero) {
        p = store_i16(p, static_cast<std::int16_t>(valori[m]));
      }
      if (p >= full) {
        sink({start, static_cast<std::size_t>(p - start)});
        p = start;
      }
    }
  }
  if (p != start) sink({start, static_cast<std::size_t>(p - start)});
}

std::string encode_track(const tracciato_linea& t) {
  std::string out;
  out.reserve(byte_tracciato(t));
  encode_track(t, [&out](std::string_view piece) { out.append(piece); });
  return out;
}

}  // namespace compattatore
