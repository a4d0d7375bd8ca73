// atomic_save.cpp -- replacing record files whole: never torn, never through a planted link
#include "records/atomic_save.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

static int createNewFile(const char* path) {
  // O_EXCL with O_CREAT fails on any existing name, a link included, so a file
  // planted at the temporary's name is never written through.
  return open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
}

SaveCalls SaveCallsOfTheSystem() { return SaveCalls{createNewFile, write, fsync, close, link, rename, unlink}; }

SaveCalls saveCalls = SaveCallsOfTheSystem();

static std::string temporaryOf(const char* path) { return std::string(path) + ".tmp"; }
static std::string oldCopyOf(const char* path) { return std::string(path) + ".old"; }

static bool writeAll(int fd, const char* text, size_t size) {
  while (size > 0) {
    const ssize_t n = saveCalls.write(fd, text, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    text += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// The new bytes in "<path>.tmp", synced: false (and no temporary) when any step fails.
static bool writeTemporary(const SaveFile& file) {
  const std::string temporary = temporaryOf(file.path);
  const int fd = saveCalls.createNew(temporary.c_str());
  if (fd < 0) return false;
  bool ok = writeAll(fd, file.text, file.size);
  ok = ok && saveCalls.sync(fd) == 0;
  ok = saveCalls.close(fd) == 0 && ok;
  if (!ok) saveCalls.unlink(temporary.c_str());
  return ok;
}

// So the renames survive a power cut as well; a failure here loses nothing already saved.
static void syncDirectoryOf(const char* path) {
  std::string dir(path);
  const size_t slash = dir.rfind('/');
  dir = slash == std::string::npos ? "." : dir.substr(0, slash);
  const int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

// How a file replaced by an earlier rename of the group is put back.
enum Restore { RESTORE_FROM_OLD, RESTORE_BY_REMOVING, RESTORE_IMPOSSIBLE };

static Restore keepOldCopy(const char* path) {
  const std::string old = oldCopyOf(path);
  if (saveCalls.link(path, old.c_str()) == 0) return RESTORE_FROM_OLD;
  if (errno == ENOENT) return RESTORE_BY_REMOVING;  // there was no file: putting back is removing
  // No hard links on this file system: the group is renamed without a way back.
  return RESTORE_IMPOSSIBLE;
}

static void putBack(const char* path, Restore how) {
  const std::string old = oldCopyOf(path);
  if (how == RESTORE_FROM_OLD) saveCalls.rename(old.c_str(), path);
  if (how == RESTORE_BY_REMOVING) saveCalls.unlink(path);
}

enum { MAX_GROUP = 4 };

int ReplaceFilesTogether(const SaveFile* files, int count) {
  if (count < 1 || count > MAX_GROUP) return 0;
  for (int i = 0; i < count; ++i) {
    if (writeTemporary(files[i])) continue;
    for (int j = 0; j < i; ++j) saveCalls.unlink(temporaryOf(files[j].path).c_str());
    return i;
  }
  // Every file but the last gets a second name for its old contents, so a
  // failed rename further on can put it back.
  Restore restore[MAX_GROUP] = {};
  for (int i = 0; i + 1 < count; ++i) {
    restore[i] = keepOldCopy(files[i].path);
    if (restore[i] != RESTORE_IMPOSSIBLE || errno != EEXIST) continue;
    // Another save of the same group is under way (another copy of the game): leave it be.
    for (int j = 0; j < count; ++j) saveCalls.unlink(temporaryOf(files[j].path).c_str());
    for (int j = 0; j < i; ++j) saveCalls.unlink(oldCopyOf(files[j].path).c_str());
    return i;
  }
  int failed = -1;
  for (int i = 0; i < count && failed < 0; ++i) {
    if (saveCalls.rename(temporaryOf(files[i].path).c_str(), files[i].path) != 0) failed = i;
  }
  if (failed >= 0) {
    for (int j = 0; j < failed; ++j) putBack(files[j].path, restore[j]);
    for (int j = failed; j < count; ++j) saveCalls.unlink(temporaryOf(files[j].path).c_str());
  }
  for (int i = 0; i + 1 < count; ++i) {
    if (restore[i] == RESTORE_FROM_OLD) saveCalls.unlink(oldCopyOf(files[i].path).c_str());
  }
  syncDirectoryOf(files[0].path);
  return failed;
}

static bool exists(const std::string& path) {
  struct stat status;
  return lstat(path.c_str(), &status) == 0;
}

static void removeIfFile(const std::string& path) {
  struct stat status;
  if (lstat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode)) unlink(path.c_str());
}

void RecoverInterruptedSave(const char* const* paths, int count) {
  // An old copy is made only once every temporary is whole, and removed only
  // after the last rename: with an old copy beside a file, a temporary still
  // there means the renames stopped part-way, and the group goes back to its old files.
  bool renamesStopped = false;
  for (int i = 0; i < count; ++i) renamesStopped = renamesStopped || exists(temporaryOf(paths[i]));
  for (int i = 0; i + 1 < count; ++i) {
    const std::string old = oldCopyOf(paths[i]);
    if (renamesStopped && exists(old) && !exists(temporaryOf(paths[i]))) rename(old.c_str(), paths[i]);
    removeIfFile(old);
  }
  for (int i = 0; i < count; ++i) removeIfFile(temporaryOf(paths[i]));
}
