// sound_events.h -- what the scenes want heard, handed to the audio side through a small fixed queue
#pragma once
#include <cstdint>

// One entry per thing the game can make heard. The one-shots and the squeal
// loop have a file each (sound/<name>.wav); the engine is synthesised.
enum SoundId : uint8_t {
  SOUND_TICK,     // a countdown digit appears
  SOUND_GO,       // the start banner appears
  SOUND_LAP,      // a lap is completed
  SOUND_FINISH,   // the goal banner appears
  SOUND_RECORD,   // the new-record banner appears
  SOUND_WIN,      // mode 2: goal with the rival beaten
  SOUND_LOSE,     // mode 2: the lost banner appears
  SOUND_TIMEUP,   // mode 1: the time-up banner appears
  SOUND_THUMP,    // a wall bounce; value = impact speed
  SOUND_KNOCK,    // contact with the rival
  SOUND_SQUEAL,   // the car slides this frame (the skid-mark condition)
  SOUND_CURSOR,   // a menu cursor moved
  SOUND_CONFIRM,  // a menu choice was taken
  SOUND_BACK,     // a screen was left backwards
  SOUND_REFUSE,   // z on a locked course
  SOUND_FILE_COUNT,
  SOUND_ENGINE = SOUND_FILE_COUNT,  // the player's engine this frame; value = speed
  SOUND_ID_COUNT
};

// File name stem of a sound with a file, e.g. "tick".
const char* SoundName(SoundId id);

struct SoundEvent {
  SoundId id;
  float value;
};

// Room for one frame's events; more in one frame are dropped.
enum { SOUND_QUEUE_SIZE = 32 };

// Called by the scenes; never allocates, touches a file or blocks, and never
// changes anything the game reads.
void PostSound(SoundId id, float value = 0.0f);

// Moves the waiting events into out (up to SOUND_QUEUE_SIZE) and empties the
// queue; returns how many there were.
int TakeSoundEvents(SoundEvent* out);
