#include "content/text_writer.h"

#include <cassert>

namespace compattatore {

righe fill_righe(const std::string_view* lines, std::size_t count) {
  assert(count < numero_righe && "no room for the end marker");
  righe r;
  for (std::size_t i = 0; i < count; ++i) r[i] = lines[i];
  r[count] = fine_righe;
  return r;
}

righe fill_righe(std::initializer_list<std::string_view> lines) {
  return fill_righe(lines.begin(), lines.size());
}

righe fill_righe(const std::vector<std::string>& lines) {
  assert(lines.size() < numero_righe && "no room for the end marker");
  righe r;
  for (std::size_t i = 0; i < lines.size(); ++i) r[i] = lines[i];
  r[lines.size()] = fine_righe;
  return r;
}

std::string testo_righe(const righe& r) {
  std::string out;
  for (const std::string& line : r) {
    if (line == fine_righe) break;
    out += line;
    out += fine_riga;
  }
  return out;
}

void scrivi_righe(const righe& r, file_system& fs, const std::string& path) {
  fs.replace(path, testo_righe(r));
}

}  // namespace compattatore
