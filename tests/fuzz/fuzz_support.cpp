// fuzz_support.cpp -- scratch directory, file placement and the reference reading for the fuzz targets
#include "fuzz_support.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

static std::string scratchDir;

static void removeScratchDirectory() {
  if (scratchDir.empty()) return;
  const std::string command = "rm -rf '" + scratchDir + "'";
  if (system(command.c_str()) != 0) fprintf(stderr, "could not remove %s\n", scratchDir.c_str());
}

void EnterScratchDirectory() {
  const char* base = getenv("TMPDIR");
  std::string templ = std::string(base && *base ? base : "/tmp") + "/velkaro-fuzz-XXXXXX";
  if (!mkdtemp(&templ[0])) {
    perror("mkdtemp");
    abort();
  }
  scratchDir = templ;
  if (chdir(scratchDir.c_str()) != 0 || mkdir("data", 0755) != 0) {
    perror(scratchDir.c_str());
    abort();
  }
  atexit(removeScratchDirectory);
}

// Every target works in its scratch directory from the start.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  EnterScratchDirectory();
  return 0;
}

void PutDataFile(const char* name, const uint8_t* data, size_t size) {
  const std::string path = std::string("data/") + name;
  FILE* file = fopen(path.c_str(), "wb");
  if (!file || fwrite(data, 1, size, file) != size || fclose(file) != 0) {
    perror(path.c_str());
    abort();
  }
}

void FuzzFail(const char* what, long index, long expected, long actual) {
  fprintf(stderr, "INVARIANT BROKEN: %s at %ld: expected %ld, got %ld\n", what, index, expected, actual);
  abort();
}

bool ReferenceText::at(size_t i, int* c) const {
  if (i >= size_) return false;
  *c = data_[i];
  return true;
}

// The C locale's white space: space, \t, \n, \v, \f, \r.
static bool isSpace(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
static bool isDigit(int c) { return c >= '0' && c <= '9'; }

void ReferenceText::skipSpace() {
  int c;
  while (at(pos_, &c) && isSpace(c)) ++pos_;
}

bool ReferenceText::literal(char literal) {
  int c;
  if (!at(pos_, &c) || c != static_cast<unsigned char>(literal)) return false;
  ++pos_;
  return true;
}

bool ReferenceText::int32(int32_t* value) {
  skipSpace();
  int c;
  bool negative = false;
  if (at(pos_, &c) && (c == '+' || c == '-')) {
    negative = c == '-';
    ++pos_;  // a sign with no digit after it stays consumed, as with scanf
  }
  if (!at(pos_, &c) || !isDigit(c)) return false;
  // Decimal digits compared as text against the limits, no arithmetic that could overflow.
  std::string digits;
  while (at(pos_, &c) && isDigit(c)) {
    if (!(digits.empty() && c == '0')) digits.push_back(static_cast<char>(c));
    ++pos_;
  }
  const std::string limit = negative ? "2147483648" : "2147483647";
  if (digits.size() > limit.size() || (digits.size() == limit.size() && digits > limit)) return false;
  long long magnitude = 0;
  for (char d : digits) magnitude = magnitude * 10 + (d - '0');
  *value = static_cast<int32_t>(negative ? -magnitude : magnitude);
  return true;
}

int32_t Canary(int array, long index) {
  return static_cast<int32_t>(0x5A000000u ^ (static_cast<uint32_t>(array) << 20) ^
                              static_cast<uint32_t>(index * 2654435761u));
}

void FillCanaries(int array, int32_t* values, long n) {
  for (long i = 0; i < n; ++i) values[i] = Canary(array, i);
}

void ExpectSame(const char* what, const int32_t* expected, const int32_t* actual, long n) {
  for (long i = 0; i < n; ++i) {
    if (expected[i] != actual[i]) FuzzFail(what, i, expected[i], actual[i]);
  }
}

void FuzzTable(const char* file, bool (*read)(int32_t*), int n, const uint8_t* data, size_t size) {
  PutDataFile(file, data, size);
  // Exactly sized on the heap, so a write past the table is an AddressSanitizer report.
  std::vector<int32_t> values(n);
  FillCanaries(7, values.data(), n);
  std::vector<int32_t> want = values;
  if (!read(values.data())) FuzzFail(file, 0, 1, 0);
  ReferenceText text(data, size);
  for (int i = 0; i < n && text.int32(&want[i]); ++i) {
  }
  ExpectSame(file, want.data(), values.data(), n);
}
