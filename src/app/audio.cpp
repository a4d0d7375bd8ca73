// audio.cpp -- SDL_mixer: one channel per sound, the engine synthesised after the mix, mute
#include "app/audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "app/sound_events.h"

static const int kRate = 44100;
static const int kBufferFrames = 1024;
static const float kTopSpeed = 9.0f;  // the car model's top speed, pixels per frame

// Game-thread state.
static bool open = false;
static bool squealOn = false;
static Mix_Chunk* chunks[SOUND_FILE_COUNT] = {};

// Shared with the mixing thread: targets are written once per frame, the
// thread glides towards them sample by sample, so nothing ever steps.
static std::atomic<float> engineFreq{0.0f};  // Hz of the firing cycle
static std::atomic<float> engineGain{0.0f};  // 0..1
static std::atomic<bool> muted{false};
static std::atomic<uint64_t> mixedFrames{0};
static std::atomic<double> mixerCpu{0.0};

// Mixing-thread state.
enum { WAVE_SIZE = 1024 };
static float engineWave[WAVE_SIZE];  // one cycle of the engine's note
static double phase = 0;
static float freqNow = 0, gainNow = 0, masterNow = 0;

static void buildEngineWave() {
  // A rough, buzzy cycle: falling harmonics with the second and fourth
  // pushed up, as a twin-cylinder engine sounds.
  const double weights[] = {1.0, 0.9, 0.35, 0.5, 0.2, 0.15, 0.1, 0.08};
  for (int i = 0; i < WAVE_SIZE; ++i) {
    double s = 0;
    for (int h = 0; h < 8; ++h) s += weights[h] * std::sin(2 * 3.14159265358979 * (h + 1) * i / WAVE_SIZE);
    engineWave[i] = static_cast<float>(s / 2.2);
  }
}

static double threadCpuSeconds() {
  timespec ts;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return ts.tv_sec + ts.tv_nsec / 1e9;
}

// Runs on the mixing thread after SDL_mixer has mixed the channels: adds the
// engine and applies the master level. No allocation, no locks.
static void postMix(void*, Uint8* stream, int len) {
  Sint16* s = reinterpret_cast<Sint16*>(stream);
  const int frames = len / 4;
  const float freqTarget = engineFreq.load(std::memory_order_relaxed);
  const float gainTarget = engineGain.load(std::memory_order_relaxed);
  const float masterTarget = muted.load(std::memory_order_relaxed) ? 0.0f : 1.0f;
  for (int i = 0; i < frames; ++i) {
    // About 50 ms to follow the pitch, 20 ms the level, 5 ms the mute.
    freqNow += (freqTarget - freqNow) * 0.00045f;
    gainNow += (gainTarget - gainNow) * 0.0011f;
    if (masterNow < masterTarget)
      masterNow = std::fmin(masterTarget, masterNow + 1.0f / 220);
    else if (masterNow > masterTarget)
      masterNow = std::fmax(masterTarget, masterNow - 1.0f / 220);
    phase += freqNow * WAVE_SIZE / kRate;
    if (phase >= WAVE_SIZE) phase -= WAVE_SIZE;
    const int k = static_cast<int>(phase);
    const float f = static_cast<float>(phase - k);
    const float e = (engineWave[k] + (engineWave[(k + 1) % WAVE_SIZE] - engineWave[k]) * f) * gainNow * 9000.0f;
    for (int c = 0; c < 2; ++c) {
      const float v = (s[2 * i + c] + e) * masterNow;
      s[2 * i + c] = static_cast<Sint16>(v > 32767 ? 32767 : v < -32768 ? -32768 : v);
    }
  }
  mixedFrames.fetch_add(frames, std::memory_order_relaxed);
  mixerCpu.store(threadCpuSeconds(), std::memory_order_relaxed);
}

static void loadSounds() {
  for (int id = 0; id < SOUND_FILE_COUNT; ++id) {
    char path[64];
    std::snprintf(path, sizeof path, "sound/%s.wav", SoundName(static_cast<SoundId>(id)));
    chunks[id] = Mix_LoadWAV(path);
    if (chunks[id] && chunks[id]->alen == 0) {
      Mix_FreeChunk(chunks[id]);
      chunks[id] = nullptr;
    }
    if (!chunks[id]) std::printf("NOT READ FILE %s\n", path);
  }
}

