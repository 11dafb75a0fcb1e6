#include "EventView.h"

namespace tw {

EventView::EventView(std::string init_tag, int init_value, bool init_delta)
    : tag(std::move(init_tag)), value(init_value), delta(init_delta) {
  setType(VIEW_EVENT);
}

} // namespace tw
