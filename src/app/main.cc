// compattatore: writes the compiled-in scenario's texts and documents, reads
// the texts back and writes the compiled files beside the executable.
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>

#include "app/exit_status.h"
#include "app/run_sequence.h"
#include "app/window.h"
#include "model/fatal_report.h"
#include "model/scenario.h"
#include "platform/process_memory.h"
#include "platform/real_file_system.h"
#include "version/version.h"

namespace {

using compattatore::window;

// Writes a report to standard error, where a log or a terminal keeps it,
// and with a window shows it in the message box too.
void show(window* w, const std::string& text) {
  std::cerr << text << std::endl;
  if (w != nullptr) w->message(text);
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

constexpr const char* usage =
    "Usage: compattatore [--help | --version]\n"
    "\n"
    "Writes the compiled-in scenario, route \"Orsella_Vantrona\" and train "
    "\"4273\", into\n"
    "the folder that holds this program: the three compiled files the "
    "simulator\n"
    "loads and three printed documents. It asks nothing and ignores any "
    "other\n"
    "argument.\n"
    "\n"
    "The files go beside the executable, not into the current folder. To "
    "have them\n"
    "in a folder of yours, copy the program there and run the copy:\n"
    "    cp \"$(command -v compattatore)\" ~/scenario/ && "
    "~/scenario/compattatore\n"
    "\n"
    "Exit status: 0 the files were written; 2 a file could not be written, "
    "replaced,\n"
    "read or deleted; 3 a seal guard failed (no compiled file was "
    "touched).\n";

// Why the program will not write into `dir`, or "" when it may. Checked
// before anything is written, so a refused run leaves the folder as it was.
std::string refusal(const std::string& dir) {
  const std::string hint =
      ". The program writes its files beside its executable: copy it into a "
      "folder of yours and run the copy there, e.g. cp '" +
      dir + "/compattatore' ~/scenario/ && ~/scenario/compattatore";
#ifdef COMPATTATORE_INSTALLED_DIR
  if (dir == COMPATTATORE_INSTALLED_DIR) {
    return "compattatore: will not write its files into " + dir +
           ", where it is installed" + hint;
  }
#endif
  if (::access(dir.c_str(), W_OK) != 0) {
    return "compattatore: cannot write in " + dir + ": " +
           std::strerror(errno) + hint;
  }
  return "";
}

}  // namespace

int main(int argc, char** argv) {
  namespace c = compattatore;
  c::keep_freed_memory();
  // Only these two are answered; any other argument is ignored, as ever.
  for (int i = 1; i < argc; ++i) {
    const std::string_view a = argv[i];
    if (a == "--version") {
      std::cout << "compattatore " << c::version << '\n';
      return c::exit_status::ok;
    }
    if (a == "--help") {
      std::cout << usage;
      return c::exit_status::ok;
    }
  }
  std::unique_ptr<window> w = c::open_window();
  program_report report(w.get());
  try {
    const std::string dir = c::program_dir();
    if (const std::string why = refusal(dir); !why.empty()) {
      show(w.get(), why);
      return c::exit_status::file_failure;
    }
    c::real_file_system fs;
    c::scenario s;
    c::form_load(s, fs, dir, report, [&] {
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