bool AudioOpen(bool startMuted) {
  muted = startMuted;
  masterNow = startMuted ? 0.0f : 1.0f;
  // Sound is its own subsystem, started after the window: video stays alone.
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0 || Mix_OpenAudio(kRate, AUDIO_S16SYS, 2, kBufferFrames) < 0) {
    std::printf("no sound (%s): the game runs without sound\n", SDL_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  int rate = 0, channels = 0;
  Uint16 format = 0;
  Mix_QuerySpec(&rate, &format, &channels);
  Mix_AllocateChannels(SOUND_FILE_COUNT);
  loadSounds();
  buildEngineWave();
  phase = 0;
  freqNow = gainNow = 0;
  mixedFrames = 0;
  mixerCpu = 0;
  engineFreq = engineGain = 0;
  squealOn = false;
  // The engine is written for the 16-bit stereo stream asked for; a device
  // that insists on another format goes without it.
  if (format == AUDIO_S16SYS && channels == 2) Mix_SetPostMix(postMix, nullptr);
  open = true;
  return true;
}

void AudioClose() {
  if (!open) return;
  Mix_HaltChannel(-1);
  Mix_SetPostMix(nullptr, nullptr);
  Mix_CloseAudio();
  for (Mix_Chunk*& c : chunks) {
    if (c) Mix_FreeChunk(c);
    c = nullptr;
  }
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  open = false;
}

static int volumeFor(const SoundEvent& e) {
  if (e.id != SOUND_THUMP) return MIX_MAX_VOLUME;
  // Louder with the impact speed: a nudge is a quarter, full speed all of it.
  const float k = std::fmin(1.0f, std::fabs(e.value) / kTopSpeed);
  return static_cast<int>(MIX_MAX_VOLUME * (0.25f + 0.75f * k));
}

static void play(const SoundEvent& e) {
  Mix_Chunk* chunk = chunks[e.id];
  if (!chunk) return;
  // A knock held against the rival is one knock until it has sounded out.
  if (e.id == SOUND_KNOCK && Mix_Playing(e.id)) return;
  Mix_Volume(e.id, volumeFor(e));
  Mix_PlayChannel(e.id, chunk, 0);
}

static void setSqueal(bool on) {
  if (on == squealOn || !chunks[SOUND_SQUEAL]) return;
  squealOn = on;
  if (on)
    Mix_FadeInChannel(SOUND_SQUEAL, chunks[SOUND_SQUEAL], -1, 30);
  else
    Mix_FadeOutChannel(SOUND_SQUEAL, 120);
}

void AudioFrame() {
  SoundEvent events[SOUND_QUEUE_SIZE];
  const int n = TakeSoundEvents(events);
  if (!open) return;
  if (SDL_GetAudioStatus() == SDL_AUDIO_STOPPED) {
    // The device went away under us (unplugged, or its stream failed).
    std::puts("sound device failed: the game runs on without sound");
    AudioClose();
    return;
  }
  bool engine = false, squeal = false;
  float speed = 0;
  for (int i = 0; i < n; ++i) {
    if (events[i].id == SOUND_ENGINE) {
      engine = true;
      speed = std::fabs(events[i].value);
    } else if (events[i].id == SOUND_SQUEAL) {
      squeal = true;
    } else {
      play(events[i]);
    }
  }
  const float k = std::fmin(1.0f, speed / kTopSpeed);
  // Idle at 30 Hz, about 190 Hz flat out; louder as it revs.
  engineFreq = 30.0f + 160.0f * k;
  engineGain = engine ? 0.35f + 0.65f * k : 0.0f;
  setSqueal(squeal);
}

void AudioSetMuted(bool m) { muted = m; }
void AudioToggleMuted() { muted = !muted; }
bool AudioMuted() { return muted; }
bool AudioActive() { return open; }
uint64_t AudioMixedFrames() { return mixedFrames.load(); }
double AudioMixerCpuSeconds() { return mixerCpu.load(); }
