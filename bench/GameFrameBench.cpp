// The game's frames in the real loop, each part timed by the loop itself: the menu, then a
// normal, an advanced and a timed game, each with the ball in play and the paddles kept
// under it by an autopilot (a step-event object, as a player's input would move them).
// The menu runs 600 frames, which also give the loop's pacing. Last, "lost game" loses a normal
// game after a few frames of play, again and again, and records the frames that follow: every
// object of the game explodes at once, the heaviest drawing the game does. Writes every
// frame's times as JSON to the file named by the first argument. A second argument "whole"
// turns damage tracking off: every frame is drawn and shown whole.
#include "Mode.h"
#include "Paddle.h"

#include "GameManager.h"
#include "GraphicsManager.h"
#include "LogManager.h"
#include "WorldManager.h"

#include <SFML/OpenGL.hpp>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

/// path made absolute, so that it still names the same file after a change of folder.
std::string absolute(const char* path) {
  if (path[0] == '/') {
    return path;
  }
  char cwd[4096];
  return std::string(getcwd(cwd, sizeof(cwd)) ? cwd : ".") + "/" + path;
}

const char* DATA_FILES[] = {"sprites", "sounds", "tw-font.ttf", "tw-config.txt"};

/// Keeps every paddle lined up with the ball, so that the ball stays in play.
class Autopilot : public tw::Object {
public:
  Autopilot() {
    setType("Autopilot");
    setSolidness(tw::SPECTRAL);
    setVisible(false);
    registerInterest(tw::STEP_EVENT);
  }
  int eventHandler(const tw::Event* p_e) override {
    if (!p_e->isType(tw::STEP_EVENT)) {
      return 0;
    }
    tw::WorldManager& world = tw::WorldManager::getInstance();
    const tw::ObjectList balls = world.objectsOfType("Ball");
    if (balls.isEmpty()) {
      return 1;
    }
    const tw::Vector ball = balls.at(0)->getPosition();
    const tw::ObjectList paddles = world.objectsOfType("Paddle");
    for (int i = 0; i < paddles.getCount(); i++) {
      auto* p_paddle = static_cast<Paddle*>(paddles.at(i));
      tw::Vector p = p_paddle->getPosition();
      const tw::Box box = p_paddle->getBox();
      if (p_paddle->getSide() == SIDE_TOP || p_paddle->getSide() == SIDE_BOTTOM) {
        p.setX(ball.getX() - box.getHorizontal() * 0.5f);
      } else {
        p.setY(ball.getY() - box.getVertical() * 0.5f);
      }
      p_paddle->setPosition(p);
    }
    return 1;
  }
};

struct Segment {
  const char* name;
  int mode;
  int frames;
  std::vector<tw::GameManager::FrameTimes> times;
  int restarts = 0;
  long objects = 0;   // active objects, summed over the recorded frames
  bool lose = false;  // lose the game again and again, recording the frames after each loss
  double damaged = 0; // pixels redrawn, summed over the recorded frames
};

constexpr int WARM_UP = 15;     // frames after a change of screen that are not recorded
constexpr int PLAY_FRAMES = 10; // frames of play before the game is lost
constexpr int AFTER_LOSS = 14;  // frames recorded after each loss: explosions, then the menu

std::vector<Segment> segments = {{"menu", MENU, 600, {}},
                                 {"normal", REGULAR, 300, {}},
                                 {"advanced", ADVANCED, 300, {}},
                                 {"timed", TIMED, 300, {}},
                                 {"lost game", REGULAR, 12 * AFTER_LOSS, {}, 0, 0, true}};
std::size_t current = 0;
int frame_in_segment = 0;
int since_loss = -1; // frames since the game was lost; -1 while it is played

void startSegment(std::size_t index) {
  current = index;
  frame_in_segment = 0;
  if (segments[index].mode != MENU) {
    if (Mode::getInstance().mode != MENU) {
      Mode::update(MENU, EXIT); // back through the menu, as the player would go
    }
    Mode::update(segments[index].mode, PLAY);
  }
  new Autopilot;
}

void record(Segment& s, const tw::GameManager::FrameTimes& t) {
  s.times.push_back(t);
  s.objects += tw::WorldManager::getInstance().getAllObjects().getCount();
  s.damaged += tw::GraphicsManager::getInstance().getDamagedArea();
}

void endSegment() {
  if (current + 1 < segments.size()) {
    startSegment(current + 1);
  } else {
    tw::GameManager::getInstance().setGameOver();
  }
}

void onLosingFrame(Segment& s, const tw::GameManager::FrameTimes& t) {
  if (since_loss >= 0) {
    record(s, t);
    if (++since_loss < AFTER_LOSS) {
      return;
    }
    since_loss = -1;
    if (static_cast<int>(s.times.size()) >= s.frames) {
      endSegment();
    } else {
      startSegment(current);
    }
    return;
  }
  frame_in_segment++;
  if (Mode::getInstance().mode != s.mode) {
    s.restarts++; // lost on its own before its time
    startSegment(current);
  } else if (frame_in_segment == PLAY_FRAMES) {
    // The autopilot is no part of the game: it must not explode with the rest.
    const tw::ObjectList pilots = tw::WorldManager::getInstance().objectsOfType("Autopilot");
    for (int i = 0; i < pilots.getCount(); i++) {
      delete pilots.at(i);
    }
    Mode::update(MENU, LOSE);
    since_loss = 0;
  }
}

