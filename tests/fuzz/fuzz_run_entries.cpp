// fuzz_run_entries.cpp -- any bytes as a slot's stored run, read as the race start reads it: count file, then entries
//
// The input is "<count file>|<entry file>"; with no '|' the count file is empty
// and the count keeps an earlier value derived from the input's length, which may
// be negative or past the capacity.
#include <cstring>
#include <vector>

#include "fuzz_support.h"
#include "records/data_files.h"

static const int kSlot = 7;

static int32_t clampCount(int32_t count) { return count < 0 ? 0 : count > RUN_CAPACITY ? RUN_CAPACITY : count; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const uint8_t* bar = static_cast<const uint8_t*>(memchr(data, '|', size));
  const size_t countSize = bar ? static_cast<size_t>(bar - data) : 0;
  const uint8_t* entries = bar ? bar + 1 : data;
  const size_t entrySize = bar ? size - countSize - 1 : size;
  PutDataFile("saveCnt7.txt", data, countSize);
  PutDataFile("ghost7.txt", entries, entrySize);

  // The earlier count: anywhere from -1000 to 11000, so clamping on both sides is exercised.
  int32_t loadCnt = static_cast<int32_t>(size * 7919 % 12001) - 1000;
  int32_t wantCnt = loadCnt;
  ReferenceText countText(data, countSize);
  int32_t value;
  if (countText.int32(&value)) wantCnt = clampCount(value);

  if (!ReadRunCount(kSlot, &loadCnt)) FuzzFail("count file not read", 0, 1, 0);
  if (loadCnt != wantCnt) FuzzFail("count", 0, wantCnt, loadCnt);

  // Exactly sized on the heap, so a write past the capacity is an AddressSanitizer report.
  std::vector<int32_t> loadX(RUN_CAPACITY), loadY(RUN_CAPACITY), loadAng(RUN_CAPACITY);
  FillCanaries(4, loadX.data(), RUN_CAPACITY);
  FillCanaries(5, loadY.data(), RUN_CAPACITY);
  FillCanaries(6, loadAng.data(), RUN_CAPACITY);
  std::vector<int32_t> wantX = loadX, wantY = loadY, wantAng = loadAng;

  if (!ReadRunEntries(kSlot, loadCnt, loadX.data(), loadY.data(), loadAng.data()))
    FuzzFail("entry file not read", 0, 1, 0);

  ReferenceText entryText(entries, entrySize);
  for (int32_t i = 0; i < clampCount(wantCnt); ++i) {
    if (!entryText.int32(&wantX[i]) || !entryText.int32(&wantY[i]) || !entryText.int32(&wantAng[i])) break;
  }
  // Entries past the count, or past the first bad number, keep their canaries.
  ExpectSame("LoadX", wantX.data(), loadX.data(), RUN_CAPACITY);
  ExpectSame("LoadY", wantY.data(), loadY.data(), RUN_CAPACITY);
  ExpectSame("LoadAng", wantAng.data(), loadAng.data(), RUN_CAPACITY);
  return 0;
}
