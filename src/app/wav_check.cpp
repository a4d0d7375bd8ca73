// wav_check.cpp -- what a sound file must be before SDL is given it
#include "app/wav_check.h"

#include <cstdint>
#include <cstring>

static uint32_t le16(const unsigned char* p) { return p[0] | (p[1] << 8); }
static uint32_t le32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

static bool named(const unsigned char* chunk, const char* name) { return memcmp(chunk, name, 4) == 0; }

// Chunks SDL passes over while it looks for the format chunk.
static bool skippedBeforeFormat(const unsigned char* chunk) {
  return named(chunk, "LIST") || named(chunk, "fact") || named(chunk, "bext") || named(chunk, "JUNK");
}

static const char* formatProblem(const unsigned char* fmt, uint32_t length) {
  if (length < 16) return "format chunk too short";
  if (le16(fmt) != 1) return "not PCM";
  const uint32_t channels = le16(fmt + 2), rate = le32(fmt + 4), byteRate = le32(fmt + 8);
  const uint32_t blockAlign = le16(fmt + 12), bits = le16(fmt + 14);
  if (channels != 1 && channels != 2) return "not 1 or 2 channels";
  if (bits != 8 && bits != 16) return "not 8 or 16 bits";
  if (rate < 8000 || rate > 192000) return "sample rate out of range";
  if (blockAlign != channels * bits / 8 || byteRate != rate * blockAlign) return "block size or byte rate wrong";
  return nullptr;
}

const char* WavProblem(const unsigned char* bytes, size_t size) {
  if (size < 12 || !named(bytes, "RIFF") || !named(bytes + 8, "WAVE")) return "not a RIFF WAVE file";
  const uint64_t end = 8 + uint64_t{le32(bytes + 4)};
  if (end > size) return "RIFF length past the end of the file";
  bool haveFormat = false;
  for (uint64_t at = 12; at + 8 <= end;) {
    const unsigned char* chunk = bytes + at;
    const uint32_t length = le32(chunk + 4);
    if (at + 8 + length > end) return "chunk past the RIFF length";
    if (named(chunk, "data")) return haveFormat ? nullptr : "samples before the format";
    if (length % 2 != 0) return "chunk of odd length";
    if (named(chunk, "fmt ")) {
      if (haveFormat) return "two format chunks";
      if (const char* problem = formatProblem(chunk + 8, length)) return problem;
      haveFormat = true;
    } else if (!haveFormat && !skippedBeforeFormat(chunk)) {
      return "unexpected chunk before the format";
    }
    at += 8 + uint64_t{length};
  }
  return "no samples";
}
