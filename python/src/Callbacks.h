#pragma once

#include <pybind11/pybind11.h>

#include <type_traits>

namespace twpy {
namespace py = pybind11;

/// What the engine does with Python exceptions raised in the callbacks it makes (event
/// handlers, draw, on_click, the frame observer): none unwinds through the engine. The first
/// one ends the game after the frame and is raised from the Python call that made the engine
/// call back (run(), move_object()...); later ones go to sys.unraisablehook.
class Callbacks {
public:
  /// Takes the Python error set by a failed call of callable.
  static void failed(py::handle callable);
  /// True while an exception waits to be raised.
  static bool pending();

  /// Brackets a Python call into the engine: raise() raises what a callback raised during it,
  /// and the outermost one also what was kept before it began.
  class Scope {
  public:
    Scope();
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;
    /// Raises the exception kept, if this scope is to raise it.
    void raise();

  private:
    bool had_pending;
  };
  /// Runs a call into the engine that may call Python back, raising what a callback raised.
  template <class F> static auto guard(F&& f) {
    Scope scope;
    if constexpr (std::is_void_v<decltype(f())>) {
      f();
      scope.raise();
    } else {
      auto result = f();
      scope.raise();
      return result;
    }
  }

private:
  static void raisePending();
};

/// Calls fn(self, arg) (arg may be null: fn(self)); a new reference, or null after failed().
PyObject* callBack(PyObject* fn, PyObject* self, PyObject* arg);

} // namespace twpy
