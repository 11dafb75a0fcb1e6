#pragma once

// Compiler-specific attributes, behind names that expand to nothing where unsupported.

#include <cstdio>

/// Checks the arguments of a printf-like function: fmt_index is the format's position,
/// first_arg the first argument's (member functions count the object as 1).
#if defined(__MINGW32__) // MinGW's C++ library formats as C99 does, not as msvcrt does
#define TW_PRINTF_FORMAT(fmt_index, first_arg)                                                     \
  __attribute__((format(__MINGW_PRINTF_FORMAT, fmt_index, first_arg)))
#elif defined(__GNUC__) || defined(__clang__)
#define TW_PRINTF_FORMAT(fmt_index, first_arg) __attribute__((format(printf, fmt_index, first_arg)))
#else
#define TW_PRINTF_FORMAT(fmt_index, first_arg)
#endif

/// Makes a symbol visible outside the program, where drivers can look it up.
#if defined(_WIN32)
#define TW_EXPORT __declspec(dllexport)
#elif defined(__GNUC__) || defined(__clang__)
#define TW_EXPORT __attribute__((visibility("default")))
#else
#define TW_EXPORT
#endif
