// canvas.cpp -- RGBA canvas: supersampled shapes, SDL_ttf lettering and keyed BMP output.
#include "canvas.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <map>

namespace artgen {

namespace {

std::string gFontDir;
const int kSub = 4;  // 4 x 4 samples per pixel for shape edges

std::string FontFile(const std::string& font) {
  if (font == "regular") return "DejaVuSans.ttf";
  if (font == "oblique") return "DejaVuSans-BoldOblique.ttf";
  if (font == "condensed") return "DejaVuSansCondensed-Bold.ttf";
  if (font == "mono") return "DejaVuSansMono-Bold.ttf";
  return "DejaVuSans-Bold.ttf";
}

std::map<std::pair<std::string, int>, TTF_Font*> gFontCache;

TTF_Font* GetFont(const std::string& font, int size) {
  auto& cache = gFontCache;
  auto key = std::make_pair(font, size);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  if (!TTF_WasInit()) TTF_Init();
  TTF_Font* f = TTF_OpenFont((gFontDir + "/" + FontFile(font)).c_str(), size);
  cache[key] = f;
  return f;
}

float Clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

float Hash(int x, int y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xffffff) / 16777216.0f;
}

}  // namespace

void SetFontDir(const std::string& dir) { gFontDir = dir; }
bool FontsReady() { return GetFont("bold", 12) != nullptr; }

void CloseFonts() {
  for (auto& entry : gFontCache) {
    if (entry.second) TTF_CloseFont(entry.second);
  }
  gFontCache.clear();
  if (TTF_WasInit()) TTF_Quit();
}

Rgb Mix(Rgb a, Rgb b, float t) {
  return {static_cast<uint8_t>(std::lround(a.r + (b.r - a.r) * t)),
          static_cast<uint8_t>(std::lround(a.g + (b.g - a.g) * t)),
          static_cast<uint8_t>(std::lround(a.b + (b.b - a.b) * t))};
}

Rgb Shade(Rgb c, float f) {
  auto ch = [f](int v) {
    float r = f <= 1 ? v * f : v + (255 - v) * (f - 1);
    return static_cast<uint8_t>(std::clamp(static_cast<int>(std::lround(r)), 0, 255));
  };
  return {ch(c.r), ch(c.g), ch(c.b)};
}

float Noise(float x, float y, uint32_t seed) {
  int xi = static_cast<int>(std::floor(x)), yi = static_cast<int>(std::floor(y));
  float fx = x - xi, fy = y - yi;
  fx = fx * fx * (3 - 2 * fx);
  fy = fy * fy * (3 - 2 * fy);
  float a = Hash(xi, yi, seed), b = Hash(xi + 1, yi, seed), c = Hash(xi, yi + 1, seed), d = Hash(xi + 1, yi + 1, seed);
  return a + (b - a) * fx + (c - a) * fy + (a - b - c + d) * fx * fy;
}

Canvas::Canvas(int w, int h) : w_(w), h_(h), px_(static_cast<size_t>(w) * h, 0) {}

void Canvas::SetPixel(int x, int y, Rgb c, uint8_t a) {
  if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
  px_[static_cast<size_t>(y) * w_ + x] =
      (static_cast<uint32_t>(a) << 24) | (static_cast<uint32_t>(c.r) << 16) | (static_cast<uint32_t>(c.g) << 8) | c.b;
}

void Canvas::Blend(int x, int y, Rgb c, float cov) {
  if (x < 0 || y < 0 || x >= w_ || y >= h_ || cov <= 0) return;
  cov = Clamp01(cov);
  uint32_t d = px_[static_cast<size_t>(y) * w_ + x];
  float da = (d >> 24) / 255.0f;
  float oa = cov + da * (1 - cov);
  if (oa <= 0) return;
  auto ch = [&](int s, int dst) { return static_cast<uint8_t>(std::lround((s * cov + dst * da * (1 - cov)) / oa)); };
  Rgb o{ch(c.r, (d >> 16) & 255), ch(c.g, (d >> 8) & 255), ch(c.b, d & 255)};
  SetPixel(x, y, o, static_cast<uint8_t>(std::lround(oa * 255)));
}

void Canvas::Clear(Rgb c, uint8_t a) {
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) SetPixel(x, y, c, a);
}

