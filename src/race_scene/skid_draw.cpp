// skid_draw.cpp -- the skid marks drawn into the display copy of the course
#include "race_scene/skid_draw.h"

#include "gfx/draw.h"
#include "gfx/palette.h"
#include "race/race_state.h"

// One wheel's segment between entries i and i + 1, when under 20 px long.
static void DrawWheel(SDL_Surface* target, const int32_t* lx, const int32_t* ly, const int32_t* gx, const int32_t* gy) {
  for (int i = 0; i < skid.DAnimeLen - 1; ++i) {
    const int32_t dx = lx[i] - lx[i + 1];
    const int32_t dy = ly[i] - ly[i + 1];
    if (dx * dx + dy * dy >= 400) continue;  // points of separate slides stay apart
    Draw_Line(target, static_cast<int16_t>(gx[i]), static_cast<int16_t>(gy[i]), static_cast<int16_t>(gx[i + 1]),
              static_cast<int16_t>(gy[i + 1]), LineColor);
    Draw_Line(target, static_cast<int16_t>(gx[i] - 1), static_cast<int16_t>(gy[i] + 1),
              static_cast<int16_t>(gx[i + 1] - 1), static_cast<int16_t>(gy[i + 1] + 1), LineColor);
  }
}

void DrawSkidMarks(SDL_Surface* target) {
  if (!target) return;
  DrawWheel(target, skid.RDAnimeLX, skid.RDAnimeLY, skid.RDAnimeGX, skid.RDAnimeGY);
  DrawWheel(target, skid.LDAnimeLX, skid.LDAnimeLY, skid.LDAnimeGX, skid.LDAnimeGY);
}
