#pragma once

namespace tw {

/// One frame of a main loop: paced, it sleeps out the rest of its frame time itself; false
/// when the loop has ended.
using FrameFunction = bool (*)(void* p_arg, bool paced);

/// Runs frame(p_arg, paced) until it returns false. A desktop loops and lets each frame pace
/// itself. A browser must not be blocked: its event loop calls an unpaced frame every
/// frame_ms milliseconds (as often as it can for 0 or less), this call does not return, and
/// when the last frame has run the game manager is shut down and the program exits with 0.
void runMainLoop(FrameFunction frame, void* p_arg, int frame_ms);

} // namespace tw
