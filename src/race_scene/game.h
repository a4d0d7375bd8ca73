// game.h -- the race scene
#pragma once
#include <SDL.h>

#include <cstdint>

// One race frame for record slot mapCnt in mode 1 or 2. Returns SCENE_GAME to
// stay, SCENE_PAUSE to pause, SCENE_TITLE after the result screen (or when the
// race cannot run: course images, colour sample or checkpoint file missing),
// SCENE_QUIT on a quit request.
// The race's state, its phase race.readyFlg included, is in race/race_state.h;
// readyFlg 0 means the next call starts a race with its setup frame.
// A frame does no file I/O and no allocation of its own outside the setup
// frame, the goal frame and the authoring key, so tools may call it in bulk.
int32_t Game(SDL_Surface* screen, int32_t mapCnt, int32_t mode);
