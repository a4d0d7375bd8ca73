// program_state.h -- the whole game put back to program start, for tests, the bench and the autopilot
#pragma once

// Every program-wide record to its program-start value: the core's (race,
// cars, latches, records, sound queue), the front end's, the race view's
// sound cues, the keyboard's held keys and the pad's, and the pacing counters.
// Left alone: the images (ImageLoad and ImageRelease own them), the window
// and the sound device, the settings, and the hooks a test or tool installs
// (key source, presenter, pacing clock, draw observer).
void ResetProgramState();
