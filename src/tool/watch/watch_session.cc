#include "tool/watch/watch_session.h"

#include <time.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <utility>
#include <vector>

#include "tool/common/exit_status.h"
#include "tool/common/message_prefix.h"
#include "tool/compilation/compiled_set.h"
#include "tool/compilation/scenario_check.h"
#include "tool/files/output_dir.h"
#include "tool/report/report_file.h"
#include "tool/watch/text_watcher.h"

namespace compattatore::tool {
namespace {

using clock_type = std::chrono::steady_clock;

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

std::string outcome_words(const scenario_check& c) {
  if (!c.outcome.sealed) {
    return "a seal guard failed, no compiled file would be written (status 3)";
  }
  if (c.outcome.status == exit_status::data_fault) {
    return "a data fault (status 1)";
  }
  return "no problem found (status 0)";
}

// The checks of one watch and what each leaves on disk.
class check_session {
 public:
  /// `first` holds the texts as read at the start: the first check uses
  /// them, and every later one reads the texts again.
  check_session(const watch_options& o, scenario_texts first, std::ostream& out,
                std::ostream& err)
      : o_(o),
        p_(first.paths),
        first_(std::move(first)),
        out_(out),
        err_(err) {}

  // One check: diagnostics first, as soon as they are known, then the page
  // and the files. False when the page or the files cannot be written.
  bool check(const std::string& why,
             std::optional<clock_type::time_point> saved) {
    ++count_;
    out_ << "== " << time_of_day() << " check " << count_ << ": " << why
         << " ==\n";
    std::string problem;
    scenario_texts t;
    if (first_) {
      t = std::move(*first_);
      first_.reset();
    } else if (!read_texts(p_, &t, &problem)) {
      out_ << message_prefix << problem << '\n';
      out_.flush();
      checked_ = false;
      return true;
    }
    check_scenario(std::move(t), &c_);
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
        err_ << message_prefix << problem << '\n';
        ok = false;
      }
    }
    if (!o_.dir.empty() && c_.outcome.sealed) {
      std::vector<written_file> written;
      if (write_compiled_set(c_.s, p_, normalise_dir(o_.dir), &written,
                             &problem)) {
        for (const written_file& f : written) {
          out_ << "wrote " << f.path << " (" << f.size << " bytes)\n";
        }
      } else {
        err_ << message_prefix << problem << '\n';
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
      err_ << message_prefix << problem << '\n';
    }
  }

 private:
  const watch_options& o_;
  const scenario_paths p_;
  std::optional<scenario_texts> first_;
  std::ostream& out_;
  std::ostream& err_;
  scenario_check c_;
  bool checked_ = false;
  int count_ = 0;
};

}  // namespace

int run_watch(const watch_options& o, std::ostream& out, std::ostream& err) {
  scenario_texts t;
  if (!prepare_texts(o.texts, &t, err)) return exit_status::file_failure;
  const scenario_paths p = t.paths;
  std::vector<std::string> outputs;
  if (!o.report.empty()) outputs.push_back(o.report);
  if (!o.dir.empty()) {
    std::string problem;
    if (!usable_dir(normalise_dir(o.dir), &problem)) {
      err << message_prefix << problem << '\n';
      return exit_status::file_failure;
    }
    for (std::string& path :
         compiled_set_paths(p, normalise_dir(o.dir), true)) {
      outputs.push_back(std::move(path));
    }
  }
  if (const auto refused = output_among_texts(p, outputs)) {
    err << message_prefix << *refused << '\n';
    return exit_status::file_failure;
  }

  text_watcher watcher;
  if (!watcher.start(p.testo_linea, p.testo_treno, err)) {
    return exit_status::file_failure;
  }
  check_session session(o, std::move(t), out, err);
  if (!session.check("watching " + p.testo_linea + " and " + p.testo_treno +
                         " (Ctrl-C ends)",
                     std::nullopt)) {
    return exit_status::file_failure;
  }
  while (const std::optional<text_save> save = watcher.next_save(err)) {
    const std::string why =
        save->route && save->train
            ? "both texts saved"
            : (save->route ? "route text saved" : "train text saved");
    (void)session.check(why, save->first);
  }
  session.finish();
  out << "watch ended\n";
  out.flush();
  return exit_status::ok;
}

}  // namespace compattatore::tool
