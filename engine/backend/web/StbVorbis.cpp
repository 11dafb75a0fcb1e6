// The one translation unit that compiles stb_vorbis; its own warnings are not the engine's.
#include "StbVorbis.h"

#undef STB_VORBIS_HEADER_ONLY
#pragma clang diagnostic push
#pragma clang diagnostic ignored "-Weverything"
#include <stb_vorbis.h>
#pragma clang diagnostic pop
