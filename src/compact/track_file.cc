#include "compact/track_file.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <span>
#include <utility>

#include "compact/record_codec.h"

namespace compattatore {
namespace {

std::string num(std::size_t n) { return std::to_string(n); }

// Bytes of an element of each kind: tag and value.
constexpr std::size_t byte_elemento_intero = 4;
constexpr std::size_t byte_elemento_vuoto = 2;

}  // namespace

std::size_t byte_tracciato(const tracciato_linea& t) {
  std::size_t n = 0;
  for (int asse = 0; asse < 2 && !t.empty(); ++asse) {
    for (const tipo_elemento k : t.tipi(asse)) {
      n += k == tipo_elemento::reale    ? byte_elemento_massimo
           : k == tipo_elemento::intero ? byte_elemento_intero
                                        : byte_elemento_vuoto;
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
  std::size_t offset = 0;
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
        const auto n = static_cast<std::size_t>(p - start);
        sink(offset, {start, n});
        offset += n;
        p = start;
      }
    }
  }
  if (p != start) sink(offset, {start, static_cast<std::size_t>(p - start)});
}

std::string encode_track(const tracciato_linea& t) {
  return file_system::gather(byte_tracciato(t), [&t](const byte_sink& sink) {
    encode_track(t, sink);
  });
}

std::size_t byte_tracciato(const disegno_tracciato& d) {
  if (!d.seminato()) return 2 * byte_elemento_vuoto * d.metri();
  const auto disegnati = static_cast<std::size_t>(d.prossimo());
  return 2 *
         (2 * byte_elemento_intero + (disegnati - 2) * byte_elemento_massimo +
          (d.metri() - disegnati) * byte_elemento_vuoto);
}

void encode_track(const disegno_tracciato& d, const byte_sink& sink) {
  const std::size_t metri = d.metri();
  const std::size_t disegnati =
      d.seminato() ? static_cast<std::size_t>(d.prossimo()) : 0;
  const std::size_t riga = byte_tracciato(d) / 2;
  std::string bx(metri_pezzo_tracciato * byte_elemento_massimo, '\0');
  std::string by(metri_pezzo_tracciato * byte_elemento_massimo, '\0');
  cammino_tracciato cammino(d);
  std::size_t offset = 0;  // of the stretch, in either row
  for (std::size_t m = 0; m < metri;) {
    const std::size_t n = std::min(metri_pezzo_tracciato, metri - m);
    const std::size_t punti = disegnati > m ? std::min(n, disegnati - m) : 0;
    char* px = bx.data();
    char* py = by.data();
    // The seed's metres are 16-bit integers, the drawn ones doubles, the
    // rest empty.
    const std::size_t seme = m < 2 ? std::min(punti, 2 - m) : 0;
    cammino.avanti(seme, [&px, &py](double x, double y) {
      px = store_u16(px, static_cast<std::uint16_t>(tipo_elemento::intero));
      px = store_i16(px, static_cast<std::int16_t>(x));
      py = store_u16(py, static_cast<std::uint16_t>(tipo_elemento::intero));
      py = store_i16(py, static_cast<std::int16_t>(y));
    });
    cammino.avanti(punti - seme, [&px, &py](double x, double y) {
      px = store_u16(px, static_cast<std::uint16_t>(tipo_elemento::reale));
      px = store_f64(px, x);
      py = store_u16(py, static_cast<std::uint16_t>(tipo_elemento::reale));
      py = store_f64(py, y);
    });
    for (std::size_t i = punti; i < n; ++i) {
      px = store_u16(px, static_cast<std::uint16_t>(tipo_elemento::vuoto));
      py = store_u16(py, static_cast<std::uint16_t>(tipo_elemento::vuoto));
    }
    const auto len = static_cast<std::size_t>(px - bx.data());
    sink(offset, {bx.data(), len});
    sink(riga + offset, {by.data(), len});
    offset += len;
    m += n;
  }
}

std::string encode_track(const disegno_tracciato& d) {
  return file_system::gather(byte_tracciato(d), [&d](const byte_sink& sink) {
    encode_track(d, sink);
  });
}

decode_result decode_track(std::string_view bytes, tracciato_linea* out) {
  std::vector<tipo_elemento> tipi;
  std::vector<double> valori;
  cursor in(bytes);
  while (!in.done()) {
    const std::size_t start = in.pos();
    if (!in.has(2)) {
      return decode_fault{
          start, "element " + num(tipi.size()) + " (byte " + num(start) +
                     ") is cut short: its tag needs 2 bytes, 1 is left"};
    }
    const std::uint16_t tag = in.u16();
    std::size_t width = 0;
    switch (tag) {
      case static_cast<std::uint16_t>(tipo_elemento::vuoto):
        width = 0;
        break;
      case static_cast<std::uint16_t>(tipo_elemento::intero):
        width = 2;
        break;
      case static_cast<std::uint16_t>(tipo_elemento::reale):
        width = 8;
        break;
      default:
        return decode_fault{
            start, "element " + num(tipi.size()) + " (byte " + num(start) +
                       ") has the unknown tag " + num(tag) +
                       " (known: 0 empty, 2 integer, 5 double)"};
    }
    if (!in.has(width)) {
      return decode_fault{
          start, "element " + num(tipi.size()) + " (byte " + num(start) +
                     ") is cut short: its value needs " + num(width) +
                     " bytes, " + num(in.left()) + " are left"};
    }
    tipi.push_back(static_cast<tipo_elemento>(tag));
    valori.push_back(width == 2 ? in.i16() : width == 8 ? in.f64() : 0.0);
  }
  if (tipi.size() % 2 != 0) {
    return decode_fault{bytes.size(),
                        "odd number of elements (" + num(tipi.size()) +
                            "): the x row and the y row must be equally long"};
  }

  const std::size_t metri = tipi.size() / 2;
  if (metri >
      static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    return decode_fault{bytes.size(), "more metres (" + num(metri) +
                                          ") than a track line can hold"};
  }
  tracciato_linea t;
  if (metri > 0) t.make(static_cast<std::int32_t>(metri - 1));
  for (std::size_t i = 0; i < tipi.size(); ++i) {
    const int asse = i < metri ? 0 : 1;
    const std::size_t metro = i % metri;
    switch (tipi[i]) {
      case tipo_elemento::vuoto:
        break;
      case tipo_elemento::intero:
        t.set_intero(metro, asse, static_cast<std::int16_t>(valori[i]));
        break;
      case tipo_elemento::reale:
        t.set_reale(metro, asse, valori[i]);
        break;
    }
  }
  *out = std::move(t);
  return std::nullopt;
}

}  // namespace compattatore
