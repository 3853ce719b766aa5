// Preloaded into a process under test: the Nth call of one kind of file
// operation on a matching path fails, or the process is killed just before
// it, so a test can stop a run at each step of replacing its files.
//
//   FAULT_SHIM_CALL   open, write (also at an offset), link, rename or
//                     unlink
//   FAULT_SHIM_N      which matching call, from 1; 0: every one
//   FAULT_SHIM_MATCH  the path (for write: the open file's path; for link
//                     and rename: either path) contains one of these
//                     ':'-separated texts
//   FAULT_SHIM_ERRNO  the error number the call fails with (default EIO)
//   FAULT_SHIM_KILL   when set, the process kills itself with SIGKILL
//                     instead, before the call does anything
//   FAULT_SHIM_NO_LINKS  when set, every link on a matching path fails with
//                     EPERM, as on a file system without hard links
#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool matches(const char* path) {
  const char* match = std::getenv("FAULT_SHIM_MATCH");
  if (path == nullptr || match == nullptr || *match == '\0') return false;
  char each[PATH_MAX];
  std::snprintf(each, sizeof each, "%s", match);
  char* save = nullptr;
  for (char* part = strtok_r(each, ":", &save); part != nullptr;
       part = strtok_r(nullptr, ":", &save)) {
    if (std::strstr(path, part) != nullptr) return true;
  }
  return false;
}

bool fd_matches(int fd) {
  if (fd <= 2) return false;
  char link[64];
  char path[PATH_MAX];
  std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
  const ssize_t n = ::readlink(link, path, sizeof path - 1);
  if (n < 0) return false;
  path[n] = '\0';
  return matches(path);
}

// Whether this call, of `kind` on a matching path, is the one to fail;
// kills the process instead when asked.
bool fails(const char* kind) {
  const char* call = std::getenv("FAULT_SHIM_CALL");
  if (call == nullptr || std::strcmp(call, kind) != 0) return false;
  static long count = 0;
  ++count;
  const char* n = std::getenv("FAULT_SHIM_N");
  const long which = n != nullptr ? std::atol(n) : 1;
  if (which != 0 && count != which) return false;
  if (std::getenv("FAULT_SHIM_KILL") != nullptr) ::kill(::getpid(), SIGKILL);
  const char* e = std::getenv("FAULT_SHIM_ERRNO");
  errno = e != nullptr ? std::atoi(e) : EIO;
  return true;
}

template <typename F>
F next(const char* name) {
  return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

int open_with(const char* name, const char* path, int flags, mode_t mode) {
  using open_fn = int (*)(const char*, int, ...);
  if (matches(path) && fails("open")) return -1;
  return next<open_fn>(name)(path, flags, mode);
}

mode_t mode_of(int flags, va_list ap) {
  return (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE
             ? static_cast<mode_t>(va_arg(ap, unsigned))
             : 0;
}

}  // namespace

extern "C" int open(const char* path, int flags, ...) {
  va_list ap;
  va_start(ap, flags);
  const mode_t mode = mode_of(flags, ap);
  va_end(ap);
  return open_with("open", path, flags, mode);
}

extern "C" int open64(const char* path, int flags, ...) {
  va_list ap;
  va_start(ap, flags);
  const mode_t mode = mode_of(flags, ap);
  va_end(ap);
  return open_with("open64", path, flags, mode);
}

extern "C" ssize_t write(int fd, const void* buf, size_t count) {
  using write_fn = ssize_t (*)(int, const void*, size_t);
  static const auto real_write = next<write_fn>("write");
  if (fd_matches(fd) && fails("write")) return -1;
  return real_write(fd, buf, count);
}

// Writes at an offset count as writes.
extern "C" ssize_t pwrite(int fd, const void* buf, size_t count, off_t at) {
  using pwrite_fn = ssize_t (*)(int, const void*, size_t, off_t);
  static const auto real_pwrite = next<pwrite_fn>("pwrite");
  if (fd_matches(fd) && fails("write")) return -1;
  return real_pwrite(fd, buf, count, at);
}

extern "C" ssize_t pwrite64(int fd, const void* buf, size_t count, off_t at) {
  using pwrite_fn = ssize_t (*)(int, const void*, size_t, off_t);
  static const auto real_pwrite = next<pwrite_fn>("pwrite64");
  if (fd_matches(fd) && fails("write")) return -1;
  return real_pwrite(fd, buf, count, at);
}

extern "C" int link(const char* from, const char* to) {
  using link_fn = int (*)(const char*, const char*);
  static const auto real_link = next<link_fn>("link");
  if (matches(from) || matches(to)) {
    if (std::getenv("FAULT_SHIM_NO_LINKS") != nullptr) {
      errno = EPERM;
      return -1;
    }
    if (fails("link")) return -1;
  }
  return real_link(from, to);
}

extern "C" int rename(const char* from, const char* to) {
  using rename_fn = int (*)(const char*, const char*);
  static const auto real_rename = next<rename_fn>("rename");
  if ((matches(from) || matches(to)) && fails("rename")) return -1;
  return real_rename(from, to);
}

extern "C" int unlink(const char* path) {
  using unlink_fn = int (*)(const char*);
  static const auto real_unlink = next<unlink_fn>("unlink");
  if (matches(path) && fails("unlink")) return -1;
  return real_unlink(path);
}
