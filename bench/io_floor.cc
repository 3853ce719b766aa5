// io_floor RUNS SRC_DIR OUT_DIR FILE...: the least a run that writes these
// files can cost. Reads SRC_DIR/FILE for every FILE into memory, then, timed,
// writes each with the same bytes as OUT_DIR/FILE by a plain create, write,
// close (no temporary file, no rename, no sync). One untimed warm-up, then
// RUNS timed runs; the files are removed, untimed, before every run so each
// starts from the same state. Prints the median and the fastest run in
// seconds, and the median processor time of the writes.
#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

[[noreturn]] void fail(const std::string& what, const std::string& path) {
  std::fprintf(stderr, "io_floor: cannot %s %s: %s\n", what.c_str(),
               path.c_str(), std::strerror(errno));
  std::exit(2);
}

std::string read_file(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) fail("open", path);
  std::string out;
  char buf[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      fail("read", path);
    }
    out.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return out;
}

void write_file(const std::string& path, const std::string& bytes) {
  const int fd =
      ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) fail("create", path);
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      fail("write", path);
    }
    done += static_cast<std::size_t>(n);
  }
  if (::close(fd) != 0) fail("close", path);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr, "usage: io_floor RUNS SRC_DIR OUT_DIR FILE...\n");
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  if (runs < 1) {
    std::fprintf(stderr, "io_floor: RUNS must be at least 1\n");
    return 2;
  }
  const std::string src = argv[2];
  const std::string out = argv[3];
  std::vector<std::string> paths;
  std::vector<std::string> contents;
  for (int i = 4; i < argc; ++i) {
    contents.push_back(read_file(src + "/" + argv[i]));
    paths.push_back(out + "/" + argv[i]);
  }

  const auto cpu_now = [] {
    timespec ts{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) +
           static_cast<double>(ts.tv_nsec) / 1e9;
  };
  std::vector<double> times;
  std::vector<double> cpu_times;
  for (int run = 0; run <= runs; ++run) {
    for (const std::string& p : paths) ::unlink(p.c_str());
    const double cpu_start = cpu_now();
    const auto start = std::chrono::steady_clock::now();
    for (std::size_t i = 0; i < paths.size(); ++i) {
      write_file(paths[i], contents[i]);
    }
    const std::chrono::duration<double> took =
        std::chrono::steady_clock::now() - start;
    const double cpu = cpu_now() - cpu_start;
    if (run == 0) continue;  // the warm-up
    times.push_back(took.count());
    cpu_times.push_back(cpu);
  }
  for (const std::string& p : paths) ::unlink(p.c_str());
  std::sort(times.begin(), times.end());
  std::sort(cpu_times.begin(), cpu_times.end());
  std::printf("median_s=%.6f min_s=%.6f cpu_s=%.6f\n", times[times.size() / 2],
              times.front(), cpu_times[cpu_times.size() / 2]);
  return 0;
}
