// The fields of the two compiled records, once, in file order: the
// encoders, the decoders, the dump and the tests walk these tables, so a
// field added or moved is added or moved everywhere.
#ifndef MODEL_RECORD_FIELDS_H_
#define MODEL_RECORD_FIELDS_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>

#include "model/scenario.h"

namespace compattatore {

/// One field of `Record`: its name (as in the model and the dump's JSON)
/// and the member holding it. The member's type is the field's width in the
/// file: 8, 16 or 32 bits little-endian; a `std::string` is a 16-bit length
/// and that many bytes.
template <typename Record, typename T>
struct field {
  std::string_view name;
  T Record::*member;
  using type = T;
};
template <typename Record, typename T>
field(const char*, T Record::*) -> field<Record, T>;

/// The cell record: 15 bytes.
inline constexpr auto cell_fields = std::make_tuple(
    field{"oggetto", &cella::oggetto}, field{"valore_1", &cella::valore_1},
    field{"valore_2", &cella::valore_2}, field{"valore_3", &cella::valore_3},
    field{"valore_4", &cella::valore_4},
    field{"tempo_segnale", &cella::tempo_segnale},
    field{"preavviso", &cella::preavviso}, field{"montagna", &cella::montagna},
    field{"velocita_linea", &cella::velocita_linea},
    field{"pendenza", &cella::pendenza}, field{"aderenza", &cella::aderenza});

/// The station record: 34 bytes and the name's.
inline constexpr auto station_fields = std::make_tuple(
    field{"categoria", &stazione::categoria},
    field{"inizio_area", &stazione::inizio_area},
    field{"fine_area", &stazione::fine_area},
    field{"progressiva", &stazione::progressiva},
    field{"opzione_1", &stazione::opzione_1}, field{"nome", &stazione::nome},
    field{"numero_1", &stazione::numero_1},
    field{"numero_2", &stazione::numero_2},
    field{"numero_3", &stazione::numero_3},
    field{"numero_4", &stazione::numero_4},
    field{"numero_5", &stazione::numero_5},
    field{"opzione_2", &stazione::opzione_2},
    field{"opzione_3", &stazione::opzione_3},
    field{"opzione_4", &stazione::opzione_4},
    field{"opzione_5", &stazione::opzione_5},
    field{"orario", &stazione::orario});

/// Calls `f(field)` for every field of `fields`, in file order.
template <typename Fields, typename F>
constexpr void for_each_field(const Fields& fields, F&& f) {
  std::apply([&f](const auto&... each) { (f(each), ...); }, fields);
}

/// Bytes a field of type T takes in the file, a name's bytes not counted.
template <typename T>
constexpr std::size_t field_bytes() {
  if constexpr (std::is_same_v<T, std::string>) {
    return 2;
  } else {
    static_assert(std::is_integral_v<T> &&
                  (sizeof(T) == 1 || sizeof(T) == 2 || sizeof(T) == 4));
    return sizeof(T);
  }
}

/// Bytes of the fields before the name (the name's length included) and,
/// with `after_name`, after it; without a name, of the whole record.
template <typename Fields>
constexpr std::size_t fixed_bytes(const Fields& fields, bool after_name) {
  std::size_t n = 0;
  bool past_name = false;
  for_each_field(fields, [&](const auto& f) {
    using T = typename std::decay_t<decltype(f)>::type;
    if (past_name == after_name) n += field_bytes<T>();
    if (std::is_same_v<T, std::string>) past_name = true;
  });
  return n;
}

}  // namespace compattatore

#endif  // MODEL_RECORD_FIELDS_H_
