#include "tool/compilation/text_names.h"

#include "model/file_names.h"

namespace compattatore::tool {
namespace {

std::string_view file_name(std::string_view path) {
  const auto slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::optional<std::string> nome_linea_da_file(std::string_view path) {
  const std::string_view name = file_name(path);
  if (!name.ends_with(fine_testo_linea)) return std::nullopt;
  const std::string_view nome =
      name.substr(0, name.size() - fine_testo_linea.size());
  if (nome.empty()) return std::nullopt;
  return std::string(nome);
}

std::optional<std::string> numero_treno_da_file(std::string_view path,
                                                std::string_view nome_linea) {
  const std::string_view name = file_name(path);
  if (!name.ends_with(fine_testo_treno)) return std::nullopt;
  const std::string_view stem =
      name.substr(0, name.size() - fine_testo_treno.size());
  std::string_view numero;
  if (!nome_linea.empty() && stem.size() > nome_linea.size() + 1 &&
      stem.starts_with(nome_linea) && stem[nome_linea.size()] == '_') {
    numero = stem.substr(nome_linea.size() + 1);
  } else {
    const auto underscore = stem.rfind('_');
    if (underscore == std::string_view::npos) return std::nullopt;
    numero = stem.substr(underscore + 1);
  }
  if (numero.empty()) return std::nullopt;
  return std::string(numero);
}

}  // namespace compattatore::tool
