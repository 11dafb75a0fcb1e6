#pragma once

namespace tw {

/// A position, direction or velocity in character cells: x to the right, y downwards.
class Vector {
public:
  Vector() = default;
  Vector(float init_x, float init_y) : x(init_x), y(init_y) {}

  float getX() const { return x; }
  float getY() const { return y; }
  void setX(float new_x) { x = new_x; }
  void setY(float new_y) { y = new_y; }
  void setXY(float new_x, float new_y);

  /// Square root of x*x + y*y; the sum in single precision, the root in double.
  float getMagnitude() const;
  /// Divides both components by the magnitude when it is positive; a zero vector stays zero.
  void normalize();
  void scale(float s);

  Vector operator+(const Vector& other) const;
  Vector operator-(const Vector& other) const;
  Vector operator*(float s) const;
  bool operator==(const Vector& other) const;
  bool operator!=(const Vector& other) const;

private:
  float x = 0.0f;
  float y = 0.0f;
};

} // namespace tw
