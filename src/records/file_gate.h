// file_gate.h -- opening the files the game reads: never waiting, never more than a file of its kind holds
#pragma once
#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <vector>

// The largest file of each kind the game reads, with a wide margin over the
// largest it ever writes or ships. A file past its limit is refused like a file
// that cannot be opened, so a damaged or planted file costs no more time or
// memory than a real one.
enum : long {
  // Checkpoints (20 pairs, at most 480 bytes), a run count (11), best times
  // (144), cleared flags (72) and settings (about 40).
  GATE_SMALL_TEXT_BYTES = 64L * 1024,
  // Run entries: 10000 entries of three numbers, at most 360,000 bytes.
  GATE_RUN_ENTRIES_BYTES = 4L * 1024 * 1024,
  // Pictures: a course at 32 bits per pixel is 7,077,942 bytes.
  GATE_IMAGE_BYTES = 32L * 1024 * 1024,
  // Sounds: the longest the game makes (the record stinger) is 132,344 bytes.
  GATE_SOUND_BYTES = 4L * 1024 * 1024,
};

// errno values the gate sets itself, beside those of open() and read().
enum {
  GATE_NOT_REGULAR = EINVAL,  // a FIFO, a device, a socket or a directory
  GATE_TOO_LARGE = EFBIG,
};

// Opens path for reading: without waiting (a FIFO without a writer or a device
// is never waited for), and only when, after links are followed, it is a
// regular file of at most maxBytes. The stream is an ordinary blocking one.
// Returns nullptr with errno set otherwise. status, when given, receives what
// fstat said of the opened file.
FILE* OpenGatedFile(const char* path, long maxBytes, struct stat* status = nullptr);

// Reads the rest of an open file into bytes; false when it fails or holds more
// than maxBytes (a file that grew since it was opened).
bool ReadWholeFile(FILE* file, long maxBytes, std::vector<uint8_t>* bytes);

// OpenGatedFile and ReadWholeFile in one: the whole file, or false with errno set.
bool ReadGatedFile(const char* path, long maxBytes, std::vector<uint8_t>* bytes);

// Words for why a file could not be read, for the lines that say so.
const char* GateProblem(int error);
