// What an author may write in the two scenario texts: every record the
// readers recognise, its keyword, its values with units and the values the
// readers accept, and a line that reads clean. The README's reference is
// printed from this table, and the reader's tests read every example, so
// the reference cannot say one thing while the readers do another.
#ifndef READER_TEXT_FORMATS_H_
#define READER_TEXT_FORMATS_H_

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/scenario.h"

namespace compattatore {

/// Where in a text a record is recognised.
enum class sezione_testo {
  /// The route text's "[generale]" section only.
  generale_linea,
  /// After the route text's general section, under any heading.
  record_linea,
  /// Anywhere after the train text's "[generale]".
  treno,
};

struct campo_testo {
  std::string_view nome;
  /// "m", "km/h", "per mille", ...; empty for a plain number or a text.
  std::string_view unita;
  /// What the readers accept, in words.
  std::string_view ammessi;
  std::string_view significato;
  /// The largest value the field's destination holds, when the reader
  /// refuses a larger one as unreadable.
  std::optional<std::int32_t> massimo = std::nullopt;
};

struct record_testo {
  sezione_testo sezione;
  std::string_view nome;
  /// As the compiled-in texts write it.
  std::string_view parola;
  /// How the reader recognises the keyword field.
  std::string_view prova;
  std::span<const campo_testo> campi;
  /// One line that the readers take without a fault or a warning.
  std::string_view esempio;
  /// Further rules: order, limits across records, what is lost.
  std::string_view regole;
};

std::span<const record_testo> formati_testi();

/// The README's "Writing scenario texts" reference, in Markdown, ending in a
/// line end.
std::string riferimento_markdown();

}  // namespace compattatore

#endif  // READER_TEXT_FORMATS_H_
