// text_scan.h -- the small subset of scanf the data files are read with
#pragma once
#include <cstdint>
#include <cstdio>

// Reads like fscanf's "%d" / "%ld": skips white space, an optional sign, then
// decimal digits. Returns false when no number is there or it does not fit in
// 32 bits (the digits are consumed either way).
bool ScanInt32(FILE* file, int32_t* value);

// Matches one literal character, as a scanf format's ',' does (no white space skipped).
bool ScanLiteral(FILE* file, char literal);

// Skips any white space, as a space in a scanf format does.
void SkipSpace(FILE* file);
