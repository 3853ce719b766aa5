#include "tool/diagnostics.h"

#include "model/codici_errore.h"
#include "model/fatal_report.h"

namespace compattatore::tool {
namespace {

bool del_passo(std::int32_t code) {
  return code == codice::passo_segnale_avviso ||
         code == codice::passo_finestra || code == codice::passo_interno;
}

// Whether a fault with this code sets posizione_errore. Codes that record
// none leave there whatever an earlier fault put (a position beyond the row
// followed by the chainage test's code 2, say), which must not be shown as
// theirs. The codes added for rejected input are shown with their position
// when they set one.
bool ha_posizione(std::int32_t code, std::int32_t posizione) {
  switch (code) {
    case codice::cartello_occupato:
    case codice::abbattimento_occupato:
    case codice::stazione_posizione:
    case codice::stazione_lunghezza:
    case codice::passo_segnale_avviso:
    case codice::passo_finestra:
    case codice::passo_interno:
    case codice::oltre_celle:
    case codice::segnale_occupato:
    case codice::avviso_occupato:
    case codice::inizio_occupato:
    case codice::fine_occupato:
    case codice::preavvisi_occupati:
    case codice::indicatore_occupato:
    case codice::stazioni_vicine:
      return true;
    case codice::lunghezza_eccessiva:
    case codice::progressiva_non_multipla:
    case codice::ripetizione_inizio:
    case codice::ripetizione_fine:
    case codice::ripetizione_codici:
    case codice::troppe_stazioni:
    case codice::stazione_troppo_presto:
    case codice::lettura_fallita:
    case codice::testo_linea_mancante:
    case codice::generale_mancante:
    case codice::curva_o_geometria:
      return false;
    default:
      return posizione != 0;
  }
}

}  // namespace

diagnosi diagnosi_di(const scenario& s, const std::string& testo_linea,
                     const std::string& testo_treno) {
  diagnosi d;
  d.codice_errore = s.codice_errore;
  d.posizione_errore = s.posizione_errore;
  if (s.codice_errore == codice::nessuno) {
    d.message = codice::significato(codice::nessuno);
    return d;
  }
  const std::string_view meaning = codice::significato(s.codice_errore);
  d.message = meaning.empty() ? "unknown fault code" : std::string(meaning);
  d.con_posizione = ha_posizione(s.codice_errore, s.posizione_errore);
  if (del_passo(s.codice_errore)) {
    // The pass works on cells, not on text: where reading stopped says
    // nothing about this fault.
    d.cella = s.posizione_errore / passo_cella;
    return d;
  }
  switch (s.punto_errore.file) {
    case testo::linea:
      d.file = testo_linea;
      break;
    case testo::treno:
      d.file = testo_treno;
      break;
    case testo::nessuno:
      return d;
  }
  d.riga = s.punto_errore.riga;
  d.colonna = s.punto_errore.colonna;
  return d;
}

std::string riga_diagnostica(const diagnosi& d) {
  if (d.codice_errore == codice::nessuno) return {};
  std::string out;
  if (d.file.empty()) {
    out = prefisso_tool;
  } else {
    out = d.file;
    if (d.riga > 0) {
      out += ':' + std::to_string(d.riga);
      if (d.colonna > 0) out += ':' + std::to_string(d.colonna);
    }
    out += ": ";
  }
  out += "error " + std::to_string(d.codice_errore) + ": " + d.message;
  if (d.con_posizione) {
    out += ", at " + std::to_string(d.posizione_errore) + " m";
  }
  if (d.cella) out += " (cell " + std::to_string(*d.cella) + ")";
  return out;
}

std::string riga_sigillo(std::string_view numero) {
  std::string out(prefisso_errore);
  out += numero;
  return out;
}

nlohmann::ordered_json json_diagnosi(const diagnosi& d) {
  nlohmann::ordered_json j;
  j["codice_errore"] = d.codice_errore;
  j["posizione_errore"] = d.posizione_errore;
  j["message"] = d.message;
  if (!d.file.empty()) {
    j["file"] = d.file;
    if (d.riga > 0) j["line"] = d.riga;
    if (d.colonna > 0) j["column"] = d.colonna;
  }
  if (d.cella) j["cell"] = *d.cella;
  return j;
}

}  // namespace compattatore::tool
