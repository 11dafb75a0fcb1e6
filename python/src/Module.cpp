#include "Bindings.h"

namespace py = pybind11;

PYBIND11_MODULE(_tarnwick, m) {
  m.doc() = "The Tarnwick engine: a 2D game engine drawing coloured characters on a grid.";
  m.attr("__version__") = TW_VERSION;
  twpy::bindValues(m);
  twpy::bindResources(m);
  twpy::bindEvents(m);
  twpy::bindObjects(m);
  twpy::bindManagers(m);
}
