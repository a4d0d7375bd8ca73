// fuzz_run_count.cpp -- any bytes as a slot's run count file: the count read always lies in 0..RUN_CAPACITY
#include "fuzz_support.h"
#include "records/data_files.h"

static const int kSlot = 7;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  PutDataFile("saveCnt7.txt", data, size);
  const int32_t before = Canary(3, static_cast<long>(size));
  int32_t count = before;
  if (!ReadRunCount(kSlot, &count)) FuzzFail("count file not read", 0, 1, 0);

  ReferenceText text(data, size);
  int32_t value;
  if (!text.int32(&value)) {
    if (count != before) FuzzFail("count changed though the file holds no number", 0, before, count);
    return 0;
  }
  if (count < 0 || count > RUN_CAPACITY) FuzzFail("count outside 0..RUN_CAPACITY", 0, value, count);
  const int32_t want = value < 0 ? 0 : value > RUN_CAPACITY ? RUN_CAPACITY : value;
  if (count != want) FuzzFail("count", 0, want, count);
  return 0;
}
