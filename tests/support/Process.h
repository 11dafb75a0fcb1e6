#pragma once

#include <csignal>
#include <functional>
#include <string>
#include <vector>

namespace twtest {

/// What runProgram returns for a program that could not be started, and for one killed at the
/// end of its time.
constexpr int NOT_STARTED = -1, TIMED_OUT = -2;

/// Runs program (looked for on PATH when named without a directory) with args in the current
/// directory and environment, its standard output and error going to the file output (to the
/// test's when empty); kills it after timeout seconds. While it runs, interrupt is asked every
/// few milliseconds whether to send it the signal signal_number (SIGTERM unless given) now (on
/// Linux; Windows has no such signals).
/// Returns its exit code, NOT_STARTED or TIMED_OUT. Under Wine, a program whose name does not
/// end in ".exe" is a Linux one (xdotool, a shell script, env to add variables), which Wine
/// starts as a native process; its paths are then Linux ones (linuxPath).
int runProgram(const std::string& program, const std::vector<std::string>& args = {},
               const std::string& output = "", int timeout_seconds = 60,
               const std::function<bool()>& interrupt = {}, int signal_number = SIGTERM);

/// The path as Linux programs see it: under Wine, "Z:/tmp/x" is "/tmp/x" (Z: maps to /).
inline std::string linuxPath(const std::string& path) {
  return path.rfind("Z:", 0) == 0 ? path.substr(2) : path;
}

} // namespace twtest
