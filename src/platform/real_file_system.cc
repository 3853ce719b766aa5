#include "platform/real_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

namespace compattatore {
namespace {

std::string reason(int err) { return std::strerror(err); }

// Permissions a newly created file gets from the process's umask.
mode_t new_file_mode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return static_cast<mode_t>(0666 & ~mask);
}

}  // namespace

bool real_file_system::exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::string real_file_system::read(const std::string& path,
                                   std::size_t max_bytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw file_error(path, "open", reason(errno));
  std::string out;
  auto too_large = [&] {
    ::close(fd);
    throw file_error(path, "read",
                     "larger than " + std::to_string(max_bytes) + " bytes");
  };
  struct stat st {};
  if (::fstat(fd, &st) == 0 && st.st_size > 0) {
    if (static_cast<std::uint64_t>(st.st_size) > max_bytes) too_large();
    out.reserve(static_cast<std::size_t>(st.st_size));
  }
  std::array<char, 1 << 16> buf;
  for (;;) {
    const ssize_t n = ::read(fd, buf.data(), buf.size());
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      throw file_error(path, "read", reason(err));
    }
    out.append(buf.data(), static_cast<std::size_t>(n));
    // A file that grows while read, or reports no size (a pipe), is still
    // held to the bound.
    if (out.size() > max_bytes) too_large();
  }
  ::close(fd);
  return out;
}

void real_file_system::replace(const std::string& path,
                               std::string_view bytes) {
  replace_in_pieces(path, bytes.size(),
                    [bytes](const byte_sink& sink) { sink(bytes); });
}

void real_file_system::replace_in_pieces(
    const std::string& path, std::size_t /*size*/,
    const std::function<void(const byte_sink&)>& produce) {
  // The new content goes to a temporary file beside the old one and is
  // renamed over it only once it is whole: a failure on the way leaves the
  // old file as it was.
  std::string temp = path + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) throw file_error(path, "create", reason(errno));
  bool cleaned = false;
  auto clean = [&] {
    if (cleaned) return;
    cleaned = true;
    ::close(fd);
    ::unlink(temp.c_str());
  };
  auto fail = [&](const char* operation, int err) {
    clean();
    throw file_error(path, operation, reason(err));
  };
  if (::fchmod(fd, new_file_mode()) != 0) fail("create", errno);
  auto write_all = [&](std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
      if (n < 0) {
        if (errno == EINTR) continue;
        fail("write", errno);
      }
      done += static_cast<std::size_t>(n);
    }
  };
  try {
    produce(write_all);
  } catch (...) {
    clean();
    throw;
  }
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    throw file_error(path, "write", reason(err));
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    throw file_error(path, "replace", reason(err));
  }
}

void real_file_system::remove(const std::string& path) {
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) {
    throw file_error(path, "delete", reason(errno));
  }
}

std::string program_dir() {
  std::vector<char> buf(4096);
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
    if (n < 0) throw file_error("/proc/self/exe", "read", reason(errno));
    if (static_cast<std::size_t>(n) < buf.size()) {
      std::string exe(buf.data(), static_cast<std::size_t>(n));
      const auto slash = exe.rfind('/');
      if (slash == std::string::npos) return ".";
      if (slash == 0) return "";  // the root: "/name" joins as "" + "/" + name
      return exe.substr(0, slash);
    }
    buf.resize(buf.size() * 2);
  }
}

}  // namespace compattatore
