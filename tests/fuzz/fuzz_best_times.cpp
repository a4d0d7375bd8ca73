// fuzz_best_times.cpp -- any bytes as the best-time file: twelve 32-bit times read in order, nothing past them touched
#include "fuzz_support.h"
#include "records/data_files.h"

static bool readTimes(int32_t* times) { return ReadBestTimes(times); }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzTable("bestTime.txt", readTimes, SLOT_COUNT, data, size);
  return 0;
}
