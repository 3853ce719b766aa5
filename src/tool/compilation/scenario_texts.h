// A scenario's two texts as every command that reads them takes them: each
// read once, whether they are one file, the names their compiled files take
// (given, or told by the texts' file names), and the outputs kept apart from
// them.
#ifndef TOOL_COMPILATION_SCENARIO_TEXTS_H_
#define TOOL_COMPILATION_SCENARIO_TEXTS_H_

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace compattatore::tool {

/// The two texts and their names as the command line gives them.
struct text_options {
  std::string testo_linea;
  std::string testo_treno;
  /// Empty: taken from the texts' file names.
  std::string nome_linea;
  std::string numero_treno;
};

/// The two texts and the names that their compiled files take.
struct scenario_paths {
  std::string testo_linea;
  std::string testo_treno;
  std::string nome_linea;
  std::string numero_treno;
  /// The two texts are one file: read as the program would read it, with
  /// a warning.
  bool same_file = false;
};

/// The texts' bytes, as read once.
struct scenario_texts {
  scenario_paths paths;
  std::string linea;
  std::string treno;
};

/// Reads the two texts of `p`, each once. False with the reason in `*err`
/// when one cannot be read.
[[nodiscard]] bool read_texts(const scenario_paths& p, scenario_texts* t,
                              std::string* err);

/// Reads the texts of `o`, tells whether they are one file and takes the
/// names. False, with the reason on `err`, when a text cannot be read or a
/// name cannot be told.
[[nodiscard]] bool prepare_texts(const text_options& o, scenario_texts* t,
                                 std::ostream& err);

/// Says why the first of `outputs` that is one of the texts of `p`, however
/// spelled, cannot be written; nothing when none is.
std::optional<std::string> output_among_texts(
    const scenario_paths& p, const std::vector<std::string>& outputs);

}  // namespace compattatore::tool

#endif  // TOOL_COMPILATION_SCENARIO_TEXTS_H_
