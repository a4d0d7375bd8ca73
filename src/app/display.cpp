// display.cpp -- video modes, the frame surface and presenting it scaled
#include "app/display.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>

#include "app/settings.h"

// The display for the whole run, set by OpenDisplay.
static SDL_Surface* window = nullptr;     // the video surface
static SDL_Surface* offscreen = nullptr;  // the frame when it is not the window itself
static Layout layout = {};
static int desktopW = 0, desktopH = 0;  // the desktop's size before the first mode was set
static int desktopBpp = 24;             // the desktop's own pixel size, when it is 24 or 32 bits
static bool togglePending = false;

Layout ChooseLayout(int scale, bool fullscreen, int desktopWidth, int desktopHeight) {
  const int side = FRAME_SIZE * scale;
  if (!fullscreen) return Layout{side, side, 0, 0, scale, false};
  Layout l = {side, side, 0, 0, scale, true};
  if (desktopWidth > 0 && desktopHeight > 0) {
    l.modeW = std::max(desktopWidth, static_cast<int>(FRAME_SIZE));
    l.modeH = std::max(desktopHeight, static_cast<int>(FRAME_SIZE));
    l.scale = std::min(l.modeW, l.modeH) / FRAME_SIZE;
  }
  l.x = (l.modeW - FRAME_SIZE * l.scale) / 2;
  l.y = (l.modeH - FRAME_SIZE * l.scale) / 2;
  return l;
}

// Each row is widened once, pixel by pixel, and then copied below itself. A
// 32-bit window takes each pixel in its own format as it is widened.
static void replicateRows(SDL_Surface* frame, SDL_Surface* window, int x, int y, int scale) {
  const int bytes = window->format->BytesPerPixel;
  const SDL_PixelFormat* from = frame->format;
  const SDL_PixelFormat* to = window->format;
  // The usual 32-bit X desktop keeps the frame's channel positions: no shifting.
  const bool sameChannels = from->Rmask == to->Rmask && from->Gmask == to->Gmask && from->Bmask == to->Bmask;
  const int rowBytes = frame->w * scale * bytes;
  for (int row = 0; row < frame->h; ++row) {
    const Uint8* src = static_cast<const Uint8*>(frame->pixels) + static_cast<ptrdiff_t>(row) * frame->pitch;
    Uint8* first = static_cast<Uint8*>(window->pixels) + static_cast<ptrdiff_t>(y + row * scale) * window->pitch +
                   static_cast<ptrdiff_t>(x) * bytes;
    Uint8* out = first;
    for (int col = 0; col < frame->w; ++col, src += 3) {
      if (bytes == 3) {
        for (int k = 0; k < scale; ++k, out += 3) {
          out[0] = src[0];
          out[1] = src[1];
          out[2] = src[2];
        }
      } else {
        const Uint32 p = src[0] | (src[1] << 8) | (src[2] << 16);  // the frame's bytes are B, G, R
        const Uint32 v = sameChannels ? p
                                      : (((p & from->Rmask) >> from->Rshift) << to->Rshift) |
                                            (((p & from->Gmask) >> from->Gshift) << to->Gshift) |
                                            (((p & from->Bmask) >> from->Bshift) << to->Bshift);
        for (int k = 0; k < scale; ++k, out += 4) memcpy(out, &v, 4);
      }
    }
    for (int k = 1; k < scale; ++k) memcpy(first + static_cast<ptrdiff_t>(k) * window->pitch, first, rowBytes);
  }
}

