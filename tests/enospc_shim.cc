// Preloaded into a process under test: every write to a file whose path
// contains $ENOSPC_SHIM_MATCH fails with ENOSPC once the file holds
// $ENOSPC_SHIM_AFTER bytes (default 0), as on a full disk; a write at an
// offset fails from that offset on.
#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using write_fn = ssize_t (*)(int, const void*, size_t);

bool matches(int fd) {
  const char* match = std::getenv("ENOSPC_SHIM_MATCH");
  if (match == nullptr || *match == '\0') return false;
  char link[64];
  char path[PATH_MAX];
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  const ssize_t n = ::readlink(link, path, sizeof path - 1);
  if (n < 0) return false;
  path[n] = '\0';
  return std::strstr(path, match) != nullptr;
}

}  // namespace

namespace {

// How many of `count` bytes at `at` may still go to `fd`: all when the file
// is not watched; -1 when none may (errno is then ENOSPC).
ssize_t room(int fd, off_t at, size_t count) {
  if (fd <= 2 || !matches(fd)) return static_cast<ssize_t>(count);
  const char* after = std::getenv("ENOSPC_SHIM_AFTER");
  const off_t allowed = after != nullptr ? std::atol(after) : 0;
  if (at >= allowed) {
    errno = ENOSPC;
    return -1;
  }
  if (static_cast<off_t>(count) > allowed - at) {
    return static_cast<ssize_t>(allowed - at);
  }
  return static_cast<ssize_t>(count);
}

using pwrite_fn = ssize_t (*)(int, const void*, size_t, off_t);

ssize_t pwrite_with(const char* name, int fd, const void* buf, size_t count,
                    off_t at) {
  const ssize_t n = room(fd, at, count);
  if (n < 0) return -1;
  return reinterpret_cast<pwrite_fn>(::dlsym(RTLD_NEXT, name))(
      fd, buf, static_cast<size_t>(n), at);
}

}  // namespace

extern "C" ssize_t write(int fd, const void* buf, size_t count) {
  static const auto real_write =
      reinterpret_cast<write_fn>(::dlsym(RTLD_NEXT, "write"));
  const ssize_t n = fd > 2 && matches(fd)
                        ? room(fd, ::lseek(fd, 0, SEEK_CUR), count)
                        : static_cast<ssize_t>(count);
  if (n < 0) return -1;
  return real_write(fd, buf, static_cast<size_t>(n));
}

// A file may be written at offsets too (the route-wide file two rows at a
// time): the disk is full from the same byte on.
extern "C" ssize_t pwrite(int fd, const void* buf, size_t count, off_t at) {
  return pwrite_with("pwrite", fd, buf, count, at);
}

extern "C" ssize_t pwrite64(int fd, const void* buf, size_t count, off_t at) {
  return pwrite_with("pwrite64", fd, buf, count, at);
}
