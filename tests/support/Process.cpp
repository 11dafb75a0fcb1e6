#include "Process.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace twtest {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds POLL{5};

#ifdef _WIN32

// Wine starts a Linux program without a handle to wait on: a shell runs it with its output and
// time limit, then writes its exit code to a file ($1).
const char* const LINUX_WRAPPER = "s=$1 o=$2 t=$3; shift 3; [ \"$o\" = - ] || exec >\"$o\" 2>&1; "
                                  "timeout -k 5 \"$t\" \"$@\"; echo $? >\"$s.part\"; "
                                  "mv \"$s.part\" \"$s\"";

int runProgram(const std::string& program, const std::vector<std::string>& args,
               const std::string& output, int timeout_seconds, const std::function<bool()>&, int) {
  static int runs = 0;
  const bool linux_program = program.size() < 4 || program.substr(program.size() - 4) != ".exe";
  const std::string status = ".tw-run-" + std::to_string(runs++); // in the current directory
  std::vector<std::string> argv = {program};
  if (linux_program)
    argv = {"/bin/sh",
            "-c",
            LINUX_WRAPPER,
            "sh",
            status,
            output.empty() ? "-" : output,
            std::to_string(timeout_seconds),
            program};
  argv.insert(argv.end(), args.begin(), args.end());
  std::wstring command; // quoted as the C runtime splits it (no argument ends in a backslash)
  for (const std::string& arg : argv) {
    std::wstring quoted = std::filesystem::path(arg).wstring();
    for (std::size_t at = 0; (at = quoted.find(L'"', at)) != quoted.npos; at += 2)
      quoted.insert(at, 1, L'\\');
    command += L" \"" + quoted + L"\"";
  }
  SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!linux_program && !output.empty()) {
    startup.dwFlags = STARTF_USESTDHANDLES, startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = startup.hStdError = CreateFileA(
        output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS, 0, 0);
  }
  PROCESS_INFORMATION info{};
  const bool started =
      CreateProcessW(std::filesystem::path(argv[0]).wstring().c_str(), command.data() + 1, nullptr,
                     nullptr, TRUE, 0, nullptr, nullptr, &startup, &info);
  if (startup.hStdOutput)
    CloseHandle(startup.hStdOutput);
  if (!started)
    return NOT_STARTED;
  DWORD code = DWORD(TIMED_OUT);
  if (info.hProcess) { // a Windows program
    CloseHandle(info.hThread);
    if (WaitForSingleObject(info.hProcess, DWORD(timeout_seconds) * 1000) == WAIT_OBJECT_0)
      GetExitCodeProcess(info.hProcess, &code);
    else
      TerminateProcess(info.hProcess, code), WaitForSingleObject(info.hProcess, INFINITE);
    CloseHandle(info.hProcess);
    return int(code);
  }
  // The shell ends the program at the deadline; its exit code follows.
  for (const auto end = Clock::now() + std::chrono::seconds(timeout_seconds + 10);
       Clock::now() < end; std::this_thread::sleep_for(POLL)) {
    if (std::ifstream in(status); in >> code) {
      in.close(), std::filesystem::remove(status);
      return code == 124 ? TIMED_OUT : int(code); // 124: timeout's own
    }
  }
  return TIMED_OUT;
}

#else

int runProgram(const std::string& program, const std::vector<std::string>& args,
               const std::string& output, int timeout_seconds,
               const std::function<bool()>& interrupt, int signal_number) {
  std::vector<char*> argv = {const_cast<char*>(program.c_str())};
  for (const std::string& arg : args)
    argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) { // only calls that are safe between fork and exec in a threaded program
    const int fd = output.empty() ? -1 : open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd >= 0)
      dup2(fd, 1), dup2(fd, 2);
    signal(SIGINT, SIG_DFL), signal(SIGTERM, SIG_DFL); // as started from a shell
    execvp(program.c_str(), argv.data());
    _exit(127);
  }
  int status = 0, result = 0;
  bool interrupted = false;
  for (const auto end = Clock::now() + std::chrono::seconds(timeout_seconds);
       pid > 0 && (result = waitpid(pid, &status, WNOHANG)) == 0;
       std::this_thread::sleep_for(POLL)) {
    if (!interrupted && interrupt && (interrupted = interrupt()))
      kill(pid, signal_number);
    if (Clock::now() > end)
      return kill(pid, SIGKILL), waitpid(pid, &status, 0), TIMED_OUT;
  }
  return pid < 0 || result < 0 ? NOT_STARTED
         : WIFEXITED(status)   ? WEXITSTATUS(status)
                               : 128 + WTERMSIG(status);
}

#endif

} // namespace twtest
