// Preloaded into a process under test: every write to a file whose path
// contains $ENOSPC_SHIM_MATCH fails with ENOSPC once the file holds
// $ENOSPC_SHIM_AFTER bytes (default 0), as on a full disk.
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

extern "C" ssize_t write(int fd, const void* buf, size_t count) {
  static const auto real_write =
      reinterpret_cast<write_fn>(::dlsym(RTLD_NEXT, "write"));
  if (fd > 2 && matches(fd)) {
    const char* after = std::getenv("ENOSPC_SHIM_AFTER");
    const off_t allowed = after != nullptr ? std::atol(after) : 0;
    const off_t at = ::lseek(fd, 0, SEEK_CUR);
    if (at >= allowed) {
      errno = ENOSPC;
      return -1;
    }
    if (static_cast<off_t>(count) > allowed - at) {
      count = static_cast<size_t>(allowed - at);
    }
  }
  return real_write(fd, buf, count);
}
