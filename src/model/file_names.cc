#include "model/file_names.h"

namespace compattatore {

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

}  // namespace compattatore
