#pragma once

#include "Event.h"
#include "Path.h"

namespace tw {

/// The result of a path search, handed to the object that asked for it.
class EventPath : public Event {
public:
  /// An event of type PATH_EVENT with status NOT_FOUND and an empty path.
  EventPath();

  /// Sets how the search ended, a PathStatus.
  void setStatus(int new_status) { status = new_status; }
  /// How the search ended: FOUND or NOT_FOUND.
  int getStatus() const { return status; }
  /// Sets the path found.
  void setPath(Path new_path) { path = std::move(new_path); }
  /// The path found, from start to end; meaningless unless the status is FOUND.
  Path getPath() const { return path; }

private:
  int status = 0;
  Path path;
};

} // namespace tw
