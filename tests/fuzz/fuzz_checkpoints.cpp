// fuzz_checkpoints.cpp -- any bytes as a course's checkpoint file: 20 "x,y" pairs read in order, nothing else touched
#include <vector>

#include "fuzz_support.h"
#include "records/data_files.h"

static const int kCourse = 2;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PutDataFile("check2.txt", data, size);
  // Exactly sized on the heap, so a write past the table is an AddressSanitizer report.
  std::vector<int32_t> checkX(CHECKPOINT_COUNT), checkY(CHECKPOINT_COUNT);
  FillCanaries(1, checkX.data(), CHECKPOINT_COUNT);
  FillCanaries(2, checkY.data(), CHECKPOINT_COUNT);
  std::vector<int32_t> wantX = checkX, wantY = checkY;

  if (!ReadCheckpoints(kCourse, checkX.data(), checkY.data())) FuzzFail("checkpoint file not read", 0, 1, 0);

  ReferenceText text(data, size);
  for (int i = 0; i < CHECKPOINT_COUNT; ++i) {
    if (!text.int32(&wantX[i]) || !text.literal(',') || !text.int32(&wantY[i])) break;
    text.skipSpace();
  }
  ExpectSame("checkX", wantX.data(), checkX.data(), CHECKPOINT_COUNT);
  ExpectSame("checkY", wantY.data(), checkY.data(), CHECKPOINT_COUNT);
  return 0;
}