void StretchFrame(SDL_Surface* frame, SDL_Surface* window, int x, int y, int scale) {
  if (scale == 1) {
    SDL_Rect at = {static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    SDL_BlitSurface(frame, nullptr, window, &at);
    return;
  }
  if (SDL_MUSTLOCK(window) && SDL_LockSurface(window) < 0) return;
  replicateRows(frame, window, x, y, scale);
  if (SDL_MUSTLOCK(window)) SDL_UnlockSurface(window);
}

// The game's own format: 24 bits, bytes B, G, R, as the window of scale 1.
static SDL_Surface* makeFrame() {
  return SDL_CreateRGBSurface(SDL_SWSURFACE, FRAME_SIZE, FRAME_SIZE, 24, 0xff0000, 0xff00, 0xff, 0);
}

static bool frameIsWindow(const Layout& l) { return l.scale == 1 && !l.fullscreen; }

// The window of scale 1 is the game's 24-bit window. Any other is only ever
// written by the stretch, so it takes the desktop's own pixel size: a 24-bit
// mode on a 32-bit desktop would make SDL convert every pixel again on each
// update, which at scale 4 costs far more than the stretch.
static SDL_Surface* setMode(const Layout& l) {
  const int bpp = frameIsWindow(l) ? 24 : desktopBpp;
  return SDL_SetVideoMode(l.modeW, l.modeH, bpp, l.fullscreen ? SDL_FULLSCREEN : 0);
}

// After a new mode: at scale 1 in a window the scenes draw into the window
// again (the picture is carried back and the spare frame dropped); otherwise
// the borders are painted black once, since nothing else ever draws there.
static void settleFrame() {
  if (frameIsWindow(layout)) {
    if (offscreen) {
      SDL_BlitSurface(offscreen, nullptr, window, nullptr);
      SDL_FreeSurface(offscreen);
      offscreen = nullptr;
    }
    return;
  }
  if (!offscreen) offscreen = makeFrame();
  SDL_FillRect(window, nullptr, SDL_MapRGB(window->format, 0, 0, 0));
  SDL_Flip(window);
}

bool OpenDisplay() {
  const SDL_VideoInfo* info = SDL_GetVideoInfo();
  if (info) {
    desktopW = info->current_w;
    desktopH = info->current_h;
    desktopBpp = info->vfmt && info->vfmt->BitsPerPixel == 32 ? 32 : 24;
  }
  layout = ChooseLayout(playerSettings.scale, playerSettings.fullscreen, desktopW, desktopH);
  window = setMode(layout);
  if (!window && layout.fullscreen) {
    // No full screen here: the window at its scale still lets the game run.
    layout = ChooseLayout(playerSettings.scale, false, desktopW, desktopH);
    window = setMode(layout);
  }
  if (!window) return false;
  settleFrame();
  return offscreen || frameIsWindow(layout);
}

SDL_Surface* FrameSurface() { return offscreen ? offscreen : window; }

static void toggleFullscreen() {
  const Layout next = ChooseLayout(playerSettings.scale, !layout.fullscreen, desktopW, desktopH);
  // The old video surface goes away with the mode: keep its picture first.
  if (!offscreen) {
    offscreen = makeFrame();
    if (!offscreen) return;
    SDL_BlitSurface(window, nullptr, offscreen, nullptr);
  }
  SDL_Surface* opened = setMode(next);
  if (opened) {
    layout = next;
  } else {
    printf("cannot switch to %s: %s\n", next.fullscreen ? "full screen" : "a window", SDL_GetError());
    opened = setMode(layout);
  }
  window = opened;
  if (!window) {
    // Neither mode could be set: the scenes keep the spare frame and the game
    // ends as if the window had been closed.
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    return;
  }
  settleFrame();
  if (playerSettings.fullscreen != layout.fullscreen) {
    playerSettings.fullscreen = layout.fullscreen;
    WriteSettings(playerSettings);
  }
}

void PresentDisplay() {
  if (togglePending && window) {
    togglePending = false;
    toggleFullscreen();
  }
  if (!window) return;
  if (!offscreen) {
    SDL_Flip(window);
    return;
  }
  // Only the frame's area changes; the black borders were shown once.
  StretchFrame(offscreen, window, layout.x, layout.y, layout.scale);
  const int side = FRAME_SIZE * layout.scale;
  SDL_UpdateRect(window, layout.x, layout.y, side, side);
}

void RequestFullscreenToggle() { togglePending = true; }

void CloseDisplay() {
  if (offscreen) SDL_FreeSurface(offscreen);
  offscreen = nullptr;
  window = nullptr;
  togglePending = false;
}
