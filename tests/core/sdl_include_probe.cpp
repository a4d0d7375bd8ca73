// sdl_include_probe.cpp -- a core file that reaches for SDL; compiled with the core's flags it must not build
#include <SDL.h>

#include "core/keymask.h"
#include "race/race_frame.h"

int main() { return KEY_UP; }
