// The directory a command writes into, as the user named it.
#ifndef TOOL_FILES_OUTPUT_DIR_H_
#define TOOL_FILES_OUTPUT_DIR_H_

#include <string>

namespace compattatore::tool {

/// `dir` without trailing slashes ("" stays the current directory "."; "/"
/// becomes "", which file_names joins back to "/NAME").
std::string normalise_dir(std::string dir);

/// Whether `dir` can take files: it is a directory, or nothing is there yet.
/// Otherwise false with `*err` naming it.
[[nodiscard]] bool usable_dir(const std::string& dir, std::string* err);

/// Makes `dir` and its parents when missing. False with `*err` naming it
/// when that fails.
[[nodiscard]] bool make_dir(const std::string& dir, std::string* err);

}  // namespace compattatore::tool

#endif  // TOOL_FILES_OUTPUT_DIR_H_
