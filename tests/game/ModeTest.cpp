#include "GameFixture.h"

#include "GameManager.h"
#include "Music.h"
#include "ResourceManager.h"
#include "Text.h"

#include <map>

using namespace twtest;

class ModeBase : public GameTest {
protected:
  bool loadsResources() const override { return false; }
  /// The text showing this, or the first view object of this type at this position.
  tw::ViewObject* view(const std::string& type, const std::string& text,
                       tw::Vector at = tw::Vector(-1, -1)) const {
    for (tw::Object* p_o : ofType(type)) {
      auto* p_v = static_cast<tw::ViewObject*>(p_o);
      if (text.empty() ? p_v->getPosition() == at : p_v->getViewString() == text) {
        return p_v;
      }
    }
    return nullptr;
  }
  /// "Type:count" of the objects not in before, sorted by type, explosions left out.
  std::string created(const tw::ObjectList& before) const {
    std::map<std::string, int> types;
    const tw::ObjectList all = world.getAllObjects(true);
    for (int i = 0; i < all.getCount(); i++) {
      types[all.at(i)->getType()] +=
          !before.contains(all.at(i)) && all.at(i)->getType() != "Explosion";
    }
    std::string out;
    for (const auto& [type, n] : types) {
      out += n ? (out.empty() ? "" : " ") + type + ":" + std::to_string(n) : "";
    }
    return out;
  }
  int points(float x, float y) const {
    const tw::ViewObject* p_v = view("Points", "", tw::Vector(x, y));
    return p_v ? p_v->getValue() : -1;
  }
};

/// One change of screen: where it starts, the call, and all it must do.
struct Transition {
  int from, mode, status;
  const char* logged; ///< the words after "Mode::update(): "
  const char* sound;  ///< before one "explode" per old object when they explode
  bool explodes;
  const char* music;   ///< music lookups: stops, then plays
  const char* playing; ///< the music playing afterwards
  const char* message;
  const char* made;
};

class ModeTest : public ModeBase, public ::testing::WithParamInterface<Transition> {};

const char* const MENU_MADE = "Ball:1 Paddle:1 Points:1 Reticle:1 Text:9 Title:1";
const char* const FOUR_SIDED = "Ball:1 Brick:28 Paddle:4 Pause:1 Reticle:1";
const char* const WELCOME = "Bounce the ball to break the bricks";

TEST_P(ModeTest, ChangesScreenOnce) {
  const Transition& t = GetParam();
  if (t.from != MODE_NONE) {
    Mode::update(MENU, START);
    ofType("Ball")[0]->setPosition(tw::Vector(70, 35)); // away from the bricks to come
  }
  if (t.from > MENU) {
    Mode::update(t.from, PLAY);
    world.update();
  }
  state.score = state.high_score = 70;
  const tw::ObjectList old = world.getAllObjects();
  const int explosions = count("Explosion");
  mark();
  Mode::update(t.mode, t.status);
  Mode::update(t.mode, t.status); // held keys and buttons repeat the call: no effect
  EXPECT_EQ(state.mode, t.mode);
  EXPECT_EQ(state.status, t.status);
  EXPECT_EQ(created(old), t.made);
  EXPECT_EQ(count("Explosion") - explosions, t.explodes ? old.getCount() : 0);
  EXPECT_EQ(tw::GameManager::getInstance().getGameOver(), t.status == END);
  const auto lines = stopLog();
  std::string logged;
  for (const std::string& line : lines) {
    const size_t at = line.find("Mode::update(): ");
    if (at != std::string::npos) {
      logged += (logged.empty() ? "" : " ") + line.substr(at + 16);
    }
  }
  EXPECT_EQ(logged, t.logged);
  std::string sounds = t.sound;
  for (int i = 0; t.explodes && i < old.getCount(); i++) {
    sounds += std::string(sounds.empty() ? "" : " ") + "explode";
  }
  EXPECT_EQ(lookups(lines, "sound"), sounds);
  EXPECT_EQ(lookups(lines, "music"), t.music);
  tw::ResourceManager& rm = tw::ResourceManager::getInstance();
  EXPECT_EQ(rm.getSpriteCount() * 100 + rm.getSoundCount() * 10 + rm.getMusicCount(), 973);
  for (const char* music : {"menu", "advanced", "timed"}) {
    EXPECT_EQ(rm.getMusic(music)->isPlaying(), std::string(music) == t.playing) << music;
  }
  if (t.message) {
    ASSERT_NE(view("Text", t.message), nullptr) << t.message;
    EXPECT_EQ(view("Text", t.message)->getPosition(), tw::Vector(39.5f, 12));
    EXPECT_EQ(points(66, 24), 70); // the high score
  }
  EXPECT_EQ(points(55, 12), t.status == TIME ? 70 : -1); // the final score
  world.update();
  const tw::ObjectList now = world.getAllObjects(true);
  int kept = 0;
  for (int i = 0; i < old.getCount(); i++) {
    kept += now.contains(old.at(i));
  }
  EXPECT_EQ(kept, t.status == END || t.status > END ? old.getCount() : 0);
  if (t.status == END) {
    frame(); // the menu ball's next step must not turn the quit into a win
    EXPECT_EQ(state.status, END);
  }
}

