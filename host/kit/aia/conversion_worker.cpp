#include "host/kit/aia/conversion_worker.h"

#include "host/kit/aia/aia_values.h"
#include "shell/text.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>

extern char** environ;

namespace p528::aia {

namespace {

// What the converter may use: the file read whole plus the signal in floats and doubles
// with room to spare; processor time well above what the largest accepted file takes.
constexpr rlim_t kWorkerMemory = rlim_t{2} << 30;
constexpr rlim_t kWorkerCpuSeconds = 30;
constexpr rlim_t kWorkerFileBytes = rlim_t{1} << 30;
// The converter's answer is a few lines; more is not read.
constexpr size_t kMaxAnswerBytes = 64 << 10;

std::string SignalText(int signal) {
  const char* name = sigabbrev_np(signal);
  return name != nullptr ? std::string("SIG") + name : std::to_string(signal);
}

}  // namespace

void LimitWorker() {
  const auto limit = [](int resource, rlim_t value) {
    rlimit current{};
    if (getrlimit(resource, &current) != 0) return;
    current.rlim_cur = current.rlim_max == RLIM_INFINITY ? value : std::min(value, current.rlim_max);
    setrlimit(resource, &current);
  };
#if defined(__SANITIZE_ADDRESS__)
  // AddressSanitizer reserves terabytes of address space for its shadow memory: in a test
  // build the memory limit would stop every conversion, so only the other limits hold there.
#else
  limit(RLIMIT_AS, kWorkerMemory);
#endif
  limit(RLIMIT_CPU, kWorkerCpuSeconds);
  limit(RLIMIT_FSIZE, kWorkerFileBytes);
  limit(RLIMIT_CORE, 0);
}

std::string FindConverter(const std::string& programFolder, const std::string& fallback) {
  namespace fs = std::filesystem;
  std::error_code ec;
  for (const fs::path& candidate : {fs::path(programFolder) / ".." / "lib" / "plug528" / kConverterName,
                                    fs::path(programFolder) / kConverterName, fs::path(fallback)}) {
    if (!candidate.empty() && fs::is_regular_file(candidate, ec) && ::access(candidate.c_str(), X_OK) == 0)
      return candidate.lexically_normal().string();
  }
  return {};
}

WorkerResult ConvertInWorker(const std::string& converter, const std::string& source,
                             const std::string& target, const std::string& roleText, int wallSeconds) {
  WorkerResult result;
  int pipeFds[2] = {-1, -1};
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
    result.error = std::string("the converter cannot be started: ") + std::strerror(errno);
    return result;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
  // Its own process group: a kill reaches whatever it may have started.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes,
                           POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  posix_spawnattr_setpgroup(&attributes, 0);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&attributes, &none);
  sigset_t defaults;
  sigfillset(&defaults);
  posix_spawnattr_setsigdefault(&attributes, &defaults);
  std::vector<std::string> args = {converter, source, target, roleText};
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  const int spawned = ::posix_spawn(&pid, converter.c_str(), &actions, &attributes, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  ::close(pipeFds[1]);
  if (spawned != 0) {
    ::close(pipeFds[0]);
    result.error = "the converter " + converter + " cannot be started: " + std::strerror(spawned);
    return result;
  }

  // The answer, until the converter closes its output or the wall time is over.
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + std::chrono::seconds(wallSeconds);
  std::string answer;
  bool late = false;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) {
      late = true;
      break;
    }
    pollfd wait{pipeFds[0], POLLIN, 0};
    const int ready = ::poll(&wait, 1, static_cast<int>(std::min<long long>(left, 1000)));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) continue;
    char chunk[4096];
    const ssize_t n = ::read(pipeFds[0], chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    if (answer.size() < kMaxAnswerBytes) answer.append(chunk, static_cast<size_t>(n));
  }
  ::close(pipeFds[0]);
  int status = 0;
  if (late) {
    ::kill(-pid, SIGKILL);
    ::kill(pid, SIGKILL);
  } else {
    // Output closed: the converter ends now; it is still given the rest of the wall time.
    while (::waitpid(pid, &status, WNOHANG) == 0) {
      if (Clock::now() >= deadline) {
        late = true;
        ::kill(-pid, SIGKILL);
        ::kill(pid, SIGKILL);
        break;
      }
      ::usleep(10000);
    }
  }
  if (late) {
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.error = Format("the conversion took longer than %d s and was stopped", wallSeconds);
    return result;
  }

  std::string error;
  for (size_t at = 0; at < answer.size();) {
    size_t end = answer.find('\n', at);
    if (end == std::string::npos) end = answer.size();
    const std::string line = answer.substr(at, end - at);
    at = end + 1;
    if (line.rfind("notice: ", 0) == 0) result.notices.push_back(CleanText(line.data() + 8, line.size() - 8));
    if (line.rfind("error: ", 0) == 0) error = CleanText(line.data() + 7, line.size() - 7);
  }
  if (WIFSIGNALED(status)) {
    const int signal = WTERMSIG(status);
    result.error = signal == SIGXCPU || signal == SIGKILL
                       ? "the conversion exceeded its limits of time or memory (" + SignalText(signal) + ")"
                       : "the conversion failed on the file's content (" + SignalText(signal) + ")";
  } else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    result.error = !error.empty() ? error
                                  : Format("the conversion failed (exit status %d)",
                                           WIFEXITED(status) ? WEXITSTATUS(status) : -1);
  }
  if (!result.ok()) result.notices.clear();
  return result;
}

AiaImportResult ImportAiaInWorker(const std::string& converter, const std::string& path,
                                  const std::string& roleText, int wallSeconds) {
  AiaImportResult result;
  const char* tmp = std::getenv("TMPDIR");
  std::string folder =
      (tmp != nullptr && tmp[0] != '\0' ? std::string(tmp) : std::string("/tmp")) + "/plug528-convert-XXXXXX";
  if (::mkdtemp(folder.data()) == nullptr) {
    result.error = std::string("no temporary folder for the conversion: ") + std::strerror(errno);
    return result;
  }
  const std::string target = folder + "/converted.chrm";
  WorkerResult worker = ConvertInWorker(converter, path, target, roleText, wallSeconds);
  if (worker.ok() && result.file.LoadFromFile(target) != 0)
    worker.error = "the converter's chromatogram cannot be read";
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
  result.error = worker.error;
  result.notices = std::move(worker.notices);
  if (!result.ok()) result.file = ChrmFile();
  result.file.passport.path.clear();
  return result;
}

}  // namespace p528::aia
