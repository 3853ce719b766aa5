// Helpers that take a written line list apart, for the tests of the
// compiled-in texts and documents.
#ifndef TESTS_TEXT_LINES_H_
#define TESTS_TEXT_LINES_H_

#include <charconv>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "content/text_writer.h"

namespace compattatore {

/// The entries before the end marker.
inline std::vector<std::string> linee(const righe& r) {
  std::vector<std::string> out;
  for (const std::string& line : r) {
    if (line == fine_righe) break;
    out.push_back(line);
  }
  return out;
}

/// The rows after `heading` up to the next heading.
inline std::vector<std::string> sezione(const std::vector<std::string>& lines,
                                        std::string_view heading) {
  std::vector<std::string> out;
  std::size_t i = 0;
  while (i < lines.size() && lines[i] != heading) ++i;
  for (++i; i < lines.size() && !lines[i].starts_with('['); ++i) {
    out.push_back(lines[i]);
  }
  return out;
}

/// The fields of a row split at its commas, blanks around them dropped.
inline std::vector<std::string> campi(std::string_view riga) {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = riga.find(',', start);
    std::string_view campo = riga.substr(start, comma == std::string_view::npos
                                                    ? std::string_view::npos
                                                    : comma - start);
    while (campo.starts_with(' ')) campo.remove_prefix(1);
    while (campo.ends_with(' ')) campo.remove_suffix(1);
    out.emplace_back(campo);
    if (comma == std::string_view::npos) return out;
    start = comma + 1;
  }
}

/// A whole number field; an empty field is 0. Throws on anything else.
inline int numero(std::string_view campo) {
  if (campo.empty()) return 0;
  int v = 0;
  const auto [end, ec] =
      std::from_chars(campo.data(), campo.data() + campo.size(), v);
  if (ec != std::errc() || end != campo.data() + campo.size()) {
    throw std::invalid_argument("not a number: " + std::string(campo));
  }
  return v;
}

}  // namespace compattatore

#endif  // TESTS_TEXT_LINES_H_
