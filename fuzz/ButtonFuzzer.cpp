// Button records: the object's, the view object's and the button's own keys.
#include "FuzzSupport.h"

#include "Button.h"

#include <cstdlib>

namespace {

class FuzzButton : public tw::Button {
public:
  void onClick() override {}
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  twfuzz::startQuietLog();
  twfuzz::startWorld();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto* p_button = new FuzzButton;
  p_button->deserialize(twfuzz::asText(data, size));
  p_button->isModified();
  p_button->serialize(false);
  if (!p_button->serialize(false).empty()) {
    std::abort();
  }
  auto* p_copy = new FuzzButton;
  p_copy->deserialize(p_button->serialize(true));
  p_copy->serialize(true);
  delete p_copy;
  delete p_button;
  return 0;
}
