// Start-up: from the start of a new process to the first frame shown, with the game's 19
// resources loaded. The program starts itself again and again as a child that does what the
// game's main does (start-up, the menu, the loop) and ends after the first frame; the parent
// takes the clock just before it starts the child. Another child times, alone, what the
// libraries cost the first time: opening the window, loading the first sound, showing the
// first frame. Writes JSON to the file named by the first argument; the second, if any, is the
// number of starts of each kind (default 10).
#include "Mode.h"

#include "GameManager.h"
#include "LogManager.h"
#include "Platform.h"
#include "ResourceManager.h"

#include <SFML/Audio.hpp>
#include <SFML/Graphics.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

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

/// The child: the game's main, with the times of its stages written to the pipe.
int child(std::int64_t spawned, int out_fd) {
  const std::int64_t in_main = tw::platform::monotonicMicros();
  tw::GameManager& game = tw::GameManager::getInstance();
  tw::LogManager& log = tw::LogManager::getInstance();
  if (game.startUp() != 0) {
    log.writeLog("Error starting game manager");
    game.shutDown();
    return 1;
  }
  const std::int64_t started = tw::platform::monotonicMicros();
  log.setFlush(true);
  Mode::update(MENU, START);
  const std::int64_t menu_built = tw::platform::monotonicMicros();
  const tw::ResourceManager& resources = tw::ResourceManager::getInstance();
  const int loaded =
      resources.getSpriteCount() + resources.getSoundCount() + resources.getMusicCount();
  std::int64_t shown = 0;
  game.setFrameObserver([&](const tw::GameManager::FrameTimes& t) {
    shown = t.start + t.work; // the first frame is on the screen once displayFrame returns
    game.setGameOver();
  });
  game.run();
  game.shutDown();
  const std::string line = "{\"main_us\": " + std::to_string(in_main - spawned) +
                           ", \"startup_us\": " + std::to_string(started - spawned) +
                           ", \"menu_us\": " + std::to_string(menu_built - spawned) +
                           ", \"first_frame_us\": " + std::to_string(shown - spawned) +
                           ", \"resources\": " + std::to_string(loaded) + "}";
  return write(out_fd, line.c_str(), line.size()) == static_cast<ssize_t>(line.size()) ? 0 : 1;
}

/// The child that times the libraries' first steps, each alone.
int parts(int out_fd) {
  using tw::platform::monotonicMicros;
  const std::int64_t t0 = monotonicMicros();
  sf::RenderWindow window(sf::VideoMode(1024, 960, 32), "Tarnwick parts");
  const std::int64_t t1 = monotonicMicros();
  sf::SoundBuffer sound;
  sound.loadFromFile("sounds/explode.wav");
  const std::int64_t t2 = monotonicMicros();
  sf::Font font;
  font.loadFromFile("tw-font.ttf");
  sf::Text text("Tarnwick", font, 25);
  window.draw(text);
  window.display();
  const std::int64_t t3 = monotonicMicros();
  const std::string line = "{\"window_us\": " + std::to_string(t1 - t0) +
                           ", \"first_sound_us\": " + std::to_string(t2 - t1) +
                           ", \"first_frame_us\": " + std::to_string(t3 - t2) + "}";
  return write(out_fd, line.c_str(), line.size()) == static_cast<ssize_t>(line.size()) ? 0 : 1;
}

/// Starts one child of the given kind and returns the line it wrote, or an empty string.
std::string startOnce(const char* self, const char* kind) {
  int fds[2];
  if (pipe(fds) != 0) {
    return "";
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  const std::string fd_text = std::to_string(fds[1]);
  const std::int64_t before = tw::platform::monotonicMicros();
  const std::string spawned = std::to_string(before);
  char* child_argv[] = {const_cast<char*>(self), const_cast<char*>(kind),
                        const_cast<char*>(spawned.c_str()), const_cast<char*>(fd_text.c_str()),
                        nullptr};
  pid_t pid = 0;
  const int failed = posix_spawn(&pid, self, &actions, nullptr, child_argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  std::string line;
  if (failed == 0) {
    char buffer[512];
    ssize_t n = 0;
    while ((n = read(fds[0], buffer, sizeof(buffer))) > 0) {
      line.append(buffer, static_cast<std::size_t>(n));
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      line.clear();
    }
  }
  close(fds[0]);
  return line;
}

} // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--child") == 0) {
    return child(std::atoll(argv[2]), std::atoi(argv[3]));
  }
  if (argc == 4 && std::strcmp(argv[1], "--parts") == 0) {
    return parts(std::atoi(argv[3]));
  }
  const int starts = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
  const std::string out_path = argc > 1 ? absolute(argv[1]) : "";
  char self[4096];
  const ssize_t length = readlink("/proc/self/exe", self, sizeof(self) - 1);
  if (length <= 0) {
    std::perror("StartupBench: own path");
    return 1;
  }
  self[length] = '\0';

  // The game reads its data from its working folder and writes its log there: a scratch
  // folder that links to the repository's data.
  char templ[] = "/tmp/tw-startup-XXXXXX";
  const char* p_dir = mkdtemp(templ);
  if (!p_dir || chdir(p_dir) != 0) {
    std::perror("StartupBench: scratch folder");
    return 1;
  }
  for (const char* name : DATA_FILES) {
    const std::string target = std::string(TW_SOURCE_DIR) + "/" + name;
    if (symlink(target.c_str(), name) != 0) {
      std::perror(name);
      return 1;
    }
  }

  std::vector<std::string> lines;
  std::vector<std::string> part_lines;
  for (int i = 0; i < starts; i++) {
    const std::string line = startOnce(self, "--child");
    if (line.empty()) {
      std::fprintf(stderr, "StartupBench: start %d failed\n", i + 1);
    } else {
      lines.push_back(line);
    }
    const std::string part_line = startOnce(self, "--parts");
    if (!part_line.empty()) {
      part_lines.push_back(part_line);
    }
  }

  for (const char* name : DATA_FILES) {
    unlink(name);
  }
  unlink("tarnwick.log");
  if (chdir("/") == 0) {
    rmdir(p_dir);
  }

  FILE* p_out = argc > 1 ? std::fopen(out_path.c_str(), "w") : stdout;
  if (!p_out) {
    std::perror(out_path.c_str());
    return 1;
  }
  std::fprintf(p_out, "{\"starts\": [\n");
  for (std::size_t i = 0; i < lines.size(); i++) {
    std::fprintf(p_out, "  %s%s\n", lines[i].c_str(), i + 1 < lines.size() ? "," : "");
  }
  std::fprintf(p_out, "],\n\"parts\": [\n");
  for (std::size_t i = 0; i < part_lines.size(); i++) {
    std::fprintf(p_out, "  %s%s\n", part_lines[i].c_str(), i + 1 < part_lines.size() ? "," : "");
  }
  std::fprintf(p_out, "]}\n");
  if (p_out != stdout) {
    std::fclose(p_out);
  }
  return lines.empty() ? 1 : 0;
}