void onFrame(const tw::GameManager::FrameTimes& t) {
  Segment& s = segments[current];
  if (s.lose) {
    onLosingFrame(s, t);
    return;
  }
  if (frame_in_segment >= WARM_UP) {
    record(s, t);
  }
  frame_in_segment++;
  if (Mode::getInstance().mode != s.mode) {
    // The game ended on its own (won or lost): start the same screen again.
    s.restarts++;
    const int recorded = frame_in_segment;
    startSegment(current);
    frame_in_segment = recorded;
    return;
  }
  if (frame_in_segment == WARM_UP + s.frames) {
    endSegment();
  }
}

void writeJson(FILE* p_out, const std::string& renderer, bool in_part) {
  std::fprintf(p_out, "{\n  \"renderer\": \"%s\",\n  \"damage_tracking\": %s,\n  \"segments\": [\n",
               renderer.c_str(), in_part ? "true" : "false");
  for (std::size_t i = 0; i < segments.size(); i++) {
    const Segment& s = segments[i];
    std::fprintf(p_out,
                 "    {\"name\": \"%s\", \"restarts\": %d, \"mean_objects\": %.1f,\n"
                 "     \"mean_damaged_pixels\": %.0f,\n"
                 "     \"after_loss\": %d,\n"
                 "     \"columns\": [\"start\", \"input\", \"path\", \"update\", \"draw\", "
                 "\"step\", \"display\", \"work\", \"sleep\"],\n     \"frames\": [",
                 s.name, s.restarts,
                 s.times.empty()
                     ? 0.0
                     : static_cast<double>(s.objects) / static_cast<double>(s.times.size()),
                 s.times.empty() ? 0.0 : s.damaged / static_cast<double>(s.times.size()),
                 s.lose ? AFTER_LOSS : 0);
    for (std::size_t f = 0; f < s.times.size(); f++) {
      const tw::GameManager::FrameTimes& t = s.times[f];
      std::fprintf(p_out, "%s[%lld,%lld,%lld,%lld,%lld,%lld,%lld,%lld,%lld]", f ? ",\n      " : "",
                   static_cast<long long>(t.start), static_cast<long long>(t.input),
                   static_cast<long long>(t.path), static_cast<long long>(t.update),
                   static_cast<long long>(t.draw), static_cast<long long>(t.step_events),
                   static_cast<long long>(t.display), static_cast<long long>(t.work),
                   static_cast<long long>(t.sleep));
    }
    std::fprintf(p_out, "]}%s\n", i + 1 < segments.size() ? "," : "");
  }
  std::fprintf(p_out, "  ]\n}\n");
}

} // namespace

int main(int argc, char** argv) {
  const std::string out_path = argc > 1 ? absolute(argv[1]) : "";
  // The game reads its data from its working folder and writes its log there: a scratch
  // folder that links to the repository's data.
  char templ[] = "/tmp/tw-gameframe-XXXXXX";
  const char* p_dir = mkdtemp(templ);
  if (!p_dir || chdir(p_dir) != 0) {
    std::perror("GameFrameBench: scratch folder");
    return 1;
  }
  for (const char* name : DATA_FILES) {
    const std::string target = std::string(TW_SOURCE_DIR) + "/" + name;
    if (symlink(target.c_str(), name) != 0) {
      std::perror(name);
      return 1;
    }
  }

  tw::GameManager& game = tw::GameManager::getInstance();
  int status = 0;
  if (game.startUp() != 0) {
    std::fprintf(stderr, "GameFrameBench: the game did not start (is there a display?)\n");
    status = 1;
  } else {
    const auto* p_renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    const std::string renderer = p_renderer ? p_renderer : "unknown";
    tw::LogManager::getInstance().setFlush(true);
    tw::GraphicsManager& graphics = tw::GraphicsManager::getInstance();
    graphics.setDamageTracking(!(argc > 2 && std::string(argv[2]) == "whole"));
    Mode::update(MENU, START);
    startSegment(0);
    game.setFrameObserver(onFrame);
    game.run();
    game.setFrameObserver(nullptr);
    FILE* p_out = argc > 1 ? std::fopen(out_path.c_str(), "w") : stdout;
    if (p_out) {
      writeJson(p_out, renderer, graphics.isShowingInPart());
      if (p_out != stdout) {
        std::fclose(p_out);
      }
    }
  }
  game.shutDown();
  for (const char* name : DATA_FILES) {
    unlink(name);
  }
  unlink("tarnwick.log");
  if (chdir("/") == 0) {
    rmdir(p_dir);
  }
  return status;
}
