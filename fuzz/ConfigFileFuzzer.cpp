// The configuration file: read, parsed into the settings and written to the log.
#include "FuzzSupport.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

std::string config_file;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  twfuzz::startQuietLog();
  char name[] = "/tmp/tw-fuzz-config-XXXXXX";
  const int fd = mkstemp(name);
  if (fd < 0) {
    std::abort();
  }
  close(fd);
  config_file = name;
  std::atexit([] { std::remove(config_file.c_str()); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FILE* p_file = std::fopen(config_file.c_str(), "wb");
  if (!p_file) {
    std::abort();
  }
  if (size > 0 && std::fwrite(data, 1, size, p_file) != size) {
    std::abort();
  }
  std::fclose(p_file);

  tw::Config& config = tw::Config::getInstance();
  config.reset();
  tw::loadConfig(tw::readConfig(config_file));
  tw::writeToLog();

  // The window is built from these: whatever the file says, they stay usable.
  if (config.window_horizontal_pixels < 1 || config.window_vertical_pixels < 1 ||
      config.window_horizontal_chars < 1 || config.window_vertical_chars < 1 ||
      !std::isfinite(config.font_scale) || config.font_scale <= 0.0f ||
      config.window_background_color < 0 || config.window_background_color > 7 ||
      (config.window_style != 5 && config.window_style != 8)) {
    std::abort();
  }
  return 0;
}
