// alterna RUNS DIR_A [FILE...] -- COMMAND_A [ARG...] ::: DIR_B [FILE...] --
// COMMAND_B [ARG...]: times two processes in alternation, fork to reaped
// exit, and compares them pair by pair. Other work on a shared machine comes
// and goes within seconds; two runs taken one right after the other see
// about the same of it, so the ratio of a pair is steadier than the ratio of
// two medians taken minutes apart.
//
// One untimed warm-up of each, then RUNS pairs. Before every run the FILEs
// of that command are removed from its DIR, untimed. Which command goes
// first alternates from pair to pair (A B, B A, A B, ...), so neither always
// finds the caches the other left. A run that does not exit with status 0
// stops the measurement. Standard output goes to /dev/null, errors stay.
//
// Prints the median wall time of each, the median of the pairs' ratios
// A / B, the same for processor time (user and system), the largest peak
// resident set of each in KiB, and the fastest wall time of each.
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

namespace {

struct command {
  std::vector<std::string> files;  // removed before each run
  std::vector<char*> argv;         // ends with nullptr
};

struct run_result {
  double wall_s = 0;
  double cpu_s = 0;
  long max_rss_kib = 0;
};

// DIR [FILE...] -- COMMAND [ARG...] from args[first, last).
bool parse(char** args, int first, int last, command* out) {
  int sep = first;
  while (sep < last && std::strcmp(args[sep], "--") != 0) ++sep;
  if (sep == first || sep + 1 >= last) return false;
  const std::string dir = args[first];
  for (int i = first + 1; i < sep; ++i)
    out->files.push_back(dir + "/" + args[i]);
  for (int i = sep + 1; i < last; ++i) out->argv.push_back(args[i]);
  out->argv.push_back(nullptr);
  return true;
}

bool run(const command& c, run_result* r) {
  for (const std::string& f : c.files) ::unlink(f.c_str());
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = ::fork();
  if (pid < 0) {
    std::perror("alterna: fork");
    return false;
  }
  if (pid == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    if (null >= 0) ::dup2(null, STDOUT_FILENO);
    ::execv(c.argv[0], c.argv.data());
    std::perror("alterna: exec");
    std::_Exit(127);
  }
  int status = 0;
  struct rusage usage {};
  if (::wait4(pid, &status, 0, &usage) != pid) {
    std::perror("alterna: wait4");
    return false;
  }
  const std::chrono::duration<double> took =
      std::chrono::steady_clock::now() - start;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "alterna: %s ended with status %d\n", c.argv[0],
                 WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    return false;
  }
  const auto seconds = [](const timeval& tv) {
    return static_cast<double>(tv.tv_sec) +
           static_cast<double>(tv.tv_usec) / 1e6;
  };
  r->wall_s = took.count();
  r->cpu_s = seconds(usage.ru_utime) + seconds(usage.ru_stime);
  r->max_rss_kib = usage.ru_maxrss;
  return true;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

double minimum(const std::vector<double>& v) {
  return *std::min_element(v.begin(), v.end());
}

}  // namespace

int main(int argc, char** argv) {
  int mid = 2;
  while (mid < argc && std::strcmp(argv[mid], ":::") != 0) ++mid;
  command a;
  command b;
  const int runs = argc > 1 ? std::atoi(argv[1]) : 0;
  if (argc < 2 || mid >= argc || !parse(argv, 2, mid, &a) ||
      !parse(argv, mid + 1, argc, &b)) {
    std::fprintf(stderr,
                 "usage: alterna RUNS DIR_A [FILE...] -- COMMAND_A [ARG...] "
                 "::: DIR_B [FILE...] -- COMMAND_B [ARG...]\n");
    return 2;
  }
  if (runs < 1) {
    std::fprintf(stderr, "alterna: RUNS must be at least 1\n");
    return 2;
  }

  run_result ra;
  run_result rb;
  if (!run(a, &ra) || !run(b, &rb)) return 1;  // the warm-up
  std::vector<double> wall_a, wall_b, cpu_a, cpu_b, ratio, cpu_ratio;
  long rss_a = 0;
  long rss_b = 0;
  for (int i = 0; i < runs; ++i) {
    const bool a_first = i % 2 == 0;
    if (!run(a_first ? a : b, a_first ? &ra : &rb) ||
        !run(a_first ? b : a, a_first ? &rb : &ra)) {
      return 1;
    }
    wall_a.push_back(ra.wall_s);
    wall_b.push_back(rb.wall_s);
    cpu_a.push_back(ra.cpu_s);
    cpu_b.push_back(rb.cpu_s);
    ratio.push_back(ra.wall_s / rb.wall_s);
    // A process shorter than the clock's tick may report no processor time.
    cpu_ratio.push_back(rb.cpu_s > 0 ? ra.cpu_s / rb.cpu_s : 0);
    rss_a = std::max(rss_a, ra.max_rss_kib);
    rss_b = std::max(rss_b, rb.max_rss_kib);
  }
  std::printf(
      "a_median_s=%.6f b_median_s=%.6f ratio=%.4f a_cpu_s=%.6f b_cpu_s=%.6f "
      "cpu_ratio=%.4f a_max_rss_kib=%ld b_max_rss_kib=%ld a_min_s=%.6f "
      "b_min_s=%.6f\n",
      median(wall_a), median(wall_b), median(ratio), median(cpu_a),
      median(cpu_b), median(cpu_ratio), rss_a, rss_b, minimum(wall_a),
      minimum(wall_b));
  return 0;
}
