// A built program run by a test, its standard output read through a pipe.
#pragma once

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

extern char** environ;

namespace glamora::test {

struct Ended {
  int status = -1;
  std::string out;
  nlohmann::json line() const { return nlohmann::json::parse(out.substr(0, out.find('\n'))); }
};

class Program {
 public:
  Program(const char* path, const std::vector<std::string>& args) {
    int fds[2];
    EXPECT_EQ(pipe(fds), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::vector<char*> argv;
    std::vector<std::string> words = {path};
    words.insert(words.end(), args.begin(), args.end());
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    EXPECT_EQ(posix_spawn(&pid_, path, &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    out_ = fds[0];
  }
  ~Program() {
    if (pid_ > 0) stop();
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // The next line of its output, without the newline; "" when none comes
  // within `limitMs` or the output ends.
  std::string readLine(int limitMs = 20'000) {
    std::string line;
    for (char c; !line.ends_with('\n');) {
      pollfd fd{out_, POLLIN, 0};
      if (poll(&fd, 1, limitMs) <= 0 || read(out_, &c, 1) != 1) return {};
      line += c;
    }
    line.pop_back();
    return line;
  }
  // Reads the output to its end and waits for the program to end.
  Ended finish() {
    Ended r;
    char buffer[4096];
    for (ssize_t n; (n = read(out_, buffer, sizeof buffer)) > 0;) r.out.append(buffer, static_cast<std::size_t>(n));
    r.status = wait();
    return r;
  }
  // Asks it to stop and waits for it.
  int stop() {
    kill(pid_, SIGTERM);
    return wait();
  }

 private:
  int wait() {
    close(out_);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  pid_t pid_ = -1;
  int out_ = -1;
};

}  // namespace glamora::test
