// The scenario's two names as the texts' file names carry them: the route
// text is NAME_linea.txt, the train text NAME_N-.txt.
#ifndef TOOL_COMPILATION_TEXT_NAMES_H_
#define TOOL_COMPILATION_TEXT_NAMES_H_

#include <optional>
#include <string>
#include <string_view>

namespace compattatore::tool {

/// NAME of a route text path ".../NAME_linea.txt"; nothing when the file
/// name does not end so or NAME would be empty.
std::optional<std::string> nome_linea_da_file(std::string_view path);

/// N of a train text path ".../NAME_N-.txt". The route name is matched
/// first, so that it may hold underscores; a file of another route gives
/// what follows its last underscore. Nothing when the file name does not
/// end in "-.txt" or N would be empty.
std::optional<std::string> numero_treno_da_file(std::string_view path,
                                                std::string_view nome_linea);

}  // namespace compattatore::tool

#endif  // TOOL_COMPILATION_TEXT_NAMES_H_
