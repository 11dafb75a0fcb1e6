#pragma once

#include "Box.h"

#include <cstdint>
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

/// The value of a hexadecimal digit, in either case; -1 for any other character.
int hexDigit(char c);

/// Seeds the engine's random numbers: a seed gives the same numbers on every system.
void seedRandom(std::uint32_t seed);
/// The next random number, 0 to RANDOM_MAX (PCG32, its top 31 bits).
int randomNumber();
/// The largest number randomNumber() gives.
constexpr int RANDOM_MAX = 0x7fffffff;

/// The object's box moved to the object's position.
Box getWorldBox(const Object* p_o);
/// The object's box moved to where.
Box getWorldBox(const Object* p_o, Vector where);

} // namespace tw
