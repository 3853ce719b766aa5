// The -W flags of compile and check, as the command line gives them.
#ifndef TOOL_COMPILATION_WARNING_FLAGS_H_
#define TOOL_COMPILATION_WARNING_FLAGS_H_

#include <string>
#include <vector>

namespace compattatore::tool {

/// The name -W takes after "no-", or an explanation of what is wrong with
/// `flag` (given without the "-W").
[[nodiscard]] bool parse_warning_flag(const std::string& flag,
                                      std::string* name, std::string* problem);

/// The warnings `flags` silence, by name, in order. False with `*problem`
/// at the first flag that is wrong.
[[nodiscard]] bool silenced_warnings(const std::vector<std::string>& flags,
                                     std::vector<std::string>* names,
                                     std::string* problem);

}  // namespace compattatore::tool

#endif  // TOOL_COMPILATION_WARNING_FLAGS_H_
