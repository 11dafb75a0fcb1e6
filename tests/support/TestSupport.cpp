#include "TestSupport.h"

#include "EventCollision.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

using namespace twtest;

std::vector<std::string> twtest::probe_events;

namespace {

/// Folders still holding open files after their test (Windows cannot remove those): removed at
/// exit, once the engine's singletons have closed them.
struct Leftovers : std::vector<std::string> {
  ~Leftovers() {
    std::error_code ignored;
    for (const std::string& dir : *this)
      std::filesystem::remove_all(dir, ignored);
  }
} leftovers;

} // namespace

void TempDirTest::SetUp() {
  std::random_device random; // tests in other processes make theirs at the same time
  do
    dir = (WINDOWS ? "Z:/tmp" : std::filesystem::temp_directory_path().string()) + "/tw-test-" +
          std::to_string(random());
  while (!std::filesystem::create_directory(dir));
  old_dir = std::filesystem::current_path().string(), std::filesystem::current_path(dir);
}

void TempDirTest::TearDown() {
  std::error_code error;
  std::filesystem::current_path(old_dir), std::filesystem::remove_all(dir, error);
  if (error)
    leftovers.push_back(dir);
}

void TempDirTest::writeFile(const std::string& name, const std::string& text) const {
  std::ofstream(name, std::ios::binary) << text;
}

std::vector<std::string> twtest::linesOf(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

std::string twtest::readText(const std::string& path) {
  std::ifstream in(path, std::ios::binary); // a directory, for one, reads as empty
  return std::filesystem::is_regular_file(path) ? std::string(std::istreambuf_iterator(in), {})
                                                : "";
}

void twtest::copyIn(const std::vector<std::string>& names, const std::string& from) {
  for (const std::string& name : names) {
    if (name == ".") // one by one: on Windows, a folder cannot be copied into one that exists
      for (const auto& entry : std::filesystem::directory_iterator(from))
        copyIn({entry.path().filename().string()}, from);
    else
      std::filesystem::copy(from + "/" + name, std::filesystem::path(name).filename(),
                            std::filesystem::copy_options::recursive);
  }
}

int WorldProbe::eventHandler(const tw::Event* p_e) {
  const auto* p_c = dynamic_cast<const tw::EventCollision*>(p_e);
  const tw::Object* p_other = p_c ? p_c->getObject1() : nullptr;
  p_other = p_other == this ? p_c->getObject2() : p_other;
  probe_events.push_back(name + ":" + p_e->getType() +
                         (p_other ? ":" + static_cast<const WorldProbe*>(p_other)->name : ""));
  return on_event ? on_event(p_e), 1 : 1;
}

::testing::AssertionResult twtest::inOrder(const std::vector<std::string>& lines,
                                           const std::vector<std::string>& expected) {
  auto at = lines.begin();
  for (const std::string& text : expected) {
    at = std::find_if(at, lines.end(), [&](auto& l) { return l.find(text) != l.npos; });
    if (at++ == lines.end())
      return ::testing::AssertionFailure() << "no line with '" << text << "' in order";
  }
  return ::testing::AssertionSuccess();
}

std::string twtest::withoutTimes(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += line.substr(std::min<std::size_t>(9, line.size())) + "\n";
  return text;
}

std::string twtest::withoutAddresses(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); i++) {
    if (text.compare(i, 2, "0x") != 0) {
      out += text[i];
      continue;
    }
    out += "ADDRESS";
    for (i += 2; i < text.size() && std::isxdigit(static_cast<unsigned char>(text[i])); i++) {
    }
    i--;
  }
  return out;
}

::testing::AssertionResult twtest::matchesFile(const std::string& name, const std::string& text) {
  const std::string path = sourceDir() + "/tests/data/" + name, kept = readText(path);
  if (std::getenv("TW_UPDATE_DATA"))
    std::ofstream(path, std::ios::binary) << text;
  if (kept == text)
    return ::testing::AssertionSuccess();
  // The first line that differs, and the whole text next to the test.
  std::istringstream now(text), was(kept);
  std::string a, b;
  int n = 0;
  do
    n++, a.clear(), b.clear(), std::getline(now, a), std::getline(was, b);
  while (a == b && (now || was));
  std::ofstream(std::filesystem::path(name).filename(), std::ios::binary) << text;
  return ::testing::AssertionFailure()
         << "differs from tests/data/" << name << " at line " << n << ": " << a << "\nwas: " << b;
}
