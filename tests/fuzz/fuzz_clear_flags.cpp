// fuzz_clear_flags.cpp -- any bytes as the cleared-course file: six flags read in order, nothing past them touched
#include <vector>

#include "fuzz_support.h"
#include "records/data_files.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  EnterScratchDirectory();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PutDataFile("clearFlg.txt", data, size);
  // Exactly sized on the heap, so a write past the table is an AddressSanitizer report.
  std::vector<int32_t> values(COURSE_COUNT);
  FillCanaries(7, values.data(), COURSE_COUNT);
  std::vector<int32_t> want = values;

  if (!ReadClearFlags(values.data())) FuzzFail("clearFlg.txt not read", 0, 1, 0);

  ReferenceText text(data, size);
  for (int i = 0; i < COURSE_COUNT; ++i) {
    if (!text.int32(&want[i])) break;
  }
  ExpectSame("clearFlg", want.data(), values.data(), COURSE_COUNT);
  return 0;
}
