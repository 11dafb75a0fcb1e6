// Object records: every key an object reads, then written back out.
#include "FuzzSupport.h"

#include "Object.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  twfuzz::startQuietLog();
  twfuzz::startWorld();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string record = twfuzz::asText(data, size);
  auto* p_object = new tw::Object;
  p_object->deserialize(record);
  p_object->isModified();
  p_object->serialize(false);
  // Nothing changed since that write, so the next one is empty.
  if (!p_object->serialize(false).empty()) {
    std::abort();
  }
  // What an object writes, another reads.
  auto* p_copy = new tw::Object;
  p_copy->deserialize(p_object->serialize(true));
  p_copy->serialize(true);
  delete p_copy;
  delete p_object;
  return 0;
}