const Transition TRANSITIONS[] = {
    {MODE_NONE, MENU, START, "Start Menu", "", false, "menu", "menu", WELCOME, MENU_MADE},
    {MENU, REGULAR, PLAY, "Play Regular", "", false, "", "menu", nullptr,
     "Ball:1 Brick:50 Paddle:1 Pause:1 Reticle:1"},
    {MENU, ADVANCED, PLAY, "Play Advanced", "", false, "menu advanced", "advanced", nullptr,
     FOUR_SIDED},
    {MENU, TIMED, PLAY, "Play Timed", "", false, "menu timed", "timed", nullptr,
     "Ball:1 Brick:28 Paddle:4 Pause:1 Points:1 Reticle:1 Text:2 Timer:1"},
    {REGULAR, MENU, WIN, "Win Menu", "win", false, "menu menu", "menu",
     "You have destroyed bricks, hopes, and dreams. Congratulations!", MENU_MADE},
    {ADVANCED, MENU, LOSE, "Lose Menu", "lose", true, "advanced menu", "menu",
     "Game Over. Not enough bricks were broken.", MENU_MADE},
    {TIMED, MENU, TIME, "Time Menu", "time", true, "timed menu", "menu",
     "Time's up! Your score was:", "Ball:1 Paddle:1 Points:2 Reticle:1 Text:9 Title:1"},
    {REGULAR, MENU, EXIT, "Exit Menu", "exit", true, "menu menu", "menu", WELCOME, MENU_MADE},
    {MENU, MODE_NONE, END, "End", "", false, "", "menu", nullptr, ""},
    {MENU, 99, 99, "", "", false, "", "menu", nullptr, ""},
};
INSTANTIATE_TEST_SUITE_P(Screens, ModeTest, ::testing::ValuesIn(TRANSITIONS));

TEST_F(ModeBase, GamesAreBuiltOnTheirGrids) {
  Mode::update(MENU, START);
  EXPECT_EQ(world.getBoundary(), tw::Box(tw::Vector(0, -0.25f), 79, 39));
  EXPECT_EQ(ofType("Ball")[0]->getPosition(), tw::Vector(39.5f, 19.5f));
  const struct {
    int mode, x0, x1, y0, y1;
    const char* sides; ///< and the last letter of their sprites, the menu's paddle first
  } games[] = {{REGULAR, 10, 64, 1, 9, "1h1h"},
               {ADVANCED, 28, 46, 14, 26, "1h0h1h2v3v"},
               {TIMED, 28, 46, 14, 26, "1h0h1h2v3v"}};
  for (const auto& g : games) {
    SCOPED_TRACE(g.mode);
    ofType("Ball")[0]->setPosition(tw::Vector(70, 35));
    Mode::update(g.mode, PLAY);
    EXPECT_EQ(world.getBoundary(), tw::Box(tw::Vector(10, 0.75f), 59, 37));
    std::vector<tw::Vector> expected, bricks;
    for (int y = g.y0; y <= g.y1; y += 2) {
      for (int x = g.x0; x <= g.x1; x += 6) {
        expected.emplace_back(static_cast<float>(x), static_cast<float>(y));
      }
    }
    for (tw::Object* p_o : ofType("Brick")) {
      bricks.push_back(p_o->getPosition() + tw::Vector(static_cast<Brick*>(p_o)->getKind(), 0));
    }
    EXPECT_EQ(bricks, expected);
    std::string sides;
    for (tw::Object* p_o : ofType("Paddle")) {
      sides += std::to_string(static_cast<Paddle*>(p_o)->getSide()) + p_o->getSpriteName()[6];
    }
    EXPECT_EQ(sides, g.sides);
    const tw::Vector ball = ofType("Ball").back()->getPosition();
    EXPECT_TRUE(g.mode == REGULAR ? ball == tw::Vector(29.5f, 20)
                                  : ball.getX() >= 6 && ball.getX() <= 40 && ball.getY() == 3 &&
                                        ball.getX() == static_cast<int>(ball.getX()))
        << ball.getX();
    if (g.mode == TIMED) {
      EXPECT_EQ(view("Text", "Time")->getPosition() + view("Text", "Score")->getPosition(),
                tw::Vector(80, 4));
      EXPECT_EQ(ofType("Timer")[0]->getPosition(), tw::Vector(5, 4));
      EXPECT_TRUE(points(75, 4) == 0 && view("Points", "", tw::Vector(75, 4))->getBorder());
    }
    Mode::update(MENU, WIN);
    world.update();
  }
}

TEST_F(ModeBase, EveryModePlaysWithoutAnySpriteOrSound) {
  ASSERT_EQ(std::system("rm sprites sounds"), 0);
  Mode::update(MENU, START);
  frame(30);
  for (auto [mode, key, status] : {std::tuple{REGULAR, tw::Keyboard::ESCAPE, EXIT},
                                   {ADVANCED, tw::Keyboard::E, WIN},
                                   {TIMED, tw::Keyboard::T, TIME}}) {
    Mode::update(mode, PLAY);
    frame(20);
    EXPECT_EQ(state.mode, mode);
    input(key, tw::Keyboard::KEY_DOWN);
    frame(10);
    EXPECT_EQ(state.mode * 10 + state.status, MENU * 10 + status);
  }
  EXPECT_EQ(count("Explosion"), 0); // without a sprite, gone after one step
  const auto lines = stopLog();
  for (const char* text :
       {"Cannot open file 'sprites/ball-spr.txt'", "Sound 'win' not found",
        "Explosion::Explosion(): Warning! Sprite 'explosion' not found",
        "Ball::Ball(): Warning, sprite 'ball' not found",
        "Paddle::Paddle(): Warning! Sprite 'paddlev' not found",
        "Brick::Brick(): Warning! Brick sprite not found",
        "Title::Title(): Warning, sprite 'title' not found", "Music 'timed' not found"}) {
    EXPECT_TRUE(contains(lines, text)) << text;
  }
}
