// The file operations the core needs, as an interface: the program uses the
// real disk, tests an in-memory fake or one that fails on purpose.
#ifndef MODEL_FILE_SYSTEM_H_
#define MODEL_FILE_SYSTEM_H_

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace compattatore {

/// A file operation that failed: which file, what was tried, and the
/// system's reason.
class file_error : public std::runtime_error {
 public:
  file_error(std::string path, std::string operation, std::string reason)
      : std::runtime_error("cannot " + operation + " " + path + ": " + reason),
        path_(std::move(path)),
        operation_(std::move(operation)),
        reason_(std::move(reason)) {}
  const std::string& path() const { return path_; }
  const std::string& operation() const { return operation_; }
  const std::string& reason() const { return reason_; }

 private:
  std::string path_;
  std::string operation_;
  std::string reason_;
};

/// Largest scenario text read: far above any real route (a 1000 km route
/// with dense records is well under a megabyte), small enough that a text of
/// garbage cannot take the machine's memory.
inline constexpr std::size_t limite_testo = std::size_t{16} << 20;
/// Largest compiled file read back by the tools: the track line of the
/// longest route is about 20 MB.
inline constexpr std::size_t limite_file_compilato = std::size_t{64} << 20;
/// Takes the bytes of a file piece by piece, in order.
using byte_sink = std::function<void(std::string_view)>;

class file_system {
 public:
  virtual ~file_system() = default;

  virtual bool exists(const std::string& path) = 0;
  /// The whole file's bytes. Throws file_error, also when the file holds
  /// more than `max_bytes` (then nothing of it is kept in memory).
  virtual std::string read(const std::string& path, std::size_t max_bytes) = 0;
  /// Replaces the file at `path` by exactly `bytes`. Either the new content
  /// is there whole, or the old file stays as it was and nothing else is
  /// left behind. Throws file_error.
  virtual void replace(const std::string& path, std::string_view bytes) = 0;
  /// The same, with the `size` bytes that `produce` hands to the sink it is
  /// given, in order. An exception from `produce` leaves the old file as it
  /// was. This default gathers them into one buffer of `size` and calls
  /// `replace`; a disk writes them as they come, so a large file needs no
  /// buffer of its whole size. Throws file_error.
  virtual void replace_in_pieces(
      const std::string& path, std::size_t size,
      const std::function<void(const byte_sink&)>& produce) {
    std::string bytes;
    bytes.reserve(size);
    produce([&bytes](std::string_view piece) { bytes.append(piece); });
    replace(path, bytes);
  }
  /// Deletes the file; a missing file is not an error. Throws file_error.
  virtual void remove(const std::string& path) = 0;
};

}  // namespace compattatore

#endif  // MODEL_FILE_SYSTEM_H_
