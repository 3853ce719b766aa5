#include "reader/text_reference.h"

#include <optional>

#include "reader/text_records.h"

namespace compattatore {
namespace {

std::string_view titolo_sezione(sezione_testo s) {
  switch (s) {
    case sezione_testo::generale_linea:
      return "Route text (`NAME_linea.txt`), inside `[generale]`";
    case sezione_testo::record_linea:
      return "Route text, after the general section";
    case sezione_testo::treno:
      return "Train text (`NAME_N-.txt`), after `[generale]`";
  }
  return {};
}

}  // namespace

std::string riferimento_markdown() {
  std::string out;
  std::optional<sezione_testo> sezione;
  for (const text_record& r : text_records()) {
    if (sezione != r.section) {
      sezione = r.section;
      out += "\n#### ";
      out += titolo_sezione(r.section);
      out += "\n";
    }
    out += "\n**";
    out += r.title;
    out += "**: keyword field ";
    out += r.recognised_by;
    out += ".";
    if (!r.rules.empty()) {
      out += " ";
      out += r.rules;
    }
    out += "\n\n    ";
    out += r.example;
    out += "\n\n| Field | Unit | Values | Meaning |\n|---|---|---|---|\n";
    for (const text_value& v : r.values) {
      out += "| ";
      out += v.name;
      out += " | ";
      out += v.unit;
      out += " | ";
      out += v.allowed;
      out += " | ";
      out += v.meaning;
      out += " |\n";
    }
  }
  return out;
}

}  // namespace compattatore
