// How much of a compiled file the tool reads back.
#ifndef TOOL_FILES_READ_LIMITS_H_
#define TOOL_FILES_READ_LIMITS_H_

#include <cstddef>

namespace compattatore::tool {

/// Largest compiled file read back: the track line of the longest route is
/// about 20 MB.
inline constexpr std::size_t compiled_file_limit = std::size_t{64} << 20;

}  // namespace compattatore::tool

#endif  // TOOL_FILES_READ_LIMITS_H_
