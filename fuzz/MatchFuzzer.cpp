// The key:value matcher: a line parsed once, then keys looked up in it.
#include "FuzzSupport.h"

#include "utility.h"

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  twfuzz::startQuietLog();
  return 0;
}

// The input is the line, then after the first NUL byte the keys to look up, one per NUL.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input = twfuzz::asText(data, size);
  const std::size_t end = input.find('\0');
  const std::string line = input.substr(0, end);
  std::string first_key;
  if (end != std::string::npos) {
    const std::size_t next = input.find('\0', end + 1);
    first_key = input.substr(end + 1, next == std::string::npos ? next : next - end - 1);
  }

  const std::string value = tw::match(line, first_key);
  // A value never holds the separators, and looking the same key up again finds the same.
  if (value.find_first_of(",: \t\n\v\f\r") != std::string::npos) {
    std::abort();
  }
  if (!line.empty() && tw::match("", first_key) != value) {
    std::abort();
  }
  std::size_t pos = end;
  while (pos != std::string::npos && pos < input.size()) {
    const std::size_t next = input.find('\0', pos + 1);
    const std::string key =
        input.substr(pos + 1, next == std::string::npos ? next : next - pos - 1);
    tw::match("", key);
    pos = next;
  }
  return 0;
}
