#include "tool/decompile/decompile_run.h"

#include <filesystem>
#include <set>
#include <system_error>

#include "compact/station_file.h"
#include "model/file_names.h"
#include "platform/real_file_system.h"
#include "tool/common/exit_status.h"
#include "tool/common/message_prefix.h"
#include "tool/decompile/compiled_input.h"
#include "tool/decompile/decompilation.h"
#include "tool/decompile/round_trip.h"
#include "tool/files/guarded_file_system.h"
#include "tool/files/output_dir.h"
#include "tool/files/read_limits.h"

namespace compattatore::tool {
namespace {

namespace fs = std::filesystem;

bool esiste(const std::string& path) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(path, ec));
}

// A name that can stand in a file name of the scenario.
bool nome_valido(std::string_view nome) {
  return !nome.empty() && nome.find('/') == std::string_view::npos &&
         nome.find('\0') == std::string_view::npos && nome != "." &&
         nome != "..";
}

// The route-wide file beside the station table: the route named in the
// table, else the route whose name the table's file name starts with.
std::string tracciato_accanto(const std::string& file_stazioni,
                              const std::string& nome_linea) {
  const fs::path cartella = fs::path(file_stazioni).parent_path();
  auto percorso = [&](const std::string& nome) {
    return (cartella / (nome + std::string(fine_file_linea))).string();
  };
  if (nome_valido(nome_linea) && esiste(percorso(nome_linea))) {
    return percorso(nome_linea);
  }
  std::string stem = fs::path(file_stazioni).stem().string();
  std::set<std::string, std::less<>> linee;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(
           cartella.empty() ? fs::path(".") : cartella, ec)) {
    const std::string n = e.path().filename().string();
    if (n.size() > fine_file_linea.size() && n.ends_with(fine_file_linea)) {
      linee.insert(n.substr(0, n.size() - fine_file_linea.size()));
    }
  }
  if (const auto nomi = route_of_train_text(stem, linee)) {
    return percorso(nomi->nome_linea);
  }
  return {};
}

}  // namespace

int run_decompile(const decompile_options& o, std::ostream& out,
                  std::ostream& err) {
  if (compiled_kind_of(o.file) != compiled_kind::stations) {
    err << message_prefix << o.file
        << ": decompile takes a scenario's station table, NAME_N.sim (the "
           "cell row NAME_N.dat and the route-wide file NAME_linea.dat are "
           "found beside it)\n";
    return exit_status::file_failure;
  }
  // The names come first, from the table: they find the route-wide file
  // and name the texts.
  std::string byte_stazioni;
  std::array<stazione, numero_stazioni> tabella{};
  try {
    real_file_system disk;
    byte_stazioni = disk.read(o.file, compiled_file_limit);
  } catch (const file_error& e) {
    err << message_prefix << e.what() << '\n';
    return exit_status::file_failure;
  }
  if (const decode_result r = decode_stations(byte_stazioni, &tabella)) {
    err << message_prefix << o.file
        << ": not a station table file: " << r->message << '\n';
    return exit_status::file_failure;
  }
  const std::string stem = fs::path(o.file).stem().string();
  std::string nome_linea = tabella[stazione_testata_linea].nome;
  std::string numero_treno = tabella[stazione_testata_treno].nome;
  if (!nome_valido(nome_linea) || !nome_valido(numero_treno)) {
    err << message_prefix << o.file
        << ": its route name and train number (entries 85 and 86) cannot "
           "name files\n";
    return exit_status::file_failure;
  }
  if (stem != nome_linea + "_" + numero_treno) {
    err << message_prefix << "note: " << o.file << " is the table of route "
        << nome_linea << ", train " << numero_treno
        << ": the texts take those names, which its check codes come from\n";
  }

  compiled_paths paths;
  paths.stazioni = o.file;
  paths.celle = o.cells;
  if (paths.celle.empty()) {
    paths.celle = o.file.substr(0, o.file.size() - fine_file_stazioni.size()) +
                  std::string(fine_file_celle);
  }
  paths.tracciato = o.track;
  if (paths.tracciato.empty()) {
    paths.tracciato = tracciato_accanto(o.file, nome_linea);
    if (paths.tracciato.empty()) {
      err << message_prefix << "note: no route-wide file " << nome_linea
          << fine_file_linea << " beside " << o.file
          << ": the curves cannot be recovered, and the route text has no "
             "curve rows (give it with --track FILE)\n";
    }
  }
  compiled_scenario c;
  if (!read_compiled(paths, &c, err)) return exit_status::file_failure;

  const testi_decompilati testi = decompila(c, o.file, paths.tracciato);
  const std::string& linea = testi.linea;
  const std::string& treno = testi.treno;

  const std::string dir = normalise_dir(o.dir);
  std::string problem;
  if (!usable_dir(dir, &problem) || !make_dir(dir, &problem)) {
    err << message_prefix << problem << '\n';
    return exit_status::file_failure;
  }
  const file_names names{dir, nome_linea, numero_treno};
  if (!o.force) {
    bool any = false;
    for (const std::string& path : {names.testo_linea(), names.testo_treno()}) {
      if (esiste(path)) {
        err << message_prefix << path << " already exists\n";
        any = true;
      }
    }
    if (any) {
      err << message_prefix
          << "nothing was written: give --force to replace existing files\n";
      return exit_status::file_failure;
    }
  }
  const esito_giro giro = confronta(c, nome_linea, numero_treno, linea, treno);
  try {
    real_file_system disk;
    guarded_file_system fs(disk,
                           {paths.stazioni, paths.celle, paths.tracciato});
    fs.allow_writes();
    fs.replace(names.testo_linea(), linea);
    fs.replace(names.testo_treno(), treno);
    for (const written_file& f : fs.written()) {
      out << "wrote " << f.path << " (" << f.size << " bytes)\n";
    }
  } catch (const file_error& e) {
    err << message_prefix << e.what() << '\n';
    return exit_status::file_failure;
  }
  for (const std::string& a : testi.avvisi) {
    err << message_prefix << "note: " << a << '\n';
  }
  if (giro.totale == 0) {
    out << "round trip: compiling the texts gives " << o.file << ", "
        << paths.celle;
    if (c.linea) out << " and " << paths.tracciato;
    out << " again, byte for byte\n";
    return exit_status::ok;
  }
  err << message_prefix
      << "the files hold what no text gives: these are the nearest texts, "
         "and compiling them differs in "
      << giro.totale << (giro.totale == 1 ? " place" : " places") << ":\n";
  for (const differenza& d : giro.differenze) {
    err << "  " << d.file << ", " << d.dove << ": " << d.campo << " is "
        << d.nel_file << " in the file, " << d.dai_testi << " from the texts\n";
  }
  if (giro.totale > giro.differenze.size()) {
    err << "  and " << giro.totale - giro.differenze.size() << " more\n";
  }
  return exit_status::data_fault;
}

}  // namespace compattatore::tool
