// bmp_check.cpp -- what a picture file must be before SDL_image is given it
#include "gfx/bmp_check.h"

static uint32_t le16(const uint8_t* p) { return p[0] | (p[1] << 8); }
static uint32_t le32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

enum {
  FILE_HEADER = 14,  // "BM", file size, two reserved words, offset of the pixels
  INFO_HEADER = 40,  // BITMAPINFOHEADER; later versions only add fields
  BI_RGB = 0,
  BI_BITFIELDS = 3,
};

static bool knownHeaderSize(uint32_t size) {
  return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

static bool knownBitsPerPixel(uint32_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

const char* BmpProblem(const uint8_t* bytes, size_t size, int32_t maxWidth, int32_t maxHeight) {
  if (size < FILE_HEADER + INFO_HEADER) return "too short for a BMP header";
  if (bytes[0] != 'B' || bytes[1] != 'M') return "not a BMP";
  const uint8_t* info = bytes + FILE_HEADER;
  const uint32_t headerSize = le32(info);
  if (!knownHeaderSize(headerSize) || FILE_HEADER + headerSize > size) return "unknown header size";
  const int32_t width = static_cast<int32_t>(le32(info + 4));
  const int32_t height = static_cast<int32_t>(le32(info + 8));
  if (width < 1 || width > maxWidth || height < 1 || height > maxHeight) return "width or height out of range";
  if (le16(info + 12) != 1) return "plane count not 1";
  const uint32_t bits = le16(info + 14);
  if (!knownBitsPerPixel(bits)) return "unsupported bits per pixel";
  const uint32_t compression = le32(info + 16);
  const bool masks = compression == BI_BITFIELDS;
  if (compression != BI_RGB && !(masks && (bits == 16 || bits == 32))) return "compressed";
  // What lies between the file header and the pixels: the header, the three
  // colour masks when a 40-byte header does not hold them, the palette.
  uint64_t headerEnd = FILE_HEADER + uint64_t{headerSize};
  if (masks && headerSize == INFO_HEADER) headerEnd += 12;
  if (bits <= 8) {
    const uint32_t used = le32(info + 32);
    if (used > (1u << bits)) return "palette larger than its bits allow";
    headerEnd += 4 * uint64_t{used != 0 ? used : 1u << bits};
  }
  const uint64_t pixelStart = le32(bytes + 10);
  if (pixelStart < headerEnd || headerEnd > size) return "header and palette overlap the pixels";
  const uint64_t rowBytes = (uint64_t{static_cast<uint32_t>(width)} * bits + 31) / 32 * 4;
  if (pixelStart + rowBytes * static_cast<uint32_t>(height) > size) return "pixels past the end of the file";
  return nullptr;
}
