// The words the tool has for the three kinds of compiled file (the kind of a
// file by its name is the model's, with the names).
#ifndef TOOL_DECODE_COMPILED_KIND_H_
#define TOOL_DECODE_COMPILED_KIND_H_

#include <optional>
#include <string_view>

#include "model/file_names.h"

namespace compattatore::tool {

/// "track", "stations" or "cells".
std::optional<compiled_kind> kind_from_word(std::string_view word);
/// The word of `k`, and its name for people ("cell row").
std::string_view kind_word(compiled_kind k);
std::string_view kind_title(compiled_kind k);

}  // namespace compattatore::tool

#endif  // TOOL_DECODE_COMPILED_KIND_H_
