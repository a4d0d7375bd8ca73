// data_files.h -- the text files under data/: checkpoints, stored runs, best times, cleared courses
#pragma once
#include <cstdint>

#include "core/track_table.h"

enum {
  CHECKPOINT_COUNT = 20,
  RUN_CAPACITY = 10000,  // entries a stored run can hold
};

// Every reader fills its variables in file order and stops at the first number
// that is missing or malformed (or does not fit in 32 bits): that variable and
// all after it keep what they held. Every reader and writer returns false after
// printing the file's message as one line when the file cannot be opened.
// Writers replace the file whole and atomically (a temporary file created new
// beside it, synced, then renamed over it), so a record file is always either
// the old or the new one, never partial, and a link planted at the temporary's
// name is never followed.

// "data/check<course>.txt": 20 pairs "%d,%d ".
bool ReadCheckpoints(int course, int32_t checkX[CHECKPOINT_COUNT], int32_t checkY[CHECKPOINT_COUNT]);
bool WriteCheckpoints(int course, const int32_t checkX[CHECKPOINT_COUNT], const int32_t checkY[CHECKPOINT_COUNT]);

// "data/saveCnt<slot>.txt": one "%d". The count read is clamped to 0..RUN_CAPACITY.
bool ReadRunCount(int slot, int32_t* count);
// "data/ghost<slot>.txt": count entries "%d %d %d "; count is clamped to capacity.
bool ReadRunEntries(int slot, int32_t count, int32_t x[RUN_CAPACITY], int32_t y[RUN_CAPACITY],
                    int32_t ang[RUN_CAPACITY]);
// Writes the count file and the entry file (entries 0..count-1) as one save:
// both are replaced or neither, and on failure the message of the file that
// failed is printed.
bool WriteRun(int slot, int32_t count, const int32_t* x, const int32_t* y, const int32_t* ang);

// "data/clearFlg.txt": six "%d ".
bool ReadClearFlags(int32_t clearFlg[COURSE_COUNT]);
bool WriteClearFlags(const int32_t clearFlg[COURSE_COUNT]);

// "data/bestTime.txt": twelve "%ld ", each a 32-bit value.
bool ReadBestTimes(int32_t bestTime[SLOT_COUNT]);
bool WriteBestTimes(const int32_t bestTime[SLOT_COUNT]);

// As ReadClearFlags and ReadBestTimes, but a file that cannot be opened is
// reported only while *errorShown is false, which it then becomes: the course
// select prints one line per opening of its strip, however often it reads.
bool ReadClearFlagsOnce(int32_t clearFlg[COURSE_COUNT], bool* errorShown);
bool ReadBestTimesOnce(int32_t bestTime[SLOT_COUNT], bool* errorShown);

// At start, before anything is read: what a save killed part-way left beside
// the record files is put right (see RecoverInterruptedSave).
void RecoverInterruptedSaves();

// Replaces path with exactly size bytes of text: temporary file created new,
// written, synced, renamed. Returns false, leaving the old file untouched and
// no temporary, when any step fails (an existing "<path>.tmp" included).
bool ReplaceFileAtomically(const char* path, const char* text, long size);
