// fuzz_support.h -- scratch working directory and a reference reading of the record formats for the fuzz targets
#pragma once
#include <cstddef>
#include <cstdint>

// A table of n numbers in one file (best times, cleared flags): the input as the
// file, read with read; the values must be the reference reading's, in order,
// and nothing past the n-th touched.
void FuzzTable(const char* file, bool (*read)(int32_t*), int n, const uint8_t* data, size_t size);

// Makes a scratch directory with data/ inside (under $TMPDIR, else /tmp) and
// makes it the working directory, for the whole fuzzing process. Removed at exit.
void EnterScratchDirectory();

// Replaces "data/<name>" with exactly the given bytes.
void PutDataFile(const char* name, const uint8_t* data, size_t size);

// Reports a broken invariant and aborts, so libFuzzer keeps the input.
[[noreturn]] void FuzzFail(const char* what, long index, long expected, long actual);

// Aborts at the first index where actual differs from expected.
void ExpectSame(const char* what, const int32_t* expected, const int32_t* actual, long n);

// Fills n values with the canaries of the given array number.
void FillCanaries(int array, int32_t* values, long n);

// An independent reading of the record text, over memory instead of a stream:
// the behaviour of scanf's "%d", ",", and " " that the game's files rely on,
// with a number that does not fit in 32 bits counted as a failed conversion.
class ReferenceText {
 public:
  ReferenceText(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  void skipSpace();
  bool literal(char c);
  bool int32(int32_t* value);

 private:
  bool at(size_t i, int* c) const;
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

// Values no reader could have produced by accident in a long run of entries:
// each index gets its own, so a value written to the wrong index shows too.
int32_t Canary(int array, long index);
