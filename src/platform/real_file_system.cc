#include "platform/real_file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <map>
#include <random>
#include <stdexcept>
#include <thread>
#include <vector>

namespace compattatore {
namespace {

std::string reason(int err) { return std::strerror(err); }

// Names beside a file NAME that mark what this program leaves there only
// while it replaces NAME: ".NAME.compattatore-tmp.XXXXXX", the new content
// being written, and ".NAME.compattatore-old", the old content kept until
// the new set is in place. A run killed on the way leaves them; the next
// one that writes NAME clears them (and nothing else).
constexpr std::string_view segno_temporaneo = ".compattatore-tmp.";
constexpr std::string_view segno_vecchio = ".compattatore-old";
constexpr std::size_t lettere_casuali = 6;
constexpr std::string_view lettere =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

struct path_parts {
  std::string dir;   // up to and with the last '/', or empty
  std::string base;  // the name after it
};

path_parts split(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return {"", path};
  return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

std::string backup_name(const std::string& path) {
  const path_parts p = split(path);
  return p.dir + "." + p.base + std::string(segno_vecchio);
}

bool is_temporary_of(std::string_view name, const std::string& base) {
  const std::size_t head = 1 + base.size() + segno_temporaneo.size();
  if (name.size() != head + lettere_casuali || !name.starts_with('.') ||
      name.substr(1, base.size()) != base ||
      name.substr(1 + base.size(), segno_temporaneo.size()) !=
          segno_temporaneo) {
    return false;
  }
  return name.find_first_not_of(lettere, head) == std::string_view::npos;
}

// What a killed run left beside the files about to be written: its
// temporaries go. A kept old file goes back in place when the killed run
// had moved it aside and not yet put the new one there; otherwise the
// file there is whole (old or new) and the kept copy goes.
void clear_leftovers(const std::vector<new_file>& files) {
  std::map<std::string, std::vector<std::string>> bases_by_dir;
  for (const new_file& f : files) {
    path_parts p = split(f.path);
    bases_by_dir[p.dir].push_back(std::move(p.base));
  }
  for (const auto& [dir, bases] : bases_by_dir) {
    DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
    if (d == nullptr) continue;  // writing there will say why
    std::vector<std::string> stale;
    while (const dirent* e = ::readdir(d)) {
      const std::string_view name = e->d_name;
      for (const std::string& base : bases) {
        if (is_temporary_of(name, base))
          stale.push_back(dir + std::string(name));
      }
    }
    ::closedir(d);
    for (const std::string& t : stale) ::unlink(t.c_str());
  }
  for (const new_file& f : files) {
    const std::string backup = backup_name(f.path);
    struct stat st {};
    if (::lstat(backup.c_str(), &st) != 0) continue;
    const bool missing = ::lstat(f.path.c_str(), &st) != 0 && errno == ENOENT;
    const int done = missing ? ::rename(backup.c_str(), f.path.c_str())
                             : ::unlink(backup.c_str());
    if (done != 0) throw file_error(backup, "clear", reason(errno));
  }
}

std::string random_letters() {
  // One generator per thread: `compatta build` replaces sets from several
  // at once.
  thread_local std::minstd_rand gen(static_cast<std::minstd_rand::result_type>(
      std::chrono::steady_clock::now().time_since_epoch().count() ^
      (static_cast<long long>(::getpid()) << 16) ^
      static_cast<long long>(
          std::hash<std::thread::id>{}(std::this_thread::get_id()))));
  std::string out(lettere_casuali, ' ');
  for (char& c : out) c = lettere[gen() % lettere.size()];
  return out;
}

enum class kept_as {
  none,  // there was no old file
  link,  // a second name of the old file; the file stays in place
  moved  // moved aside (no hard links here); its name is empty
};

struct staged_file {
  std::string path;
  std::string temp;    // empty until made
  std::string backup;  // where the old file is kept
  kept_as kept = kept_as::none;
  bool placed = false;  // the new file holds the name
};

void write_temporary(staged_file& st, const new_file& f) {
  const path_parts p = split(f.path);
  int fd = -1;
  for (int attempt = 0; fd < 0; ++attempt) {
    std::string temp =
        p.dir + "." + p.base + std::string(segno_temporaneo) + random_letters();
    // Created with 0666 less the umask, as any new file of the process.
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      st.temp = std::move(temp);
    } else if (errno != EEXIST || attempt == 100) {
      throw file_error(f.path, "create", reason(errno));
    }
  }
  bool open = true;
  auto fail = [&](const char* operation, int err) {
    ::close(fd);
    open = false;
    throw file_error(f.path, operation, reason(err));
  };
  std::size_t given = 0;
  auto write_at = [&](std::size_t offset, std::string_view bytes) {
    if (offset > f.size || bytes.size() > f.size - offset) {
      throw std::logic_error("a piece beyond the file's announced size");
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done,
                                 static_cast<off_t>(offset + done));
      if (n < 0) {
        if (errno == EINTR) continue;
        fail("write", errno);
      }
      done += static_cast<std::size_t>(n);
    }
    given += bytes.size();
  };
  try {
    f.produce(write_at);
    if (given != f.size) {
      throw std::logic_error("the pieces are not the file's announced size");
    }
  } catch (...) {
    if (open) ::close(fd);
    throw;
  }
  if (::close(fd) != 0) throw file_error(f.path, "write", reason(errno));
}

void keep_old(staged_file& st) {
  struct stat old {};
  if (::lstat(st.path.c_str(), &old) != 0) {
    if (errno == ENOENT) return;
    throw file_error(st.path, "replace", reason(errno));
  }
  // A directory in the file's place would be moved aside below and lost
  // from view; no file can replace it anyway.
  if (S_ISDIR(old.st_mode)) {
    throw file_error(st.path, "replace", reason(EISDIR));
  }
  if (::link(st.path.c_str(), st.backup.c_str()) == 0) {
    st.kept = kept_as::link;
    return;
  }
  const int err = errno;
  // File systems without hard links (FAT) refuse; the old file is moved
  // aside then, and a killed run's next one moves it back.
  if (err != EPERM && err != EOPNOTSUPP) {
    throw file_error(st.path, "keep the old", reason(err));
  }
  if (::rename(st.path.c_str(), st.backup.c_str()) != 0) {
    throw file_error(st.path, "keep the old", reason(errno));
  }
  st.kept = kept_as::moved;
}

// Puts the old set back after a failure and clears the temporaries. Says
// which old files could not be put back, and where they are kept, or
// nothing.
std::string undo(std::vector<staged_file>& set) {
  std::string not_restored;
  for (auto it = set.rbegin(); it != set.rend(); ++it) {
    staged_file& st = *it;
    if (!st.temp.empty() && !st.placed) ::unlink(st.temp.c_str());
    int done = 0;
    if (st.kept == kept_as::link && !st.placed) {
      // Only a second name of the old file, which never left its place; if
      // it cannot go, the next run clears it.
      ::unlink(st.backup.c_str());
    } else if (st.kept != kept_as::none) {
      done = ::rename(st.backup.c_str(), st.path.c_str());
    } else if (st.placed) {
      done = ::unlink(st.path.c_str());
    }
    if (done != 0) {
      const int err = errno;
      not_restored += "; and the earlier " + st.path +
                      " could not be put back (" + reason(err) + ")";
      if (st.kept != kept_as::none)
        not_restored += ", it is kept as " + st.backup;
    }
  }
  return not_restored;
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
  replace_set({{path, bytes.size(),
                [bytes](const byte_sink& sink) { sink(0, bytes); }}});
}

void real_file_system::replace_in_pieces(
    const std::string& path, std::size_t size,
    const std::function<void(const byte_sink&)>& produce) {
  replace_set({{path, size, produce}});
}

void real_file_system::replace_set(const std::vector<new_file>& files) {
  clear_leftovers(files);
  std::vector<staged_file> set;
  set.reserve(files.size());
  for (const new_file& f : files) {
    set.push_back({f.path, {}, backup_name(f.path)});
  }
  try {
    // Every new file is written whole beside its name before any old one
    // is touched, so a failure while writing leaves the old set as it was.
    for (std::size_t i = 0; i < files.size(); ++i) {
      write_temporary(set[i], files[i]);
    }
    // The old files stay where they are, and a second name keeps each
    // until the whole new set is in place.
    for (staged_file& st : set) keep_old(st);
    for (staged_file& st : set) {
      if (::rename(st.temp.c_str(), st.path.c_str()) != 0) {
        throw file_error(st.path, "replace", reason(errno));
      }
      st.placed = true;
    }
  } catch (const file_error& e) {
    const std::string not_restored = undo(set);
    if (not_restored.empty()) throw;
    throw file_error(e.path(), e.operation(), e.reason() + not_restored);
  } catch (...) {
    undo(set);
    throw;
  }
  // The new set is whole. A second name that cannot go now is cleared by
  // the next run.
  for (const staged_file& st : set) {
    if (st.kept != kept_as::none) ::unlink(st.backup.c_str());
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
