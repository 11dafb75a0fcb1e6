#include "Frame.h"

namespace tw {

Frame::Frame(int init_width, int init_height, std::string init_frame_str)
    : width(init_width), height(init_height), frame_str(std::move(init_frame_str)) {}

} // namespace tw
