#pragma once

#include <pybind11/pybind11.h>

#include <string>

namespace twpy {
namespace py = pybind11;

/// Vector, Box, the enums, Frame, Shape, Path, Cell and the free functions.
void bindValues(py::module_& m);
/// Sprite, Sound and Music: handles that find their resource by its label at every use.
void bindResources(py::module_& m);
/// Event and the engine's event classes.
void bindEvents(py::module_& m);
/// Object, ViewObject and Button, which Python classes may derive from.
void bindObjects(py::module_& m);
/// The managers, the configuration and the frame times.
void bindManagers(py::module_& m);

/// A handle to a resource of the resource manager, by label.
struct ResourceRef {
  std::string label;
};
struct SpriteRef : ResourceRef {};
struct SoundRef : ResourceRef {};
struct MusicRef : ResourceRef {};

} // namespace twpy
