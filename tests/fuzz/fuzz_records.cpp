// fuzz_records.cpp -- any bytes as one record file, read by the game's reader and by an independent
// reading of the format: the two must agree value for value, and nothing past the table may change.
// Each fuzz target is this file built with VELKARO_FUZZ_READER naming its reader.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "records/data_files.h"

namespace {

using Values = std::vector<int32_t>;

// Reports a broken invariant and aborts, so libFuzzer keeps the input.
[[noreturn]] void Fail(const char* what, long index, long expected, long actual) {
  fprintf(stderr, "INVARIANT BROKEN: %s at %ld: expected %ld, got %ld\n", what, index, expected, actual);
  abort();
}

void Put(const char* name, const uint8_t* data, size_t size) {
  const std::string path = std::string("data/") + name;
  FILE* file = fopen(path.c_str(), "wb");
  if (!file || fwrite(data, 1, size, file) != size || fclose(file) != 0) Fail(name, 0, 0, 0);
}

// The text as scanf's "%d", "," and " " read it, over memory; a number that does not
// fit in 32 bits is a failed conversion.
struct Reference {
  const uint8_t* data;
  size_t size;
  size_t pos = 0;

  int peek() const { return pos < size ? data[pos] : -1; }
  void skipSpace() {
    while (peek() == ' ' || (peek() >= '\t' && peek() <= '\r')) ++pos;
  }
  bool literal(char c) {
    if (peek() != static_cast<unsigned char>(c)) return false;
    ++pos;
    return true;
  }
  bool int32(int32_t* value) {
    skipSpace();
    const bool negative = peek() == '-';
    if (peek() == '+' || peek() == '-') ++pos;  // a lone sign stays consumed, as with scanf
    if (peek() < '0' || peek() > '9') return false;
    // The digits compared as text against the limit: no arithmetic that could overflow.
    std::string digits;
    for (; peek() >= '0' && peek() <= '9'; ++pos)
      if (!digits.empty() || peek() != '0') digits.push_back(static_cast<char>(peek()));
    const std::string limit = negative ? "2147483648" : "2147483647";
    if (digits.size() > limit.size() || (digits.size() == limit.size() && digits > limit)) return false;
    const long long magnitude = digits.empty() ? 0 : std::stoll(digits);
    *value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    return true;
  }
};

// Values no reader produces by accident: each index its own, so a value at the wrong index shows.
int32_t Canary(int array, long index) {
  return static_cast<int32_t>(0x5A000000u ^ (static_cast<uint32_t>(array) << 20) ^
                              static_cast<uint32_t>(index * 2654435761u));
}
// Exactly sized on the heap, so a write past the table is an AddressSanitizer report.
// Made once per table and copied (a copy is exactly sized too): the run tables
// are 10000 entries, filled anew for every input.
Values Canaries(int array, long n) {
  static std::map<std::pair<int, long>, Values> made;
  Values& v = made[{array, n}];
  if (v.empty()) {
    v.resize(static_cast<size_t>(n));
    for (long i = 0; i < n; ++i) v[i] = Canary(array, i);
  }
  return v;
}

void ExpectSame(const char* what, const Values& want, const Values& got) {
  if (want == got) return;  // one memory comparison; the loop only to name the first difference
  for (size_t i = 0; i < want.size(); ++i)
    if (want[i] != got[i]) Fail(what, static_cast<long>(i), want[i], got[i]);
}

int32_t Clamped(int32_t count) { return count < 0 ? 0 : count > RUN_CAPACITY ? RUN_CAPACITY : count; }

// A table of n numbers in one file, read in order up to the first bad one.
void Table(const char* file, bool (*read)(int32_t*), int n, const uint8_t* data, size_t size) {
  Put(file, data, size);
  Values got = Canaries(7, n), want = got;
  if (!read(got.data())) Fail(file, 0, 1, 0);
  Reference text{data, size};
  for (int i = 0; i < n && text.int32(&want[i]); ++i) {
  }
  ExpectSame(file, want, got);
}

void BestTimes(const uint8_t* data, size_t size) { Table("bestTime.txt", ReadBestTimes, SLOT_COUNT, data, size); }
void ClearFlags(const uint8_t* data, size_t size) { Table("clearFlg.txt", ReadClearFlags, COURSE_COUNT, data, size); }

// Twenty "x,y" pairs.
void Checkpoints(const uint8_t* data, size_t size) {
  Put("check2.txt", data, size);
  Values x = Canaries(1, CHECKPOINT_COUNT), y = Canaries(2, CHECKPOINT_COUNT), wantX = x, wantY = y;
  if (!ReadCheckpoints(2, x.data(), y.data())) Fail("checkpoint file not read", 0, 1, 0);
  Reference text{data, size};
  for (int i = 0; i < CHECKPOINT_COUNT; ++i) {
    if (!text.int32(&wantX[i]) || !text.literal(',') || !text.int32(&wantY[i])) break;
    text.skipSpace();
  }
  ExpectSame("checkX", wantX, x);
  ExpectSame("checkY", wantY, y);
}

// "<count file>|<entry file>", read as the race start reads a stored run: the count
// clamped to 0..RUN_CAPACITY, then that many entries. With no '|' the count file is
// empty and the count keeps an earlier value taken from the input's length, from
// -1000 to 11000, so both clamps are exercised.
void RunEntries(const uint8_t* data, size_t size) {
  const uint8_t* bar = static_cast<const uint8_t*>(memchr(data, '|', size));
  const size_t countSize = bar ? static_cast<size_t>(bar - data) : 0;
  const uint8_t* entries = bar ? bar + 1 : data;
  const size_t entrySize = bar ? size - countSize - 1 : size;
  Put("saveCnt7.txt", data, countSize);
  Put("ghost7.txt", entries, entrySize);

  int32_t count = static_cast<int32_t>(size * 7919 % 12001) - 1000, wantCount = count, value = 0;
  Reference countText{data, countSize};
  if (countText.int32(&value)) wantCount = Clamped(value);
  if (!ReadRunCount(7, &count)) Fail("count file not read", 0, 1, 0);
  if (count != wantCount) Fail("count", 0, wantCount, count);

  Values x = Canaries(4, RUN_CAPACITY), y = Canaries(5, RUN_CAPACITY), ang = Canaries(6, RUN_CAPACITY);
  Values wantX = x, wantY = y, wantAng = ang;
  if (!ReadRunEntries(7, count, x.data(), y.data(), ang.data())) Fail("entry file not read", 0, 1, 0);
  Reference text{entries, entrySize};
  for (int32_t i = 0; i < Clamped(wantCount); ++i)
    if (!text.int32(&wantX[i]) || !text.int32(&wantY[i]) || !text.int32(&wantAng[i])) break;
  // Entries past the count, or past the first bad number, keep their canaries.
  ExpectSame("LoadX", wantX, x);
  ExpectSame("LoadY", wantY, y);
  ExpectSame("LoadAng", wantAng, ang);
}

struct Reader {
  const char* name;
  void (*fuzz)(const uint8_t*, size_t);
};
const Reader kReaders[] = {
    {"best_times", BestTimes}, {"clear_flags", ClearFlags}, {"checkpoints", Checkpoints}, {"run_entries", RunEntries}};
void (*fuzzOne)(const uint8_t*, size_t) = nullptr;
std::string scratch;

void RemoveScratch() {
  if (system(("rm -rf '" + scratch + "'").c_str()) != 0) fprintf(stderr, "could not remove %s\n", scratch.c_str());
}

}  // namespace

// Picks the reader and works from a scratch directory with data/ inside (under
// $TMPDIR, else /tmp), removed at exit.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  for (const Reader& r : kReaders)
    if (strcmp(r.name, VELKARO_FUZZ_READER) == 0) fuzzOne = r.fuzz;
  const char* base = getenv("TMPDIR");
  scratch = std::string(base && *base ? base : "/tmp") + "/velkaro-fuzz-XXXXXX";
  if (!fuzzOne || !mkdtemp(&scratch[0]) || chdir(scratch.c_str()) != 0 || mkdir("data", 0755) != 0) {
    perror(VELKARO_FUZZ_READER);
    abort();
  }
  atexit(RemoveScratch);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzOne(data, size);
  return 0;
}
