// canvas.h -- an RGBA drawing surface with anti-aliased shapes, text and 24-bit BMP output.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace artgen {

// Colour as 0xRRGGBB; alpha travels separately.
struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
};
inline Rgb RgbOf(uint32_t v) {
  return {static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
}
Rgb Mix(Rgb a, Rgb b, float t);
Rgb Shade(Rgb c, float f);  // f < 1 darker, f > 1 lighter

struct Pt {
  float x, y;
};

// Small deterministic generator; art never uses rand().
struct Rng {
  uint32_t state;
  explicit Rng(uint32_t seed) : state(seed * 2654435761u + 12345u) {}
  uint32_t Next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
  }
  float Unit() { return (Next() >> 8) * (1.0f / 16777216.0f); }
  float Range(float a, float b) { return a + (b - a) * Unit(); }
};

// Smooth value noise in 0..1, fixed by the seed.
float Noise(float x, float y, uint32_t seed);

class Canvas {
 public:
  Canvas(int w, int h);
  int w() const { return w_; }
  int h() const { return h_; }
  uint32_t Pixel(int x, int y) const { return px_[static_cast<size_t>(y) * w_ + x]; }  // 0xAARRGGBB
  void SetPixel(int x, int y, Rgb c, uint8_t a = 255);
  // Paints colour c with coverage `cov` (0..1) over what is there.
  void Blend(int x, int y, Rgb c, float cov);

  void Clear(Rgb c, uint8_t a);
  void FillRect(float x, float y, float w, float h, Rgb c, float alpha = 1);
  void FillRoundRect(float x, float y, float w, float h, float r, Rgb c, float alpha = 1);
  // A rounded frame: outer rounded rectangle minus an inner one `t` pixels in.
  void StrokeRoundRect(float x, float y, float w, float h, float r, float t, Rgb c, float alpha = 1);
  void FillEllipse(float cx, float cy, float rx, float ry, Rgb c, float alpha = 1);
  void FillPolygon(const std::vector<Pt>& pts, Rgb c, float alpha = 1);
  void Line(float x0, float y0, float x1, float y1, float width, Rgb c, float alpha = 1);
  // Vertical gradient inside a rounded rectangle.
  void GradientRoundRect(float x, float y, float w, float h, float r, Rgb top, Rgb bottom);

  // Text. font: "bold", "regular", "oblique" (bold oblique), "condensed", "mono".
  // align: 0 left, 1 centre, 2 right, relative to x. Returns the text width.
  int Text(const std::string& s, float x, float y, int size, Rgb c, const std::string& font = "bold", int align = 0,
           int outline = 0, Rgb outlineColour = {20, 20, 24});
  static int TextWidth(const std::string& s, int size, const std::string& font = "bold");
  static int TextHeight(int size, const std::string& font = "bold");

  // Copies another canvas in, scaled by box averaging (w and h must divide evenly).
  void Blit(const Canvas& src, int dx, int dy);

  // Writes a 24-bit BMP. Keyed: pixels less than half covered become magenta (255, 0, 255)
  // and nothing is ever blended with it; opaque: alpha is ignored (composited on black).
  bool SaveBmp(const std::string& path, bool keyed) const;

 private:
  int w_, h_;
  std::vector<uint32_t> px_;
  template <class F>
  void Coverage(int x0, int y0, int x1, int y1, Rgb c, float alpha, F inside);
};

// The fonts come from fonts-dejavu-core; the build passes their folder in.
void SetFontDir(const std::string& dir);
bool FontsReady();
// Closes every font opened so far and shuts the font library down.
void CloseFonts();

}  // namespace artgen
