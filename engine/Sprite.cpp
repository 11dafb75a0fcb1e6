#include "Sprite.h"

#include <new>

namespace tw {

Sprite::Sprite(int max_frames) {
  if (max_frames > 0) {
    // A count the memory cannot hold leaves the sprite without room (max frame count 0).
    p_frames = new (std::nothrow) Frame[max_frames];
    if (p_frames) {
      max_frame_count = max_frames;
    }
  }
}

Sprite::~Sprite() {
  delete[] p_frames;
}

int Sprite::addFrame(Frame new_frame) {
  if (frame_count == max_frame_count) {
    return -1;
  }
  p_frames[frame_count++] = std::move(new_frame);
  return 0;
}

Frame Sprite::getFrame(int index) const {
  return frameRef(index);
}

const Frame& Sprite::frameRef(int index) const {
  static const Frame empty;
  if (index < 0 || index >= frame_count) {
    return empty;
  }
  return p_frames[index];
}

} // namespace tw
