#include "tool/compilation/scenario_texts.h"

#include <filesystem>
#include <system_error>

#include "model/file_names.h"
#include "platform/real_file_system.h"
#include "reader/memorizza_dati.h"
#include "tool/common/message_prefix.h"
#include "tool/files/guarded_file_system.h"

namespace compattatore::tool {
namespace {

// The route name (given, else from the route text's file name) and the
// train number likewise; false, after saying why on `err`, when a name
// cannot be told.
bool take_names(const text_options& o, scenario_paths* p, std::ostream& err) {
  p->nome_linea = o.nome_linea;
  if (p->nome_linea.empty()) {
    const auto from_file = nome_linea_from_file(o.testo_linea);
    if (!from_file) {
      err << message_prefix << "cannot tell the route name from "
          << o.testo_linea
          << ": name the route text NAME_linea.txt or give --route-name\n";
      return false;
    }
    p->nome_linea = *from_file;
  }
  p->numero_treno = o.numero_treno;
  if (p->numero_treno.empty()) {
    const auto from_file = numero_treno_from_file(o.testo_treno, p->nome_linea);
    if (!from_file) {
      err << message_prefix << "cannot tell the train number from "
          << o.testo_treno
          << ": name the train text NAME_N-.txt or give --train-number\n";
      return false;
    }
    p->numero_treno = *from_file;
  }
  return true;
}

}  // namespace

bool read_texts(const scenario_paths& p, scenario_texts* t, std::string* err) {
  real_file_system disk;
  try {
    t->linea = disk.read(p.testo_linea, limite_testo);
    t->treno = disk.read(p.testo_treno, limite_testo);
  } catch (const file_error& e) {
    *err = e.what();
    return false;
  }
  t->paths = p;
  return true;
}

bool prepare_texts(const text_options& o, scenario_texts* t,
                   std::ostream& err) {
  scenario_paths p;
  p.testo_linea = o.testo_linea;
  p.testo_treno = o.testo_treno;
  std::string problem;
  if (!read_texts(p, t, &problem)) {
    err << message_prefix << problem << '\n';
    return false;
  }
  // One file given twice is read as both texts, as the program would: the
  // route's records and then a train made of them.
  std::error_code same_ec;
  p.same_file =
      std::filesystem::equivalent(o.testo_linea, o.testo_treno, same_ec);
  if (!take_names(o, &p, err)) return false;
  t->paths = p;
  return true;
}

std::optional<std::string> output_among_texts(
    const scenario_paths& p, const std::vector<std::string>& outputs) {
  for (const std::string& path : outputs) {
    if (same_file(path, p.testo_linea) || same_file(path, p.testo_treno)) {
      return "cannot write " + path + ": it is one of the texts being read";
    }
  }
  return std::nullopt;
}

}  // namespace compattatore::tool
