// Music: space plays a sound effect; M starts and stops a piece of music that loops.
// Difficulty: 1
#include <tarnwick/EventKeyboard.h>
#include <tarnwick/GameManager.h>
#include <tarnwick/GraphicsManager.h>
#include <tarnwick/InputManager.h>
#include <tarnwick/Object.h>
#include <tarnwick/ResourceManager.h>

#include <string>

/// Plays the sound on space and turns the music on and off with M; shows what it did.
class Player : public tw::Object {
public:
  Player() {
    setSolidness(tw::SPECTRAL);
    registerInterest(tw::KEYBOARD_EVENT);
  }
  int eventHandler(const tw::Event* p_event) override {
    const auto* p_key = static_cast<const tw::EventKeyboard*>(p_event);
    if (p_key->getKey() == tw::Keyboard::ESCAPE) {
      tw::GameManager::getInstance().setGameOver();
    }
    if (p_key->getKeyboardAction() != tw::Keyboard::KEY_PRESSED) {
      return 1; // held keys repeat: act on the press alone
    }
    tw::ResourceManager& resources = tw::ResourceManager::getInstance();
    tw::Sound* p_sound = resources.getSound("bell");
    tw::Music* p_music = resources.getMusic("tune");
    if (p_key->getKey() == tw::Keyboard::SPACE && p_sound != nullptr) {
      p_sound->play(); // once
      played++;
    } else if (p_key->getKey() == tw::Keyboard::M && p_music != nullptr) {
      music_on = !music_on;
      if (music_on) {
        p_music->play(); // loops until stopped
      } else {
        p_music->stop();
      }
    }
    return 1;
  }
  void draw() override {
    tw::GraphicsManager& g = tw::GraphicsManager::getInstance();
    g.drawString(tw::Vector(40, 8), "Space: the sound    M: the music", tw::JUSTIFY_CENTER,
                 tw::WHITE);
    g.drawString(tw::Vector(40, 12), "Sound played " + std::to_string(played) + " times",
                 tw::JUSTIFY_CENTER, tw::YELLOW);
    g.drawString(tw::Vector(40, 14), music_on ? "Music playing" : "Music stopped",
                 tw::JUSTIFY_CENTER, music_on ? tw::GREEN : tw::RED);
  }

private:
  int played = 0;
  bool music_on = false;
};

int main() {
  tw::GameManager& game = tw::GameManager::getInstance();
  tw::ResourceManager& resources = tw::ResourceManager::getInstance();
  if (game.startUp() == 0 && resources.loadSound("exit.wav", "bell") == 0 &&
      resources.loadMusic("win.wav", "tune") == 0) {
    new Player;
    game.run();
  }
  game.shutDown();
  return 0;
}
