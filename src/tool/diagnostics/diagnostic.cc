#include "tool/diagnostics/diagnostic.h"

namespace compattatore::tool {

nlohmann::ordered_json diagnostics_json(const std::vector<diagnostic>& list) {
  nlohmann::ordered_json out = nlohmann::ordered_json::array();
  for (const diagnostic& d : list) {
    nlohmann::ordered_json j;
    j["severity"] = d.level == severity::error ? "error" : "warning";
    j["code"] = d.code ? nlohmann::ordered_json(*d.code) : nullptr;
    j["name"] = d.name.empty() ? nlohmann::ordered_json(nullptr)
                               : nlohmann::ordered_json(d.name);
    j["file"] = d.file;
    j["line"] = d.line;
    j["column"] = d.column;
    j["end_column"] = d.end_column;
    j["message"] = d.message;
    nlohmann::ordered_json notes = nlohmann::ordered_json::array();
    for (const diagnostic_note& n : d.notes) {
      notes.push_back({{"file", n.file},
                       {"line", n.line},
                       {"column", n.column},
                       {"message", n.message}});
    }
    j["notes"] = std::move(notes);
    out.push_back(std::move(j));
  }
  return out;
}

}  // namespace compattatore::tool
