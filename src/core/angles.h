// angles.h -- the game's pi and its degree-to-radian conversion
#pragma once

// The pi of every angle conversion in the game, as a double.
constexpr double kPi = 3.14159265358979;

// Degrees to radians with the game's pi.
inline double Radians(double degrees) { return degrees * kPi / 180; }
