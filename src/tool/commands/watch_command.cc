#include "tool/commands/watch_command.h"

#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/signalfd.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <vector>

#include "platform/real_file_system.h"
#include "tool/common/exit_status.h"
#include "tool/compilation/scenario_check.h"
#include "tool/diagnostics/diagnostics.h"
#include "tool/files/guarded_file_system.h"
#include "tool/files/output_dir.h"
#include "tool/report/report_file.h"

namespace compattatore::tool {
namespace {

using clock_type = std::chrono::steady_clock;

// A save is often several events (an editor writes a temporary file and
// renames it, or truncates and writes): the check waits until the texts
// have been quiet this long, but never longer than the bound after the
// first event.
constexpr auto quiet = std::chrono::milliseconds(20);
constexpr auto longest_wait = std::chrono::milliseconds(60);

class file_descriptor {
 public:
  explicit file_descriptor(int fd) : fd_(fd) {}
  ~file_descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  file_descriptor(const file_descriptor&) = delete;
  file_descriptor& operator=(const file_descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// Keeps the ending signals blocked, so that they are read from a
// descriptor between checks and never cut a file's replacement short;
// puts the old mask back when done.
class blocked_signals {
 public:
  blocked_signals() {
    sigemptyset(&set_);
    sigaddset(&set_, SIGINT);
    sigaddset(&set_, SIGTERM);
    sigaddset(&set_, SIGHUP);
    ::sigprocmask(SIG_BLOCK, &set_, &old_);
  }
  ~blocked_signals() { ::sigprocmask(SIG_SETMASK, &old_, nullptr); }
  blocked_signals(const blocked_signals&) = delete;
  blocked_signals& operator=(const blocked_signals&) = delete;
  const sigset_t& set() const { return set_; }

 private:
  sigset_t set_;
  sigset_t old_;
};

std::string time_of_day() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t t = std::chrono::system_clock::to_time_t(now);
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      now.time_since_epoch())
                      .count() %
                  1000;
  std::tm local{};
  ::localtime_r(&t, &local);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d.%03d", local.tm_hour,
                local.tm_min, local.tm_sec, static_cast<int>(ms));
  return buf;
}

// One watched text: its folder's watch and its name there.
struct watched_text {
  std::string path;
  std::string dir;
  std::string name;
  int wd = -1;
};

watched_text watched(const std::string& path) {
  const std::filesystem::path p(path);
  watched_text w;
  w.path = path;
  w.dir = p.has_parent_path() ? p.parent_path().string() : ".";
  w.name = p.filename().string();
  return w;
}

std::string outcome_words(const scenario_check& c) {
  if (!c.outcome.sealed) {
    return "a seal guard failed, no compiled file would be written (status 3)";
  }
  if (c.outcome.status == exit_status::data_fault) {
    return "a data fault (status 1)";
  }
  return "no problem found (status 0)";
}

class watcher {
 public:
  watcher(const watch_options& o, const scenario_paths& p, std::ostream& out,
          std::ostream& err)
      : o_(o), p_(p), out_(out), err_(err) {}

  // One check: diagnostics first, as soon as they are known, then the page
  // and the files. False when the page or the files cannot be written.
  bool check(const std::string& why,
             std::optional<clock_type::time_point> saved) {
    ++count_;
    out_ << "== " << time_of_day() << " check " << count_ << ": " << why
         << " ==\n";
    std::string problem;
    if (!check_scenario(p_, &c_, &problem)) {
      out_ << prefisso_tool << problem << '\n';
      out_.flush();
      checked_ = false;
      return true;
    }
    checked_ = true;
    out_ << diagnostics_text(c_.outcome);
    out_ << p_.nome_linea << '_' << p_.numero_treno << ": "
         << outcome_words(c_);
    if (saved) {
      const auto us = std::chrono::duration_cast<std::chrono::microseconds>(
                          clock_type::now() - *saved)
                          .count();
      out_ << ", " << us / 1000 << '.' << us / 100 % 10 << " ms after the save";
    }
    out_ << '\n';
    out_.flush();

    bool ok = true;
    if (!o_.report.empty()) {
      std::size_t size = 0;
      page_options po;
      po.live = true;
      po.checked_at = time_of_day();
      if (write_report(p_, c_, o_.report, po, &size, &problem)) {
        out_ << "wrote " << o_.report << " (" << size << " bytes)\n";
      } else {
        err_ << prefisso_tool << problem << '\n';
        ok = false;
      }
    }
    if (!o_.dir.empty() && c_.outcome.sealed) {
      std::vector<written_file> written;
      if (write_compiled_files(p_, c_, o_.dir, &written, &problem)) {
        for (const written_file& f : written) {
          out_ << "wrote " << f.path << " (" << f.size << " bytes)\n";
        }
      } else {
        err_ << prefisso_tool << problem << '\n';
        ok = false;
      }
    }
    out_.flush();
    err_.flush();
    return ok;
  }

  // The last page without its reloading: the page stays as the last check
  // left it, and stops asking the browser for more.
  void finish() {
    if (o_.report.empty() || !checked_) return;
    std::size_t size = 0;
    std::string problem;
    if (!write_report(p_, c_, o_.report, {}, &size, &problem)) {
      err_ << prefisso_tool << problem << '\n';
    }
  }

