// display.h -- the window: its scale, full screen, and the 480x480 frame shown in it
#pragma once
#include <SDL.h>

enum { FRAME_SIZE = 480 };  // the scenes always draw a 480x480 frame

// Where and how large the frame is shown: the video mode's size, the frame's
// top-left corner in it and the integer factor it is stretched by.
struct Layout {
  int modeW, modeH;
  int x, y;
  int scale;
  bool fullscreen;
};

// A window shows the frame at its scale, filling the window. Full screen uses
// the desktop's size (never a mode switch) and the largest integer scale that
// fits, centred; the borders are black. A desktop smaller than the frame gets
// a mode as large as the frame; an unknown desktop (0 x 0) gets the window's size.
Layout ChooseLayout(int scale, bool fullscreen, int desktopW, int desktopH);

// Copies frame into window with every frame pixel becoming a scale x scale
// block whose corner is at (x, y); the block area must lie inside the window.
// The frame has the game's 24-bit format; the window that or 32 bits.
void StretchFrame(SDL_Surface* frame, SDL_Surface* window, int x, int y, int scale);

// Opens the window of playerSettings (caption and icon already set). Returns
// false when no video mode can be set.
bool OpenDisplay();

// The surface the scenes draw into: at scale 1 in a window the window's own
// surface, otherwise a 480x480 frame of the same format. It can change at
// PresentDisplay, with its picture carried over.
SDL_Surface* FrameSurface();

// Puts the frame on screen: first carries out a full-screen toggle asked for
// since the last call, then stretches the frame if needed and flips.
void PresentDisplay();

// Asks for a switch between the window and full screen at the next
// PresentDisplay; the new choice is written to the settings file.
void RequestFullscreenToggle();

// Releases the frame surface; SDL_Quit releases the window.
void CloseDisplay();
