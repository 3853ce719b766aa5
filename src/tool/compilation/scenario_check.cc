#include "tool/compilation/scenario_check.h"

#include <filesystem>
#include <system_error>

#include "compact/driver.h"
#include "platform/real_file_system.h"
#include "reader/memorizza_dati.h"
#include "tool/diagnostics/diagnostics.h"
#include "tool/files/output_dir.h"
#include "tool/files/texts_in_memory.h"

namespace compattatore::tool {
namespace {

// Takes note of what would be written, and writes nothing: the sizes are
// known before any byte is made.
class sizes_only : public file_system {
 public:
  bool exists(const std::string&) override { return false; }
  std::string read(const std::string& path, std::size_t) override {
    throw file_error(path, "read", "nothing is read here");
  }
  void replace(const std::string& path, std::string_view bytes) override {
    files.push_back({path, bytes.size()});
  }
  void replace_in_pieces(
      const std::string& path, std::size_t size,
      const std::function<void(const byte_sink&)>&) override {
    files.push_back({path, size});
  }
  void replace_set(const std::vector<new_file>& set) override {
    for (const new_file& f : set) files.push_back({f.path, f.size});
  }
  void remove(const std::string&) override {}

  std::vector<written_file> files;
};

}  // namespace

bool scenario_paths_of(const compile_options& o, scenario_paths* p,
                       std::ostream& err) {
  real_file_system disk;
  for (const std::string& path : {o.testo_linea, o.testo_treno}) {
    try {
      (void)disk.read(path, limite_testo);
    } catch (const file_error& e) {
      err << prefisso_tool << e.what() << '\n';
      return false;
    }
  }
  std::error_code same_ec;
  const bool same =
      std::filesystem::equivalent(o.testo_linea, o.testo_treno, same_ec);
  std::string numero;
  const auto nome = names_or_fail(o, &numero, err);
  if (!nome) return false;
  *p = {o.testo_linea, o.testo_treno, *nome, numero, same};
  return true;
}

bool check_scenario(const scenario_paths& p, scenario_check* c,
                    std::string* err) {
  real_file_system disk;
  try {
    c->testo_linea = disk.read(p.testo_linea, limite_testo);
    c->testo_treno = disk.read(p.testo_treno, limite_testo);
  } catch (const file_error& e) {
    *err = e.what();
    return false;
  }
  sizes_only sizes;
  texts_in_memory texts(sizes, p.testo_linea, c->testo_linea, p.testo_treno,
                        c->testo_treno);
  c->s = scenario{};
  c->s.nome_linea = p.nome_linea;
  c->s.numero_treno = p.numero_treno;
  check_options options;
  options.same_file = p.same_file;
  c->outcome =
      compatta_testi(c->s, 1, texts, p.testo_linea, p.testo_treno, options);
  c->files.clear();
  if (c->outcome.sealed) {
    scrivi_file_compilati(c->s, sizes, {"", p.nome_linea, p.numero_treno});
    for (written_file& f : sizes.files) {
      f.path = std::filesystem::path(f.path).filename().string();
    }
    c->files = std::move(sizes.files);
  }
  return true;
}

std::string diagnostics_text(const compaction_outcome& c) {
  return c.diagnostics;
}

bool write_compiled_files(const scenario_paths& p, const scenario_check& c,
                          const std::string& dir,
                          std::vector<written_file>* written,
                          std::string* err) {
  const std::string d = normalise_dir(dir);
  if (!make_dir(d, err)) return false;
  real_file_system disk;
  guarded_file_system fs(disk, {p.testo_linea, p.testo_treno});
  fs.allow_writes();
  try {
    scrivi_file_compilati(c.s, fs, {d, p.nome_linea, p.numero_treno});
  } catch (const file_error& e) {
    *err = e.what();
    return false;
  }
  *written = fs.written();
  return true;
}

}  // namespace compattatore::tool
