// text_scan.cpp -- integer scanning without scanf's undefined overflow
#include "records/text_scan.h"

#include <cctype>

void SkipSpace(FILE* file) {
  int c;
  while ((c = getc(file)) != EOF && isspace(c)) {
  }
  if (c != EOF) ungetc(c, file);
}

bool ScanLiteral(FILE* file, char literal) {
  const int c = getc(file);
  if (c == literal) return true;
  if (c != EOF) ungetc(c, file);
  return false;
}

bool ScanInt32(FILE* file, int32_t* value) {
  SkipSpace(file);
  int c = getc(file);
  bool negative = false;
  if (c == '+' || c == '-') {
    negative = (c == '-');
    c = getc(file);
  }
  if (c == EOF || !isdigit(c)) {
    if (c != EOF) ungetc(c, file);
    return false;
  }
  int64_t magnitude = 0;
  bool overflow = false;
  for (; c != EOF && isdigit(c); c = getc(file)) {
    if (!overflow) {
      magnitude = magnitude * 10 + (c - '0');
      if (magnitude > 2147483648LL) overflow = true;
    }
  }
  if (c != EOF) ungetc(c, file);
  const int64_t signedValue = negative ? -magnitude : magnitude;
  if (overflow || signedValue > INT32_MAX || signedValue < INT32_MIN) return false;
  *value = static_cast<int32_t>(signedValue);
  return true;
}
