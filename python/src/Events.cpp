#include "Bindings.h"

#include "EventKeyboard.h"
#include "EventMouse.h"
#include "EventOut.h"
#include "EventPath.h"
#include "EventStep.h"
#include "EventView.h"
#include "InputManager.h"
#include "PathFind.h"
#include "Wrappers.h"

#include <pybind11/stl.h>

namespace twpy {

void bindEvents(py::module_& m) {
  for (const EventKind& kind : eventKinds()) {
    m.attr(kind.constant) = *kind.p_type;
  }

  py::class_<tw::Event> event(m, "Event",
                              "An event: a value told apart by its type string. Derive from "
                              "it for events of your own, sent with Manager.on_event().");
  event
      .def(py::init([](std::string type) {
             tw::Event e;
             e.setType(std::move(type));
             return e;
           }),
           py::arg("type") = tw::UNDEFINED_EVENT)
      .def_property_readonly("type", &tw::Event::getType)
      .def("is_type", &tw::Event::isType, py::arg("type"));
  p_event_type = reinterpret_cast<PyTypeObject*>(event.ptr());

  py::class_<tw::EventStep, tw::Event>(m, "EventStep", "Sent once a frame.")
      .def(py::init<int>(), py::arg("step_count"))
      .def_property_readonly("step_count", &tw::EventStep::getStepCount);

  py::class_<tw::EventKeyboard, tw::Event>(m, "EventKeyboard", "A key pressed, released or held.")
      .def(py::init([](tw::Keyboard::Key key, tw::Keyboard::Action action) {
             tw::EventKeyboard e;
             e.setKey(key), e.setKeyboardAction(action);
             return e;
           }),
           py::arg("key"), py::arg("action"))
      .def_property_readonly(
          "key",
          [](const tw::EventKeyboard& e) { return static_cast<tw::Keyboard::Key>(e.getKey()); })
      .def_property_readonly("action", [](const tw::EventKeyboard& e) {
        return static_cast<tw::Keyboard::Action>(e.getKeyboardAction());
      });

  py::class_<tw::EventMouse, tw::Event>(m, "EventMouse",
                                        "A mouse move, click or held button, in cells.")
      .def(py::init([](tw::Mouse::Action action, tw::Mouse::Button button, tw::Vector position) {
             tw::EventMouse e;
             e.setMouseAction(action), e.setMouseButton(button), e.setMousePosition(position);
             return e;
           }),
           py::arg("action"), py::arg("button"), py::arg("position"))
      .def_property_readonly("action",
                             [](const tw::EventMouse& e) {
                               return static_cast<tw::Mouse::Action>(e.getMouseAction());
                             })
      .def_property_readonly("button",
                             [](const tw::EventMouse& e) {
                               return static_cast<tw::Mouse::Button>(e.getMouseButton());
                             })
      .def_property_readonly("position", &tw::EventMouse::getMousePosition);

  py::class_<tw::EventCollision, tw::Event>(m, "_EngineCollision");
  py::class_<CollisionValue, tw::EventCollision>(
      m, "EventCollision",
      "Two objects met: object1 moved to position, where object2 is. A kept event's objects "
      "raise ReferenceError once the world has deleted them.")
      .def(py::init<tw::Vector, py::object, py::object>(), py::arg("position"), py::arg("object1"),
           py::arg("object2"))
      .def_property_readonly("position", &CollisionValue::getPosition)
      .def_readonly("object1", &CollisionValue::object1)
      .def_readonly("object2", &CollisionValue::object2);

  py::class_<tw::EventOut, tw::Event>(m, "EventOut", "The object has left the world's boundary.")
      .def(py::init<>());

  py::class_<tw::EventView, tw::Event>(
      m, "EventView",
      "Changes the value of the view objects labelled tag: adds value when delta, else sets it.")
      .def(py::init<std::string, int, bool>(), py::arg("tag"), py::arg("value"), py::arg("delta"))
      .def_property_readonly("tag", &tw::EventView::getTag)
      .def_property_readonly("value", &tw::EventView::getValue)
      .def_property_readonly("delta", &tw::EventView::getDelta);

  py::class_<tw::EventPath, tw::Event>(m, "EventPath", "The result of a path search.")
      .def(py::init([](tw::PathStatus status, tw::Path path) {
             tw::EventPath e;
             e.setStatus(status), e.setPath(std::move(path));
             return e;
           }),
           py::arg("status"), py::arg("path"))
      .def_property_readonly(
          "status",
          [](const tw::EventPath& e) { return static_cast<tw::PathStatus>(e.getStatus()); })
      .def_property_readonly("path", &tw::EventPath::getPath);
}

} // namespace twpy
