// The records of the two scenario texts as an author writes them: the
// keyword, the record's name in messages, and each value with its meaning
// and what it may hold. The readers name the value they read by its index
// here, so a message about a field says which field and what is allowed.
#ifndef READER_TEXT_RECORDS_H_
#define READER_TEXT_RECORDS_H_

#include <cstdint>
#include <span>
#include <string_view>

#include "model/scenario.h"

namespace compattatore {

/// What a value may hold, by the width of its destination.
enum class value_width : std::uint8_t { i32, i16, u8, text };

struct text_value {
  std::string_view name;
  std::string_view meaning;
  value_width width = value_width::i32;
};

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

struct text_record {
  text_record_kind kind;
  quale_testo text;
  /// As written in the compiled-in texts.
  std::string_view keyword;
  /// How messages name one row ("signal").
  std::string_view name;
  std::span<const text_value> values;
};

/// Every record kind, route text first, each text's in its test order.
std::span<const text_record> text_records();
const text_record& text_record_of(text_record_kind kind);

/// "a whole number from 0 to 255" and the like.
std::string_view allowed_values(value_width w);

}  // namespace compattatore

#endif  // READER_TEXT_RECORDS_H_
