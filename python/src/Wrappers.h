#pragma once

#include "Callbacks.h"

#include "Button.h"
#include "Event.h"
#include "Manager.h"
#include "EventCollision.h"
#include "Object.h"
#include "ViewObject.h"

#include <pybind11/pybind11.h>

#include <string>
#include <vector>

namespace twpy {
namespace py = pybind11;

/// The Python values of the engine's events: copies, except that an event sent from Python
/// arrives as the very object sent. The Python event of a step is made once per step.
py::object toPython(const tw::Event* p_event);
/// The engine's event inside a Python event; TypeError for anything else.
const tw::Event* fromPython(py::handle event);
/// An engine event type as Python sees it.
struct EventKind {
  const std::string* p_type; ///< its type string
  const char* constant;      ///< the module's name for the type string
  /// Whether the event is of the engine's class for its type.
  bool (*p_of_its_class)(const tw::Event* p_event);
  /// The Python value of the event, of the Python class for its type.
  py::object (*p_to_python)(const tw::Event* p_event);
};
/// The engine's event types, each with its Python class: everything else is made from this.
const std::vector<EventKind>& eventKinds();
/// Counts the Python events being delivered, so that toPython looks for them.
class Sending {
public:
  Sending();
  ~Sending();
  Sending(const Sending&) = delete;
  Sending& operator=(const Sending&) = delete;
};

/// The object a Python argument names: ReferenceError once the world deleted it, TypeError
/// for anything but an Object; null for None when none_ok.
tw::Object* objectArg(py::handle object, bool none_ok = false);
/// The engine object of a Python object of type or a class derived from it: TypeError for
/// others, ReferenceError once the world deleted it.
tw::Object* liveObject(py::handle object, PyTypeObject* type);
/// The engine object of a Python Object, or null once the world deleted it.
tw::Object* objectOrNull(py::handle object);

/// The Python class bound to T.
template <class T> PyTypeObject* pythonType() {
  static PyTypeObject* p_type = py::detail::get_type_info(typeid(T))->type;
  return p_type;
}

/// A method of T bound so that self is checked: on a deleted object it raises ReferenceError.
/// Takes a member function or a callable whose first parameter is T& or const T&.
template <class T, class R, class C, class... A> auto on(R (C::*f)(A...)) {
  return [f](py::handle self, A... a) -> R {
    return (static_cast<T*>(liveObject(self, pythonType<T>()))->*f)(std::forward<A>(a)...);
  };
}
template <class T, class R, class C, class... A> auto on(R (C::*f)(A...) const) {
  return [f](py::handle self, A... a) -> R {
    return (static_cast<const T*>(liveObject(self, pythonType<T>()))->*f)(std::forward<A>(a)...);
  };
}
template <class T, class F, class R, class S, class... A>
auto onCallable(F f, R (F::*)(S&, A...) const) {
  return [f](py::handle self, A... a) -> R {
    return f(*static_cast<T*>(liveObject(self, pythonType<T>())), std::forward<A>(a)...);
  };
}
template <class T, class R, class S, class... A> auto on(R (*f)(S&, A...)) {
  return [f](py::handle self, A... a) -> R {
    return f(*static_cast<T*>(liveObject(self, pythonType<T>())), std::forward<A>(a)...);
  };
}
template <class T, class F> auto on(F f) {
  return onCallable<T>(f, &F::operator());
}

/// RuntimeError unless manager is started: call names the Python call that needs it.
void requireStarted(const tw::Manager& manager, const char* call);

/// The Python object of an engine object (made on first use, the same one after); None for null.
py::object toPython(tw::Object* p_o);
/// Turns every Python object of p_o into a dead reference: each use raises ReferenceError.
void invalidate(const tw::Object* p_o);

/// Names of the methods a Python class may override.
enum Method { EVENT_HANDLER = 0, DRAW, ON_CLICK, METHOD_COUNT };

/// The Python side of an object made from Python: a strong reference to its Python object,
/// so that the object lives while the world holds it, and the Python overrides, looked up
/// once when it is made.
class PythonSide {
public:
  PythonSide() = default;
  PythonSide(const PythonSide&) = delete;
  PythonSide& operator=(const PythonSide&) = delete;
  /// Keeps self and looks up its class's overrides of the methods of base.
  void attach(PyObject* self, PyTypeObject* base);
  /// Kills the Python object's reference to the engine object and lets it go.
  void release(const tw::Object* p_o);
  /// The override of a method, or null.
  PyObject* override(Method method) const { return p_override[method]; }
  PyObject* self() const { return p_self; }

private:
  PyObject* p_self = nullptr;
  PyObject* p_override[METHOD_COUNT] = {};
};

/// What an object made from Python offers the bindings: its Python side, and the engine's own
/// handler and draw without the Python override, for super().event_handler() and super().draw().
class Overridable {
public:
  virtual ~Overridable();
  virtual int baseEventHandler(const tw::Event* p_event) = 0;
  virtual void baseDraw() = 0;
  PythonSide python;
};

/// The attribute name of the class of self when it is not base's (a Python override), else a
/// null object.
py::object overrideOf(PyObject* self, PyTypeObject* base, const char* name);

/// Calls the Python event handler fn of self with the event as a Python value: its result, an
/// int, a bool or None (0); 0 after an exception, which Callbacks takes.
int callHandler(PyObject* fn, PyObject* self, const tw::Event* p_event);
/// Calls fn(self) for its effect, as callHandler does.
void callMethod(PyObject* fn, PyObject* self);

/// An engine class made from Python: its virtual methods call the Python overrides.
template <class Base> class Wrapped : public Base, public Overridable {
public:
  using Base::Base;
  ~Wrapped() override { python.release(this); }
  int eventHandler(const tw::Event* p_event) override {
    PyObject* fn = python.override(EVENT_HANDLER);
    return fn != nullptr ? callHandler(fn, python.self(), p_event) : Base::eventHandler(p_event);
  }
  void draw() override {
    PyObject* fn = python.override(DRAW);
    fn != nullptr ? callMethod(fn, python.self()) : Base::draw();
  }
  int baseEventHandler(const tw::Event* p_event) override { return Base::eventHandler(p_event); }
  void baseDraw() override { Base::draw(); }
};

/// A collision event as Python holds it: the objects' Python objects, which die with them.
class CollisionValue : public tw::EventCollision {
public:
  CollisionValue(tw::Vector position, py::object object_1, py::object object_2);
  py::object object1;
  py::object object2;
};

/// The Python classes of tw::Object, tw::Button and tw::Event, set when the module is made.
extern PyTypeObject* p_object_type;
extern PyTypeObject* p_button_type;
extern PyTypeObject* p_event_type;

/// A button made from Python, whose on_click is Python's.
class WrappedButton : public Wrapped<tw::Button> {
public:
  void onClick() override;
};

} // namespace twpy
