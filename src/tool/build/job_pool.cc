#include "tool/build/job_pool.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

#include "tool/build/job_compile.h"
#include "tool/common/message_prefix.h"

namespace compattatore::tool {

void compile_jobs(const std::vector<scenario_job*>& todo,
                  const std::string& out_dir, unsigned jobs, bool progress,
                  std::size_t total, std::ostream& err) {
  if (todo.empty()) return;
  const unsigned machine = std::max(1u, std::thread::hardware_concurrency());
  const std::size_t threads =
      std::min<std::size_t>(jobs == 0 ? machine : jobs, todo.size());
  std::atomic<std::size_t> next{0};
  std::mutex progress_m;
  std::size_t done = 0;
  auto worker = [&] {
    for (std::size_t i = next++; i < todo.size(); i = next++) {
      compile_job(*todo[i], out_dir);
      if (!progress) continue;
      const std::lock_guard<std::mutex> lock(progress_m);
      err << "\r" << message_prefix << "compiled " << ++done << " of "
          << todo.size() << ": " << todo[i]->name << "\x1b[K" << std::flush;
    }
  };
  if (progress) {
    err << message_prefix << "compiling " << todo.size() << " of " << total
        << " scenarios" << std::flush;
  }
  std::vector<std::thread> pool;
  for (std::size_t t = 1; t < threads; ++t) pool.emplace_back(worker);
  worker();
  for (std::thread& t : pool) t.join();
  if (progress) err << "\r\x1b[K" << std::flush;
}

}  // namespace compattatore::tool
