#include "tool/compilation/scenario_check.h"

#include <filesystem>
#include <utility>

#include "compact/driver.h"
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

void check_scenario(scenario_texts t, scenario_check* c) {
  const scenario_paths& p = t.paths;
  c->testo_linea = std::move(t.linea);
  c->testo_treno = std::move(t.treno);
  sizes_only sizes;
  texts_in_memory texts(sizes, p.testo_linea, c->testo_linea, p.testo_treno,
                        c->testo_treno);
  c->s = scenario{};
  c->s.nome_linea = p.nome_linea;
  c->s.numero_treno = p.numero_treno;
  check_options options;
  options.same_file = p.same_file;
  c->outcome =
      compact_texts(c->s, 1, texts, p.testo_linea, p.testo_treno, options);
  c->files.clear();
  if (c->outcome.sealed) {
    scrivi_file_compilati(c->s, sizes, {"", p.nome_linea, p.numero_treno});
    for (written_file& f : sizes.files) {
      f.path = std::filesystem::path(f.path).filename().string();
    }
    c->files = std::move(sizes.files);
  }
}

std::string diagnostics_text(const compaction_outcome& c) {
  return c.diagnostics;
}

}  // namespace compattatore::tool
