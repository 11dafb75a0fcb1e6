// View object records: the object's keys and the view object's own.
#include "FuzzSupport.h"

#include "ViewObject.h"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  twfuzz::startQuietLog();
  twfuzz::startWorld();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto* p_view = new tw::ViewObject;
  p_view->deserialize(twfuzz::asText(data, size));
  p_view->isModified();
  p_view->serialize(false);
  if (!p_view->serialize(false).empty()) {
    std::abort();
  }
  auto* p_copy = new tw::ViewObject;
  p_copy->deserialize(p_view->serialize(true));
  p_copy->serialize(true);
  delete p_copy;
  delete p_view;
  return 0;
}
