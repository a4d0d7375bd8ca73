// data_files.cpp -- reading and atomically writing the record files
#include "records/data_files.h"

#include <cstdio>
#include <string>

#include "records/atomic_save.h"
#include "records/file_gate.h"
#include "records/text_scan.h"

static const char kCheckpointError[] = "ファイル書き込みエラー";
static const char kRunCountError[] = "saveCntファイル書き込みエラー";
static const char kRunEntryError[] = "ghostファイル書き込みエラー";
static const char kClearWriteError[] = "clearFlgファイル書き込みエラー";
static const char kBestWriteError[] = "bestTimeファイル書き込みエラー";
static const char kReadError[] = "ファイル読み込みエラー";

static std::string checkpointPath(int course) { return "data/check" + std::to_string(course) + ".txt"; }
static std::string runCountPath(int slot) { return "data/saveCnt" + std::to_string(slot) + ".txt"; }
static std::string runEntryPath(int slot) { return "data/ghost" + std::to_string(slot) + ".txt"; }
static const char kClearPath[] = "data/clearFlg.txt";
static const char kBestPath[] = "data/bestTime.txt";

static int32_t clampCount(int32_t count) {
  if (count < 0) return 0;
  if (count > RUN_CAPACITY) return RUN_CAPACITY;
  return count;
}

template <typename... Numbers>
static void appendFormatted(std::string* text, const char* format, Numbers... numbers) {
  char buffer[64];
  const int n = snprintf(buffer, sizeof buffer, format, static_cast<long>(numbers)...);
  if (n > 0) text->append(buffer, static_cast<size_t>(n));
}

bool ReplaceFileAtomically(const char* path, const char* text, long size) {
  const SaveFile file = {path, text, static_cast<size_t>(size)};
  return ReplaceFilesTogether(&file, 1) < 0;
}

static bool writeOrReport(const std::string& path, const std::string& text, const char* message) {
  if (ReplaceFileAtomically(path.c_str(), text.data(), static_cast<long>(text.size()))) return true;
  puts(message);
  return false;
}

// Through the gate: a FIFO, a device or a file larger than its kind can be is
// reported as a file that cannot be opened.
static FILE* openOrReport(const std::string& path, const char* message, long maxBytes = GATE_SMALL_TEXT_BYTES) {
  FILE* file = OpenGatedFile(path.c_str(), maxBytes);
  if (!file) puts(message);
  return file;
}

bool ReadCheckpoints(int course, int32_t checkX[CHECKPOINT_COUNT], int32_t checkY[CHECKPOINT_COUNT]) {
  FILE* file = openOrReport(checkpointPath(course), kCheckpointError);
  if (!file) return false;
  for (int i = 0; i < CHECKPOINT_COUNT; ++i) {
    if (!ScanInt32(file, &checkX[i])) break;
    if (!ScanLiteral(file, ',')) break;
    if (!ScanInt32(file, &checkY[i])) break;
    SkipSpace(file);
  }
  fclose(file);
  return true;
}

bool WriteCheckpoints(int course, const int32_t checkX[CHECKPOINT_COUNT], const int32_t checkY[CHECKPOINT_COUNT]) {
  std::string text;
  for (int i = 0; i < CHECKPOINT_COUNT; ++i) appendFormatted(&text, "%ld,%ld ", checkX[i], checkY[i]);
  return writeOrReport(checkpointPath(course), text, kCheckpointError);
}

bool ReadRunCount(int slot, int32_t* count) {
  FILE* file = openOrReport(runCountPath(slot), kRunCountError);
  if (!file) return false;
  int32_t value;
  if (ScanInt32(file, &value)) {
    *count = clampCount(value);
    if (*count != value)
      printf("%s: count %ld outside 0..%d, %ld entries read\n", runCountPath(slot).c_str(), static_cast<long>(value),
             RUN_CAPACITY, static_cast<long>(*count));
  }
  fclose(file);
  return true;
}