template <class F>
void Canvas::Coverage(int x0, int y0, int x1, int y1, Rgb c, float alpha, F inside) {
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, w_ - 1);
  y1 = std::min(y1, h_ - 1);
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      int n = 0;
      for (int sy = 0; sy < kSub; ++sy)
        for (int sx = 0; sx < kSub; ++sx)
          if (inside(x + (sx + 0.5f) / kSub, y + (sy + 0.5f) / kSub)) ++n;
      if (n) Blend(x, y, c, alpha * n / static_cast<float>(kSub * kSub));
    }
}

void Canvas::FillRect(float x, float y, float w, float h, Rgb c, float alpha) {
  Coverage(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)), static_cast<int>(std::ceil(x + w)),
           static_cast<int>(std::ceil(y + h)), c, alpha,
           [&](float px, float py) { return px >= x && px < x + w && py >= y && py < y + h; });
}

static bool InRoundRect(float px, float py, float x, float y, float w, float h, float r) {
  if (px < x || py < y || px >= x + w || py >= y + h) return false;
  float cx = std::clamp(px, x + r, x + w - r), cy = std::clamp(py, y + r, y + h - r);
  float dx = px - cx, dy = py - cy;
  return dx * dx + dy * dy <= r * r;
}

void Canvas::FillRoundRect(float x, float y, float w, float h, float r, Rgb c, float alpha) {
  Coverage(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)), static_cast<int>(std::ceil(x + w)),
           static_cast<int>(std::ceil(y + h)), c, alpha,
           [&](float px, float py) { return InRoundRect(px, py, x, y, w, h, r); });
}

void Canvas::StrokeRoundRect(float x, float y, float w, float h, float r, float t, Rgb c, float alpha) {
  Coverage(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)), static_cast<int>(std::ceil(x + w)),
           static_cast<int>(std::ceil(y + h)), c, alpha, [&](float px, float py) {
             return InRoundRect(px, py, x, y, w, h, r) &&
                    !InRoundRect(px, py, x + t, y + t, w - 2 * t, h - 2 * t, std::max(0.0f, r - t));
           });
}

void Canvas::GradientRoundRect(float x, float y, float w, float h, float r, Rgb top, Rgb bottom) {
  for (int row = static_cast<int>(std::floor(y)); row <= static_cast<int>(std::ceil(y + h)); ++row) {
    float t = Clamp01((row + 0.5f - y) / h);
    Rgb c = Mix(top, bottom, t);
    Coverage(static_cast<int>(std::floor(x)), row, static_cast<int>(std::ceil(x + w)), row, c, 1,
             [&](float px, float py) { return InRoundRect(px, py, x, y, w, h, r); });
  }
}

void Canvas::FillEllipse(float cx, float cy, float rx, float ry, Rgb c, float alpha) {
  Coverage(static_cast<int>(std::floor(cx - rx)), static_cast<int>(std::floor(cy - ry)),
           static_cast<int>(std::ceil(cx + rx)), static_cast<int>(std::ceil(cy + ry)), c, alpha,
           [&](float px, float py) {
             float dx = (px - cx) / rx, dy = (py - cy) / ry;
             return dx * dx + dy * dy <= 1;
           });
}

void Canvas::FillPolygon(const std::vector<Pt>& pts, Rgb c, float alpha) {
  if (pts.size() < 3) return;
  float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
  for (auto p : pts) {
    x0 = std::min(x0, p.x);
    y0 = std::min(y0, p.y);
    x1 = std::max(x1, p.x);
    y1 = std::max(y1, p.y);
  }
  Coverage(static_cast<int>(std::floor(x0)), static_cast<int>(std::floor(y0)), static_cast<int>(std::ceil(x1)),
           static_cast<int>(std::ceil(y1)), c, alpha, [&](float px, float py) {
             bool in = false;
             for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
               const Pt &a = pts[i], &b = pts[j];
               if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x) in = !in;
             }
             return in;
           });
}

