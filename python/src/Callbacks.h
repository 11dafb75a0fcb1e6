#pragma once

#include <pybind11/pybind11.h>

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

  /// Brackets a Python call into the engine: raise() raises what a callback raised during it.
  class Scope {
  public:
    Scope();
    /// Raises the exception kept since the scope began, if any.
    void raise();

  private:
    bool had_pending;
  };

private:
  static void raisePending();
};

/// Calls fn(self, arg) (arg may be null: fn(self)); a new reference, or null after failed().
PyObject* callBack(PyObject* fn, PyObject* self, PyObject* arg);

} // namespace twpy
