// Running a command line as a user's shell would, for the tests that drive a program
// through its binary: what it printed and how it ended.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace p528::test {

struct CommandRun {
  std::string out;  // standard output
  int status = -1;  // exit status; -1 when it could not start or did not exit normally
};

inline CommandRun RunCommand(const std::string& command) {
  CommandRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  std::array<char, 4096> buffer{};
  while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe)) run.out.append(buffer.data(), n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace p528::test
