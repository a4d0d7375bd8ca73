// audio.h -- the sound device: opened after the window, fed once per frame from the sound queue
#pragma once
#include <cstdint>

// Opens the sound device (44100 Hz, 16-bit stereo, 1024-frame buffer) and
// loads sound/*.wav from the working directory. Call after the window is open.
// Without a device it prints one line saying the game runs without sound and
// why, and returns false; everything else then does nothing. A sound file that
// cannot be read prints "NOT READ FILE <path>" and stays silent.
bool AudioOpen(bool muted);

// Once per frame: plays what the scenes posted since the last call and sets
// the engine from the frame's speed (no engine event: the engine fades out).
// Empties the queue whether or not a device is open. Never blocks.
void AudioFrame();

// Closes the device and frees the sounds; safe to call when none is open.
void AudioClose();

// Mute: the whole output fades to silence within a few milliseconds and back.
void AudioToggleMuted();
bool AudioMuted();

// True while a device is open and playing.
bool AudioActive();

// Sample frames that have gone through the mixer since AudioOpen.
uint64_t AudioMixedFrames();
// CPU seconds the mixing thread has used since AudioOpen.
double AudioMixerCpuSeconds();
