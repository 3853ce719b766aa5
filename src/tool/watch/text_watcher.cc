#include "tool/watch/text_watcher.h"

#include <poll.h>
#include <sys/inotify.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "tool/common/message_prefix.h"

namespace compattatore::tool {
namespace {

using clock_type = std::chrono::steady_clock;

// A save is often several events (an editor writes a temporary file and
// renames it, or truncates and writes): the check waits until the texts
// have been quiet this long, but never longer than the bound after the
// first event.
constexpr auto quiet = std::chrono::milliseconds(20);
constexpr auto longest_wait = std::chrono::milliseconds(60);

}  // namespace

text_watcher::text_watcher() {
  sigemptyset(&set_);
  sigaddset(&set_, SIGINT);
  sigaddset(&set_, SIGTERM);
  sigaddset(&set_, SIGHUP);
  ::sigprocmask(SIG_BLOCK, &set_, &old_);
}

text_watcher::~text_watcher() {
  // Taken, so that none is still pending when the old mask is back.
  if (signal_fd_ >= 0) {
    signalfd_siginfo info;
    while (::read(signal_fd_, &info, sizeof info) > 0) {
    }
    ::close(signal_fd_);
  }
  if (inotify_fd_ >= 0) ::close(inotify_fd_);
  ::sigprocmask(SIG_SETMASK, &old_, nullptr);
}

bool text_watcher::start(const std::string& route, const std::string& train,
                         std::ostream& err) {
  signal_fd_ = ::signalfd(-1, &set_, SFD_CLOEXEC | SFD_NONBLOCK);
  inotify_fd_ = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
  if (signal_fd_ < 0 || inotify_fd_ < 0) {
    err << message_prefix << "cannot watch the texts: " << std::strerror(errno)
        << '\n';
    return false;
  }
  const std::string paths[] = {route, train};
  for (std::size_t i = 0; i < texts_.size(); ++i) {
    const std::filesystem::path p(paths[i]);
    watched_text& t = texts_[i];
    t.dir = p.has_parent_path() ? p.parent_path().string() : ".";
    t.name = p.filename().string();
    t.wd = ::inotify_add_watch(
        inotify_fd_, t.dir.c_str(),
        IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_DELETE | IN_CREATE);
    if (t.wd < 0) {
      err << message_prefix << "cannot watch the folder " << t.dir << ": "
          << std::strerror(errno) << '\n';
      return false;
    }
  }
  return true;
}

std::optional<text_save> text_watcher::next_save(std::ostream& err) {
  std::optional<text_save> save;  // pending
  clock_type::time_point last;
  alignas(inotify_event) char buf[16 * 1024];
  auto saw = [&](bool route, bool train) {
    last = clock_type::now();
    if (!save) save = text_save{false, false, last};
    save->route = save->route || route;
    save->train = save->train || train;
  };
  for (;;) {
    int timeout = -1;
    if (save) {
      const auto due = std::min(last + quiet, save->first + longest_wait);
      const auto left =
          std::chrono::ceil<std::chrono::milliseconds>(due - clock_type::now());
      timeout = static_cast<int>(std::max<long long>(0, left.count()));
    }
    pollfd fds[2] = {{signal_fd_, POLLIN, 0}, {inotify_fd_, POLLIN, 0}};
    const int n = ::poll(fds, 2, timeout);
    if (n < 0 && errno != EINTR) {
      err << message_prefix
          << "cannot watch the texts: " << std::strerror(errno) << '\n';
      return std::nullopt;
    }
    if (n > 0 && (fds[0].revents & POLLIN) != 0) return std::nullopt;
    if (n > 0 && (fds[1].revents & POLLIN) != 0) {
      ssize_t got;
      while ((got = ::read(inotify_fd_, buf, sizeof buf)) > 0) {
        for (char* at = buf; at < buf + got;) {
          const auto* e = reinterpret_cast<const inotify_event*>(at);
          at += sizeof(inotify_event) + e->len;
          // Events were lost: either text may have been saved.
          if ((e->mask & IN_Q_OVERFLOW) != 0) saw(true, true);
          if (e->len == 0) continue;
          const std::string name(e->name);
          for (std::size_t i = 0; i < texts_.size(); ++i) {
            if (e->wd != texts_[i].wd || name != texts_[i].name) continue;
            saw(i == 0, i == 1);
          }
        }
      }
    }
    if (save && clock_type::now() >=
                    std::min(last + quiet, save->first + longest_wait)) {
      return save;
    }
  }
}

}  // namespace compattatore::tool
