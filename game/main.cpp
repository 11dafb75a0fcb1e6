#include "Mode.h"

#include "Attributes.h"
#include "GameManager.h"
#include "LogManager.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <cstdlib>

// Ask laptop graphics drivers for the high-performance graphics processor.
extern "C" {
TW_EXPORT int NvOptimusEnablement = 1;
TW_EXPORT int AmdPowerXpressRequestHighPerformance = 1;
}

namespace {
int play() {
  tw::GameManager& game_manager = tw::GameManager::getInstance();
  tw::LogManager& log_manager = tw::LogManager::getInstance();
  const bool started = game_manager.startUp() == 0;
  if (!started) {
    log_manager.writeLog("Error starting game manager");
  } else {
    log_manager.setFlush(true);
    Mode::update(MENU, START);
    game_manager.run();
  }
  game_manager.shutDown();
  // A game that could not start has failed, for the shell or script that started it.
  return started ? EXIT_SUCCESS : EXIT_FAILURE;
}
} // namespace

int main(int, char**) {
  return play();
}

#ifdef _WIN32
// The game is a GUI program, without a console window. MinGW's start-up code calls main
// itself; other compilers call this entry point, which plays as main does.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return play();
}
#endif
