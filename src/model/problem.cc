#include "model/problem.h"

namespace compattatore {

std::string problem_sink::what(const record_origin& o) const {
  if (o.placed_for >= 0) {
    return std::string(o.name) + what(record(o.placed_for));
  }
  return record_called(o.name, o.metres);
}

std::string record_called(std::string_view name, std::int64_t metres) {
  return "the " + std::string(name) + " at " + std::to_string(metres) + " m";
}

std::string describe_cell(const cella& c) {
  switch (static_cast<oggetto_cella>(c.oggetto)) {
    case oggetto_cella::nulla:
    case oggetto_cella::montagna:
      return "nothing";
    case oggetto_cella::segnale:
      return "a signal";
    case oggetto_cella::fine_rallentamento:
      return "the end of a slowdown";
    case oggetto_cella::inizio_rallentamento:
      return "the start of a slowdown";
    case oggetto_cella::avviso_rallentamento:
      return "the warning of a slowdown";
    case oggetto_cella::preavviso_rallentamento:
      return "an approach mark of a slowdown";
    case oggetto_cella::indicatore_v_max:
      return "a speed board";
    case oggetto_cella::fine_stazione:
      return "the end of a station";
    case oggetto_cella::abbattimento:
    case oggetto_cella::abbattimento_senza_velocita:
      return "a speed cap";
    case oggetto_cella::cartello_indicatore:
      return "an indication board";
  }
  return "an object";
}

}  // namespace compattatore
