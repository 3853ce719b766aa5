#include "model/warnings.h"

namespace compattatore::avviso {
namespace {

constexpr warning_entry table[] = {
    {unknown_keyword,
     "a field where a record's keyword belongs is no keyword: the row is "
     "passed over, with the values it drags along"},
    {no_general,
     "the train text has no [generale] heading: none of its records is read"},
    {after_end, "records after the [fine] heading are still read"},
    {name_comma,
     "a comma cuts a station name or a board inscription: the rest is read "
     "as keyword fields"},
    {non_ascii,
     "a name holds bytes outside ASCII, which the simulator shows as "
     "Latin-1 characters"},
    {run_on, "a record's values run onto the following lines"},
    {extra_values,
     "values left over on a record's line are read as keyword fields and "
     "do nothing"},
    {same_text, "the same file is given as the route text and the train text"},
    {empty_train, "the train has no station or no signal"},
    {signal_time,
     "a signal's time is dropped: only a signal whose side s code is 2 "
     "keeps one"},
    {station_overwrite,
     "a station's end marker replaces an object already in its place on "
     "the track"},
    {chainage_cleared,
     "two chainage rows share the largest first value: all three are "
     "cleared to 0"},
};

}  // namespace

std::span<const warning_entry> warning_table() { return table; }

const warning_entry* find_warning(std::string_view name) {
  for (const warning_entry& e : table) {
    if (e.name == name) return &e;
  }
  return nullptr;
}

}  // namespace compattatore::avviso
