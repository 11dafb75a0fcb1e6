#pragma once

#include "Event.h"
#include "Path.h"

namespace tw {

/// The result of a path search, handed to the object that asked for it.
class EventPath : public Event {
public:
  EventPath();

  void setStatus(int new_status) { status = new_status; }
  int getStatus() const { return status; }
  void setPath(Path new_path) { path = std::move(new_path); }
  Path getPath() const { return path; }

private:
  int status = 0;
  Path path;
};

} // namespace tw
