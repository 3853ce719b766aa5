// The file operations the core needs, as an interface: the program uses the
// real disk, tests an in-memory fake or one that fails on purpose.
#ifndef PLATFORM_FILE_SYSTEM_H_
#define PLATFORM_FILE_SYSTEM_H_

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

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

/// Takes the bytes of a file piece by piece, each piece at its offset from
/// the file's start. The pieces of a file cover each of its bytes once, in
/// any order: a file of two rows may be written a stretch of each at a time.
using byte_sink =
    std::function<void(std::size_t offset, std::string_view piece)>;

/// One file of a set that is replaced as one: its path, its length, and
/// what hands its bytes to a sink.
struct new_file {
  std::string path;
  std::size_t size = 0;
  std::function<void(const byte_sink&)> produce;
};

class file_system {
 public:
  virtual ~file_system() = default;

  virtual bool exists(const std::string& path) = 0;
  /// The whole file's bytes. Throws file_error, also when the file holds
  /// more than `max_bytes` (then nothing of it is kept in memory).
  virtual std::string read(const std::string& path, std::size_t max_bytes) = 0;
  /// The same bytes, for reading only: a file system that already holds
  /// them hands out a view of its own; any other reads them into
  /// `storage`, which the view then shows. Throws as `read`, leaving
  /// `storage` as it was.
  virtual std::string_view view(const std::string& path, std::size_t max_bytes,
                                std::string& storage) {
    storage = read(path, max_bytes);
    return storage;
  }
  /// Replaces the file at `path` by exactly `bytes`. Either the new content
  /// is there whole, or the old file stays as it was and nothing else is
  /// left behind. Throws file_error.
  virtual void replace(const std::string& path, std::string_view bytes) = 0;
  /// The same, with the `size` bytes that `produce` hands to the sink it is
  /// given. An exception from `produce` leaves the old file as it was. This
  /// default gathers them into one buffer of `size` and calls `replace`; a
  /// disk writes them as they come, so a large file needs no buffer of its
  /// whole size. Throws file_error.
  virtual void replace_in_pieces(
      const std::string& path, std::size_t size,
      const std::function<void(const byte_sink&)>& produce) {
    replace(path, gather(size, produce));
  }
  /// Replaces every file of `files` as one set: either all of them hold
  /// their new content, or all are as they were (a file that was missing
  /// stays missing), and nothing else is left behind. An exception from a
  /// `produce` leaves the old set too. Throws file_error naming the file
  /// that failed. This default gathers every file's bytes first and then
  /// replaces them one by one, which keeps the set whole only where
  /// `replace` cannot fail; a disk overrides it.
  virtual void replace_set(const std::vector<new_file>& files) {
    std::vector<std::string> all(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
      all[i] = gather(files[i].size, files[i].produce);
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
      replace(files[i].path, all[i]);
    }
  }
  /// Deletes the file; a missing file is not an error. Throws file_error.
  virtual void remove(const std::string& path) = 0;

  /// The `size` bytes that `produce` hands to a sink, in one buffer. A
  /// piece beyond `size`, or pieces that together are not `size` bytes
  /// long, are a fault of the producer: std::logic_error.
  static std::string gather(
      std::size_t size, const std::function<void(const byte_sink&)>& produce) {
    std::string bytes(size, '\0');
    std::size_t given = 0;
    produce([&](std::size_t offset, std::string_view piece) {
      if (offset > bytes.size() || piece.size() > bytes.size() - offset) {
        throw std::logic_error("a piece beyond the file's announced size");
      }
      piece.copy(bytes.data() + offset, piece.size());
      given += piece.size();
    });
    if (given != size) {
      throw std::logic_error("the pieces are not the file's announced size");
    }
    return bytes;
  }
};

}  // namespace compattatore

#endif  // PLATFORM_FILE_SYSTEM_H_
