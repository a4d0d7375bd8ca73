// audio.cpp -- the sound device: one voice per sound and the engine, mixed on SDL_mixer's thread
//
// The game thread never waits for the mixing thread: each frame it hands the
// sounds to start over a lock-free ring and the engine, squeal and mute
// targets over atomics. The mixing thread mixes the voices and synthesises the
// engine in SDL_mixer's post-mix hook, gliding every level sample by sample so
// nothing steps or clicks. SDL_mixer itself only opens the device and reads
// and converts the sound files.
#include "app/audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <atomic>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <ctime>
#include <vector>

#include "app/wav_check.h"
#include "core/sound_events.h"
#include "records/file_gate.h"

static const int kRate = 44100;
static const int kBufferFrames = 1024;
static const float kTopSpeed = 9.0f;  // the car model's top speed, pixels per frame

// Set at AudioOpen, read-only while the device runs.
static bool deviceOpen = false;
static Mix_Chunk* chunks[SOUND_FILE_COUNT] = {};

// Game thread to mixing thread.
struct StartCommand {
  uint8_t id;
  float volume;  // 0..1
};
enum { RING_SIZE = 64 };  // two frames' worth of a full queue
static StartCommand ring[RING_SIZE];
static std::atomic<uint32_t> ringHead{0};    // next to write, game thread only
static std::atomic<uint32_t> ringTail{0};    // next to read, mixing thread only
static std::atomic<float> engineFreq{0.0f};  // Hz of the firing cycle
static std::atomic<float> engineGain{0.0f};  // 0..1
static std::atomic<bool> squealWanted{false};
static std::atomic<bool> muted{false};
// Mixing thread to anyone.
static std::atomic<uint64_t> mixedFrames{0};
static std::atomic<double> mixerCpu{0.0};

// Mixing-thread state.
struct Voice {
  uint32_t pos;  // next sample frame; the voice is silent once past the end
  float volume;
};
static Voice voices[SOUND_FILE_COUNT];
static float squealGain = 0;
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

static uint32_t frameCount(SoundId id) { return chunks[id] ? chunks[id]->alen / 4 : 0; }

static void takeStartCommands() {
  uint32_t tail = ringTail.load(std::memory_order_relaxed);
  const uint32_t head = ringHead.load(std::memory_order_acquire);
  for (; tail != head; ++tail) {
    const StartCommand& c = ring[tail % RING_SIZE];
    Voice& v = voices[c.id];
    // A knock held against the rival is one knock until it has sounded out.
    if (c.id == SOUND_KNOCK && v.pos < frameCount(SOUND_KNOCK)) continue;
    v.pos = 0;
    v.volume = c.volume;
  }
  ringTail.store(tail, std::memory_order_release);
}

// The one-shots and the squeal loop into a stereo float pair.
static void mixVoices(float* left, float* right) {
  for (int id = 0; id < SOUND_FILE_COUNT; ++id) {
    Voice& v = voices[id];
    const uint32_t n = frameCount(static_cast<SoundId>(id));
    if (id == SOUND_SQUEAL) {
      // Glides in over about 10 ms and out over about 100 ms, looping meanwhile.
      squealGain = squealWanted.load(std::memory_order_relaxed) ? std::fmin(1.0f, squealGain + 1.0f / 441)
                                                                : std::fmax(0.0f, squealGain - 1.0f / 4410);
      if (squealGain <= 0 || n == 0) continue;
      if (v.pos >= n) v.pos = 0;
      const Sint16* s = reinterpret_cast<const Sint16*>(chunks[id]->abuf) + 2 * static_cast<size_t>(v.pos++);
      *left += s[0] * squealGain;
      *right += s[1] * squealGain;
      continue;
    }
    if (v.pos >= n) continue;
    const Sint16* s = reinterpret_cast<const Sint16*>(chunks[id]->abuf) + 2 * static_cast<size_t>(v.pos++);
    *left += s[0] * v.volume;
    *right += s[1] * v.volume;
  }
}

static Sint16 clip(float v) { return static_cast<Sint16>(v > 32767 ? 32767 : v < -32768 ? -32768 : v); }

// Runs on the mixing thread after SDL_mixer has filled the buffer (with
// silence: it plays nothing itself). No allocation, no locks, no files.
static void postMix(void*, Uint8* stream, int len) {
  takeStartCommands();
  Sint16* s = reinterpret_cast<Sint16*>(stream);
  const int frames = len / 4;
  const float freqTarget = engineFreq.load(std::memory_order_relaxed);
  const float gainTarget = engineGain.load(std::memory_order_relaxed);
  const float masterTarget = muted.load(std::memory_order_relaxed) ? 0.0f : 1.0f;
  for (ptrdiff_t i = 0; i < frames; ++i) {
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
    float left = s[2 * i] + e, right = s[2 * i + 1] + e;
    mixVoices(&left, &right);
    s[2 * i] = clip(left * masterNow);
    s[2 * i + 1] = clip(right * masterNow);
  }
  mixedFrames.fetch_add(frames, std::memory_order_relaxed);
  mixerCpu.store(threadCpuSeconds(), std::memory_order_relaxed);
}

