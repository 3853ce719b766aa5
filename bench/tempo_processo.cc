// tempo_processo RUNS DIR [FILE...] -- COMMAND [ARG...]: times a whole
// process, fork to reaped exit, and reads its peak resident set from wait4.
// One untimed warm-up, then RUNS timed runs; before every run the FILEs are
// removed from DIR, untimed, so each run starts from the same state. A run
// that does not exit with status 0 stops the measurement. The command's
// standard output goes to /dev/null, its errors stay. Prints the median
// and fastest wall time in seconds, the median processor time (user and
// system, which other work on the machine disturbs less) and the largest
// peak resident set in KiB.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  int sep = 1;
  while (sep < argc && std::strcmp(argv[sep], "--") != 0) ++sep;
  if (sep < 3 || sep + 1 >= argc) {
    std::fprintf(stderr,
                 "usage: tempo_processo RUNS DIR [FILE...] -- COMMAND "
                 "[ARG...]\n");
    return 2;
  }
  const int runs = std::atoi(argv[1]);
  if (runs < 1) {
    std::fprintf(stderr, "tempo_processo: RUNS must be at least 1\n");
    return 2;
  }
  const std::string dir = argv[2];
  std::vector<std::string> files;
  for (int i = 3; i < sep; ++i) files.push_back(dir + "/" + argv[i]);
  char** command = argv + sep + 1;

  std::vector<double> times;
  std::vector<double> cpu_times;
  long max_rss_kib = 0;
  for (int run = 0; run <= runs; ++run) {
    for (const std::string& f : files) ::unlink(f.c_str());
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid < 0) {
      std::perror("tempo_processo: fork");
      return 2;
    }
    if (pid == 0) {
      const int null = ::open("/dev/null", O_WRONLY);
      if (null >= 0) ::dup2(null, STDOUT_FILENO);
      ::execv(command[0], command);
      std::perror("tempo_processo: exec");
      std::_Exit(127);
    }
    int status = 0;
    struct rusage usage {};
    if (::wait4(pid, &status, 0, &usage) != pid) {
      std::perror("tempo_processo: wait4");
      return 2;
    }
    const std::chrono::duration<double> took =
        std::chrono::steady_clock::now() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      std::fprintf(stderr, "tempo_processo: %s ended with status %d\n",
                   command[0], WIFEXITED(status) ? WEXITSTATUS(status) : -1);
      return 1;
    }
    if (run == 0) continue;  // the warm-up
    times.push_back(took.count());
    const auto seconds = [](const timeval& tv) {
      return static_cast<double>(tv.tv_sec) +
             static_cast<double>(tv.tv_usec) / 1e6;
    };
    cpu_times.push_back(seconds(usage.ru_utime) + seconds(usage.ru_stime));
    max_rss_kib = std::max(max_rss_kib, usage.ru_maxrss);
  }
  std::sort(times.begin(), times.end());
  std::sort(cpu_times.begin(), cpu_times.end());
  std::printf("median_s=%.6f min_s=%.6f cpu_s=%.6f max_rss_kib=%ld\n",
              times[times.size() / 2], times.front(),
              cpu_times[cpu_times.size() / 2], max_rss_kib);
  return 0;
}
