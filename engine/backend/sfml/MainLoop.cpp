#include "MainLoop.h"

namespace tw {

void runMainLoop(FrameFunction frame, void* p_arg, int) {
  while (frame(p_arg, true)) {
  }
}

} // namespace tw
