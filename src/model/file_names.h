// Every file name of a run, made in one place from the directory and the
// scenario's two names, and read back in the same place: the names a text's
// file name carries, the kind of a compiled file, the scenario of a train
// text among the route texts beside it.
#ifndef MODEL_FILE_NAMES_H_
#define MODEL_FILE_NAMES_H_

#include <functional>
#include <optional>
#include <set>
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

/// NAME of a route text path ".../NAME_linea.txt"; nothing when the file
/// name does not end so or NAME would be empty.
std::optional<std::string> nome_linea_from_file(std::string_view path);

/// N of a train text path ".../NAME_N-.txt". The route name is matched
/// first, so that it may hold underscores; a file of another route gives
/// what follows its last underscore. Nothing when the file name does not
/// end in "-.txt" or N would be empty.
std::optional<std::string> numero_treno_from_file(std::string_view path,
                                                  std::string_view nome_linea);

/// "NAME_N" of a train text's file name "NAME_N-.txt" (no folder); nothing
/// when the name does not end so or nothing precedes the ending.
std::optional<std::string_view> train_text_stem(std::string_view file_name);

/// The two names of a train text's stem "NAME_N".
struct train_text_names {
  std::string nome_linea;
  std::string numero_treno;
  friend bool operator==(const train_text_names&,
                         const train_text_names&) = default;
};

/// The route of `stem` among `nomi_linea` (route names whose texts lie
/// beside it): the longest that the stem starts with, followed by "_" and a
/// nonempty train number. Nothing when no route name fits.
std::optional<train_text_names> route_of_train_text(
    std::string_view stem,
    const std::set<std::string, std::less<>>& nomi_linea);

/// The three compiled files.
enum class compiled_kind { track, stations, cells };

/// Kind by the program's file names: "*_linea.dat" the route-wide track
/// line, "*.sim" the station table, any other "*.dat" the cell row.
std::optional<compiled_kind> compiled_kind_of(std::string_view path);

}  // namespace compattatore

#endif  // MODEL_FILE_NAMES_H_
