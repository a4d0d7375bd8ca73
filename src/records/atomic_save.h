// atomic_save.h -- replacing record files whole: never torn, never through a planted link
#pragma once
#include <sys/types.h>

#include <cstddef>

// The system calls a save makes, one pointer each, so that a test can make any
// of them fail. SaveCallsOfTheSystem() gives the real ones.
struct SaveCalls {
  int (*createNew)(const char* path);  // a new file only: no link followed, no file reused
  ssize_t (*write)(int fd, const void* data, size_t size);
  int (*sync)(int fd);
  int (*close)(int fd);
  int (*link)(const char* from, const char* to);
  int (*rename)(const char* from, const char* to);
  int (*unlink)(const char* path);
};
SaveCalls SaveCallsOfTheSystem();
extern SaveCalls saveCalls;  // what the savers use; the real calls unless a test changed them

// One file of a save: its path and its new bytes.
struct SaveFile {
  const char* path;
  const char* text;
  size_t size;
};

// Replaces the files together or not at all. Each is written to "<path>.tmp",
// created new beside it, and synced; only when every one of them is whole are
// they renamed over their files, in order. When a later rename fails, the files
// already renamed are put back ("<path>.old", a second link to the old file, is
// kept until all are renamed). Returns -1 when every file was replaced, else the
// index of the file whose step failed, with every file as it was before and no
// temporary left.
int ReplaceFilesTogether(const SaveFile* files, int count);

// Put right what a save killed part-way left beside path (a group of files saved
// together named in order, as given to ReplaceFilesTogether): a group killed
// between its renames is put back to its old files, and every "<path>.tmp" and
// "<path>.old" of the group is removed. Nothing else is touched; a directory at
// such a name is left alone.
void RecoverInterruptedSave(const char* const* paths, int count);
