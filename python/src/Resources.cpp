#include "Bindings.h"

#include "Music.h"
#include "ResourceManager.h"
#include "Sound.h"
#include "Sprite.h"
#include "Wrappers.h"

#include <pybind11/stl.h>

namespace twpy {

namespace {
[[noreturn]] void gone(const char* what, const std::string& label) {
  PyErr_Format(PyExc_ReferenceError, "no %s labelled '%s' is loaded", what, label.c_str());
  throw py::error_already_set();
}

tw::Sprite& find(const SpriteRef& r) {
  tw::Sprite* p = tw::ResourceManager::getInstance().getSprite(r.label);
  if (p == nullptr) {
    gone("sprite", r.label);
  }
  return *p;
}
tw::Sound& find(const SoundRef& r) {
  tw::Sound* p = tw::ResourceManager::getInstance().getSound(r.label);
  if (p == nullptr) {
    gone("sound", r.label);
  }
  return *p;
}
tw::Music& find(const MusicRef& r) {
  tw::Music* p = tw::ResourceManager::getInstance().getMusic(r.label);
  if (p == nullptr) {
    gone("music", r.label);
  }
  return *p;
}

/// A handle to the resource labelled label when p_resource (its look-up) found it, else None.
template <class Ref> std::optional<Ref> refTo(const void* p_resource, const std::string& label) {
  return p_resource != nullptr ? std::optional<Ref>(Ref{{label}}) : std::nullopt;
}

template <class Ref> void bindPlayable(py::class_<Ref>& c, bool loop_default) {
  c.def(
       "play", [](const Ref& r, bool loop) { find(r).play(loop); }, py::arg("loop") = loop_default)
      .def("stop", [](const Ref& r) { find(r).stop(); })
      .def_property_readonly("playing", [](const Ref& r) { return find(r).isPlaying(); })
      .def_property_readonly("looping", [](const Ref& r) { return find(r).isLooping(); });
}
} // namespace

void bindResources(py::module_& m) {
  py::class_<SpriteRef>(m, "Sprite",
                        "A sprite of the resource manager, found by its label at every use: "
                        "ReferenceError once it is no longer loaded.")
      .def_property_readonly("label", [](const SpriteRef& r) { return r.label; })
      .def_property_readonly("width", [](const SpriteRef& r) { return find(r).getWidth(); })
      .def_property_readonly("height", [](const SpriteRef& r) { return find(r).getHeight(); })
      .def_property_readonly("color", [](const SpriteRef& r) { return find(r).getColor(); })
      .def_property_readonly("frame_count",
                             [](const SpriteRef& r) { return find(r).getFrameCount(); })
      .def(
          "get_frame", [](const SpriteRef& r, int index) { return find(r).getFrame(index); },
          py::arg("index"))
      .def(
          "__eq__", [](const SpriteRef& a, const SpriteRef& b) { return a.label == b.label; },
          py::is_operator())
      .def("__hash__", [](const SpriteRef& r) { return py::hash(py::str(r.label)); })
      .def("__repr__", [](const SpriteRef& r) { return "Sprite('" + r.label + "')"; });
  py::class_<SoundRef> sound(m, "Sound", "A sound of the resource manager, found by its label.");
  sound.def_property_readonly("label", [](const SoundRef& r) { return r.label; });
  bindPlayable(sound, false);
  py::class_<MusicRef> music(m, "Music", "A music of the resource manager, found by its label.");
  music.def_property_readonly("label", [](const MusicRef& r) { return r.label; });
  bindPlayable(music, true);

  using RM = tw::ResourceManager;
  py::class_<RM, std::unique_ptr<RM, py::nodelete>>(m, "ResourceManager",
                                                    "Loads sprites, sounds and music by label.")
      .def(
          "load_sprite",
          [](RM& rm, const std::string& filename, const std::string& label) {
            requireStarted(rm, "resource_manager.load_sprite()");
            return rm.loadSprite(filename, label);
          },
          py::arg("filename"), py::arg("label"))
      .def(
          "get_sprite",
          [](RM& rm, const std::string& label) {
            return refTo<SpriteRef>(rm.getSprite(label), label);
          },
          py::arg("label"))
      .def(
          "load_sound",
          [](RM& rm, const std::string& filename, const std::string& label) {
            requireStarted(rm, "resource_manager.load_sound()");
            return rm.loadSound(filename, label);
          },
          py::arg("filename"), py::arg("label"))
      .def(
          "get_sound",
          [](RM& rm, const std::string& label) {
            return refTo<SoundRef>(rm.getSound(label), label);
          },
          py::arg("label"))
      .def(
          "load_music",
          [](RM& rm, const std::string& filename, const std::string& label) {
            requireStarted(rm, "resource_manager.load_music()");
            return rm.loadMusic(filename, label);
          },
          py::arg("filename"), py::arg("label"))
      .def(
          "get_music",
          [](RM& rm, const std::string& label) {
            return refTo<MusicRef>(rm.getMusic(label), label);
          },
          py::arg("label"))
      .def_property_readonly("sprite_count", &RM::getSpriteCount)
      .def_property_readonly("sound_count", &RM::getSoundCount)
      .def_property_readonly("music_count", &RM::getMusicCount);
  m.attr("resource_manager") = py::cast(&RM::getInstance(), py::return_value_policy::reference);
}

} // namespace twpy
