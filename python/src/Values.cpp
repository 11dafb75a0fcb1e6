#include "Bindings.h"

#include "Box.h"
#include "Color.h"
#include "Frame.h"
#include "GraphicsManager.h"
#include "InputManager.h"
#include "Object.h"
#include "Path.h"
#include "PathFind.h"
#include "Shape.h"
#include "Vector.h"
#include "ViewObject.h"
#include "WorldManager.h"
#include "Wrappers.h"
#include "utility.h"

#include <pybind11/operators.h>
#include <pybind11/stl.h>

#include <cstdio>

namespace twpy {

namespace {
std::string floatText(float f) {
  return py::repr(py::float_(f)).cast<std::string>();
}
} // namespace

void bindValues(py::module_& m) {
  py::class_<tw::Vector>(m, "Vector",
                         "A position, direction or velocity in cells: x to the "
                         "right, y downwards. A tuple (x, y) does wherever a "
                         "Vector is asked for.")
      .def(py::init<>())
      .def(py::init<float, float>(), py::arg("x"), py::arg("y"))
      .def(py::init([](const py::tuple& t) {
             if (t.size() != 2) {
               throw py::value_error("a Vector is made from a tuple of two numbers");
             }
             return tw::Vector(t[0].cast<float>(), t[1].cast<float>());
           }),
           py::arg("xy"))
      .def_property("x", &tw::Vector::getX, &tw::Vector::setX)
      .def_property("y", &tw::Vector::getY, &tw::Vector::setY)
      .def_property_readonly("magnitude", &tw::Vector::getMagnitude)
      .def("normalize", &tw::Vector::normalize)
      .def("scale", &tw::Vector::scale, py::arg("s"))
      .def(py::self + py::self)
      .def(py::self - py::self)
      .def(py::self * float())
      .def(
          "__rmul__", [](const tw::Vector& v, float s) { return v * s; }, py::is_operator())
      .def(py::self == py::self)
      .def(py::self != py::self)
      .def("__iter__",
           [](const tw::Vector& v) { return py::iter(py::make_tuple(v.getX(), v.getY())); })
      .def("__repr__", [](const tw::Vector& v) {
        return "Vector(" + floatText(v.getX()) + ", " + floatText(v.getY()) + ")";
      });
  py::implicitly_convertible<py::tuple, tw::Vector>();

  py::class_<tw::Box>(m, "Box",
                      "An axis-aligned rectangle in cells: the top-left corner and "
                      "the extents; its tests include the edges.")
      .def(py::init<>())
      .def(py::init<tw::Vector, float, float>(), py::arg("corner"), py::arg("horizontal"),
           py::arg("vertical"))
      .def_property("corner", &tw::Box::getCorner, &tw::Box::setCorner)
      .def_property("horizontal", &tw::Box::getHorizontal, &tw::Box::setHorizontal)
      .def_property("vertical", &tw::Box::getVertical, &tw::Box::setVertical)
      .def(py::self == py::self)
      .def("__repr__", [](const tw::Box& b) {
        return "Box(Vector(" + floatText(b.getCorner().getX()) + ", " +
               floatText(b.getCorner().getY()) + "), " + floatText(b.getHorizontal()) + ", " +
               floatText(b.getVertical()) + ")";
      });
  m.def("box_intersects_box", &tw::boxIntersectsBox, py::arg("a"), py::arg("b"));
  m.def("box_contains_position", &tw::boxContainsPosition, py::arg("box"), py::arg("position"));

  py::enum_<tw::Color> color(m, "Color",
                             "The nine named colours, and any 24-bit colour made by Color.rgb.");
  color.value("BLACK", tw::BLACK)
      .value("RED", tw::RED)
      .value("GREEN", tw::GREEN)
      .value("YELLOW", tw::YELLOW)
      .value("BLUE", tw::BLUE)
      .value("MAGENTA", tw::MAGENTA)
      .value("CYAN", tw::CYAN)
      .value("WHITE", tw::WHITE)
      .value("CUSTOM", tw::CUSTOM)
      .def_static(
          "rgb",
          [](int red, int green, int blue) {
            for (const int channel : {red, green, blue}) {
              if (channel < 0 || channel > 255) {
                throw py::value_error("a colour's channels are 0 to 255");
              }
            }
            return tw::rgb(static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                           static_cast<std::uint8_t>(blue));
          },
          py::arg("red"), py::arg("green"), py::arg("blue"))
      .def_static(
          "from_text",
          [](const std::string& text) {
            tw::Color color = tw::WHITE;
            if (!tw::colorFromText(text, color)) {
              throw py::value_error("not a colour: '" + text + "' (a name, or #rrggbb)");
            }
            return color;
          },
          py::arg("text"), "A colour from its name (\"red\") or from \"#rrggbb\".")
      .def_property_readonly(
          "rgb_channels",
          [](tw::Color c) {
            std::uint8_t red = 255, green = 255, blue = 255;
            tw::colorToRGB(c, red, green, blue);
            return py::make_tuple(red, green, blue);
          },
          "(red, green, blue) as characters are drawn in it.");
  // The enum's own texts know only the named values.
  const py::object enum_str = color.attr("__str__");
  const auto rgbText = [](tw::Color c) {
    std::uint8_t red = 0, green = 0, blue = 0;
    tw::colorToRGB(c, red, green, blue);
    return "Color.rgb(" + std::to_string(red) + ", " + std::to_string(green) + ", " +
           std::to_string(blue) + ")";
  };
  color.attr("__str__") = py::cpp_function(
      [enum_str, rgbText](tw::Color c) {
        return tw::isRGB(c) ? rgbText(c) : enum_str(c).cast<std::string>();
      },
      py::is_method(color));
  color.attr("__repr__") = py::cpp_function(
      [enum_str, rgbText](tw::Color c) {
        return tw::isRGB(c) ? rgbText(c)
                            : "<" + enum_str(c).cast<std::string>() + ": " +
                                  std::to_string(static_cast<int>(c)) + ">";
      },
      py::is_method(color));
  py::enum_<tw::ObjectAttribute>(m, "ObjectAttribute")
      .value("ID", tw::ATTR_ID)
      .value("ACTIVE", tw::ATTR_ACTIVE)
      .value("VISIBLE", tw::ATTR_VISIBLE)
      .value("EVENTS", tw::ATTR_EVENTS)
      .value("BOX", tw::ATTR_BOX)
      .value("POSITION", tw::ATTR_POSITION)
      .value("TYPE", tw::ATTR_TYPE)
      .value("SPRITE", tw::ATTR_SPRITE)
      .value("ALTITUDE", tw::ATTR_ALTITUDE)
      .value("SOLIDNESS", tw::ATTR_SOLIDNESS)
      .value("NO_SOFT", tw::ATTR_NO_SOFT)
      .value("SPEED", tw::ATTR_SPEED)
      .value("DIRECTION", tw::ATTR_DIRECTION)
      .value("ACCELERATION", tw::ATTR_ACCELERATION);
  py::enum_<tw::Solidness>(m, "Solidness")
      .value("HARD", tw::HARD)
      .value("SOFT", tw::SOFT)
      .value("SPECTRAL", tw::SPECTRAL);
  py::enum_<tw::Justification>(m, "Justification")
      .value("LEFT", tw::JUSTIFY_LEFT)
      .value("CENTER", tw::JUSTIFY_CENTER)
      .value("RIGHT", tw::JUSTIFY_RIGHT);
  py::enum_<tw::ViewObjectLocation>(m, "Location")
      .value("NONE", tw::LOCATION_NONE)
      .value("TOP_LEFT", tw::TOP_LEFT)
      .value("TOP_CENTER", tw::TOP_CENTER)
      .value("TOP_RIGHT", tw::TOP_RIGHT)
      .value("CENTER_LEFT", tw::CENTER_LEFT)
      .value("CENTER_CENTER", tw::CENTER_CENTER)
      .value("CENTER_RIGHT", tw::CENTER_RIGHT)
      .value("BOTTOM_LEFT", tw::BOTTOM_LEFT)
      .value("BOTTOM_CENTER", tw::BOTTOM_CENTER)
      .value("BOTTOM_RIGHT", tw::BOTTOM_RIGHT);
  py::enum_<tw::ShapeKind>(m, "ShapeKind")
      .value("NONE", tw::SHAPE_NONE)
      .value("CIRCLE", tw::CIRCLE)
      .value("SQUARE", tw::SQUARE)
      .value("TRIANGLE", tw::TRIANGLE);
  py::enum_<tw::PathStatus>(m, "PathStatus")
      .value("NOT_FOUND", tw::NOT_FOUND)
      .value("INCOMPLETE", tw::INCOMPLETE)
      .value("FOUND", tw::FOUND);
  py::enum_<tw::PathNeighbors>(m, "PathNeighbors")
      .value("FOUR", tw::NEIGHBORS_4)
      .value("EIGHT", tw::NEIGHBORS_8);
  py::enum_<tw::Keyboard::Action>(m, "KeyboardAction")
      .value("UNDEFINED", tw::Keyboard::UNDEFINED_KEYBOARD_ACTION)
      .value("KEY_PRESSED", tw::Keyboard::KEY_PRESSED)
      .value("KEY_RELEASED", tw::Keyboard::KEY_RELEASED)
      .value("KEY_DOWN", tw::Keyboard::KEY_DOWN);
  py::enum_<tw::Mouse::Action>(m, "MouseAction")
      .value("UNDEFINED", tw::Mouse::UNDEFINED_MOUSE_ACTION)
      .value("CLICKED", tw::Mouse::CLICKED)
      .value("PRESSED", tw::Mouse::PRESSED)
      .value("MOVED", tw::Mouse::MOVED);
  py::enum_<tw::Mouse::Button>(m, "MouseButton")
      .value("UNDEFINED", tw::Mouse::UNDEFINED_MOUSE_BUTTON)
      .value("LEFT", tw::Mouse::LEFT)
      .value("RIGHT", tw::Mouse::RIGHT)
      .value("MIDDLE", tw::Mouse::MIDDLE);
  py::enum_<tw::Keyboard::Key> key(m, "Key");
  key.value("UNDEFINED", tw::Keyboard::UNDEFINED_KEY);
  for (int k = 0; k < tw::Keyboard::KEY_COUNT; k++) {
    key.value(tw::Keyboard::KEY_NAMES[k], static_cast<tw::Keyboard::Key>(k));
  }

  m.attr("MIN_ALTITUDE") = tw::MIN_ALTITUDE;
  m.attr("MAX_ALTITUDE") = tw::MAX_ALTITUDE;
  m.attr("RANDOM_MAX") = tw::RANDOM_MAX;

  py::class_<tw::Frame>(m, "Frame",
                        "One picture of a sprite: width x height characters, row by row.")
      .def(py::init<>())
      .def(py::init<int, int, std::string>(), py::arg("width"), py::arg("height"), py::arg("text"))
      .def_property("width", &tw::Frame::getWidth, &tw::Frame::setWidth)
      .def_property("height", &tw::Frame::getHeight, &tw::Frame::setHeight)
      .def_property("text", &tw::Frame::getString, &tw::Frame::setString);

  py::class_<tw::Shape>(m, "Shape",
                        "A figure drawn at an object's position besides its "
                        "sprite; Object.shape is a copy, so assign it back.")
      .def(py::init<>())
      .def_property("color", &tw::Shape::getColor, &tw::Shape::setColor)
      .def_property(
          "kind", [](const tw::Shape& s) { return static_cast<tw::ShapeKind>(s.getKind()); },
          [](tw::Shape& s, tw::ShapeKind k) { s.setKind(k); })
      .def_property("size", &tw::Shape::getSize, &tw::Shape::setSize)
      .def_property("opacity", &tw::Shape::getOpacity, &tw::Shape::setOpacity)
      .def("set_rgb", &tw::Shape::setRGB, py::arg("red"), py::arg("green"), py::arg("blue"))
      .def_property_readonly("red", &tw::Shape::getRed)
      .def_property_readonly("green", &tw::Shape::getGreen)
      .def_property_readonly("blue", &tw::Shape::getBlue);

  py::class_<tw::Path>(m, "Path", "Cells to walk through, start first, and the next one's index.")
      .def(py::init<>())
      .def_readwrite("nodes", &tw::Path::nodes)
      .def_readwrite("index", &tw::Path::index);

  py::class_<tw::Cell>(m, "Cell",
                       "A character of the screen's grid, its colour and the cell's background.")
      .def_property_readonly("ch", [](const tw::Cell& c) { return std::string(1, c.ch); })
      .def_readonly("color", &tw::Cell::color)
      .def_readonly("background", &tw::Cell::background);

  m.def("match", &tw::match, py::arg("line"), py::arg("token"),
        "The value of token in a key:value line, or an empty string.");
  m.def("seed_random", &tw::seedRandom, py::arg("seed"));
  m.def("random_number", &tw::randomNumber, "The engine's next random number, 0 to RANDOM_MAX.");
  m.def(
      "get_world_box",
      [](py::handle o, std::optional<tw::Vector> where) {
        tw::Object* p_o = objectArg(o);
        return where ? tw::getWorldBox(p_o, *where) : tw::getWorldBox(p_o);
      },
      py::arg("obj"), py::arg("where") = py::none());
  m.def("world_to_view", &tw::worldToView, py::arg("world_position"));
  m.def("view_to_world", &tw::viewToWorld, py::arg("view_position"));
}

} // namespace twpy
