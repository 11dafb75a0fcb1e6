// Sprite files: the header, the frames and the closing line, read by the resource manager.
#include "FuzzSupport.h"

#include "ResourceManager.h"
#include "Sprite.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

std::string sprite_file;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  twfuzz::startQuietLog();
  char name[] = "/tmp/tw-fuzz-sprite-XXXXXX";
  const int fd = mkstemp(name);
  if (fd < 0) {
    std::abort();
  }
  close(fd);
  sprite_file = name;
  std::atexit([] { std::remove(sprite_file.c_str()); });
  return tw::ResourceManager::getInstance().startUp();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FILE* p_file = std::fopen(sprite_file.c_str(), "wb");
  if (!p_file) {
    std::abort();
  }
  if (size > 0 && std::fwrite(data, 1, size, p_file) != size) {
    std::abort();
  }
  std::fclose(p_file);

  tw::ResourceManager& resources = tw::ResourceManager::getInstance();
  if (resources.loadSprite(sprite_file, "fuzzed") == 0) {
    // A loaded sprite must hold what its header promised.
    const tw::Sprite* p_sprite = resources.getSprite("fuzzed");
    if (!p_sprite || p_sprite->getWidth() <= 0 || p_sprite->getHeight() <= 0) {
      std::abort();
    }
    for (int i = 0; i < p_sprite->getFrameCount(); i++) {
      const tw::Frame frame = p_sprite->getFrame(i);
      if (frame.getString().size() != static_cast<std::size_t>(p_sprite->getWidth()) *
                                          static_cast<std::size_t>(p_sprite->getHeight())) {
        std::abort();
      }
    }
    // Start afresh, so the sprite table never fills up.
    resources.shutDown();
    resources.startUp();
  }
  return 0;
}
