// The data fault a compaction recorded, the program's own (one code and one
// position), as the tool tells it: one line that a person and an editor
// understand, and the same facts as a JSON object for programs. The
// diagnostics list (diagnostic.h) holds every problem found; this is the one
// the program keeps.
#ifndef TOOL_DIAGNOSTICS_RECORDED_FAULT_H_
#define TOOL_DIAGNOSTICS_RECORDED_FAULT_H_

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <string_view>

#include "model/scenario.h"

namespace compattatore::tool {

/// The recorded fault and what is known of its place.
struct recorded_fault {
  std::int32_t codice_errore = 0;
  std::int32_t posizione_errore = 0;
  /// Plain-words meaning of the code.
  std::string message;
  /// Whether `posizione_errore` belongs to this fault: some codes record
  /// none, and the field may then still hold an earlier fault's position.
  bool has_position = false;
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
recorded_fault fault_of(const scenario& s, const std::string& testo_linea,
                        const std::string& testo_treno);

/// "FILE:LINE:COLUMN: error CODE: MEANING, at POSITION m", with as much of
/// the place as is known; a fault of the pass ends in "(cell N)". Empty
/// when no fault was recorded.
std::string fault_line(const recorded_fault& f);

/// The seal guard's report: " Errore n. " and the number.
std::string seal_line(std::string_view numero);

/// codice_errore, posizione_errore, message, and file, line, column and
/// cell where known.
nlohmann::ordered_json fault_json(const recorded_fault& f);

}  // namespace compattatore::tool

#endif  // TOOL_DIAGNOSTICS_RECORDED_FAULT_H_
