#pragma once

#include "Config.h"
#include "LogManager.h"
#include "ResourceManager.h"
#include "WorldManager.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace twfuzz {

/// Opens the log on the null device at the most detailed level, so that every log line of the
/// code under test is formatted (and checked) without filling a disk.
inline void startQuietLog() {
  tw::Config::getInstance().setLogFile("/dev/null");
  tw::LogManager& log = tw::LogManager::getInstance();
  log.startUp();
  log.setLogLevel(20);
}

/// Starts the managers objects live with: the world (an 80 x 24 view) and the resources,
/// holding one sprite labelled "ball" that records may name.
inline void startWorld() {
  char name[] = "/tmp/tw-fuzz-ball-XXXXXX";
  const int fd = mkstemp(name);
  if (fd < 0) {
    std::abort();
  }
  const std::string sprite = "frames 2\nwidth 1\nheight 1\ncolor red\nO\nend\no\nend\neof\n";
  if (write(fd, sprite.data(), sprite.size()) != static_cast<ssize_t>(sprite.size())) {
    std::abort();
  }
  close(fd);
  tw::ResourceManager& resources = tw::ResourceManager::getInstance();
  resources.startUp();
  const int loaded = resources.loadSprite(name, "ball");
  std::remove(name);
  tw::WorldManager& world = tw::WorldManager::getInstance();
  if (loaded != 0 || world.startUp() != 0) {
    std::abort();
  }
  const tw::Box area(tw::Vector(0, 0), 80, 24);
  world.setBoundary(area);
  world.setView(area);
}

inline std::string asText(const std::uint8_t* data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(data), size);
}

} // namespace twfuzz
