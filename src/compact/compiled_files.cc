#include "compact/compiled_files.h"

#include <cassert>
#include <cstdint>

#include "compact/le_encoding.h"

namespace compattatore {

void encode_cell(std::string& out, const cella& c) {
  put_u8(out, c.oggetto);
  put_i16(out, c.valore_1);
  put_i16(out, c.valore_2);
  put_i16(out, c.valore_3);
  put_i16(out, c.valore_4);
  put_u8(out, c.tempo_segnale);
  put_u8(out, c.preavviso);
  put_u8(out, c.montagna);
  put_u8(out, c.velocita_linea);
  put_u8(out, c.pendenza);
  put_u8(out, c.aderenza);
}

void encode_station(std::string& out, const stazione& s) {
  put_u8(out, s.categoria);
  put_i32(out, s.inizio_area);
  put_i32(out, s.fine_area);
  put_i32(out, s.progressiva);
  put_u8(out, s.opzione_1);
  // The length field is 16 bits wide; a longer name is cut to what it can
  // announce, so the record stays readable.
  const std::size_t n = s.nome.size() > 0xffffu ? 0xffffu : s.nome.size();
  put_u16(out, static_cast<std::uint16_t>(n));
  out.append(s.nome, 0, n);
  put_i16(out, s.numero_1);
  put_i16(out, s.numero_2);
  put_i16(out, s.numero_3);
  put_i16(out, s.numero_4);
  put_i16(out, s.numero_5);
  put_u8(out, s.opzione_2);
  put_u8(out, s.opzione_3);
  put_u8(out, s.opzione_4);
  put_u8(out, s.opzione_5);
  put_i32(out, s.orario);
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

std::string encode_track(const tracciato_linea& t) {
  std::string out;
  out.reserve(t.metri() * 2 * 10);
  for (int asse = 0; asse < 2; ++asse) {
    for (std::size_t m = 0; m < t.metri(); ++m) {
      const tipo_elemento k = t.tipo(m, asse);
      put_u16(out, static_cast<std::uint16_t>(k));
      switch (k) {
        case tipo_elemento::vuoto:
          break;
        case tipo_elemento::intero:
          put_i16(out, static_cast<std::int16_t>(t.valore(m, asse)));
          break;
        case tipo_elemento::reale:
          put_f64(out, t.valore(m, asse));
          break;
      }
    }
  }
  return out;
}

}  // namespace compattatore
