// Every file name of a run, built in one place from the directory and the
// scenario's two names.
#ifndef MODEL_FILE_NAMES_H_
#define MODEL_FILE_NAMES_H_

#include <string>
#include <string_view>

namespace compattatore {

// Endings after the route name, or after route name, "_" and train number.
inline constexpr std::string_view fine_testo_linea = "_linea.txt";
inline constexpr std::string_view fine_testo_treno = "-.txt";
inline constexpr std::string_view fine_note = "_note.txt";
inline constexpr std::string_view fine_rallentamenti = "_rallentamenti.txt";
inline constexpr std::string_view fine_scheda = "_scheda_treno.txt";
inline constexpr std::string_view fine_file_linea = "_linea.dat";
inline constexpr std::string_view fine_file_stazioni = ".sim";
inline constexpr std::string_view fine_file_celle = ".dat";

/// Directory and the two names that place every file of a run.
struct file_names {
  std::string dir;  // without a trailing separator
  std::string nome_linea;
  std::string numero_treno;

  /// dir + "/" + nome_linea + ending: files of the route.
  std::string linea(std::string_view ending) const;
  /// dir + "/" + nome_linea + "_" + numero_treno + ending: files of the train.
  std::string treno(std::string_view ending) const;

  std::string testo_linea() const { return linea(fine_testo_linea); }
  std::string testo_treno() const { return treno(fine_testo_treno); }
  std::string note() const { return treno(fine_note); }
  std::string rallentamenti() const { return treno(fine_rallentamenti); }
  std::string scheda() const { return treno(fine_scheda); }
  std::string file_linea() const { return linea(fine_file_linea); }
  std::string file_stazioni() const { return treno(fine_file_stazioni); }
  std::string file_celle() const { return treno(fine_file_celle); }
};

}  // namespace compattatore

#endif  // MODEL_FILE_NAMES_H_
