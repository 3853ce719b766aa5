#include "compact/compiled_files_decode.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <type_traits>
#include <utility>

#include "compact/compiled_files.h"
#include "compact/le_encoding.h"
#include "model/record_fields.h"

namespace compattatore {
namespace {

// Reads fields front to back. Every read is preceded by a `has` test of the
// caller, so the get_* helpers never see fewer bytes than they take.
class cursor {
 public:
  explicit cursor(std::string_view bytes) : bytes_(bytes) {}

  std::size_t pos() const { return pos_; }
  std::size_t left() const { return bytes_.size() - pos_; }
  bool has(std::size_t n) const { return left() >= n; }
  bool done() const { return pos_ == bytes_.size(); }

  // REQUIRES: has(width of the value).
  std::uint8_t u8() { return static_cast<std::uint8_t>(bytes_[pos_++]); }
  /// A fixed-width field of type T.
  template <typename T>
  T get() {
    if constexpr (sizeof(T) == 1) {
      return u8();
    } else if constexpr (sizeof(T) == 2) {
      return i16();
    } else {
      return i32();
    }
  }
  std::uint16_t u16() { return get_u16(advance(2)); }
  std::int16_t i16() { return get_i16(advance(2)); }
  std::int32_t i32() { return get_i32(advance(4)); }
  double f64() { return get_f64(advance(8)); }
  std::string text(std::size_t n) {
    std::string s(bytes_.substr(pos_, n));
    pos_ += n;
    return s;
  }

 private:
  // The next `n` bytes; the cursor moves past them.
  const unsigned char* advance(std::size_t n) {
    const auto* p =
        reinterpret_cast<const unsigned char*>(bytes_.data()) + pos_;
    pos_ += n;
    return p;
  }

  std::string_view bytes_;
  std::size_t pos_ = 0;
};

std::string num(std::size_t n) { return std::to_string(n); }

// Fixed part of a station record after the name, and before it (the name's
// length included).
constexpr std::size_t byte_dopo_nome = fixed_bytes(station_fields, true);
constexpr std::size_t byte_prima_del_nome = fixed_bytes(station_fields, false);

}  // namespace

bool decode_cells(std::string_view bytes, std::vector<cella>* out,
                  std::string* err) {
  if (bytes.size() % byte_cella != 0) {
    *err = "length " + num(bytes.size()) + " is not a whole number of " +
           num(byte_cella) + "-byte cells (" + num(bytes.size() % byte_cella) +
           " bytes left over)";
    return false;
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
  return true;
}

bool decode_stations(std::string_view bytes,
                     std::array<stazione, numero_stazioni>* out,
                     std::string* err) {
  std::array<stazione, numero_stazioni> table{};
  cursor in(bytes);
  for (std::size_t i = 0; i < table.size(); ++i) {
    const std::size_t start = in.pos();
    auto cut_short = [&](std::size_t needed) {
      *err = "station record " + num(i) + " (from byte " + num(start) +
             ") is cut short: it needs " + num(needed) + " more bytes, " +
             num(in.left()) + " are left";
      return false;
    };
    if (!in.has(byte_prima_del_nome)) return cut_short(byte_prima_del_nome);
    stazione& s = table[i];
    bool whole = true;
    for_each_field(station_fields, [&](const auto& f) {
      using T = typename std::decay_t<decltype(f)>::type;
      if (!whole) return;
      if constexpr (std::is_same_v<T, std::string>) {
        const std::size_t n = in.u16();
        if (!in.has(n + byte_dopo_nome)) {
          whole = cut_short(n + byte_dopo_nome);
          return;
        }
        s.*f.member = in.text(n);
      } else {
        s.*f.member = in.get<T>();
      }
    });
    if (!whole) return false;
  }
  if (!in.done()) {
    *err = num(in.left()) + " bytes follow the " + num(table.size()) +
           "th station record (from byte " + num(in.pos()) + ")";
    return false;
  }
  *out = std::move(table);
  return true;
}

bool decode_track(std::string_view bytes, tracciato_linea* out,
                  std::string* err) {
  std::vector<tipo_elemento> tipi;
  std::vector<double> valori;
  cursor in(bytes);
  while (!in.done()) {
    const std::size_t start = in.pos();
    if (!in.has(2)) {
      *err = "element " + num(tipi.size()) + " (byte " + num(start) +
             ") is cut short: its tag needs 2 bytes, 1 is left";
      return false;
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
        *err = "element " + num(tipi.size()) + " (byte " + num(start) +
               ") has the unknown tag " + num(tag) +
               " (known: 0 empty, 2 integer, 5 double)";
        return false;
    }
    if (!in.has(width)) {
      *err = "element " + num(tipi.size()) + " (byte " + num(start) +
             ") is cut short: its value needs " + num(width) + " bytes, " +
             num(in.left()) + " are left";
      return false;
    }
    tipi.push_back(static_cast<tipo_elemento>(tag));
    valori.push_back(width == 2 ? in.i16() : width == 8 ? in.f64() : 0.0);
  }
  if (tipi.size() % 2 != 0) {
    *err = "odd number of elements (" + num(tipi.size()) +
           "): the x row and the y row must be equally long";
    return false;
  }

  const std::size_t metri = tipi.size() / 2;
  if (metri >
      static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    *err = "more metres (" + num(metri) + ") than a track line can hold";
    return false;
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
  return true;
}

}  // namespace compattatore
