#pragma once

namespace tw {

/// A position, direction or velocity in character cells: x to the right, y downwards.
class Vector {
public:
  /// The zero vector (0, 0).
  Vector() = default;
  /// The vector (init_x, init_y).
  Vector(float init_x, float init_y) : x(init_x), y(init_y) {}

  /// Horizontal component, to the right.
  float getX() const { return x; }
  /// Vertical component, downwards.
  float getY() const { return y; }
  /// Sets the horizontal component.
  void setX(float new_x) { x = new_x; }
  /// Sets the vertical component.
  void setY(float new_y) { y = new_y; }
  /// Sets both components.
  void setXY(float new_x, float new_y);

  /// Square root of x*x + y*y; the sum in single precision, the root in double.
  float getMagnitude() const;
  /// Divides both components by the magnitude when it is positive; a zero vector stays zero.
  void normalize();
  /// Multiplies both components by s.
  void scale(float s);

  /// Component-wise sum.
  Vector operator+(const Vector& other) const;
  /// Component-wise difference.
  Vector operator-(const Vector& other) const;
  /// Both components times s.
  Vector operator*(float s) const;
  /// True when both components are exactly equal.
  bool operator==(const Vector& other) const;
  /// True when a component differs.
  bool operator!=(const Vector& other) const;

private:
  float x = 0.0f;
  float y = 0.0f;
};

} // namespace tw
