#include "model/glossario.h"

#include <string>

namespace compattatore {

std::string_view significato_oggetto(std::uint8_t oggetto) {
  switch (static_cast<oggetto_cella>(oggetto)) {
    case oggetto_cella::nulla:
      return "nothing";
    case oggetto_cella::segnale:
      return "signal";
    case oggetto_cella::fine_rallentamento:
      return "slowdown end";
    case oggetto_cella::inizio_rallentamento:
      return "slowdown start";
    case oggetto_cella::avviso_rallentamento:
      return "slowdown warning";
    case oggetto_cella::preavviso_rallentamento:
      return "slowdown approach";
    case oggetto_cella::indicatore_v_max:
      return "maximum-speed indicator";
    case oggetto_cella::fine_stazione:
      return "station end";
    case oggetto_cella::montagna:
      return "montagna marker";
    case oggetto_cella::abbattimento:
      return "speed cap";
    case oggetto_cella::abbattimento_senza_velocita:
      return "speed cap without speed";
    case oggetto_cella::cartello_indicatore:
      return "indication board";
  }
  return "unknown kind";
}

namespace {

bool numeri_vuoti(const stazione& s) {
  stazione numbers = s;
  numbers.nome.clear();
  return numbers == stazione{};
}

}  // namespace

std::string_view ruolo_voce(std::size_t i, const stazione& s) {
  switch (i) {
    case 0:
      return "unused";
    case stazione_progressiva_tre:
      return "chainage row \"tre\"";
    case stazione_progressiva_due:
      return "chainage row \"due\"";
    case stazione_progressiva_uno:
      return "chainage row \"uno\"";
    case stazione_testata_treno_linea:
      return "train and route header";
    case stazione_testata_linea:
      return "route header and seal";
    case stazione_testata_treno:
      return "train header";
    default:
      break;
  }
  if (!numeri_vuoti(s)) return "station";
  return s.nome.empty() ? "empty" : "indication board";
}

std::string significato_testata(std::size_t i, const stazione& s) {
  const auto n = [](auto v) { return std::to_string(v); };
  switch (i) {
    case stazione_progressiva_tre:
    case stazione_progressiva_due:
    case stazione_progressiva_uno:
      return "the row's three numbers: " + n(s.inizio_area) + ", " +
             n(s.fine_area) + ", " + n(s.progressiva);
    case stazione_testata_treno_linea:
      return "braked mass " + n(s.inizio_area) + " %, route length " +
             n(s.fine_area) + " m, " + n(s.progressiva) + " coaches";
    case stazione_testata_linea:
      return "sfondo uno " + n(s.inizio_area) + ", due " + n(s.progressiva) +
             ", tre " + n(s.fine_area) + "; stamp " + n(s.numero_1) +
             ", check code " + n(s.orario);
    case stazione_testata_treno:
      return "signal repetition " + n(s.inizio_area) + " to " + n(s.fine_area) +
             " m with " + n(s.progressiva) + " codes; sand " + n(s.numero_1) +
             "; clock " + n(s.numero_3) + ":" + n(s.numero_4) + ":" +
             n(s.numero_5);
    default:
      return {};
  }
}

}  // namespace compattatore
