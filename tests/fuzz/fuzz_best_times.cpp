// fuzz_best_times.cpp -- any bytes as the best-time file: twelve 32-bit times read in order, nothing past them touched
#include <vector>

#include "fuzz_support.h"
#include "records/data_files.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  EnterScratchDirectory();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PutDataFile("bestTime.txt", data, size);
  // Exactly sized on the heap, so a write past the table is an AddressSanitizer report.
  std::vector<int32_t> values(SLOT_COUNT);
  FillCanaries(8, values.data(), SLOT_COUNT);
  std::vector<int32_t> want = values;

  if (!ReadBestTimes(values.data())) FuzzFail("bestTime.txt not read", 0, 1, 0);

  ReferenceText text(data, size);
  for (int i = 0; i < SLOT_COUNT; ++i) {
    if (!text.int32(&want[i])) break;
  }
  ExpectSame("bestTime", want.data(), values.data(), SLOT_COUNT);
  return 0;
}
