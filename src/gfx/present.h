// present.h -- the present-and-pace call that ends every frame, for scenes that run frames of their own
#pragma once

struct SDL_Surface;

// Hands the frame's sounds to the audio side, puts the frame on screen and
// waits for the next 25 ms tick; returns the surface the next frame is drawn
// into (it changes when the player switches to or from full screen). The
// application frame provides it (src/app/pacing.cpp): drawing and scenes sit
// below the application and only declare what they call.
SDL_Surface* PresentFrame(SDL_Surface* screen);
