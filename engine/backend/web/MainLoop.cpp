#include "MainLoop.h"

#include "GameManager.h"

#include <emscripten/emscripten.h>
#include <emscripten/eventloop.h>

namespace tw {

namespace {

struct Loop {
  FrameFunction frame = nullptr;
  void* p_arg = nullptr;
};
Loop loop;

void tick(void* p_loop) {
  const Loop& current = *static_cast<Loop*>(p_loop);
  if (current.frame(current.p_arg, false)) {
    return;
  }
  // What follows run() in main never runs here: end the program as main would have.
  emscripten_cancel_main_loop();
  GameManager::getInstance().shutDown();
  emscripten_force_exit(0);
}

} // namespace

void runMainLoop(FrameFunction frame, void* p_arg, int frame_ms) {
  loop.frame = frame;
  loop.p_arg = p_arg;
  emscripten_set_main_loop_arg(tick, &loop, 0, 0);
  // Timed from the start of each frame, so a frame's work is taken off its wait.
  if (frame_ms > 0) {
    emscripten_set_main_loop_timing(EM_TIMING_SETTIMEOUT, frame_ms);
  } else {
    emscripten_set_main_loop_timing(EM_TIMING_SETIMMEDIATE, 0);
  }
  emscripten_unwind_to_js_event_loop();
}

} // namespace tw
