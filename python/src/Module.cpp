#include "Bindings.h"

namespace py = pybind11;

PYBIND11_MODULE(_tarnwick, m) {
  m.doc() = "The Tarnwick engine: a 2D game engine drawing coloured characters on a grid.";
  twpy::bindValues(m);
  twpy::bindResources(m);
  twpy::bindEvents(m);
  twpy::bindObjects(m);
  twpy::bindManagers(m);
}
