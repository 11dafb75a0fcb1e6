#include "Wrappers.h"

#include "EventKeyboard.h"
#include "EventMouse.h"
#include "EventOut.h"
#include "EventPath.h"
#include "EventStep.h"
#include "EventView.h"

#include <vector>

namespace twpy {

PyTypeObject* p_object_type = nullptr;
PyTypeObject* p_button_type = nullptr;
PyTypeObject* p_event_type = nullptr;

namespace {
int sending = 0;
// The Python event of the last step sent, handed to every handler of that step. Never freed:
// it may outlive the interpreter.
PyObject* p_step_event = nullptr;
int step_event_count = -1;

const char* const METHOD_NAMES[METHOD_COUNT] = {"event_handler", "draw", "on_click"};

/// The Python objects registered for the address p whose class is type or derives from it.
std::vector<py::detail::instance*> instancesOf(const void* p, PyTypeObject* type) {
  std::vector<py::detail::instance*> found;
  auto range = py::detail::get_internals().registered_instances.equal_range(p);
  for (auto it = range.first; it != range.second; ++it) {
    if (PyObject_TypeCheck(reinterpret_cast<PyObject*>(it->second), type)) {
      found.push_back(it->second);
    }
  }
  return found;
}

template <class E> bool isA(const tw::Event* p_event) {
  return dynamic_cast<const E*>(p_event) != nullptr;
}

template <class E> py::object copyOf(const tw::Event* p_event) {
  return py::cast(E(*static_cast<const E*>(p_event)));
}

py::object plainCopyOf(const tw::Event* p_event) {
  tw::Event copy;
  copy.setType(p_event->getType());
  return py::cast(std::move(copy));
}

py::object stepOf(const tw::Event* p_event) {
  const auto& step = *static_cast<const tw::EventStep*>(p_event);
  if (p_step_event == nullptr || step_event_count != step.getStepCount()) {
    Py_XDECREF(p_step_event);
    p_step_event = py::cast(tw::EventStep(step)).release().ptr();
    step_event_count = step.getStepCount();
  }
  return py::reinterpret_borrow<py::object>(p_step_event);
}

py::object collisionOf(const tw::Event* p_event) {
  const auto& collision = *static_cast<const tw::EventCollision*>(p_event);
  return py::cast(CollisionValue(collision.getPosition(), toPython(collision.getObject1()),
                                 toPython(collision.getObject2())));
}

/// The kind of the event's type; null for a type of the game's own.
const EventKind* kindOf(const tw::Event* p_event) {
  for (const EventKind& kind : eventKinds()) {
    if (p_event->isType(*kind.p_type)) {
      return &kind;
    }
  }
  return nullptr;
}

/// The engine's handlers take an event of an engine type for that type's class.
bool ofItsTypesClass(const tw::Event* p_event) {
  const EventKind* p_kind = kindOf(p_event);
  return p_kind == nullptr || p_kind->p_of_its_class(p_event);
}

[[noreturn]] void raise(PyObject* type, const char* message) {
  PyErr_SetString(type, message);
  throw py::error_already_set();
}
} // namespace

const std::vector<EventKind>& eventKinds() {
  static const std::vector<EventKind> kinds = {
      {&tw::UNDEFINED_EVENT, "UNDEFINED_EVENT", isA<tw::Event>, plainCopyOf},
      {&tw::STEP_EVENT, "STEP_EVENT", isA<tw::EventStep>, stepOf},
      {&tw::COLLISION_EVENT, "COLLISION_EVENT", isA<tw::EventCollision>, collisionOf},
      {&tw::OUT_EVENT, "OUT_EVENT", isA<tw::EventOut>, copyOf<tw::EventOut>},
      {&tw::KEYBOARD_EVENT, "KEYBOARD_EVENT", isA<tw::EventKeyboard>, copyOf<tw::EventKeyboard>},
      {&tw::MOUSE_EVENT, "MOUSE_EVENT", isA<tw::EventMouse>, copyOf<tw::EventMouse>},
      {&tw::VIEW_EVENT, "VIEW_EVENT", isA<tw::EventView>, copyOf<tw::EventView>},
      {&tw::PATH_EVENT, "PATH_EVENT", isA<tw::EventPath>, copyOf<tw::EventPath>},
  };
  return kinds;
}

Sending::Sending() {
  sending++;
}

Sending::~Sending() {
  sending--;
}

Overridable::~Overridable() = default;

CollisionValue::CollisionValue(tw::Vector position, py::object object_1, py::object object_2)
    : tw::EventCollision(position, objectArg(object_1), objectArg(object_2)),
      object1(std::move(object_1)), object2(std::move(object_2)) {}

void invalidate(const tw::Object* p_o) {
  if (!Py_IsInitialized() || p_object_type == nullptr) {
    return;
  }
  const std::vector<py::detail::instance*> found = instancesOf(p_o, p_object_type);
  if (found.empty()) {
    return;
  }
  auto& registered = py::detail::get_internals().registered_instances;
  for (py::detail::instance* p_inst : found) {
    for (auto it = registered.find(p_o); it != registered.end() && it->first == p_o; ++it) {
      if (it->second == p_inst) {
        registered.erase(it);
        break;
      }
    }
    // A null value is skipped at deallocation; liveObject() refuses it (pybind11's own casts
    // would take it for an object not made yet and allocate one).
    for (py::detail::value_and_holder v_h : py::detail::values_and_holders(p_inst)) {
      v_h.value_ptr() = nullptr;
      v_h.set_instance_registered(false);
    }
  }
}

void requireStarted(const tw::Manager& manager, const char* call) {
  if (!manager.isStarted()) {
    PyErr_Format(PyExc_RuntimeError,
                 "%s needs a started engine, and the %s is not started: call "
                 "game_manager.start_up() first and go on only when it returns 0 (the log "
                 "says why it did not)",
                 call, manager.getType().c_str());
    throw py::error_already_set();
  }
}

tw::Object* liveObject(py::handle object, PyTypeObject* type) {
  if (!PyObject_TypeCheck(object.ptr(), type)) {
    PyErr_Format(PyExc_TypeError, "expected a %s, not %s", type->tp_name,
                 Py_TYPE(object.ptr())->tp_name);
    throw py::error_already_set();
  }
  tw::Object* p_o = objectOrNull(object);
  if (p_o == nullptr) {
    raise(PyExc_ReferenceError, "the world has deleted this object");
  }
  return p_o;
}

tw::Object* objectOrNull(py::handle object) {
  auto* p_inst = reinterpret_cast<py::detail::instance*>(object.ptr());
  void* p_value = p_inst->simple_layout ? p_inst->simple_value_holder[0]
                                        : p_inst->nonsimple.values_and_holders[0];
  // Every class bound derives from tw::Object alone, so every value points at it.
  return static_cast<tw::Object*>(p_value);
}

tw::Object* objectArg(py::handle object, bool none_ok) {
  if (none_ok && object.is_none()) {
    return nullptr;
  }
  return liveObject(object, p_object_type);
}

py::object toPython(tw::Object* p_o) {
  if (p_o == nullptr) {
    return py::none();
  }
  if (auto* p_made = dynamic_cast<Overridable*>(p_o)) {
    return py::reinterpret_borrow<py::object>(p_made->python.self());
  }
  return py::cast(p_o, py::return_value_policy::reference);
}

py::object overrideOf(PyObject* self, PyTypeObject* base, const char* name) {
  py::object mine = py::getattr(reinterpret_cast<PyObject*>(Py_TYPE(self)), name, py::none());
  if (mine.is_none() || mine.is(py::getattr(reinterpret_cast<PyObject*>(base), name, py::none()))) {
    return py::object();
  }
  return mine;
}

void PythonSide::attach(PyObject* self, PyTypeObject* base) {
  Py_INCREF(self);
  p_self = self;
  for (int m = 0; m < METHOD_COUNT; m++) {
    p_override[m] = overrideOf(self, base, METHOD_NAMES[m]).release().ptr();
  }
}

void PythonSide::release(const tw::Object* p_o) {
  if (!Py_IsInitialized() || p_self == nullptr) {
    return;
  }
  invalidate(p_o);
  for (PyObject*& p_fn : p_override) {
    Py_CLEAR(p_fn);
  }
  Py_CLEAR(p_self);
}

int callHandler(PyObject* fn, PyObject* self, const tw::Event* p_event) {
  // The handler may have the world delete the object: self is held, and nothing touches the
  // object after the call.
  py::object held = py::reinterpret_borrow<py::object>(self);
  py::object held_fn = py::reinterpret_borrow<py::object>(fn);
  try {
    py::object event = toPython(p_event);
    PyObject* result = callBack(fn, self, event.ptr());
    if (result == nullptr) {
      return 0;
    }
    py::object owned = py::reinterpret_steal<py::object>(result);
    if (result == Py_None) {
      return 0;
    }
    if (PyLong_Check(result)) {
      int overflow = 0;
      const long value = PyLong_AsLongAndOverflow(result, &overflow);
      if (overflow == 0 && !(value == -1 && PyErr_Occurred())) {
        return static_cast<int>(value != 0);
      }
      PyErr_Clear();
      PyErr_Format(PyExc_OverflowError,
                   "event_handler returned %R, too large for an int: return "
                   "1 when it handled the event, 0 or None when not",
                   result);
    } else {
      PyErr_Format(PyExc_TypeError, "event_handler must return an int, a bool or None, not %s",
                   Py_TYPE(result)->tp_name);
    }
  } catch (py::error_already_set& e) {
    e.restore();
  } catch (const std::exception& e) {
    PyErr_SetString(PyExc_RuntimeError, e.what());
  }
  Callbacks::failed(fn);
  return 0;
}

void callMethod(PyObject* fn, PyObject* self) {
  py::object held = py::reinterpret_borrow<py::object>(self);
  py::object held_fn = py::reinterpret_borrow<py::object>(fn);
  Py_XDECREF(callBack(fn, self, nullptr));
}

void WrappedButton::onClick() {
  if (PyObject* fn = python.override(ON_CLICK)) {
    callMethod(fn, python.self());
  }
}

py::object toPython(const tw::Event* p_event) {
  if (sending > 0) {
    const std::vector<py::detail::instance*> sent = instancesOf(p_event, p_event_type);
    if (!sent.empty()) {
      return py::reinterpret_borrow<py::object>(reinterpret_cast<PyObject*>(sent.front()));
    }
  }
  const EventKind* p_kind = kindOf(p_event);
  return p_kind != nullptr ? p_kind->p_to_python(p_event) : plainCopyOf(p_event);
}

const tw::Event* fromPython(py::handle event) {
  if (!PyObject_TypeCheck(event.ptr(), p_event_type)) {
    raise(PyExc_TypeError, "expected a tarnwick.Event");
  }
  const auto* p_event = event.cast<const tw::Event*>();
  if (!ofItsTypesClass(p_event)) {
    PyErr_Format(PyExc_ValueError, "an event of type '%s' must be of its own class",
                 p_event->getType().c_str());
    throw py::error_already_set();
  }
  if (const auto* p_collision = dynamic_cast<const CollisionValue*>(p_event)) {
    objectArg(p_collision->object1), objectArg(p_collision->object2);
  }
  return p_event;
}

} // namespace twpy