bool ReadRunEntries(int slot, int32_t count, int32_t x[RUN_CAPACITY], int32_t y[RUN_CAPACITY],
                    int32_t ang[RUN_CAPACITY]) {
  FILE* file = openOrReport(runEntryPath(slot), kRunEntryError, GATE_RUN_ENTRIES_BYTES);
  if (!file) return false;
  count = clampCount(count);
  for (int32_t i = 0; i < count; ++i) {
    if (!ScanInt32(file, &x[i]) || !ScanInt32(file, &y[i]) || !ScanInt32(file, &ang[i])) break;
  }
  fclose(file);
  return true;
}

bool WriteRun(int slot, int32_t count, const int32_t* x, const int32_t* y, const int32_t* ang) {
  count = clampCount(count);
  std::string countText;
  appendFormatted(&countText, "%ld", count);
  std::string entries;
  entries.reserve(static_cast<size_t>(count) * 16);
  for (int32_t i = 0; i < count; ++i) appendFormatted(&entries, "%ld %ld %ld ", x[i], y[i], ang[i]);
  // One save: a count without its entries would replay another run.
  const std::string countPath = runCountPath(slot), entryPath = runEntryPath(slot);
  const SaveFile files[2] = {{countPath.c_str(), countText.data(), countText.size()},
                             {entryPath.c_str(), entries.data(), entries.size()}};
  const int failed = ReplaceFilesTogether(files, 2);
  if (failed >= 0) puts(failed == 0 ? kRunCountError : kRunEntryError);
  return failed < 0;
}

void RecoverInterruptedSaves() {
  for (int course = 0; course < COURSE_COUNT; ++course) {
    const std::string path = checkpointPath(course);
    const char* paths[1] = {path.c_str()};
    RecoverInterruptedSave(paths, 1);
  }
  for (int slot = 0; slot < SLOT_COUNT; ++slot) {
    const std::string countPath = runCountPath(slot), entryPath = runEntryPath(slot);
    const char* paths[2] = {countPath.c_str(), entryPath.c_str()};
    RecoverInterruptedSave(paths, 2);
  }
  for (const char* path : {kClearPath, kBestPath}) RecoverInterruptedSave(&path, 1);
}

// errorShown, when given, lets a caller report a file that cannot be opened
// once across several reads: the line is printed only while it is false.
static bool readInts(const char* path, int32_t* values, int n, bool* errorShown = nullptr) {
  FILE* file = OpenGatedFile(path, GATE_SMALL_TEXT_BYTES);  // a FIFO here must not stop the frame
  if (!file) {
    if (!errorShown || !*errorShown) puts(kReadError);
    if (errorShown) *errorShown = true;
    return false;
  }
  for (int i = 0; i < n; ++i) {
    if (!ScanInt32(file, &values[i])) break;
  }
  fclose(file);
  return true;
}

static std::string formatInts(const int32_t* values, int n) {
  std::string text;
  for (int i = 0; i < n; ++i) appendFormatted(&text, "%ld ", values[i]);
  return text;
}

bool ReadClearFlags(int32_t clearFlg[COURSE_COUNT]) { return readInts(kClearPath, clearFlg, COURSE_COUNT); }

bool WriteClearFlags(const int32_t clearFlg[COURSE_COUNT]) {
  return writeOrReport(kClearPath, formatInts(clearFlg, COURSE_COUNT), kClearWriteError);
}

bool ReadBestTimes(int32_t bestTime[SLOT_COUNT]) { return readInts(kBestPath, bestTime, SLOT_COUNT); }

bool ReadClearFlagsOnce(int32_t clearFlg[COURSE_COUNT], bool* errorShown) {
  return readInts(kClearPath, clearFlg, COURSE_COUNT, errorShown);
}

bool ReadBestTimesOnce(int32_t bestTime[SLOT_COUNT], bool* errorShown) {
  return readInts(kBestPath, bestTime, SLOT_COUNT, errorShown);
}

bool WriteBestTimes(const int32_t bestTime[SLOT_COUNT]) {
  return writeOrReport(kBestPath, formatInts(bestTime, SLOT_COUNT), kBestWriteError);
}