// A sound file through the file gate and the WAV check, then read and
// converted by SDL_mixer from memory; nullptr when anything refuses it.
static Mix_Chunk* loadChecked(const char* path) {
  std::vector<uint8_t> bytes;
  if (!ReadGatedFile(path, GATE_SOUND_BYTES, &bytes)) return nullptr;
  if (WavProblem(bytes.data(), bytes.size())) return nullptr;
  return Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
}

static void loadSounds() {
  for (int id = 0; id < SOUND_FILE_COUNT; ++id) {
    char path[64];
    std::snprintf(path, sizeof path, "sound/%s.wav", SoundName(static_cast<SoundId>(id)));
    chunks[id] = loadChecked(path);
    if (chunks[id] && chunks[id]->alen < 4) {
      Mix_FreeChunk(chunks[id]);
      chunks[id] = nullptr;
    }
    if (!chunks[id]) std::printf("NOT READ FILE %s\n", path);
    voices[id] = Voice{frameCount(static_cast<SoundId>(id)), 0.0f};  // silent
  }
}

bool AudioOpen(bool startMuted) {
  muted = startMuted;
  // Sound is its own subsystem, started after the window: video stays alone.
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0 || Mix_OpenAudio(kRate, AUDIO_S16SYS, 2, kBufferFrames) < 0) {
    std::printf("no sound (%s): the game runs without sound\n", SDL_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  int rate = 0, channels = 0;
  Uint16 format = 0;
  Mix_QuerySpec(&rate, &format, &channels);
  // The voices are mixed as the 16-bit stereo asked for; a device that insists
  // on something else is closed again.
  if (format != AUDIO_S16SYS || channels != 2) {
    std::puts("no sound (the device offers no 16-bit stereo): the game runs without sound");
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  loadSounds();
  buildEngineWave();
  ringHead = ringTail = 0;
  phase = 0;
  freqNow = gainNow = squealGain = 0;
  masterNow = startMuted ? 0.0f : 1.0f;
  engineFreq = engineGain = 0;
  squealWanted = false;
  mixedFrames = 0;
  mixerCpu = 0;
  Mix_SetPostMix(postMix, nullptr);
  deviceOpen = true;
  return true;
}

void AudioClose() {
  if (!deviceOpen) return;
  // SDL_mixer keeps the hook across a close: unhooked, a later open cannot run
  // it on this session's state before that open has reset it.
  Mix_SetPostMix(nullptr, nullptr);
  Mix_CloseAudio();  // stops the mixing thread
  for (Mix_Chunk*& c : chunks) {
    if (c) Mix_FreeChunk(c);
    c = nullptr;
  }
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  deviceOpen = false;
}

static float volumeFor(const SoundEvent& e) {
  if (e.id != SOUND_THUMP) return 1.0f;
  // Louder with the impact speed: a nudge is a quarter, full speed all of it.
  return 0.25f + 0.75f * std::fmin(1.0f, std::fabs(e.value) / kTopSpeed);
}

static void start(const SoundEvent& e) {
  const uint32_t head = ringHead.load(std::memory_order_relaxed);
  if (head - ringTail.load(std::memory_order_acquire) >= RING_SIZE) return;  // full: dropped
  ring[head % RING_SIZE] = StartCommand{e.id, volumeFor(e)};
  ringHead.store(head + 1, std::memory_order_release);
}

void AudioFrame() {
  SoundEvent events[SOUND_QUEUE_SIZE];
  const int n = TakeSoundEvents(events);
  if (!deviceOpen) return;
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
      start(events[i]);
    }
  }
  const float k = std::fmin(1.0f, speed / kTopSpeed);
  // Idle at 30 Hz, about 190 Hz flat out; louder as it revs.
  engineFreq = 30.0f + 160.0f * k;
  engineGain = engine ? 0.35f + 0.65f * k : 0.0f;
  squealWanted = squeal;
}

void AudioToggleMuted() { muted = !muted; }
bool AudioMuted() { return muted; }
bool AudioActive() { return deviceOpen; }
uint64_t AudioMixedFrames() { return mixedFrames.load(); }
double AudioMixerCpuSeconds() { return mixerCpu.load(); }
