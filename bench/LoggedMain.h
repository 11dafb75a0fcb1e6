#pragma once

#include "LogManager.h"

#include <benchmark/benchmark.h>

#include <cstdio>

/// The main of a benchmark of the world alone: the log goes to a scratch file, so that the
/// benchmark measures the world, not the terminal.
inline int runLoggedBenchmarks(int argc, char** argv) {
  tw::LogManager::getInstance().startUp();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  tw::LogManager::getInstance().shutDown();
  std::remove("tarnwick.log");
  return 0;
}
