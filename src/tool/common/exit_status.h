// Exit statuses of compatta; the README lists them.
#ifndef TOOL_COMMON_EXIT_STATUS_H_
#define TOOL_COMMON_EXIT_STATUS_H_

namespace compattatore::tool::exit_status {

inline constexpr int ok = 0;
/// A data fault was recorded (compile still writes the files).
inline constexpr int data_fault = 1;
/// Wrong usage, or a file that cannot be read, decoded or written.
inline constexpr int file_failure = 2;
/// A seal guard failed: " Errore n. " was shown and nothing was written.
inline constexpr int errore = 3;

}  // namespace compattatore::tool::exit_status

#endif  // TOOL_COMMON_EXIT_STATUS_H_
