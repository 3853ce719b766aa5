// Exit statuses of the program; the README lists them.
#ifndef APP_EXIT_STATUS_H_
#define APP_EXIT_STATUS_H_

namespace compattatore::exit_status {

inline constexpr int ok = 0;
/// A file could not be read, written, replaced or deleted.
inline constexpr int file_failure = 2;
/// A seal guard failed: " Errore n. " was shown and nothing was written.
inline constexpr int errore = 3;

}  // namespace compattatore::exit_status

#endif  // APP_EXIT_STATUS_H_
