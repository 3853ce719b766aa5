// The program as a process, run from a copy in a temporary directory: its
// files go beside the executable.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/exit_status.h"
#include "tests/process.h"

namespace {

namespace fsys = std::filesystem;
using compattatore::run_command;
using compattatore::run_result;
using compattatore::shell_quote;
using compattatore::slurp;

class Program : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string tmpl = (fsys::temp_directory_path() / "prog-XXXXXX").string();
    ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
    dir_ = tmpl;
    fsys::copy_file(COMPATTATORE_EXE, dir_ / "compattatore");
  }
  void TearDown() override { fsys::remove_all(dir_); }

  // Runs the copy with `args` (already quoted for the shell) and `env`
  // ("NAME=value" words), as the user whose number is `user` when given.
  run_result run(const std::string& args = "", const std::string& user = "",
                 const std::string& env = "") const {
    const std::string as = user.empty()
                               ? ""
                               : "setpriv --reuid=" + user +
                                     " --regid=" + user + " --clear-groups ";
    return run_command(
        dir_, env,
        as + shell_quote((dir_ / "compattatore").string()) + " " + args);
  }

  std::vector<std::string> files() const {
    std::vector<std::string> out;
    for (const auto& e : fsys::directory_iterator(dir_)) {
      const std::string name = e.path().filename().string();
      if (name != "compattatore") out.push_back(name);
    }
    std::sort(out.begin(), out.end());
    return out;
  }

  fsys::path dir_;
};

TEST_F(Program, RunInAnEmptyDirectoryLeavesTheSixFiles) {
  const run_result r = run();
  EXPECT_EQ(r.status, compattatore::exit_status::ok) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(files(), (std::vector<std::string>{
                         "Orsella_Vantrona_4273.dat",
                         "Orsella_Vantrona_4273.sim",
                         "Orsella_Vantrona_4273_note.txt",
                         "Orsella_Vantrona_4273_rallentamenti.txt",
                         "Orsella_Vantrona_4273_scheda_treno.txt",
                         "Orsella_Vantrona_linea.dat",
                     }));
  EXPECT_EQ(fsys::file_size(dir_ / "Orsella_Vantrona_4273_note.txt"), 0u);
}

TEST_F(Program, AFileThatCannotBeWrittenEndsTheRunVisibly) {
  // Root ignores permissions: a directory in the file's place blocks it.
  fsys::create_directory(dir_ / "Orsella_Vantrona_linea.txt");
  const run_result r = run();
  EXPECT_EQ(r.status, compattatore::exit_status::file_failure);
  EXPECT_NE(r.err.find((dir_ / "Orsella_Vantrona_linea.txt").string()),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("directory"), std::string::npos) << r.err;
  // Nothing after the failing step ran.
  EXPECT_EQ(files(), std::vector<std::string>{"Orsella_Vantrona_linea.txt"});
}

// Starts `argv` with `display` set and stderr to `err`; its process id.
pid_t start(const std::vector<std::string>& argv, const std::string& display,
            const fsys::path& err) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int fd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(fd, 2);
    const int null = ::open("/dev/null", O_RDWR);
    ::dup2(null, 0);
    ::dup2(null, 1);
    if (!display.empty()) ::setenv("DISPLAY", display.c_str(), 1);
    std::vector<char*> args;
    for (const std::string& a : argv)
      args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    ::execvp(args[0], args.data());
    ::_exit(127);
  }
  return pid;
}

void stop(pid_t pid) {
  ::kill(pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);
}

