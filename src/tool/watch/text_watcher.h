// Waits for saves of a scenario's two texts, and for the signals that end a
// watch: the texts' folders are watched, so a save by rename is seen too,
// and the ending signals are read from a descriptor, so they never cut a
// file's replacement short.
#ifndef TOOL_WATCH_TEXT_WATCHER_H_
#define TOOL_WATCH_TEXT_WATCHER_H_

#include <signal.h>

#include <array>
#include <chrono>
#include <optional>
#include <ostream>
#include <string>

namespace compattatore::tool {

/// Which texts one save changed, and when it began.
struct text_save {
  bool route = false;
  bool train = false;
  std::chrono::steady_clock::time_point first;
};

class text_watcher {
 public:
  /// Blocks SIGINT, SIGTERM and SIGHUP until destroyed.
  text_watcher();
  /// Takes the ending signal still pending, then puts the old mask back.
  ~text_watcher();
  text_watcher(const text_watcher&) = delete;
  text_watcher& operator=(const text_watcher&) = delete;

  /// Starts watching the texts at `route` and `train`. False, after saying
  /// why on `err`, when they cannot be watched.
  [[nodiscard]] bool start(const std::string& route, const std::string& train,
                           std::ostream& err);

  /// The next save of either text, once the texts have been quiet a while
  /// (a save is often several events). Nothing when an ending signal came,
  /// or when watching failed (said on `err`).
  std::optional<text_save> next_save(std::ostream& err);

 private:
  // One watched text: its folder's watch and its name there.
  struct watched_text {
    std::string dir;
    std::string name;
    int wd = -1;
  };

  sigset_t set_;
  sigset_t old_;
  int signal_fd_ = -1;
  int inotify_fd_ = -1;
  std::array<watched_text, 2> texts_;
};

}  // namespace compattatore::tool

#endif  // TOOL_WATCH_TEXT_WATCHER_H_
