#include "Bindings.h"

#include "EventMouse.h"
#include "Pause.h"
#include "ResourceManager.h"
#include "Sprite.h"
#include "TextObject.h"
#include "WorldManager.h"
#include "Wrappers.h"

#include <pybind11/stl.h>

#include <optional>
#include <vector>

namespace twpy {

namespace {
template <class T> using Holder = std::unique_ptr<T, py::nodelete>;

/// __init__ of the classes Python may derive from: the object is made (from args), enters the
/// world, and keeps its Python object alive until the world deletes it.
template <class W, class Base, class... A>
void makeObject(py::detail::value_and_holder& v_h, A... args) {
  auto* self = reinterpret_cast<PyObject*>(v_h.inst);
  if (std::is_same<Base, tw::Button>::value && !overrideOf(self, p_button_type, "on_click")) {
    throw py::type_error("a Button's class must define on_click()");
  }
  // Made outside the world it would never be drawn nor collide, yet get its events.
  requireStarted(tw::WorldManager::getInstance(), "making an Object");
  auto* p_made = new W(args...);
  v_h.value_ptr() = static_cast<Base*>(p_made);
  p_made->python.attach(self,
                        std::is_same<Base, tw::Button>::value ? p_button_type : p_object_type);
}

[[noreturn]] void refused(const char* what) {
  throw py::value_error(what);
}

void setSprite(tw::Object& o, py::handle sprite) {
  if (sprite.is_none()) {
    o.setSprite(nullptr);
    return;
  }
  const std::string label =
      py::isinstance<py::str>(sprite) ? sprite.cast<std::string>() : sprite.cast<SpriteRef>().label;
  tw::Sprite* p_sprite = tw::ResourceManager::getInstance().getSprite(label);
  if (p_sprite == nullptr) {
    PyErr_Format(PyExc_ValueError, "no sprite labelled '%s' is loaded", label.c_str());
    throw py::error_already_set();
  }
  o.setSprite(p_sprite);
}
} // namespace

void bindObjects(py::module_& m) {
  py::class_<tw::Object, Wrapped<tw::Object>, Holder<tw::Object>> object(
      m, "Object",
      "Everything in the world. Made in Python (derive from it, call super().__init__(), "
      "override event_handler and draw), it enters the world at once; the world owns it and "
      "deletes it (WorldManager.mark_for_delete, shut-down), after which every reference to "
      "it raises ReferenceError.");
  p_object_type = reinterpret_cast<PyTypeObject*>(object.ptr());
  object
      .def("__init__", &makeObject<Wrapped<tw::Object>, tw::Object>,
           py::detail::is_new_style_constructor())
      .def_property_readonly("alive", [](py::handle self) { return objectOrNull(self) != nullptr; })
      .def("__repr__",
           [](py::handle self) {
             const tw::Object* p_o = objectOrNull(self);
             const std::string cls = py::str(py::type::handle_of(self).attr("__name__"));
             if (p_o == nullptr) {
               return "<" + cls + ", deleted>";
             }
             const tw::Vector p = p_o->getPosition();
             return "<" + cls + " " + std::to_string(p_o->getId()) + " at (" +
                    py::repr(py::float_(p.getX())).cast<std::string>() + ", " +
                    py::repr(py::float_(p.getY())).cast<std::string>() + ")>";
           })
      .def("event_handler", on<tw::Object>([](tw::Object& o, py::handle event) {
             const tw::Event* p_event = fromPython(event);
             auto* p_made = dynamic_cast<Overridable*>(&o);
             return Callbacks::guard([&] {
               return p_made != nullptr ? p_made->baseEventHandler(p_event)
                                        : o.eventHandler(p_event);
             });
           }),
           py::arg("event"), "1 when the event was handled, 0 when ignored.")
      .def("draw", on<tw::Object>([](tw::Object& o) {
             auto* p_made = dynamic_cast<Overridable*>(&o);
             Callbacks::guard([&] { p_made != nullptr ? p_made->baseDraw() : o.draw(); });
           }),
           "Draws the sprite's frame and the shape, and advances the animation.")
      .def_property_readonly("id", on<tw::Object>(&tw::Object::getId))
      .def_property("type", on<tw::Object>(&tw::Object::getType),
                    on<tw::Object>(&tw::Object::setType))
      .def_property("position", on<tw::Object>(&tw::Object::getPosition),
                    on<tw::Object>(&tw::Object::setPosition))
      .def_property("active", on<tw::Object>(&tw::Object::isActive),
                    on<tw::Object>([](tw::Object& o, bool on) {
                      o.setActive(on) == 0 ? void() : refused("the world refused the change");
                    }))
      .def_property("visible", on<tw::Object>(&tw::Object::isVisible),
                    on<tw::Object>([](tw::Object& o, bool on) {
                      o.setVisible(on) == 0 ? void() : refused("the world refused the change");
                    }))
      .def_property("box", on<tw::Object>(&tw::Object::getBox), on<tw::Object>(&tw::Object::setBox))
      .def_property("direction", on<tw::Object>(&tw::Object::getDirection),
                    on<tw::Object>(&tw::Object::setDirection))
      .def_property("speed", on<tw::Object>(&tw::Object::getSpeed),
                    on<tw::Object>(&tw::Object::setSpeed))
      .def_property("velocity", on<tw::Object>(&tw::Object::getVelocity),
                    on<tw::Object>(&tw::Object::setVelocity))
      .def_property("acceleration", on<tw::Object>(&tw::Object::getAcceleration),
                    on<tw::Object>(&tw::Object::setAcceleration))
      .def("predict_position", on<tw::Object>(&tw::Object::predictPosition))
      .def("move_to", on<tw::Object>(&tw::Object::moveTo), py::arg("target"))
      .def_property("solidness", on<tw::Object>(&tw::Object::getSolidness),
                    on<tw::Object>([](tw::Object& o, tw::Solidness s) {
                      o.setSolidness(s) == 0 ? void() : refused("not a solidness");
                    }))
      .def_property_readonly("solid", on<tw::Object>(&tw::Object::isSolid))
      .def_property("no_soft", on<tw::Object>(&tw::Object::getNoSoft),
                    on<tw::Object>(&tw::Object::setNoSoft))
      .def_property("altitude", on<tw::Object>(&tw::Object::getAltitude),
                    on<tw::Object>([](tw::Object& o, int a) {
                      o.setAltitude(a) == 0
                          ? void()
                          : refused("altitude must be MIN_ALTITUDE to MAX_ALTITUDE");
                    }))
      .def_property("sprite", on<tw::Object>([](const tw::Object& o) -> std::optional<SpriteRef> {
                      if (o.getSprite() == nullptr) {
                        return std::nullopt;
                      }
                      return SpriteRef{{o.getSprite()->getLabel()}};
                    }),
                    on<tw::Object>(&setSprite),
                    "The sprite drawn, or None; set a Sprite, a sprite's label or None.")
      .def_property("sprite_name", on<tw::Object>(&tw::Object::getSpriteName),
                    on<tw::Object>(&tw::Object::setSpriteName))
      .def_property("centered", on<tw::Object>(&tw::Object::isCentered),
                    on<tw::Object>(&tw::Object::setCentered))
      .def_property("transparency", on<tw::Object>([](const tw::Object& o) {
                      return o.getTransparency() == 0 ? std::string()
                                                      : std::string(1, o.getTransparency());
                    }),
                    on<tw::Object>([](tw::Object& o, const std::string& t) {
                      t.size() <= 1 ? o.setTransparency(t.empty() ? '\0' : t[0])
                                    : refused("transparency is one character, or '' for none");
                    }))
      .def_property("sprite_index", on<tw::Object>(&tw::Object::getSpriteIndex),
                    on<tw::Object>(&tw::Object::setSpriteIndex))
      .def_property("sprite_slowdown", on<tw::Object>(&tw::Object::getSpriteSlowdown),
                    on<tw::Object>(&tw::Object::setSpriteSlowdown))
      .def_property("sprite_slowdown_count", on<tw::Object>(&tw::Object::getSpriteSlowdownCount),
                    on<tw::Object>(&tw::Object::setSpriteSlowdownCount))
      .def("register_interest", on<tw::Object>(&tw::Object::registerInterest),
           py::arg("event_type"))
      .def("unregister_interest", on<tw::Object>(&tw::Object::unregisterInterest),
           py::arg("event_type"))
      .def_property_readonly("event_names", on<tw::Object>([](const tw::Object& o) {
                               std::vector<std::string> names;
                               for (int i = 0; i < o.getEventCount(); i++) {
                                 names.push_back(o.getEventName(i));
                               }
                               return names;
                             }))
      .def_property("shape", on<tw::Object>([](const tw::Object& o) { return o.getShape(); }),
                    on<tw::Object>([](tw::Object& o, const tw::Shape& s) { o.getShape() = s; }))
      .def_property_readonly("following_path", on<tw::Object>(&tw::Object::isFollowingPath))
      .def_property("path", on<tw::Object>(&tw::Object::getPath),
                    on<tw::Object>(&tw::Object::setPath))
      .def("serialize", on<tw::Object>(&tw::Object::serialize), py::arg("all") = false)
      .def("deserialize", on<tw::Object>(&tw::Object::deserialize), py::arg("record"))
      .def("is_modified", on<tw::Object>(py::overload_cast<>(&tw::Object::isModified, py::const_)))
      .def("is_attribute_modified",
           on<tw::Object>(
               py::overload_cast<tw::ObjectAttribute>(&tw::Object::isModified, py::const_)),
           py::arg("attribute"))
      .def("set_modified", on<tw::Object>(&tw::Object::setModified), py::arg("attribute"),
           py::arg("modified") = true);

  py::class_<tw::ViewObject, tw::Object, Wrapped<tw::ViewObject>, Holder<tw::ViewObject>>(
      m, "ViewObject",
      "Drawn at a place of the screen, not of the world: a label and a value, changed by "
      "EventView events for its label.")
      .def("__init__", &makeObject<Wrapped<tw::ViewObject>, tw::ViewObject>,
           py::detail::is_new_style_constructor())
      .def_property("view_string", on<tw::ViewObject>(&tw::ViewObject::getViewString),
                    on<tw::ViewObject>(&tw::ViewObject::setViewString))
      .def_property("value", on<tw::ViewObject>(&tw::ViewObject::getValue),
                    on<tw::ViewObject>(&tw::ViewObject::setValue))
      .def_property("border", on<tw::ViewObject>(&tw::ViewObject::getBorder),
                    on<tw::ViewObject>(&tw::ViewObject::setBorder))
      .def_property("color", on<tw::ViewObject>(&tw::ViewObject::getColor),
                    on<tw::ViewObject>(&tw::ViewObject::setColor))
      .def_property(
          "location", on<tw::ViewObject>([](const tw::ViewObject& v) {
            return static_cast<tw::ViewObjectLocation>(v.getLocation());
          }),
          on<tw::ViewObject>([](tw::ViewObject& v, tw::ViewObjectLocation l) { v.setLocation(l); }))
      .def_property("draw_value", on<tw::ViewObject>(&tw::ViewObject::getDrawValue),
                    on<tw::ViewObject>(&tw::ViewObject::setDrawValue))
      .def("display_text", on<tw::ViewObject>(&tw::ViewObject::displayText));

  using Text = tw::TextObject;
  py::class_<Text, tw::Object, Wrapped<Text>, Holder<Text>>(
      m, "TextObject",
      "A string shown at its position every frame until changed or deleted; SPECTRAL, at the "
      "top altitude. '\\n' starts a new line. The position is in the world, or relative to "
      "the view's corner when on_view is set.")
      .def(
          "__init__",
          [](py::detail::value_and_holder& v_h, const std::string& text, tw::Vector position) {
            makeObject<Wrapped<Text>, Text>(v_h);
            auto* p_text = static_cast<Text*>(v_h.value_ptr());
            p_text->setPosition(position);
            p_text->setText(text);
          },
          py::detail::is_new_style_constructor(), py::arg("text") = "",
          py::arg("position") = tw::Vector())
      .def_property("text", on<Text>(&Text::getText), on<Text>(&Text::setText))
      .def_property("color", on<Text>(&Text::getColor), on<Text>(&Text::setColor))
      .def_property("background", on<Text>([](const Text& t) {
                      return t.hasBackground() ? std::optional<tw::Color>(t.getBackground())
                                               : std::nullopt;
                    }),
                    on<Text>([](Text& t, std::optional<tw::Color> background) {
                      if (background) {
                        t.setBackground(*background);
                      } else {
                        t.clearBackground();
                      }
                    }),
                    "The colour of the cells behind the text; None keeps theirs.")
      .def_property("justification", on<Text>(&Text::getJustification),
                    on<Text>(&Text::setJustification))
      .def_property("on_view", on<Text>(&Text::isOnView), on<Text>(&Text::setOnView));

  py::class_<tw::Button, tw::ViewObject, WrappedButton, Holder<tw::Button>> button(
      m, "Button", "A view object that the mouse highlights and clicks; define on_click().");
  p_button_type = reinterpret_cast<PyTypeObject*>(button.ptr());
  button
      .def("__init__", &makeObject<WrappedButton, tw::Button>,
           py::detail::is_new_style_constructor())
      .def("on_click", on<tw::Button>([](tw::Button& b) {
             // The Python class's own on_click is the one; super().on_click() does nothing.
             if (dynamic_cast<Overridable*>(&b) == nullptr) {
               b.onClick();
             }
           }))
      .def_property("highlight_color", on<tw::Button>(&tw::Button::getHighlightColor),
                    on<tw::Button>(&tw::Button::setHighlightColor))
      .def_property("default_color", on<tw::Button>(&tw::Button::getDefaultColor),
                    on<tw::Button>(&tw::Button::setDefaultColor))
      .def("is_mouse_over", on<tw::Button>([](const tw::Button& b, const tw::EventMouse& e) {
             return b.isMouseOver(&e);
           }),
           py::arg("event"));

  py::class_<tw::Pause, tw::Object, Wrapped<tw::Pause>, Holder<tw::Pause>>(
      m, "Pause",
      "Pauses the whole game on its key: the frame stops at the input that paused it until a key "
      "is pressed, and the window keeps showing the last frame.")
      .def("__init__", &makeObject<Wrapped<tw::Pause>, tw::Pause, tw::Keyboard::Key>,
           py::detail::is_new_style_constructor(), py::arg("key") = tw::Keyboard::RETURN)
      .def_property_readonly("pause_key", on<tw::Pause>(&tw::Pause::getPauseKey));
}

} // namespace twpy