 private:
  const watch_options& o_;
  const scenario_paths& p_;
  std::ostream& out_;
  std::ostream& err_;
  scenario_check c_;
  bool checked_ = false;
  int count_ = 0;
};

}  // namespace

int run_watch(const watch_options& o, std::ostream& out, std::ostream& err) {
  scenario_paths p;
  if (!scenario_paths_of(o.texts, &p, err)) return exit_status::file_failure;
  real_file_system disk;
  guarded_file_system guard(disk, {p.testo_linea, p.testo_treno});
  std::vector<std::string> outputs;
  if (!o.report.empty()) outputs.push_back(o.report);
  if (!o.dir.empty()) {
    std::string problem;
    if (!usable_dir(normalise_dir(o.dir), &problem)) {
      err << prefisso_tool << problem << '\n';
      return exit_status::file_failure;
    }
    const file_names names{normalise_dir(o.dir), p.nome_linea, p.numero_treno};
    outputs.push_back(names.file_linea());
    outputs.push_back(names.file_stazioni());
    outputs.push_back(names.file_celle());
  }
  for (const std::string& path : outputs) {
    if (guard.protects(path)) {
      err << prefisso_tool << "cannot write " << path
          << ": it is one of the texts being read\n";
      return exit_status::file_failure;
    }
  }

  const blocked_signals signals;
  const file_descriptor sfd(
      ::signalfd(-1, &signals.set(), SFD_CLOEXEC | SFD_NONBLOCK));
  const file_descriptor ifd(::inotify_init1(IN_CLOEXEC | IN_NONBLOCK));
  if (sfd.get() < 0 || ifd.get() < 0) {
    err << prefisso_tool << "cannot watch the texts: " << std::strerror(errno)
        << '\n';
    return exit_status::file_failure;
  }
  std::array<watched_text, 2> texts = {watched(p.testo_linea),
                                       watched(p.testo_treno)};
  for (watched_text& t : texts) {
    t.wd = ::inotify_add_watch(
        ifd.get(), t.dir.c_str(),
        IN_CLOSE_WRITE | IN_MOVED_TO | IN_MOVED_FROM | IN_DELETE | IN_CREATE);
    if (t.wd < 0) {
      err << prefisso_tool << "cannot watch the folder " << t.dir << ": "
          << std::strerror(errno) << '\n';
      return exit_status::file_failure;
    }
  }

  watcher w(o, p, out, err);
  if (!w.check("watching " + p.testo_linea + " and " + p.testo_treno +
                   " (Ctrl-C ends)",
               std::nullopt)) {
    return exit_status::file_failure;
  }

  std::optional<clock_type::time_point> first;  // of the pending save
  clock_type::time_point last;
  bool route_saved = false;
  bool train_saved = false;
  alignas(inotify_event) char buf[16 * 1024];
  for (;;) {
    int timeout = -1;
    if (first) {
      const auto due = std::min(last + quiet, *first + longest_wait);
      const auto left =
          std::chrono::ceil<std::chrono::milliseconds>(due - clock_type::now());
      timeout = static_cast<int>(std::max<long long>(0, left.count()));
    }
    pollfd fds[2] = {{sfd.get(), POLLIN, 0}, {ifd.get(), POLLIN, 0}};
    const int n = ::poll(fds, 2, timeout);
    if (n < 0 && errno != EINTR) {
      err << prefisso_tool << "cannot watch the texts: " << std::strerror(errno)
          << '\n';
      break;
    }
    if (n > 0 && (fds[0].revents & POLLIN) != 0) break;
    if (n > 0 && (fds[1].revents & POLLIN) != 0) {
      ssize_t got;
      while ((got = ::read(ifd.get(), buf, sizeof buf)) > 0) {
        for (char* at = buf; at < buf + got;) {
          const auto* e = reinterpret_cast<const inotify_event*>(at);
          at += sizeof(inotify_event) + e->len;
          if ((e->mask & IN_Q_OVERFLOW) != 0) {
            // Events were lost: either text may have been saved.
            route_saved = train_saved = true;
            last = clock_type::now();
            if (!first) first = last;
          }
          if (e->len == 0) continue;
          const std::string name(e->name);
          for (const watched_text& t : texts) {
            if (e->wd != t.wd || name != t.name) continue;
            (&t == &texts[0] ? route_saved : train_saved) = true;
            last = clock_type::now();
            if (!first) first = last;
          }
        }
      }
    }
    if (first &&
        clock_type::now() >= std::min(last + quiet, *first + longest_wait)) {
      const std::string why =
          route_saved && train_saved
              ? "both texts saved"
              : (route_saved ? "route text saved" : "train text saved");
      (void)w.check(why, first);
      first.reset();
      route_saved = train_saved = false;
    }
  }
  // Taken, so that none is still pending when the old mask is back.
  signalfd_siginfo info;
  while (::read(sfd.get(), &info, sizeof info) > 0) {
  }
  w.finish();
  out << "watch ended\n";
  out.flush();
  return exit_status::ok;
}

}  // namespace compattatore::tool
