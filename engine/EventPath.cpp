#include "EventPath.h"

namespace tw {

EventPath::EventPath() {
  setType(PATH_EVENT);
}

} // namespace tw
