#include "Mode.h"

#include "GameManager.h"
#include "LogManager.h"

// Ask laptop graphics drivers for the high-performance graphics processor.
extern "C" {
__attribute__((visibility("default"))) int NvOptimusEnablement = 1;
__attribute__((visibility("default"))) int AmdPowerXpressRequestHighPerformance = 1;
}

int main(int, char**) {
  tw::GameManager& game_manager = tw::GameManager::getInstance();
  tw::LogManager& log_manager = tw::LogManager::getInstance();
  if (game_manager.startUp() != 0) {
    log_manager.writeLog("Error starting game manager");
  } else {
    log_manager.setFlush(true);
    Mode::update(MENU, START);
    game_manager.run();
  }
  game_manager.shutDown();
  return 0;
}
