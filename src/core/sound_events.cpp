// sound_events.cpp -- the fixed queue between the scenes and the audio side
#include "core/sound_events.h"

static const char* const kNames[SOUND_FILE_COUNT] = {
    "tick",  "go",    "lap",    "finish", "record",  "win",  "lose",   "timeup",
    "thump", "knock", "squeal", "cursor", "confirm", "back", "refuse",
};

const char* SoundName(SoundId id) { return id < SOUND_FILE_COUNT ? kNames[id] : ""; }

// Posted and drained on the game's own thread, once per frame.
static SoundEvent queue[SOUND_QUEUE_SIZE];
static int queued = 0;

void PostSound(SoundId id, float value) {
  if (queued < SOUND_QUEUE_SIZE) queue[queued++] = SoundEvent{id, value};
}

int TakeSoundEvents(SoundEvent* out) {
  const int n = queued;
  for (int i = 0; i < n; ++i) out[i] = queue[i];
  queued = 0;
  return n;
}
