#include "model/codici_errore.h"

#include <algorithm>
#include <iterator>

namespace compattatore::codice {
namespace {

constexpr fault_entry table[] = {
    {lunghezza_eccessiva, "route length above 1000000 m", "",
     position_rule::never, "none", fault_kind::hard_route},
    {progressiva_non_multipla,
     "a chainage value (\"progressiva\" row) is not a multiple of 50", "",
     position_rule::never, "none", fault_kind::after_train},
    {ripetizione_inizio, "signal repetition start is not a multiple of 50", "",
     position_rule::never, "none", fault_kind::hard_route},
    {ripetizione_fine, "signal repetition end is not a multiple of 50", "",
     position_rule::never, "none", fault_kind::hard_route},
    {ripetizione_codici,
     "signal repetition keyword holds neither \"4\" nor \"9\"", "",
     position_rule::never, "none", fault_kind::hard_route},
    {cartello_occupato,
     "indication board where the track already holds an object", "",
     position_rule::always, "board", fault_kind::hard_route},
    {abbattimento_occupato, "speed cap where the track already holds an object",
     "", position_rule::always, "speed cap", fault_kind::hard_train},
    {stazione_posizione, "station position is not a multiple of 50", "",
     position_rule::always, "station", fault_kind::hard_train},
    {stazione_lunghezza, "station length is not a multiple of 100", "",
     position_rule::always, "station", fault_kind::hard_train},
    {troppe_stazioni,
     "too many stations: they would meet the indication boards", "",
     position_rule::never, "none", fault_kind::hard_train},
    {passo_segnale_avviso,
     "no free cell for a speed point before a signal near a slowdown warning",
     "", position_rule::always, "signal cell × 50", fault_kind::pass},
    {passo_finestra,
     "no free cell for a speed point in a window before a slowdown start", "",
     position_rule::always, "start cell × 50", fault_kind::pass},
    {passo_interno, "no free cell for a speed point inside or after a slowdown",
     "; or a slowdown with no end in the row", position_rule::always,
     "cell × 50", fault_kind::pass},
    {oltre_celle,
     "position beyond the end of the track (the route's length and 7000 m)", "",
     position_rule::always, "the record's position", fault_kind::soft},
    {segnale_occupato, "signal where the track already holds an object", "",
     position_rule::always, "signal", fault_kind::hard_train},
    {avviso_occupato,
     "slowdown warning (1200 m before its start) where the track already holds "
     "an object",
     "", position_rule::always, "slowdown start", fault_kind::hard_train},
    {inizio_occupato, "slowdown start where the track already holds an object",
     "", position_rule::always, "slowdown start", fault_kind::hard_train},
    {fine_occupato, "slowdown end where the track already holds an object", "",
     position_rule::always, "slowdown start", fault_kind::hard_train},
    {preavvisi_occupati,
     "slowdown approach marks (the 200 m before its warning) where the track "
     "already holds an object",
     "", position_rule::always, "slowdown start", fault_kind::hard_train},
    {indicatore_occupato, "speed board where the track already holds an object",
     "", position_rule::always, "indicator", fault_kind::hard_route},
    {stazioni_vicine,
     "station area begins less than 350 m after the previous one ends", "",
     position_rule::always, "station", fault_kind::hard_train},
    {stazione_troppo_presto, "station area ends too near the route start", "",
     position_rule::never, "none", fault_kind::hard_train},
    {lettura_fallita,
     "unreadable value: not a whole number, too large for its field, or "
     "missing where the text ends",
     "; also a text that cannot be read, a route text without a route length, "
     "a speed above 1275 km/h",
     position_rule::never, "none", fault_kind::read_failure},
    {testo_linea_mancante, "route text missing", "", position_rule::never,
     "none", fault_kind::no_route_text},
    {generale_mancante, "route text has no \"[generale]\" heading", "",
     position_rule::never, "none", fault_kind::hard_route},
    {curva_o_geometria,
     "curve keyword without class digit 1 to 6, or track line beyond its end "
     "(1000000 m or the route's extended length)",
     ": a curve taking the track line past 1000000 m, or a curve beyond the "
     "route's length + 7000 m",
     position_rule::never, "the curve's start (last case)",
     fault_kind::hard_route},
    {posizione_negativa, "negative position, or negative route length",
     " (a position of any record)", position_rule::when_set, "that value",
     fault_kind::hard},
    {montagna_oltre_celle, "montagna stretch ends beyond the end of the track",
     "", position_rule::when_set, "stretch start", fault_kind::hard_route},
    {troppe_montagne, "more than 80 montagna stretches", "",
     position_rule::when_set, "stretch start", fault_kind::hard_route},
    {troppi_cartelli, "more than 80 indication boards", "",
     position_rule::when_set, "board", fault_kind::hard_route},
    {segnale_troppo_presto, "signal before 350 m",
     " (its approach cells would fall before the row)", position_rule::when_set,
     "signal", fault_kind::hard_train},
    {rallentamento_fuori_celle, "slowdown ends beyond the end of the track", "",
     position_rule::when_set, "slowdown start", fault_kind::hard_train},
    {stazione_oltre_celle, "station end beyond the end of the track",
     " (its end marker)", position_rule::when_set, "station",
     fault_kind::hard_train},
};

constexpr bool in_order() {
  for (std::size_t i = 1; i < std::size(table); ++i) {
    if (table[i - 1].code >= table[i].code) return false;
  }
  return true;
}
static_assert(in_order(), "one entry per code, in increasing order");

constexpr seal_guard_entry guards[] = {
    {guardia_sigillo_1, "the route's first 50 m hold a value"},
    {guardia_sigillo_2, "the route's first 50 m hold a second value"},
};

}  // namespace

std::span<const fault_entry> fault_table() { return table; }

const fault_entry* find_fault(std::int32_t code) {
  const fault_entry* it = std::lower_bound(
      std::begin(table), std::end(table), code,
      [](const fault_entry& e, std::int32_t c) { return e.code < c; });
  return it != std::end(table) && it->code == code ? it : nullptr;
}

std::string_view kind_text(fault_kind k) {
  switch (k) {
    case fault_kind::hard_route:
      return "hard (route)";
    case fault_kind::hard_train:
      return "hard (train)";
    case fault_kind::hard:
      return "hard";
    case fault_kind::soft:
      return "soft";
    case fault_kind::pass:
      return "consistency pass, goes on";
    case fault_kind::after_train:
      return "tested after the train text";
    case fault_kind::read_failure:
      return "both texts deleted";
    case fault_kind::no_route_text:
      return "nothing read or deleted";
  }
  return {};
}

std::string_view significato(std::int32_t code) {
  if (code == nessuno) return "no fault";
  const fault_entry* e = find_fault(code);
  return e ? e->meaning : std::string_view{};
}

std::span<const seal_guard_entry> seal_guard_table() { return guards; }

const seal_guard_entry* find_seal_guard(std::int32_t code) {
  for (const seal_guard_entry& g : guards) {
    if (g.code == code) return &g;
  }
  return nullptr;
}

}  // namespace compattatore::codice
