#include "Bindings.h"

#include "Clock.h"
#include "Config.h"
#include "GameManager.h"
#include "GraphicsManager.h"
#include "LogManager.h"
#include "PathManager.h"
#include "WorldManager.h"
#include "Wrappers.h"

#include <pybind11/stl.h>

#include <csignal>
#include <optional>
#include <variant>
#include <vector>

namespace twpy {

namespace {
/// The system clock, whose sleep lets other Python threads run.
class ReleasingClock : public tw::Clock {
public:
  void sleep(int ms) override {
    py::gil_scoped_release release;
    tw::Clock::sleep(ms);
  }
};

py::list toList(const tw::ObjectList& list) {
  py::list out;
  for (int i = 0; i < list.getCount(); i++) {
    out.append(toPython(list.at(i)));
  }
  return out;
}

/// Runs frames until game over, or one frame (paced or not); raises the first exception a
/// callback raised, and KeyboardInterrupt after Ctrl-C. False after the frame that ended the game.
bool run(bool one = false, bool paced = false) {
  tw::GameManager& game = tw::GameManager::getInstance();
  requireStarted(game, one ? "game_manager.run_frame()" : "game_manager.run()");
  ReleasingClock clock;
  // A clock set from C++ stays; the system clock is swapped for the one that releases the GIL.
  const bool own_clock = typeid(game.getClock()) == typeid(tw::Clock);
  if (own_clock) {
    game.setClock(&clock);
  }
  Callbacks::Scope scope;
  bool more = false;
  if (one) {
    more = game.runFrame(paced);
  } else {
    game.run();
  }
  if (own_clock) {
    game.setClock(nullptr);
  }
  scope.raise();
  if (game.getInterruptSignal() == SIGINT) {
    PyErr_SetNone(PyExc_KeyboardInterrupt);
    throw py::error_already_set();
  }
  return more;
}

int startUp() {
  tw::Config& config = tw::Config::getInstance();
  // The package's font stands in for one missing from the working directory.
  const std::string font = py::module_::import("tarnwick").attr("FONT_FILE").cast<std::string>();
  const bool stand_in =
      config.getFontFile() == "tw-font.ttf" &&
      !py::module_::import("os").attr("path").attr("exists")("tw-font.ttf").cast<bool>();
  if (stand_in) {
    config.setFontFile(font);
  }
  const int result = tw::GameManager::getInstance().startUp();
  if (stand_in && config.getFontFile() == font) {
    config.setFontFile("tw-font.ttf");
  }
  return result;
}

void shutDownAtExit() {
  tw::GameManager::getInstance().setFrameObserver(nullptr);
  if (tw::GameManager::getInstance().isStarted()) {
    tw::GameManager::getInstance().shutDown();
  }
  // Whatever the world still holds is deleted now, while Python can still let its objects go.
  tw::WorldManager::getInstance().shutDown();
  tw::WorldManager::getInstance().setDestroyObserver(nullptr);
}
} // namespace

void bindManagers(py::module_& m) {
  tw::WorldManager::getInstance().setDestroyObserver(&invalidate);
  py::module_::import("atexit").attr("register")(py::cpp_function(&shutDownAtExit));

  py::class_<tw::Manager, std::unique_ptr<tw::Manager, py::nodelete>>(m, "Manager")
      .def_property_readonly("type", &tw::Manager::getType)
      .def_property_readonly("started", &tw::Manager::isStarted)
      .def("is_valid", &tw::Manager::isValid, py::arg("event_type"))
      .def(
          "register_interest",
          [](tw::Manager& mgr, py::handle o, const std::string& type) {
            return mgr.registerInterest(objectArg(o), type);
          },
          py::arg("obj"), py::arg("event_type"))
      .def(
          "unregister_interest",
          [](tw::Manager& mgr, py::handle o, const std::string& type) {
            return mgr.unregisterInterest(objectArg(o), type);
          },
          py::arg("obj"), py::arg("event_type"))
      .def(
          "on_event",
          [](const tw::Manager& mgr, py::handle event) {
            const tw::Event* p_event = fromPython(event);
            Sending sending;
            return Callbacks::guard([&] { return mgr.onEvent(p_event); });
          },
          py::arg("event"), "Delivers the event to the objects interested in its type; how many.");

  using GM = tw::GameManager;
  py::class_<GM::FrameTimes>(m, "FrameTimes", "How one frame went, in microseconds.")
      .def_readonly("step", &GM::FrameTimes::step)
      .def_readonly("start", &GM::FrameTimes::start)
      .def_readonly("input", &GM::FrameTimes::input)
      .def_readonly("path", &GM::FrameTimes::path)
      .def_readonly("update", &GM::FrameTimes::update)
      .def_readonly("draw", &GM::FrameTimes::draw)
      .def_readonly("step_events", &GM::FrameTimes::step_events)
      .def_readonly("display", &GM::FrameTimes::display)
      .def_readonly("work", &GM::FrameTimes::work)
      .def_readonly("sleep", &GM::FrameTimes::sleep);
  py::class_<GM, tw::Manager, std::unique_ptr<GM, py::nodelete>>(
      m, "GameManager", "Starts and stops the engine and runs the game loop.")
      .def(
          "start_up", [](GM&) { return startUp(); },
          "Reads tw-config.txt and starts every manager; 0, or -1 (the log says why).")
      .def("shut_down", [](GM& g) { Callbacks::guard([&] { g.shutDown(); }); })
      .def(
          "run", [](GM&) { run(); },
          "Runs frames until game over; raises the first exception a callback raised, and "
          "KeyboardInterrupt after Ctrl-C.")
      .def(
          "run_frame", [](GM&, bool paced) { return run(true, paced); }, py::arg("paced") = false,
          "Runs one frame, for a main loop of the caller's own; paced, it also sleeps out the "
          "frame time. False after the frame that ended the game.")
      .def_property("game_over", &GM::getGameOver, &GM::setGameOver)
      .def_property("frame_time", &GM::getFrameTime, &GM::setFrameTime)
      .def_property_readonly("step_count", &GM::getStepCount)
      .def_property_readonly("interrupt_signal", &GM::getInterruptSignal)
      .def(
          "set_frame_observer",
          [](GM& g, py::object observer) {
            if (observer.is_none()) {
              g.setFrameObserver(nullptr);
              return;
            }
            g.setFrameObserver([fn = std::make_shared<py::object>(std::move(observer))](
                                   const GM::FrameTimes& times) {
              py::object value = py::cast(times);
              PyObject* args[] = {value.ptr()};
              Py_XDECREF(PyObject_Vectorcall(fn->ptr(), args, 1, nullptr));
              if (PyErr_Occurred()) {
                Callbacks::failed(*fn);
              }
            });
          },
          py::arg("observer"), "Calls observer(FrameTimes) after every frame; None stops it.");
  m.attr("game_manager") = py::cast(&GM::getInstance(), py::return_value_policy::reference);

  using WM = tw::WorldManager;
  py::class_<WM, tw::Manager, std::unique_ptr<WM, py::nodelete>>(
      m, "WorldManager", "Owns every object: moves them, sends their collisions, draws them.")
      .def(
          "mark_for_delete", [](WM& w, py::handle o) { return w.markForDelete(objectArg(o)); },
          py::arg("obj"), "Deletes the object at the end of the update.")
      .def("update",
           [](WM& w) {
             requireStarted(w, "world_manager.update()");
             Callbacks::guard([&] { w.update(); });
           })
      .def("draw",
           [](WM& w) {
             requireStarted(w, "world_manager.draw()");
             Callbacks::guard([&] { w.draw(); });
           })
      .def(
          "move_object",
          [](WM& w, py::handle o, tw::Vector where) {
            tw::Object* p_o = objectArg(o);
            return Callbacks::guard([&] { return w.moveObject(p_o, where); });
          },
          py::arg("obj"), py::arg("where"))
      .def(
          "get_collisions",
          [](const WM& w, py::handle o, tw::Vector where) {
            return toList(w.getCollisions(objectArg(o), where));
          },
          py::arg("obj"), py::arg("where"))
      .def(
          "get_all_objects",
          [](const WM& w, bool inactive) { return toList(w.getAllObjects(inactive)); },
          py::arg("include_inactive") = false)
      .def(
          "objects_of_type",
          [](const WM& w, const std::string& type) { return toList(w.objectsOfType(type)); },
          py::arg("type"))
      .def("set_collision_grid", &WM::setCollisionGrid, py::arg("use_grid"),
           py::arg("min_solid") = WM::GRID_MIN_SOLID)
      .def_property_readonly("uses_collision_grid", &WM::usesCollisionGrid)
      .def_property("boundary", &WM::getBoundary, &WM::setBoundary)
      .def_property("view", &WM::getView, &WM::setView)
      .def_property("view_slack", &WM::getViewSlack, &WM::setViewSlack)
      .def("set_view_position", &WM::setViewPosition, py::arg("view_position"))
      .def_property(
          "view_following", [](const WM& w) { return toPython(w.getViewFollowing()); },
          [](WM& w, py::handle o) { w.setViewFollowing(objectArg(o, true)); });
  m.attr("world_manager") = py::cast(&WM::getInstance(), py::return_value_policy::reference);

  using GR = tw::GraphicsManager;
  py::class_<GR, tw::Manager, std::unique_ptr<GR, py::nodelete>>(
      m, "GraphicsManager", "Draws characters on the screen's grid of cells.")
      .def(
          "draw_character",
          [](GR& g, tw::Vector pos, const std::string& ch, tw::Color color,
             std::optional<tw::Color> background) {
            if (ch.size() != 1) {
              throw py::value_error("draw_character draws one character");
            }
            return background ? g.drawCharacter(ch[0], color, *background, pos)
                              : g.drawCharacter(ch[0], color, pos);
          },
          py::arg("position"), py::arg("ch"), py::arg("color") = tw::WHITE,
          py::arg("background") = py::none(),
          "Without a background, the character keeps the one its cell has this frame.")
      .def(
          "draw_string",
          [](GR& g, tw::Vector pos, const std::string& text, tw::Justification j, tw::Color c,
             std::optional<tw::Color> background) {
            return background ? g.drawString(pos, text, j, c, *background)
                              : g.drawString(pos, text, j, c);
          },
          py::arg("position"), py::arg("text"), py::arg("justification") = tw::JUSTIFY_LEFT,
          py::arg("color") = tw::WHITE, py::arg("background") = py::none())
      .def("fill_rectangle", &GR::fillRectangle, py::arg("box"), py::arg("background"),
           "Gives the box's cells a background colour, keeping their characters.")
      .def(
          "draw_frame",
          [](GR& g, tw::Vector pos, const tw::Frame& frame, bool centered, tw::Color color,
             const std::string& transparent) {
            return g.drawFrame(centered, color, transparent.empty() ? '\0' : transparent[0], pos,
                               frame);
          },
          py::arg("position"), py::arg("frame"), py::arg("centered") = true,
          py::arg("color") = tw::WHITE, py::arg("transparent") = "")
      .def_property_readonly("horizontal_chars", &GR::getHorizontalChars)
      .def_property_readonly("vertical_chars", &GR::getVerticalChars)
      .def_property_readonly("horizontal_pixels", &GR::getHorizontalPixels)
      .def_property_readonly("vertical_pixels", &GR::getVerticalPixels)
      .def("cell_at", &GR::cellAt, py::arg("x"), py::arg("y"))
      .def("shown_cell_at", &GR::shownCellAt, py::arg("x"), py::arg("y"),
           "The cell as last shown in the window.")
      .def("row_text", &GR::rowText, py::arg("y"), py::arg("shown") = false)
      .def_property("damage_tracking", &GR::isDamageTracking, &GR::setDamageTracking)
      .def("mark_all_damaged", &GR::markAllDamaged)
      .def("refresh", &GR::refresh)
      .def("request_screenshot", &GR::requestScreenshot)
      .def("toggle_overlay", &GR::toggleOverlay)
      .def_property_readonly("overlay_shown", &GR::isOverlayShown);
  m.attr("graphics_manager") = py::cast(&GR::getInstance(), py::return_value_policy::reference);

  using LM = tw::LogManager;
  py::class_<LM, tw::Manager, std::unique_ptr<LM, py::nodelete>>(m, "LogManager",
                                                                 "Writes the log file.")
      .def(
          "write_log",
          [](const LM& l, const std::string& text, int level) {
            return l.writeLog(level, "%s", text.c_str());
          },
          py::arg("text"), py::arg("level") = 0,
          "Writes a line when level is at most the log level.")
      .def_property("log_level", &LM::getLogLevel, &LM::setLogLevel)
      .def("set_flush", &LM::setFlush, py::arg("flush"),
           "Flushes the file after every line, or not.")
      .def("set_log_time_string", &LM::setLogTimeString, py::arg("on"))
      .def("set_log_step_count", &LM::setLogStepCount, py::arg("on"))
      .def("flush", &LM::flush);
  m.attr("log_manager") = py::cast(&LM::getInstance(), py::return_value_policy::reference);

  using PM = tw::PathManager;
  py::class_<PM, tw::Manager, std::unique_ptr<PM, py::nodelete>>(
      m, "PathManager", "Finds paths around HARD objects, a few steps a frame.")
      .def(
          "find_path",
          [](PM& p, py::handle o, tw::Vector goal, tw::PathNeighbors neighbors) {
            return p.findPath(objectArg(o), goal, neighbors);
          },
          py::arg("obj"), py::arg("goal"), py::arg("neighbors") = tw::NEIGHBORS_8,
          "Starts a search to the goal's cell, entered whatever stands there; the object gets "
          "an EventPath when it ends.")
      .def_property_readonly("finder_count", &PM::getFinderCount)
      .def_property_readonly("max_cycle_time", &PM::getMaxCycleTime);
  m.attr("path_manager") = py::cast(&PM::getInstance(), py::return_value_policy::reference);

  py::class_<tw::Config, std::unique_ptr<tw::Config, py::nodelete>> config(
      m, "Config", "The engine's settings, read from tw-config.txt by start_up() over these.");
  config.def("reset", &tw::Config::reset);
  for (const tw::Config::Setting& s : tw::Config::settings()) {
    std::visit(
        [&](const auto& f) {
          using T = decltype(f.initial);
          config.def_property(
              s.key, [p = f.p_member](const tw::Config& c) { return c.*p; },
              [p = f.p_member](tw::Config& c, const T& value) { c.*p = value; });
        },
        s.field);
  }
  m.attr("config") = py::cast(&tw::Config::getInstance(), py::return_value_policy::reference);
}

} // namespace twpy
