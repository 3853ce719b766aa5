// Station names are Latin-1 bytes; JSON holds UTF-8.
#ifndef TOOL_COMMON_LATIN1_H_
#define TOOL_COMMON_LATIN1_H_

#include <string>
#include <string_view>

namespace compattatore::tool {

/// `nome` bytes as Latin-1 in UTF-8, and back.
std::string latin1_to_utf8(std::string_view bytes);
std::string utf8_to_latin1(std::string_view text);

}  // namespace compattatore::tool

#endif  // TOOL_COMMON_LATIN1_H_
