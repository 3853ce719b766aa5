// Records rebuilt from `compatta dump --json` by their field values alone,
// as a program reading the JSON would: the tests compare them with the
// records the files were made from.
#ifndef TESTS_JSON_RECORDS_H_
#define TESTS_JSON_RECORDS_H_

#include <array>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "model/scenario.h"
#include "model/tracciato.h"
#include "tool/dump.h"

namespace compattatore {

/// Every cell of the row: listed cells from their fields, the others zero.
inline std::vector<cella> cells_from_json(const nlohmann::json& j) {
  std::vector<cella> row(j.at("count").get<std::size_t>());
  for (const nlohmann::json& c : j.at("cells")) {
    cella& k = row.at(c.at("index").get<std::size_t>());
    k.oggetto = c.at("oggetto").get<std::uint8_t>();
    k.valore_1 = c.at("valore_1").get<std::int16_t>();
    k.valore_2 = c.at("valore_2").get<std::int16_t>();
    k.valore_3 = c.at("valore_3").get<std::int16_t>();
    k.valore_4 = c.at("valore_4").get<std::int16_t>();
    k.tempo_segnale = c.at("tempo_segnale").get<std::uint8_t>();
    k.preavviso = c.at("preavviso").get<std::uint8_t>();
    k.montagna = c.at("montagna").get<std::uint8_t>();
    k.velocita_linea = c.at("velocita_linea").get<std::uint8_t>();
    k.pendenza = c.at("pendenza").get<std::uint8_t>();
    k.aderenza = c.at("aderenza").get<std::uint8_t>();
  }
  return row;
}

inline std::array<stazione, numero_stazioni> stations_from_json(
    const nlohmann::json& j) {
  std::array<stazione, numero_stazioni> table{};
  for (const nlohmann::json& e : j.at("entries")) {
    stazione& s = table.at(e.at("index").get<std::size_t>());
    s.categoria = e.at("categoria").get<std::uint8_t>();
    s.inizio_area = e.at("inizio_area").get<std::int32_t>();
    s.fine_area = e.at("fine_area").get<std::int32_t>();
    s.progressiva = e.at("progressiva").get<std::int32_t>();
    s.opzione_1 = e.at("opzione_1").get<std::uint8_t>();
    s.nome = tool::utf8_to_latin1(e.at("nome").get<std::string>());
    s.numero_1 = e.at("numero_1").get<std::int16_t>();
    s.numero_2 = e.at("numero_2").get<std::int16_t>();
    s.numero_3 = e.at("numero_3").get<std::int16_t>();
    s.numero_4 = e.at("numero_4").get<std::int16_t>();
    s.numero_5 = e.at("numero_5").get<std::int16_t>();
    s.opzione_2 = e.at("opzione_2").get<std::uint8_t>();
    s.opzione_3 = e.at("opzione_3").get<std::uint8_t>();
    s.opzione_4 = e.at("opzione_4").get<std::uint8_t>();
    s.opzione_5 = e.at("opzione_5").get<std::uint8_t>();
    s.orario = e.at("orario").get<std::int32_t>();
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