TEST_F(Program, WithAWindowAFailureIsAlsoWrittenToStandardError) {
#ifndef COMPATTATORE_WINDOW
  GTEST_SKIP() << "built without a window";
#endif
  // A virtual display, on a free number that it tells through a pipe.
  int pipe_fds[2];
  ASSERT_EQ(::pipe(pipe_fds), 0);
  const pid_t xvfb = ::fork();
  if (xvfb == 0) {
    ::close(pipe_fds[0]);
    const int null = ::open("/dev/null", O_RDWR);
    ::dup2(null, 1);
    ::dup2(null, 2);
    const std::string fd = std::to_string(pipe_fds[1]);
    ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp",
             static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(pipe_fds[1]);
  // The number ends with a line end, and may come in more than one piece.
  std::string number;
  char c = 0;
  while (::read(pipe_fds[0], &c, 1) == 1 && c != '\n') number += c;
  ::close(pipe_fds[0]);
  if (number.empty()) {
    stop(xvfb);
    GTEST_SKIP() << "no Xvfb to give the program a display";
  }
  const std::string display = ":" + number;

  fsys::create_directory(dir_ / "Orsella_Vantrona_4273.sim");
  const fsys::path err =
      dir_.parent_path() / (dir_.filename().string() + ".err");
  const pid_t program = start({(dir_ / "compattatore").string()}, display, err);
  // The box waits for OK; the report is on standard error already.
  const std::string expected = "compattatore: cannot replace " +
                               (dir_ / "Orsella_Vantrona_4273.sim").string() +
                               ": Is a directory\n";
  std::string text;
  for (int i = 0; i < 100 && text != expected; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::ifstream in(err);
    std::stringstream ss;
    ss << in.rdbuf();
    text = ss.str();
  }
  int status = 0;
  const bool waiting = ::waitpid(program, &status, WNOHANG) == 0;
  if (waiting) stop(program);
  stop(xvfb);
  fsys::remove(err);
  EXPECT_TRUE(waiting) << "no message box held the program: " << display
                       << " status " << status << ": " << text;
  EXPECT_EQ(text, expected);
}

TEST_F(Program, AHeadlessRunLoadsNoWindowLibrary) {
  // The dynamic loader lists every library it opens on standard error.
  const run_result r = run("", "", "LD_DEBUG=files");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.err.find("libc.so"), std::string::npos) << r.err;
  for (const char* library : {"libfltk", "libX11", "compattatore_window"}) {
    EXPECT_EQ(r.err.find(library), std::string::npos) << library;
  }
}

TEST_F(Program, OtherArgumentsAreIgnored) {
  const run_result r = run("extra -x --verbose");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(files().size(), 6u);
}

TEST_F(Program, VersionAndHelpPrintAndWriteNothing) {
  // An earlier run's files must survive untouched, byte and time.
  ASSERT_EQ(run().status, 0);
  const fsys::path cells = dir_ / "Orsella_Vantrona_4273.dat";
  const std::string bytes = slurp(cells);
  const auto time = fsys::last_write_time(cells);
  const std::vector<std::string> before = files();
  const struct {
    const char* args;
    const char* starts;
  } cases[] = {
      {"--version", "compattatore 1."},
      {"--help", "Usage: compattatore [--help | --version]\n"},
      {"extra --version", "compattatore 1."},
      {"--help --version", "Usage: compattatore"},
  };
  for (const auto& c : cases) {
    const run_result r = run(c.args);
    EXPECT_EQ(r.status, 0) << c.args << ": " << r.err;
    EXPECT_TRUE(r.out.starts_with(c.starts)) << c.args << ": " << r.out;
    EXPECT_EQ(r.err, "") << c.args;
    EXPECT_EQ(files(), before) << c.args;
  }
  EXPECT_EQ(slurp(cells), bytes);
  EXPECT_EQ(fsys::last_write_time(cells), time);
  EXPECT_NE(run("--help").out.find("copy the program there"),
            std::string::npos);
}

TEST_F(Program, AFolderItCannotWriteInIsRefusedBeforeAnything) {
  if (::geteuid() != 0 || std::system("command -v setpriv >/dev/null") != 0) {
    GTEST_SKIP() << "needs root and setpriv to run as another user";
  }
  // The folder stays root's: an ordinary user can run but not write there.
  fsys::permissions(dir_, fsys::perms::owner_all | fsys::perms::group_read |
                              fsys::perms::group_exec |
                              fsys::perms::others_read |
                              fsys::perms::others_exec);
  fsys::permissions(dir_.parent_path(), fsys::perms::others_exec,
                    fsys::perm_options::add);
  const run_result r = run("", "65534");  // nobody, nogroup
  EXPECT_EQ(r.status, compattatore::exit_status::file_failure) << r.err;
  EXPECT_NE(r.err.find("cannot write in " + dir_.string()), std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("copy it into a folder of yours"), std::string::npos)
      << r.err;
  EXPECT_TRUE(files().empty());
}

}  // namespace
