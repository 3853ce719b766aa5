// `compatta compile` and `compatta check`: the program's compaction over an
// author's own texts, which are only read.
#ifndef TOOL_COMPILE_COMMAND_H_
#define TOOL_COMPILE_COMMAND_H_

#include <ostream>
#include <string>

namespace compattatore::tool {

struct compile_options {
  std::string testo_linea;
  std::string testo_treno;
  /// Where the compiled files go (compile only).
  std::string dir = ".";
  /// Empty: taken from the texts' file names.
  std::string nome_linea;
  std::string numero_treno;
  /// Compacts with j = 0: no track line is built and no route-wide file
  /// written.
  bool no_track = false;
  bool json = false;
};

/// Reads both texts, compacts them as the program does and, when `write`,
/// writes the compiled files into `o.dir`. Diagnostics go to `err`; the
/// files written (or, with `o.json`, one JSON object) to `out`. Returns the
/// exit status: 0 no data fault, 1 a data fault (the files are written all
/// the same), 2 wrong usage or a file that cannot be read or written, 3 a
/// seal guard failed (nothing written).
int run_compile(const compile_options& o, bool write, std::ostream& out,
                std::ostream& err);

}  // namespace compattatore::tool

#endif  // TOOL_COMPILE_COMMAND_H_
