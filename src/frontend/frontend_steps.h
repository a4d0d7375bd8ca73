// frontend_steps.h -- the per-stage steps and drawing layers that Title runs each frame
#pragma once
#include <SDL.h>

#include <cstdint>

// Every step advances its stage by one frame from the frame's KeyMask. A step
// that ends the frame returns the scene code to hand back; 0 means go on.

// Stages 0..4: first-frame initialisation and the intro (no keys read).
void InitStep();
void DriveInStep();
void TurnInStep();
void ApproachStep();
void BackAwayStep();

// Stages 5, 6, 9: the menu (returns 6 when quit is chosen), the transition
// into a sub-screen and the return to the menu.
int32_t MainMenuStep(uint8_t key);
void MenuLeaveStep();
void MenuReturnStep();

// Stage 7 (help or mode select by titleFlg) and stage 8 (help closing).
void SubScreenStep(uint8_t key);
void HelpCloseStep();

// Stage 10: the course select. Returns 4 when the race starts, after writing
// the record slot through mapCnt and the mode (1 or 2) through mode.
int32_t CourseSelectStep(uint8_t key, int32_t* mapCnt, int32_t* mode);

// Turns both prop cars' travel towards their facing and moves them one frame.
void MovePropCars();

// The twelve layers over the background, back to front, for this frame.
void DrawFrontEndLayers(SDL_Surface* screen, int32_t mapCnt);

// The mirror rule of the intro: car 1 faces car 0's facing reflected left to right.
float MirroredDir(float car0Dir);

// A KeyMask bit acted on once per press through one of the shared latches:
// true on the first frame the key is held after having been seen released.
bool LatchedPress(uint8_t key, uint8_t bit, int* latch);
