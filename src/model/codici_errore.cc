#include "model/codici_errore.h"

namespace compattatore::codice {

std::string_view significato(std::int32_t code) {
  switch (code) {
    case nessuno:
      return "no fault";
    case lunghezza_eccessiva:
      return "route length above 1000000 m";
    case progressiva_non_multipla:
      return "a chainage value (\"progressiva\" row) is not a multiple of 50";
    case ripetizione_inizio:
      return "signal repetition start is not a multiple of 50";
    case ripetizione_fine:
      return "signal repetition end is not a multiple of 50";
    case ripetizione_codici:
      return "signal repetition keyword holds neither \"4\" nor \"9\"";
    case cartello_occupato:
      return "indication board cell already taken";
    case abbattimento_occupato:
      return "speed cap cell already taken";
    case stazione_posizione:
      return "station position is not a multiple of 50";
    case stazione_lunghezza:
      return "station length is not a multiple of 100";
    case troppe_stazioni:
      return "too many stations: they would meet the indication boards";
    case passo_segnale_avviso:
      return "no free cell for a speed point before a signal near a slowdown "
             "warning";
    case passo_finestra:
      return "no free cell for a speed point in a window before a slowdown "
             "start";
    case passo_interno:
      return "no free cell for a speed point inside or after a slowdown";
    case oltre_celle:
      return "position beyond the end of the cell row";
    case segnale_occupato:
      return "signal cell already taken";
    case avviso_occupato:
      return "slowdown warning cell already taken";
    case inizio_occupato:
      return "slowdown start cell already taken";
    case fine_occupato:
      return "slowdown end cell already taken";
    case preavvisi_occupati:
      return "slowdown approach cells already taken";
    case indicatore_occupato:
      return "maximum-speed indicator cell already taken";
    case stazioni_vicine:
      return "station area begins less than 350 m after the previous one ends";
    case stazione_troppo_presto:
      return "station area ends too near the route start";
    case lettura_fallita:
      return "unreadable field: not a number, too large for its field, or the "
             "text ended early";
    case testo_linea_mancante:
      return "route text missing";
    case generale_mancante:
      return "route text has no \"[generale]\" heading";
    case curva_o_geometria:
      return "curve keyword without class digit 1 to 6, or track line beyond "
             "its end (1000000 m or the route's extended length)";
    case posizione_negativa:
      return "negative position, or negative route length";
    case montagna_oltre_celle:
      return "montagna stretch ends beyond the cell row";
    case troppe_montagne:
      return "more than 80 montagna stretches";
    case troppi_cartelli:
      return "more than 80 indication boards";
    case segnale_troppo_presto:
      return "signal before 350 m";
    case rallentamento_fuori_celle:
      return "slowdown end outside the cell row";
    case stazione_oltre_celle:
      return "station end beyond the cell row";
    default:
      return {};
  }
}

}  // namespace compattatore::codice
