// fuzz_clear_flags.cpp -- any bytes as the cleared-course file: six flags read in order, nothing past them touched
#include "fuzz_support.h"
#include "records/data_files.h"

static bool readFlags(int32_t* flags) { return ReadClearFlags(flags); }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzTable("clearFlg.txt", readFlags, COURSE_COUNT, data, size);
  return 0;
}
