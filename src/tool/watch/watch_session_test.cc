// `compatta watch` as a process of its own: following a text as it is
// saved, keeping the page and the compiled files up to date, and ended by a
// signal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "tests/compatta_scratch.h"
#include "tests/process.h"

namespace compattatore {
namespace {

namespace fsys = std::filesystem;

constexpr const char* route_text = scratch_route_text;
constexpr const char* train_text = scratch_train_text;

class Watch : public compatta_scratch {
 protected:
  void TearDown() override {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
    compatta_scratch::TearDown();
  }

  void start(const std::vector<std::string>& args) {
    std::vector<std::string> all = {COMPATTA_EXE, "watch"};
    all.insert(all.end(), args.begin(), args.end());
    const std::string out = (dir_ / "watch.out").string();
    const std::string err = (dir_ / "watch.err").string();
    pid_ = ::fork();
    ASSERT_GE(pid_, 0);
    if (pid_ == 0) {
      if (::chdir(dir_.c_str()) != 0) ::_exit(127);
      const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      ::dup2(o, 1);
      ::dup2(e, 2);
      std::vector<char*> argv;
      for (std::string& a : all) argv.push_back(a.data());
      argv.push_back(nullptr);
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
  }

  // Waits up to 20 s for `done` to hold.
  template <typename F>
  bool wait_for(F done) const {
    for (int i = 0; i < 400; ++i) {
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }

  // Sends `sig` and returns the exit status, or -1 when it did not exit.
  int stop(int sig) {
    ::kill(pid_, sig);
    int raw = 0;
    ::waitpid(pid_, &raw, 0);
    pid_ = -1;
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }

  pid_t pid_ = -1;
};

TEST_F(Watch, ASavedTextIsCheckedAgainAndThePageRewritten) {
  start({route_text, train_text, "--report", "r.html", "-o", "out"});
  ASSERT_TRUE(wait_for([&] {
    return read("watch.out").find("wrote out/Orsella_Vantrona_4273.dat") !=
           std::string::npos;
  })) << read("watch.out")
      << read("watch.err");
  const std::string first = read("r.html");
  EXPECT_NE(first.find("<meta http-equiv=\"refresh\""), std::string::npos);
  EXPECT_NE(first.find("data-status=\"0\""), std::string::npos);
  EXPECT_NE(read("watch.out")
                .find("check 1: watching " + std::string(route_text) + " and " +
                      train_text),
            std::string::npos);

  // Saved in place: a data fault.
  edit_train("stazione,    3100,", "stazione,    3125,");
  ASSERT_TRUE(wait_for([&] {
    return read("r.html").find("data-status=\"1\"") != std::string::npos;
  })) << read("watch.out");
  const std::string out = read("watch.out");
  EXPECT_NE(
      out.find("check 2: train text saved ==\n" + std::string(train_text) +
               ":31:14: error 8: the station at 3125 m: a station's position "
               "must be a multiple of 50 m, such as 3100 m or 3150 m "
               "[explain 8]\n"),
      std::string::npos)
      << out;
  EXPECT_NE(out.find("ms after the save"), std::string::npos) << out;

  // Saved as editors do it: a new file renamed over the text.
  std::string t = read(train_text);
  t.replace(t.find("stazione,    3125,"), 18, "stazione,    3100,");
  t.replace(t.find("PRAVELLO"), 8, "PRAVELLINO");
  write("in/.new", t);
  fsys::rename(dir_ / "in/.new", dir_ / train_text);
  ASSERT_TRUE(wait_for([&] {
    return read("r.html").find("<td>PRAVELLINO</td>") != std::string::npos;
  })) << read("watch.out");
  EXPECT_NE(read("r.html").find("data-status=\"0\""), std::string::npos);

  EXPECT_EQ(stop(SIGTERM), 0) << read("watch.err");
  EXPECT_TRUE(read("watch.out").ends_with("watch ended\n"));
  EXPECT_EQ(read("watch.err"), "");
  EXPECT_EQ(temporaries(), std::vector<std::string>{});
  // The page left behind no longer reloads itself.
  const std::string last = read("r.html");
  EXPECT_EQ(last.find("http-equiv"), std::string::npos);
  EXPECT_NE(last.find("<td>PRAVELLINO</td>"), std::string::npos);
  // And the compiled files are those of the last texts.
  ASSERT_EQ(run({"compile", route_text, train_text, "-o", "again"}).status, 0);
  for (const char* name :
       {"Orsella_Vantrona_linea.dat", "Orsella_Vantrona_4273.sim",
        "Orsella_Vantrona_4273.dat"}) {
    EXPECT_EQ(read(std::string("out/") + name),
              read(std::string("again/") + name))
        << name;
  }
}

TEST_F(Watch, CtrlCEndsItCleanly) {
  start({route_text, train_text});
  ASSERT_TRUE(wait_for([&] {
    return read("watch.out").find("no problem found") != std::string::npos;
  })) << read("watch.err");
  EXPECT_EQ(stop(SIGINT), 0);
  EXPECT_TRUE(read("watch.out").ends_with("watch ended\n"));
  EXPECT_FALSE(fsys::exists(dir_ / "out"));
}

}  // namespace
}  // namespace compattatore
