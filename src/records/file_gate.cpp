// file_gate.cpp -- opening the files the game reads: never waiting, never more than a file of its kind holds
#include "records/file_gate.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

static bool refuse(int error) {
  errno = error;
  return false;
}

static bool acceptable(const struct stat& status, long maxBytes) {
  if (!S_ISREG(status.st_mode)) return refuse(GATE_NOT_REGULAR);
  if (status.st_size > maxBytes) return refuse(GATE_TOO_LARGE);
  return true;
}

FILE* OpenGatedFile(const char* path, long maxBytes, struct stat* status) {
  // Looked at before opening, so a device is never opened at all (opening some
  // has effects of its own); looked at again on the descriptor, which is what
  // is read, in case the name changed between the two.
  struct stat named;
  if (stat(path, &named) != 0) return nullptr;
  if (!acceptable(named, maxBytes)) return nullptr;
  const int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return nullptr;
  struct stat opened;
  const int flags = fcntl(fd, F_GETFL);
  if (fstat(fd, &opened) != 0 || !acceptable(opened, maxBytes) || flags < 0 ||
      fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    const int error = errno;
    close(fd);
    errno = error;
    return nullptr;
  }
  FILE* file = fdopen(fd, "r");
  if (!file) {
    const int error = errno;
    close(fd);
    errno = error;
    return nullptr;
  }
  if (status) *status = opened;
  return file;
}

bool ReadWholeFile(FILE* file, long maxBytes, std::vector<uint8_t>* bytes) {
  bytes->clear();
  uint8_t chunk[64 * 1024];
  for (;;) {
    const size_t n = fread(chunk, 1, sizeof chunk, file);
    if (bytes->size() + n > static_cast<size_t>(maxBytes)) return refuse(GATE_TOO_LARGE);
    bytes->insert(bytes->end(), chunk, chunk + n);
    if (n < sizeof chunk) return ferror(file) ? refuse(EIO) : true;
  }
}

bool ReadGatedFile(const char* path, long maxBytes, std::vector<uint8_t>* bytes) {
  FILE* file = OpenGatedFile(path, maxBytes);
  if (!file) return false;
  const bool ok = ReadWholeFile(file, maxBytes, bytes);
  const int error = errno;
  fclose(file);
  errno = error;
  return ok;
}

const char* GateProblem(int error) {
  if (error == GATE_NOT_REGULAR) return "not a regular file";
  if (error == GATE_TOO_LARGE) return "larger than such a file can be";
  return strerror(error);
}
