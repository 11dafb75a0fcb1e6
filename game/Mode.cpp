#include "Mode.h"

Mode& Mode::getInstance() {
  static Mode instance;
  return instance;
}

void Mode::update(int new_mode, int new_status) {
  Mode& record = getInstance();
  if (new_mode == record.mode && new_status == record.status) {
    return;
  }
  record.mode = new_mode;
  record.status = new_status;
}
