// Buttons: click the buttons with the mouse; view objects show the score and the clicks on screen.
// Difficulty: 2
#include <tarnwick/Button.h>
#include <tarnwick/EventKeyboard.h>
#include <tarnwick/EventView.h>
#include <tarnwick/GameManager.h>
#include <tarnwick/InputManager.h>
#include <tarnwick/Object.h>
#include <tarnwick/ViewObject.h>
#include <tarnwick/WorldManager.h>

#include <string>

/// Adds its points to the score (or sets the score to them) and counts the click.
class ScoreButton : public tw::Button {
public:
  ScoreButton(const std::string& label, int where, int new_points, bool new_add)
      : points(new_points), add(new_add) {
    setViewString(label);
    setLocation(where);
    setHighlightColor(tw::YELLOW); // while the mouse is over it
  }
  void onClick() override {
    // View events reach the view objects whose label is the event's tag.
    const tw::EventView score("Score", points, add);
    tw::WorldManager::getInstance().onEvent(&score);
    const tw::EventView clicks("Clicks", 1, true);
    tw::WorldManager::getInstance().onEvent(&clicks);
  }

private:
  int points;
  bool add;
};

/// Escape ends the game.
class Quit : public tw::Object {
public:
  Quit() {
    setSolidness(tw::SPECTRAL);
    registerInterest(tw::KEYBOARD_EVENT);
  }
  int eventHandler(const tw::Event* p_event) override {
    if (!p_event->isType(tw::KEYBOARD_EVENT)) {
      return 0;
    }
    if (static_cast<const tw::EventKeyboard*>(p_event)->getKey() == tw::Keyboard::ESCAPE) {
      tw::GameManager::getInstance().setGameOver();
    }
    return 1;
  }
};

int main() {
  tw::GameManager& game = tw::GameManager::getInstance();
  if (game.startUp() == 0) {
    auto* p_score = new tw::ViewObject; // placed on the screen, not in the world
    p_score->setViewString("Score");
    p_score->setLocation(tw::TOP_LEFT);
    p_score->setColor(tw::CYAN);
    auto* p_clicks = new tw::ViewObject;
    p_clicks->setViewString("Clicks");
    p_clicks->setLocation(tw::TOP_RIGHT);
    new ScoreButton("+1", tw::CENTER_LEFT, 1, true);
    new ScoreButton("+10", tw::CENTER_CENTER, 10, true);
    new ScoreButton("Reset", tw::CENTER_RIGHT, 0, false);
    new Quit;
    game.run();
  }
  game.shutDown();
  return 0;
}
