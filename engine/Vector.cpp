#include "Vector.h"

#include <cmath>

namespace tw {

void Vector::setXY(float new_x, float new_y) {
  x = new_x;
  y = new_y;
}

float Vector::getMagnitude() const {
  const float sum = x * x + y * y;
  return static_cast<float>(std::sqrt(static_cast<double>(sum)));
}

void Vector::normalize() {
  const float length = getMagnitude();
  if (length > 0.0f) {
    x /= length;
    y /= length;
  }
}

void Vector::scale(float s) {
  x *= s;
  y *= s;
}

Vector Vector::operator+(const Vector& other) const {
  return Vector(x + other.x, y + other.y);
}

Vector Vector::operator-(const Vector& other) const {
  return Vector(x - other.x, y - other.y);
}

Vector Vector::operator*(float s) const {
  return Vector(x * s, y * s);
}

bool Vector::operator==(const Vector& other) const {
  return x == other.x && y == other.y;
}

bool Vector::operator!=(const Vector& other) const {
  return !(*this == other);
}

} // namespace tw
