#pragma once

#include "Box.h"

#include <string>

namespace tw {

class Object;

/// i in decimal.
std::string toString(int i);
/// f as a stream writes it: at most six significant digits.
std::string toString(float f);
/// A one-character string; the character 0 gives "0".
std::string toString(char c);
/// "true" or "false".
std::string toString(bool b);

/// Key:value parser shared by the configuration and serialization. A non-empty line replaces
/// the remembered items; an empty line searches those of the last one. Returns the value of
/// the first item whose key equals token, or an empty string.
std::string match(std::string line, std::string token);

/// The object's box moved to the object's position.
Box getWorldBox(const Object* p_o);
/// The object's box moved to where.
Box getWorldBox(const Object* p_o, Vector where);

} // namespace tw
