#include "EventOut.h"

namespace tw {

EventOut::EventOut() {
  setType(OUT_EVENT);
}

} // namespace tw
