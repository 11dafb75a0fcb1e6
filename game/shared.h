#pragma once

#include <string>

/// Loads the game's nine sprites, seven sounds and three pieces of music, in that order.
void loadResources();
/// Sets the world boundary to corner (x, y) with extents 80 + dw by 40 + dh.
void setArenaBoundary(float x, float y, float dw, float dh);
/// Draws the frame of characters just outside the world boundary.
void drawArenaFrame();
/// Adds amount to the score display; the timer keeps its value.
void addPoints(int amount);

/// Plays a sound once; a sound that did not load is skipped.
void playSound(const std::string& label);
/// Starts a piece of music (looping when asked); missing music is skipped.
void playMusic(const std::string& label, bool loop = true);
void stopMusic(const std::string& label);
