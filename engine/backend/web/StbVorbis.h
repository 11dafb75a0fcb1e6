#pragma once

// stb_vorbis's declarations (Debian's libstb-dev), as the engine builds it: decoding from
// memory alone. StbVorbis.cpp holds its implementation.
#define STB_VORBIS_NO_STDIO
#define STB_VORBIS_NO_PUSHDATA_API
#define STB_VORBIS_HEADER_ONLY
#include <stb_vorbis.h>
