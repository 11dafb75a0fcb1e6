// What the page's script reads of the running program (see web/shell.html).
#include "GameManager.h"
#include "GraphicsManager.h"

#include <emscripten/emscripten.h>

#include <string>
#include <vector>

namespace {

std::string row_text;
/// Each frame's work in milliseconds since the page last took them; kept from the first take.
std::vector<double> frame_work;
std::vector<double> frame_work_taken;
bool observing = false;
/// Enough for an hour of frames that nobody takes.
constexpr std::size_t MAX_FRAMES = 120000;

} // namespace

extern "C" {

/// Row y of the cells being drawn, or of those last shown, as bytes, one a cell; its length
/// is tw_row_length().
EMSCRIPTEN_KEEPALIVE const char* tw_row_text(int y, int shown) {
  row_text = tw::GraphicsManager::getInstance().rowText(y, shown != 0);
  return row_text.data();
}

EMSCRIPTEN_KEEPALIVE int tw_row_length() {
  return static_cast<int>(row_text.size());
}

EMSCRIPTEN_KEEPALIVE int tw_columns() {
  return tw::GraphicsManager::getInstance().getHorizontalChars();
}

EMSCRIPTEN_KEEPALIVE int tw_rows() {
  return tw::GraphicsManager::getInstance().getVerticalChars();
}

/// The work of the frames since the last call, in milliseconds (tw_frame_count() of them);
/// the first call starts the timing, in place of any frame observer the program set.
EMSCRIPTEN_KEEPALIVE const double* tw_take_frame_times() {
  if (!observing) {
    observing = true;
    tw::GameManager::getInstance().setFrameObserver([](const tw::GameManager::FrameTimes& times) {
      if (frame_work.size() < MAX_FRAMES) {
        frame_work.push_back(static_cast<double>(times.work) / 1000.0);
      }
    });
  }
  frame_work_taken.swap(frame_work);
  frame_work.clear();
  return frame_work_taken.data();
}

EMSCRIPTEN_KEEPALIVE int tw_frame_count() {
  return static_cast<int>(frame_work_taken.size());
}
}
