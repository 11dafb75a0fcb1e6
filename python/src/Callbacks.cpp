#include "Callbacks.h"

#include "GameManager.h"

namespace twpy {

namespace {
// Heap-held and never destroyed at exit, when the interpreter may be gone already.
py::error_already_set* p_kept = nullptr;
int scope_depth = 0;
} // namespace

void Callbacks::failed(py::handle callable) {
  py::error_already_set error;
  if (p_kept == nullptr) {
    p_kept = new py::error_already_set(std::move(error));
    tw::GameManager::getInstance().setGameOver();
  } else {
    error.discard_as_unraisable(py::reinterpret_borrow<py::object>(callable));
  }
}

bool Callbacks::pending() {
  return p_kept != nullptr;
}

void Callbacks::raisePending() {
  py::error_already_set error = std::move(*p_kept);
  delete p_kept;
  p_kept = nullptr;
  throw error;
}

Callbacks::Scope::Scope() : had_pending(p_kept != nullptr) {
  scope_depth++;
}

Callbacks::Scope::~Scope() {
  scope_depth--;
}

void Callbacks::Scope::raise() {
  if (p_kept != nullptr && (!had_pending || scope_depth == 1)) {
    raisePending();
  }
}

PyObject* callBack(PyObject* fn, PyObject* self, PyObject* arg) {
  PyObject* args[] = {self, arg};
  PyObject* result = PyObject_Vectorcall(fn, args, arg != nullptr ? 2 : 1, nullptr);
  if (result == nullptr) {
    Callbacks::failed(fn);
  }
  return result;
}

} // namespace twpy
