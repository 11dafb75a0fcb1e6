#include "Mode.h"

#include "Ball.h"
#include "Brick.h"
#include "Explosion.h"
#include "Paddle.h"
#include "Points.h"
#include "Reticle.h"
#include "Text.h"
#include "Timer.h"
#include "Title.h"
#include "shared.h"

#include "GameManager.h"
#include "LogManager.h"
#include "Pause.h"
#include "WorldManager.h"
#include "utility.h"

namespace {

const char* START_MESSAGE = "Bounce the ball to break the bricks";

/// The paddles, the ball and the 28 bricks of the advanced and timed modes.
void buildFourSidedGame() {
  new Paddle(SIDE_TOP, "paddleh");
  new Paddle(SIDE_BOTTOM, "paddleh");
  new Paddle(SIDE_LEFT, "paddlev");
  new Paddle(SIDE_RIGHT, "paddlev");
  new Ball(tw::Vector(static_cast<float>(tw::randomNumber() % 35 + 6), 3));
  for (int y = 14; y <= 26; y += 2) {
    for (int x = 28; x <= 46; x += 6) {
      new Brick(BRICK_DEFAULT, tw::Vector(static_cast<float>(x), static_cast<float>(y)));
    }
  }
}

void buildMenu(const std::string& message) {
  const tw::Box boundary = tw::WorldManager::getInstance().getBoundary();
  const float w = boundary.getHorizontal();
  const float h = boundary.getVertical();
  new Reticle;
  new Title(tw::Vector(9, 2));
  new Text(tw::WHITE, false, message, tw::Vector(w * 0.5f, 12));
  new Text(tw::WHITE, false, "-Select a mode to play-", tw::Vector(w * 0.5f, 18));
  new Text(tw::WHITE, true, "Normal Mode", tw::Vector(20, 21));
  new Text(tw::WHITE, true, "Advanced Mode", tw::Vector(w * 0.5f, 21));
  new Text(tw::WHITE, true, "Timed Mode", tw::Vector(60, 21));
  new Text(tw::WHITE, false, "-Controls-", tw::Vector(w * 0.5f, 29));
  new Text(tw::WHITE, false, "Mouse/WASD -> select/move", tw::Vector(22, 32));
  new Text(tw::WHITE, false, "ESC -> return to menu", tw::Vector(58, 32));
  new Text(tw::WHITE, false, "High Score:", tw::Vector(58, 24));
  new Points(Mode::getInstance().high_score, false, tw::Vector(66, 24));
  new Ball(tw::Vector(w * 0.5f, h * 0.5f));
  new Paddle(SIDE_BOTTOM, "paddleh");
}

} // namespace

Mode& Mode::getInstance() {
  static Mode instance;
  return instance;
}

void Mode::update(int new_mode, int new_status) {
  Mode& record = getInstance();
  if (new_mode == record.mode && new_status == record.status) {
    return;
  }
  tw::WorldManager& world = tw::WorldManager::getInstance();
  const tw::LogManager& log = tw::LogManager::getInstance();
  const tw::ObjectList old = world.getAllObjects(false);
  std::string message;

  switch (new_status) {
  case START:
    log.writeLog("Mode::update(): Start");
    message = START_MESSAGE;
    loadResources();
    playMusic("menu", true);
    break;
  case PLAY:
    log.writeLog("Mode::update(): Play");
    world.markForDelete(old);
    setArenaBoundary(10, 0.75f, -21, -3);
    new Reticle;
    new tw::Pause(tw::Keyboard::RETURN);
    break;
  case WIN:
    log.writeLog("Mode::update(): Win");
    playSound("win");
    world.markForDelete(old);
    message = "You have destroyed bricks, hopes, and dreams. Congratulations!";
    break;
  case LOSE:
    log.writeLog("Mode::update(): Lose");
    playSound("lose");
    explodeAll(old);
    message = "Game Over. Not enough bricks were broken.";
    break;
  case TIME:
    log.writeLog("Mode::update(): Time");
    playSound("time");
    explodeAll(old);
    message = "Time's up! Your score was:";
    new Points(record.score, false, tw::Vector(55, 12));
    break;
  case EXIT:
    log.writeLog("Mode::update(): Exit");
    playSound("exit");
    explodeAll(old);
    message = START_MESSAGE;
    break;
  case END:
    log.writeLog("Mode::update(): End");
    tw::GameManager::getInstance().setGameOver(true);
    break;
  default:
    break;
  }

  switch (new_mode) {
  case MENU:
    log.writeLog("Mode::update(): Menu");
    switch (record.mode) {
    case REGULAR:
      stopMusic("menu");
      playMusic("menu", true);
      break;
    case ADVANCED:
      stopMusic("advanced");
      playMusic("menu", true);
      break;
    case TIMED:
      stopMusic("timed");
      playMusic("menu", true);
      break;
    default:
      break;
    }
    setArenaBoundary(0, -0.25f, -1, -1);
    buildMenu(message);
    break;
  case REGULAR: {
    log.writeLog("Mode::update(): Regular");
    const float w = world.getBoundary().getHorizontal();
    new Paddle(SIDE_BOTTOM, "paddleh");
    new Ball(tw::Vector(w * 0.5f, 20));
    for (int y = 1; y <= 9; y += 2) {
      for (int x = 10; x <= 64; x += 6) {
        new Brick(BRICK_DEFAULT, tw::Vector(static_cast<float>(x), static_cast<float>(y)));
      }
    }
    break;
  }
  case ADVANCED:
    log.writeLog("Mode::update(): Advanced");
    stopMusic("menu");
    playMusic("advanced", true);
    buildFourSidedGame();
    break;
  case TIMED:
    log.writeLog("Mode::update(): Timed");
    stopMusic("menu");
    playMusic("timed", true);
    new Text(tw::WHITE, false, "Time", tw::Vector(5, 2));
    new Text(tw::WHITE, false, "Score", tw::Vector(75, 2));
    new Timer(tw::Vector(5, 4));
    new Points(0, true, tw::Vector(75, 4));
    buildFourSidedGame();
    break;
  default:
    break;
  }

  record.mode = new_mode;
  record.status = new_status;
}
