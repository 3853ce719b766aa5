#include "tool/decode/dump_json.h"

#include <cstddef>
#include <string>
#include <type_traits>

#include "model/glossario.h"
#include "model/record_fields.h"
#include "tool/common/latin1.h"
#include "tool/decode/dump_text.h"

namespace compattatore::tool {
namespace {

using json = nlohmann::ordered_json;

json element_value(const tracciato_linea& t, std::size_t m, int asse) {
  switch (t.tipo(m, asse)) {
    case tipo_elemento::vuoto:
      return nullptr;
    case tipo_elemento::intero:
      return static_cast<std::int16_t>(t.valore(m, asse));
    case tipo_elemento::reale:
      return t.valore(m, asse);
  }
  return nullptr;
}

// A listing of a stretch says which: its first and last metre.
void add_range(json& j, const dump_range& range) {
  if (range.from != dump_range{}.from) j["from"] = range.from;
  if (range.to != dump_range{}.to) j["to"] = range.to;
}

}  // namespace

json cells_json(const std::vector<cella>& celle, bool all,
                const dump_range& range) {
  json list = json::array();
  for (std::size_t i = 0; i < celle.size(); ++i) {
    const cella& c = celle[i];
    if (!range.holds(metro_della_cella(i))) continue;
    if (!all && !any_field_set(c)) continue;
    json entry = {{"index", i},
                  {"metro", metro_della_cella(i)},
                  {"meaning", significato_oggetto(c.oggetto)}};
    for_each_field(cell_fields,
                   [&](const auto& f) { entry[f.name] = c.*f.member; });
    list.push_back(std::move(entry));
  }
  json j = {{"count", celle.size()}, {"listed", all ? "all" : "non-empty"}};
  add_range(j, range);
  j["cells"] = std::move(list);
  return j;
}

json stations_json(const std::array<stazione, numero_stazioni>& stazioni) {
  json list = json::array();
  for (std::size_t i = 0; i < stazioni.size(); ++i) {
    const stazione& s = stazioni[i];
    json entry = {{"index", i}, {"role", ruolo_voce(i, s)}};
    for_each_field(station_fields, [&](const auto& f) {
      using T = typename std::decay_t<decltype(f)>::type;
      if constexpr (std::is_same_v<T, std::string>) {
        entry[f.name] = latin1_to_utf8(s.*f.member);
      } else {
        entry[f.name] = s.*f.member;
      }
    });
    list.push_back(std::move(entry));
  }
  return {{"entries", std::move(list)}};
}

json track_json(const tracciato_linea& t, const dump_range& range) {
  json list = json::array();
  for (std::size_t m = 0; m < t.metri(); ++m) {
    if (!range.holds(static_cast<std::int64_t>(m))) continue;
    list.push_back({{"metro", m},
                    {"x", element_value(t, m, 0)},
                    {"x_kind", element_kind_word(t.tipo(m, 0))},
                    {"y", element_value(t, m, 1)},
                    {"y_kind", element_kind_word(t.tipo(m, 1))}});
  }
  json j = {{"metres", t.metri()}};
  add_range(j, range);
  j["elements"] = std::move(list);
  return j;
}

}  // namespace compattatore::tool
