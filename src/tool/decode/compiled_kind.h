// The three kinds of compiled file, told by a file's name or by a word.
#ifndef TOOL_DECODE_COMPILED_KIND_H_
#define TOOL_DECODE_COMPILED_KIND_H_

#include <optional>
#include <string_view>

namespace compattatore::tool {

enum class compiled_kind { track, stations, cells };

/// Kind by the program's file names: "*_linea.dat" the route-wide track
/// line, "*.sim" the station table, any other "*.dat" the cell row.
std::optional<compiled_kind> kind_from_name(std::string_view path);
/// "track", "stations" or "cells".
std::optional<compiled_kind> kind_from_word(std::string_view word);
/// The word of `k`, and its name for people ("cell row").
std::string_view kind_word(compiled_kind k);
std::string_view kind_title(compiled_kind k);

}  // namespace compattatore::tool

#endif  // TOOL_DECODE_COMPILED_KIND_H_
