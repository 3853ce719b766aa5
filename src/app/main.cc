// compattatore: writes the compiled-in scenario's texts and documents, reads
// the texts back and writes the compiled files beside the executable.
#include <cstdlib>
#include <exception>
#include <iostream>
#include <memory>
#include <string>

#include "app/exit_status.h"
#include "app/run_sequence.h"
#include "app/window.h"
#include "model/fatal_report.h"
#include "model/scenario.h"
#include "platform/real_file_system.h"

namespace {

using compattatore::window;

// Shows a report in the message box, or on standard error without one.
void show(window* w, const std::string& text) {
  if (w != nullptr) {
    w->message(text);
  } else {
    std::cerr << text << '\n';
  }
}

class program_report : public compattatore::fatal_report {
 public:
  explicit program_report(window* w) : window_(w) {}
  void errore(const std::string& a) override {
    show(window_, std::string(compattatore::prefisso_errore) + a);
    std::exit(compattatore::exit_status::errore);
  }

 private:
  window* window_;
};

}  // namespace

int main() {
  namespace c = compattatore;
  std::unique_ptr<window> w = c::open_window();
  program_report report(w.get());
  try {
    c::real_file_system fs;
    c::scenario s;
    c::form_load(s, fs, c::program_dir(), report, [&] {
      if (w) w->show_and_paint();
    });
  } catch (const c::file_error& e) {
    show(w.get(), std::string("compattatore: ") + e.what());
    return c::exit_status::file_failure;
  } catch (const std::exception& e) {
    show(w.get(), std::string("compattatore: run-time error: ") + e.what());
    return c::exit_status::file_failure;
  }
  if (w) w->close();
  return c::exit_status::ok;
}
