#include "model/file_names.h"

namespace compattatore {
namespace {

std::string_view file_name(std::string_view path) {
  const auto slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::string file_names::linea(std::string_view ending) const {
  std::string s = dir;
  s += '/';
  s += nome_linea;
  s += ending;
  return s;
}

std::string file_names::treno(std::string_view ending) const {
  std::string s = dir;
  s += '/';
  s += nome_linea;
  s += '_';
  s += numero_treno;
  s += ending;
  return s;
}

std::optional<std::string> nome_linea_from_file(std::string_view path) {
  const std::string_view name = file_name(path);
  if (!name.ends_with(fine_testo_linea)) return std::nullopt;
  const std::string_view nome =
      name.substr(0, name.size() - fine_testo_linea.size());
  if (nome.empty()) return std::nullopt;
  return std::string(nome);
}

std::optional<std::string> numero_treno_from_file(std::string_view path,
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

std::optional<std::string_view> train_text_stem(std::string_view file_name) {
  if (!file_name.ends_with(fine_testo_treno)) return std::nullopt;
  const std::string_view stem =
      file_name.substr(0, file_name.size() - fine_testo_treno.size());
  if (stem.empty()) return std::nullopt;
  return stem;
}

std::optional<train_text_names> route_of_train_text(
    std::string_view stem,
    const std::set<std::string, std::less<>>& nomi_linea) {
  // From the last underscore back, so the longest route name is met first.
  for (std::size_t u = stem.rfind('_'); u != std::string_view::npos && u > 0;
       u = stem.rfind('_', u - 1)) {
    if (u + 1 < stem.size() && nomi_linea.contains(stem.substr(0, u))) {
      return train_text_names{std::string(stem.substr(0, u)),
                              std::string(stem.substr(u + 1))};
    }
  }
  return std::nullopt;
}

std::optional<compiled_kind> compiled_kind_of(std::string_view path) {
  if (path.ends_with(fine_file_linea)) return compiled_kind::track;
  if (path.ends_with(fine_file_stazioni)) return compiled_kind::stations;
  if (path.ends_with(fine_file_celle)) return compiled_kind::cells;
  return std::nullopt;
}

}  // namespace compattatore
