// Records rebuilt from `compatta dump --json` by their field values alone,
// as a program reading the JSON would: the tests compare them with the
// records the files were made from.
#ifndef TESTS_JSON_RECORDS_H_
#define TESTS_JSON_RECORDS_H_

#include <array>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <type_traits>
#include <vector>

#include "model/record_fields.h"
#include "model/scenario.h"
#include "model/tracciato.h"
#include "tool/decode/dump.h"

namespace compattatore {

/// Every cell of the row: listed cells from their fields, the others zero.
inline std::vector<cella> cells_from_json(const nlohmann::json& j) {
  std::vector<cella> row(j.at("count").get<std::size_t>());
  for (const nlohmann::json& c : j.at("cells")) {
    cella& k = row.at(c.at("index").get<std::size_t>());
    for_each_field(cell_fields, [&](const auto& f) {
      using T = typename std::decay_t<decltype(f)>::type;
      k.*f.member = c.at(std::string(f.name)).template get<T>();
    });
  }
  return row;
}

inline std::array<stazione, numero_stazioni> stations_from_json(
    const nlohmann::json& j) {
  std::array<stazione, numero_stazioni> table{};
  for (const nlohmann::json& e : j.at("entries")) {
    stazione& s = table.at(e.at("index").get<std::size_t>());
    for_each_field(station_fields, [&](const auto& f) {
      using T = typename std::decay_t<decltype(f)>::type;
      const nlohmann::json& v = e.at(std::string(f.name));
      if constexpr (std::is_same_v<T, std::string>) {
        s.*f.member = tool::utf8_to_latin1(v.get<std::string>());
      } else {
        s.*f.member = v.template get<T>();
      }
    });
  }
  return table;
}

inline tracciato_linea track_from_json(const nlohmann::json& j) {
  tracciato_linea t;
  const auto metri = j.at("metres").get<std::size_t>();
  if (metri == 0) return t;
  t.make(static_cast<std::int32_t>(metri - 1));
  for (const nlohmann::json& e : j.at("elements")) {
    const auto m = e.at("metro").get<std::size_t>();
    for (int asse = 0; asse < 2; ++asse) {
      const std::string axis = asse == 0 ? "x" : "y";
      const std::string kind = e.at(axis + "_kind").get<std::string>();
      if (kind == "int") {
        t.set_intero(m, asse, e.at(axis).get<std::int16_t>());
      } else if (kind == "double") {
        t.set_reale(m, asse, e.at(axis).get<double>());
      }
    }
  }
  return t;
}

}  // namespace compattatore

#endif  // TESTS_JSON_RECORDS_H_