void Canvas::Line(float x0, float y0, float x1, float y1, float width, Rgb c, float alpha) {
  float dx = x1 - x0, dy = y1 - y0, len = std::hypot(dx, dy);
  if (len < 1e-4f) return;
  float nx = -dy / len * width / 2, ny = dx / len * width / 2;
  FillPolygon({{x0 + nx, y0 + ny}, {x1 + nx, y1 + ny}, {x1 - nx, y1 - ny}, {x0 - nx, y0 - ny}}, c, alpha);
}

int Canvas::TextWidth(const std::string& s, int size, const std::string& font) {
  int w = 0, h = 0;
  TTF_Font* f = GetFont(font, size);
  if (f) TTF_SizeUTF8(f, s.c_str(), &w, &h);
  return w;
}

int Canvas::TextHeight(int size, const std::string& font) {
  TTF_Font* f = GetFont(font, size);
  return f ? TTF_FontHeight(f) : size;
}

int Canvas::Text(const std::string& s, float x, float y, int size, Rgb c, const std::string& font, int align,
                 int outline, Rgb outlineColour) {
  TTF_Font* f = GetFont(font, size);
  if (!f || s.empty()) return 0;
  int w = TextWidth(s, size, font);
  int left = static_cast<int>(std::lround(align == 1 ? x - w / 2.0f : (align == 2 ? x - w : x)));
  int top = static_cast<int>(std::lround(y));
  auto stamp = [&](SDL_Surface* surf, int ox, int oy, Rgb col) {
    if (!surf) return;
    SDL_LockSurface(surf);
    for (int yy = 0; yy < surf->h; ++yy)
      for (int xx = 0; xx < surf->w; ++xx) {
        Uint32 v = (reinterpret_cast<Uint32*>(static_cast<Uint8*>(surf->pixels) +
                                              static_cast<ptrdiff_t>(yy) * surf->pitch))[xx];
        Uint8 r, g, b, a;
        SDL_GetRGBA(v, surf->format, &r, &g, &b, &a);
        if (a) Blend(ox + xx, oy + yy, col, a / 255.0f);
      }
    SDL_UnlockSurface(surf);
    SDL_FreeSurface(surf);
  };
  SDL_Color white{255, 255, 255, 0};
  if (outline > 0) {
    TTF_SetFontOutline(f, outline);
    stamp(TTF_RenderUTF8_Blended(f, s.c_str(), white), left - outline, top - outline, outlineColour);
    TTF_SetFontOutline(f, 0);
  }
  stamp(TTF_RenderUTF8_Blended(f, s.c_str(), white), left, top, c);
  return w;
}

void Canvas::Blit(const Canvas& src, int dx, int dy) {
  for (int y = 0; y < src.h_; ++y)
    for (int x = 0; x < src.w_; ++x) {
      uint32_t v = src.px_[static_cast<size_t>(y) * src.w_ + x];
      if (v >> 24) Blend(dx + x, dy + y, RgbOf(v), (v >> 24) / 255.0f);
    }
}

bool Canvas::SaveBmp(const std::string& path, bool keyed) const {
  SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w_, h_, 24, 0xff0000, 0x00ff00, 0x0000ff, 0);
  if (!s) return false;
  SDL_LockSurface(s);
  for (int y = 0; y < h_; ++y) {
    Uint8* row = static_cast<Uint8*>(s->pixels) + static_cast<ptrdiff_t>(y) * s->pitch;
    for (int x = 0; x < w_; ++x) {
      uint32_t v = px_[static_cast<size_t>(y) * w_ + x];
      int a = v >> 24, r = (v >> 16) & 255, g = (v >> 8) & 255, b = v & 255;
      if (keyed) {
        if (a < 128) {
          r = 255, g = 0, b = 255;
        } else if (r == 255 && g == 0 && b == 255) {
          r = 254;  // a drawn pixel must never read as the key
        }
      } else {
        r = r * a / 255, g = g * a / 255, b = b * a / 255;
      }
      row[x * 3 + 0] = static_cast<Uint8>(b);  // 24-bit BMP surfaces hold B, G, R in memory
      row[x * 3 + 1] = static_cast<Uint8>(g);
      row[x * 3 + 2] = static_cast<Uint8>(r);
    }
  }
  SDL_UnlockSurface(s);
  int rc = SDL_SaveBMP(s, path.c_str());
  SDL_FreeSurface(s);
  return rc == 0;
}

}  // namespace artgen
