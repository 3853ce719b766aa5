// How the tool's messages begin when they have no file to point at.
#ifndef TOOL_COMMON_MESSAGE_PREFIX_H_
#define TOOL_COMMON_MESSAGE_PREFIX_H_

#include <string_view>

namespace compattatore::tool {

/// Starts every message of the tool that has no file to point at.
inline constexpr std::string_view message_prefix = "compatta: ";

}  // namespace compattatore::tool

#endif  // TOOL_COMMON_MESSAGE_PREFIX_H_
