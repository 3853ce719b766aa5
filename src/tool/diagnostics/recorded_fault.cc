#include "tool/diagnostics/recorded_fault.h"

#include "model/codici_errore.h"
#include "model/fatal_report.h"
#include "tool/common/message_prefix.h"

namespace compattatore::tool {
namespace {

// A fault's position is shown only when the fault set it.
bool shows_position(const codice::fault_entry& e, std::int32_t posizione) {
  switch (e.position) {
    case codice::position_rule::always:
      return true;
    case codice::position_rule::never:
      return false;
    case codice::position_rule::when_set:
      return posizione != 0;
  }
  return false;
}

}  // namespace

recorded_fault fault_of(const scenario& s, const std::string& testo_linea,
                        const std::string& testo_treno) {
  recorded_fault d;
  d.codice_errore = s.codice_errore;
  d.posizione_errore = s.posizione_errore;
  if (s.codice_errore == codice::nessuno) {
    d.message = codice::significato(codice::nessuno);
    return d;
  }
  const codice::fault_entry* e = codice::find_fault(s.codice_errore);
  if (e == nullptr) {
    // A code from outside the table (never recorded by the core): shown
    // with its position when it has one.
    d.message = "unknown fault code";
    d.has_position = s.posizione_errore != 0;
  } else {
    d.message = std::string(e->meaning);
    d.has_position = shows_position(*e, s.posizione_errore);
    if (e->kind == codice::fault_kind::pass) {
      // The pass works on cells, not on text: where reading stopped says
      // nothing about this fault.
      d.cella = s.posizione_errore / passo_cella;
      return d;
    }
  }
  switch (s.punto_errore.file) {
    case quale_testo::linea:
      d.file = testo_linea;
      break;
    case quale_testo::treno:
      d.file = testo_treno;
      break;
    case quale_testo::nessuno:
      return d;
  }
  d.line = s.punto_errore.line;
  d.column = s.punto_errore.column;
  return d;
}

std::string fault_line(const recorded_fault& d) {
  if (d.codice_errore == codice::nessuno) return {};
  std::string out;
  if (d.file.empty()) {
    out = message_prefix;
  } else {
    out = d.file;
    if (d.line > 0) {
      out += ':' + std::to_string(d.line);
      if (d.column > 0) out += ':' + std::to_string(d.column);
    }
    out += ": ";
  }
  out += "error " + std::to_string(d.codice_errore) + ": " + d.message;
  if (d.has_position) {
    out += ", at " + std::to_string(d.posizione_errore) + " m";
  }
  if (d.cella) out += " (cell " + std::to_string(*d.cella) + ")";
  return out;
}

std::string seal_line(std::string_view numero) {
  std::string out(prefisso_errore);
  out += numero;
  return out;
}

nlohmann::ordered_json fault_json(const recorded_fault& d) {
  nlohmann::ordered_json j;
  j["codice_errore"] = d.codice_errore;
  j["posizione_errore"] = d.posizione_errore;
  j["message"] = d.message;
  if (!d.file.empty()) {
    j["file"] = d.file;
    if (d.line > 0) j["line"] = d.line;
    if (d.column > 0) j["column"] = d.column;
  }
  if (d.cella) j["cell"] = *d.cella;
  return j;
}

}  // namespace compattatore::tool
