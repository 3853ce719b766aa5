// The compiled files of one scenario put on disk as the program puts them:
// one set, written whole or not at all, never over one of its texts.
#ifndef TOOL_COMPILATION_COMPILED_SET_H_
#define TOOL_COMPILATION_COMPILED_SET_H_

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "model/scenario.h"
#include "tool/compilation/scenario_texts.h"
#include "tool/files/guarded_file_system.h"

namespace compattatore::tool {

/// The paths of the compiled files of `p` in `dir`, the route-wide track
/// line first unless `with_track` is false.
std::vector<std::string> compiled_set_paths(const scenario_paths& p,
                                            const std::string& dir,
                                            bool with_track);

/// Makes `dir` when missing and writes the compiled files of `s`, compacted
/// from the texts of `p`, into it (the track line only when `s` asks for
/// it), never over one of the texts. `*written` gets each file written.
/// False with `*err` when the folder cannot be made or a file cannot be
/// written: the set is then as it was.
[[nodiscard]] bool write_compiled_set(const scenario& s,
                                      const scenario_paths& p,
                                      const std::string& dir,
                                      std::vector<written_file>* written,
                                      std::string* err);

/// The "files" of the `--json` objects: each file's path and size.
nlohmann::ordered_json files_json(const std::vector<written_file>& files);

}  // namespace compattatore::tool

#endif  // TOOL_COMPILATION_COMPILED_SET_H_
