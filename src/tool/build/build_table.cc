#include "tool/build/build_table.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "tool/common/message_prefix.h"

namespace compattatore::tool {
namespace {

using json = nlohmann::ordered_json;

std::string time_text(const scenario_job& j) {
  if (!j.rebuilt) return "-";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.1f ms", j.seconds * 1000);
  return buf;
}

std::string result_text(const scenario_job& j) {
  if (j.route == nullptr) return "no route text";
  switch (j.status) {
    case exit_status::ok:
      return j.rebuilt ? "compiled" : "up to date";
    case exit_status::data_fault:
      return j.rebuilt ? "data fault" : "data fault, up to date";
    case exit_status::errore: {
      const auto e = j.result.find("errore");
      return "seal guard" +
             (e == j.result.end() ? std::string() : " " + e->dump());
    }
    default:
      return "file error";
  }
}

}  // namespace

void print_table(const std::vector<scenario_job>& jobs, int status,
                 std::ostream& out) {
  std::size_t w_name = std::string_view("scenario").size();
  std::size_t w_result = std::string_view("result").size();
  for (const scenario_job& j : jobs) {
    w_name = std::max(w_name, j.name.size());
    w_result = std::max(w_result, result_text(j).size());
  }
  auto pad = [](std::string s, std::size_t w) {
    if (s.size() < w) s.append(w - s.size(), ' ');
    return s;
  };
  auto right = [](const std::string& s, std::size_t w) {
    return s.size() < w ? std::string(w - s.size(), ' ') + s : s;
  };
  out << pad("scenario", w_name) << "  " << pad("result", w_result)
      << "  errors  warnings      time\n";
  int compiled = 0;
  int up_to_date = 0;
  int faults = 0;
  int failed = 0;
  for (const scenario_job& j : jobs) {
    out << pad(j.name, w_name) << "  " << pad(result_text(j), w_result) << "  "
        << right(j.status == exit_status::ok ? "0" : "1", 6) << "  "
        << right("0", 8) << "  " << right(time_text(j), 8) << '\n';
    (j.rebuilt ? compiled : up_to_date) += j.route != nullptr ? 1 : 0;
    if (j.status == exit_status::data_fault) ++faults;
    if (j.status > exit_status::data_fault) ++failed;
  }
  out << jobs.size() << (jobs.size() == 1 ? " scenario: " : " scenarios: ")
      << compiled << " compiled, " << up_to_date << " up to date; " << faults
      << " with a data fault, " << failed << " failed; exit status " << status
      << '\n';
}

json job_json(const scenario_job& j) {
  json o = json::object();
  o["scenario"] = j.name;
  o["rebuilt"] = j.rebuilt;
  o["status"] = j.status;
  if (j.rebuilt) o["time_ms"] = j.seconds * 1000;
  if (j.route == nullptr) o["file"] = j.testo.path;
  for (const auto& [key, value] : j.result.items()) o[key] = value;
  if (j.status == exit_status::file_failure) {
    // The last line said: the file that could not be read or written, or
    // the missing route text.
    std::string_view line = j.diagnostics;
    line.remove_suffix(1);
    line = line.substr(line.rfind('\n') + 1);
    if (line.starts_with(message_prefix))
      line.remove_prefix(message_prefix.size());
    o["error"] = line;
  }
  if (!o.contains("files")) o["files"] = json::array();
  return o;
}

}  // namespace compattatore::tool
