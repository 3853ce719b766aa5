// Running an executable under test as a process, with its output captured.
#ifndef TESTS_PROCESS_H_
#define TESTS_PROCESS_H_

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace compattatore {

struct run_result {
  int status = -1;  // the exit status; -1 when the process did not exit
  std::string out;
  std::string err;
};

/// The whole file's bytes; empty when it cannot be read.
inline std::string slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

/// `s` as one word of a shell command line.
inline std::string shell_quote(const std::string& s) {
  std::string out = "'";
  for (char c : s) {
    if (c == '\'') {
      out += "'\\''";
    } else {
      out += c;
    }
  }
  return out + "'";
}

/// Runs `command` (a shell command line, its words quoted) in `dir`, with no
/// display and with `env` ("NAME=value" words, quoted) set. Its output goes
/// through files beside `dir`, so `dir` holds only what the command left.
inline run_result run_command(const std::filesystem::path& dir,
                              const std::string& env,
                              const std::string& command) {
  const std::filesystem::path out = dir.string() + ".out";
  const std::filesystem::path err = dir.string() + ".err";
  const std::string cmd = "cd " + shell_quote(dir.string()) +
                          " && env -u DISPLAY " + env + " " + command + " >" +
                          shell_quote(out.string()) + " 2>" +
                          shell_quote(err.string());
  const int raw = std::system(cmd.c_str());
  run_result r;
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  r.out = slurp(out);
  r.err = slurp(err);
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return r;
}

}  // namespace compattatore

#endif  // TESTS_PROCESS_H_
