#include "tool/compile_command.h"

#include <charconv>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <string_view>
#include <system_error>

#include "compact/driver.h"
#include "model/fatal_report.h"
#include "model/file_names.h"
#include "model/scenario.h"
#include "platform/real_file_system.h"
#include "reader/memorizza_dati.h"
#include "tool/diagnostics.h"
#include "tool/exit_status.h"
#include "tool/guarded_file_system.h"
#include "tool/output_dir.h"
#include "tool/text_names.h"

namespace compattatore::tool {
namespace {

// The seal guards' report, kept instead of ending the process: the driver
// returns at once after it, and the command decides what to print.
class kept_report : public fatal_report {
 public:
  void errore(const std::string& a) override { numero = a; }
  std::string numero;
};

}  // namespace

std::optional<std::string> names_or_fail(const compile_options& o,
                                         std::string* numero,
                                         std::ostream& err) {
  std::string nome = o.nome_linea;
  if (nome.empty()) {
    const auto from_file = nome_linea_da_file(o.testo_linea);
    if (!from_file) {
      err << prefisso_tool << "cannot tell the route name from "
          << o.testo_linea
          << ": name the route text NAME_linea.txt or give --route-name\n";
      return std::nullopt;
    }
    nome = *from_file;
  }
  *numero = o.numero_treno;
  if (numero->empty()) {
    const auto from_file = numero_treno_da_file(o.testo_treno, nome);
    if (!from_file) {
      err << prefisso_tool << "cannot tell the train number from "
          << o.testo_treno
          << ": name the train text NAME_N-.txt or give --train-number\n";
      return std::nullopt;
    }
    *numero = *from_file;
  }
  return nome;
}

nlohmann::ordered_json files_json(const std::vector<written_file>& files) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const written_file& f : files) {
    list.push_back({{"path", f.path}, {"size", f.size}});
  }
  return list;
}

compaction_outcome compatta_testi(scenario& s, std::int32_t j, file_system& fs,
                                  const std::string& testo_linea,
                                  const std::string& testo_treno) {
  kept_report report;
  const testi_scenario testi{testo_linea, testo_treno, false};
  compaction_outcome c;
  c.sealed = compatta(s, j, fs, testi, report);

  const diagnosi d = diagnosi_di(s, testo_linea, testo_treno);
  const std::string line = riga_diagnostica(d);
  if (!line.empty()) c.diagnostics = line + '\n';
  c.json = json_diagnosi(d);
  if (d.codice_errore != 0) {
    diagnostic e;
    e.code = d.codice_errore;
    e.file = d.file;
    e.line = d.line;
    e.column = d.column;
    e.end_column = d.column > 0 ? d.column + 1 : 0;
    e.message = d.message;
    c.elenco.push_back(std::move(e));
  }
  c.json["nome_linea"] = s.nome_linea;
  c.json["numero_treno"] = s.numero_treno;

  c.status = d.codice_errore != 0 ? exit_status::data_fault : exit_status::ok;
  if (!c.sealed) {
    c.diagnostics += riga_sigillo(report.numero) + '\n';
    c.diagnostics += prefisso_tool;
    c.diagnostics +=
        "the seal found cell 1 (the route's first 50 m) or header entry 85 "
        "already in use; no file was written\n";
    int number = 0;
    const char* end = report.numero.data() + report.numero.size();
    if (std::from_chars(report.numero.data(), end, number).ptr == end) {
      c.json["errore"] = number;
    } else {
      c.json["errore"] = report.numero;
    }
    diagnostic e;
    e.code = number;
    e.message =
        "the seal found cell 1 (the route's first 50 m) or header entry 85 "
        "already in use; no file was written";
    c.elenco.push_back(std::move(e));
    c.status = exit_status::errore;
  }
  c.json["diagnostics"] = diagnostics_json(c.elenco);
  return c;
}

int run_compile(const compile_options& o, bool write, std::ostream& out,
                std::ostream& err) {
  real_file_system disk;
  for (const std::string& path : {o.testo_linea, o.testo_treno}) {
    try {
      (void)disk.read(path, limite_testo);
    } catch (const file_error& e) {
      err << prefisso_tool << e.what() << '\n';
      return exit_status::file_failure;
    }
  }
  // One file given twice would be read as both texts: the route's records
  // and then a train made of them.
  std::error_code same_ec;
  if (std::filesystem::equivalent(o.testo_linea, o.testo_treno, same_ec)) {
    err << prefisso_tool << "the route text " << o.testo_linea
        << " and the train text " << o.testo_treno
        << " are the same file: give two different texts\n";
    return exit_status::file_failure;
  }
  std::string numero_treno;
  const auto nome_linea = names_or_fail(o, &numero_treno, err);
  if (!nome_linea) return exit_status::file_failure;

  const std::string dir = normalise_dir(o.dir);
  std::string problem;
  if (write && !usable_dir(dir, &problem)) {
    err << prefisso_tool << problem << '\n';
    return exit_status::file_failure;
  }

  guarded_file_system fs(disk, {o.testo_linea, o.testo_treno});
  const file_names names{dir, *nome_linea, numero_treno};
  if (write) {
    // Refused before anything is written, so that no file of the set is
    // replaced when another cannot be.
    for (const std::string& path :
         {names.file_linea(), names.file_stazioni(), names.file_celle()}) {
      if (path == names.file_linea() && o.no_track) continue;
      if (fs.protects(path)) {
        err << prefisso_tool << "cannot write " << path
            << ": it is one of the texts being read\n";
        return exit_status::file_failure;
      }
    }
  }
  scenario s;
  s.nome_linea = *nome_linea;
  s.numero_treno = numero_treno;
  compaction_outcome c =
      compatta_testi(s, o.no_track ? 0 : 1, fs, o.testo_linea, o.testo_treno);
  err << c.diagnostics;
  nlohmann::ordered_json& result = c.json;
  const int status = c.status;
  if (c.sealed && write) {
    if (!make_dir(dir, &problem)) {
      err << prefisso_tool << problem << '\n';
      return exit_status::file_failure;
    }
    fs.allow_writes();
    try {
      scrivi_file_compilati(s, fs, names);
    } catch (const file_error& e) {
      err << prefisso_tool << e.what() << '\n';
      return exit_status::file_failure;
    }
  }

  result["files"] = files_json(fs.written());
  if (o.json) {
    out << result.dump(2, ' ', false,
                       nlohmann::ordered_json::error_handler_t::replace)
        << '\n';
  } else {
    for (const written_file& f : fs.written()) {
      out << "wrote " << f.path << " (" << f.size << " bytes)\n";
    }
  }
  return status;
}

}  // namespace compattatore::tool
