// Cost of sampling the keyboard and the mouse once per frame on the X display. The input
// manager asks the window library for each of its 71 keys in turn, and each question is a
// round trip to the X server; one query of the whole keymap answers them all. The same for
// the pointer: its position and three buttons, four queries or one.
#include <SFML/Window.hpp>
#include <X11/Xlib.h>
#include <X11/keysym.h>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int KEYS = 71; // the keys the input manager samples every frame

void keysOneByOne(benchmark::State& state) {
  int down = 0;
  for (auto _ : state) {
    for (int k = 0; k < KEYS; k++) {
      down += sf::Keyboard::isKeyPressed(static_cast<sf::Keyboard::Key>(k)) ? 1 : 0;
    }
  }
  benchmark::DoNotOptimize(down);
  state.counters["round_trips"] = KEYS;
}

void keymapOnce(benchmark::State& state) {
  Display* p_display = XOpenDisplay(nullptr);
  if (!p_display) {
    state.SkipWithError("no X display");
    return;
  }
  std::vector<KeyCode> codes;
  for (int k = 0; k < KEYS; k++) {
    codes.push_back(XKeysymToKeycode(p_display, static_cast<KeySym>(XK_a + k % 26)));
  }
  int down = 0;
  for (auto _ : state) {
    char keys[32];
    XQueryKeymap(p_display, keys);
    for (const KeyCode code : codes) {
      down += (keys[code / 8] & (1 << (code % 8))) != 0 ? 1 : 0;
    }
  }
  benchmark::DoNotOptimize(down);
  state.counters["round_trips"] = 1;
  XCloseDisplay(p_display);
}

sf::Window* p_window = nullptr;

void pointerFourQueries(benchmark::State& state) {
  int down = 0;
  for (auto _ : state) {
    const sf::Vector2i at = sf::Mouse::getPosition(*p_window);
    down += at.x > 0 ? 1 : 0;
    for (const auto button : {sf::Mouse::Left, sf::Mouse::Right, sf::Mouse::Middle}) {
      down += sf::Mouse::isButtonPressed(button) ? 1 : 0;
    }
  }
  benchmark::DoNotOptimize(down);
  state.counters["round_trips"] = 4;
}

BENCHMARK(keysOneByOne)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(keymapOnce)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(pointerFourQueries)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
  // As in the game, a window is open: the window library keeps its connection to the X
  // server while one is, instead of opening one for every question.
  sf::Window window(sf::VideoMode(64, 64), "InputPollBench");
  p_window = &window;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
