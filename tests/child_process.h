#pragma once

#include <fcntl.h>
#include <cerrno>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace shootout {

// How to start a program in a league folder.
struct ChildOptions {
  std::filesystem::path folder;  // working folder
  std::filesystem::path output;  // stdout goes to output/out, stderr to output/err
  std::string seed = "1";        // SHOOTOUT_SEED
  std::optional<rlim_t> file_size_limit;  // RLIMIT_FSIZE, with SIGXFSZ ignored
  // Under a tracer the leak checker of a sanitized build cannot stop the
  // process's threads, so traced runs leave leak checking to the others.
  bool traced = false;
};

// Starts `argv` as a child process and returns its pid.
inline pid_t start_child(const std::vector<std::string>& argv, const ChildOptions& o) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  // In the child: only async-signal-safe work until exec.
  if (chdir(o.folder.c_str()) != 0) _exit(120);
  setenv("SHOOTOUT_SEED", o.seed.c_str(), 1);
  if (o.traced) setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
  const int out = open((o.output / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const int err = open((o.output / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(121);
  close(out);
  close(err);
  if (o.file_size_limit) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{*o.file_size_limit, *o.file_size_limit};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(122);
  }
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  execv(args[0], args.data());
  _exit(123);
}

// Waits for the child; its exit status, or 128 + signal when it was killed.
inline int wait_child(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

inline int run_child(const std::vector<std::string>& argv, const ChildOptions& o) {
  return wait_child(start_child(argv, o));
}

}  // namespace shootout
