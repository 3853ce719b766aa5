// What the author's tool says about the data fault a compaction recorded:
// one line that a person and an editor understand, and the same facts as a
// JSON object for programs.
#ifndef TOOL_DIAGNOSTICS_DIAGNOSTICS_H_
#define TOOL_DIAGNOSTICS_DIAGNOSTICS_H_

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "model/scenario.h"

namespace compattatore::tool {

/// Starts every message of the tool that has no file to point at.
inline constexpr std::string_view prefisso_tool = "compatta: ";

/// The recorded fault and what is known of its place.
struct diagnosi {
  std::int32_t codice_errore = 0;
  std::int32_t posizione_errore = 0;
  /// Plain-words meaning of the code.
  std::string message;
  /// Whether `posizione_errore` belongs to this fault: some codes record
  /// none, and the field may then still hold an earlier fault's position.
  bool con_posizione = false;
  /// Faults of the consistency pass: the cell whose place they report.
  std::optional<std::int32_t> cella;
  /// The text where reading stopped, and the 1-based line and column of the
  /// field read last; empty and 0 when not known.
  std::string file;
  std::int32_t line = 0;
  std::int32_t column = 0;
};

/// The fault recorded in `s`, placed in `testo_linea` or `testo_treno` (the
/// two texts' paths) by `s.punto_errore`.
diagnosi diagnosi_di(const scenario& s, const std::string& testo_linea,
                     const std::string& testo_treno);

/// "FILE:LINE:COLUMN: error CODE: MEANING, at POSITION m", with as much of
/// the place as is known; a fault of the pass ends in "(cell N)". Empty
/// when no fault was recorded.
std::string riga_diagnostica(const diagnosi& d);

/// The seal guard's report: " Errore n. " and the number.
std::string riga_sigillo(std::string_view numero);

/// codice_errore, posizione_errore, message, and file, line, column and
/// cell where known.
nlohmann::ordered_json json_diagnosi(const diagnosi& d);

}  // namespace compattatore::tool

#endif  // TOOL_DIAGNOSTICS_DIAGNOSTICS_H_
