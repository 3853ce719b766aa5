// The records of the two scenario texts, one row per kind: how an author
// writes it, what the reader does with it, and each value with its one name,
// unit, allowed values and meaning. The readers take the position rule from
// it, the messages name records and values by it, and the author's reference
// is printed from it, so the three cannot drift apart.
#ifndef READER_TEXT_RECORDS_H_
#define READER_TEXT_RECORDS_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace compattatore {

/// Margin of the range test: positions and station positions.
inline constexpr std::int32_t margine_posizione = 100;
inline constexpr std::int32_t margine_stazione = 800;

/// What a value may hold, by the width of its destination.
enum class value_width : std::uint8_t { i32, i16, u8, text };

/// What the readers enforce of a value beyond its width. Further bounds
/// (lowest, highest, multiple of, wrapping or clamping, order against the
/// previous row, within the route) belong here.
struct value_range {
  /// The largest value read at all, where the reader refuses a larger one
  /// as unreadable although the width would hold it; or where the reference
  /// states the width's own limit.
  std::optional<std::int32_t> largest_readable = std::nullopt;
};

struct text_value {
  /// The one name of the value: in the reference and in messages.
  std::string_view name;
  /// "m", "km/h", "per mille", ...; empty for a plain number or a text.
  std::string_view unit;
  /// What the readers accept, in words.
  std::string_view allowed;
  std::string_view meaning;
  value_width width = value_width::i32;
  value_range range = {};
};

/// Where in a text a record is recognised.
enum class sezione_testo : std::uint8_t {
  /// The route text's "[generale]" section only.
  generale_linea,
  /// After the route text's general section, under any heading.
  record_linea,
  /// Anywhere after the train text's "[generale]".
  treno,
};

/// Kinds in table order: the table is indexed by kind.
enum class text_record_kind : std::uint8_t {
  lunghezza,
  progressiva,
  sfondo,
  ripetizione,
  pendenza,
  curva,
  montagna,
  indicatore,
  cartello,
  massa_frenata,
  vetture,
  velocita,
  aderenza,
  orologio,
  sabbia,
  segnale,
  rallentamento,
  abbattimento,
  stazione,
};
inline constexpr std::size_t text_record_kinds = 19;

/// A record's position: which value it is, and the margin of its range
/// test.
struct position_rule {
  std::size_t value = 0;
  std::int32_t margine = margine_posizione;
};

struct text_record {
  text_record_kind kind;
  sezione_testo section;
  /// The reference's heading for the record ("Route length").
  std::string_view title;
  /// As the compiled-in texts write it.
  std::string_view keyword;
  /// How messages name one row ("signal").
  std::string_view name;
  /// How the reader recognises the keyword field, in words.
  std::string_view recognised_by;
  std::span<const text_value> values;
  /// Set for a record placed on the track.
  std::optional<position_rule> position = std::nullopt;
  /// One line that the readers take without a fault or a warning.
  std::string_view example;
  /// Further rules: order, limits across records, what is lost.
  std::string_view rules = {};
};

/// Every record kind, route text first, each text's in its test order.
std::span<const text_record> text_records();
const text_record& text_record_of(text_record_kind kind);

/// "a whole number from 0 to 255" and the like.
std::string_view allowed_values(value_width w);

}  // namespace compattatore

#endif  // READER_TEXT_RECORDS_H_
