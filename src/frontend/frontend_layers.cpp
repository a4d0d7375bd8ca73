// frontend_layers.cpp -- the front end's twelve layers, drawn back to front every frame
#include "frontend/frontend_state.h"
#include "frontend/frontend_steps.h"
#include "gfx/digits.h"
#include "gfx/draw.h"
#include "gfx/images.h"
#include "race/car_state.h"
#include "records/record_tables.h"

static void drawCars(SDL_Surface* screen) {
  if (fe.titleCnt > 6) return;  // the props leave with the menu
  for (const CarState& c : car) {
    DrawBmp2(screen, c.dispX, c.dispY, CAR_W, CAR_H, img.carImage, CAR_W * static_cast<int32_t>(c.dir), 0, CAR_W, CAR_H,
             static_cast<uint8_t>(static_cast<int32_t>(c.alpha)));
  }
}

// A plain DrawBmp at the sheet's blend alpha, set just before.
static void drawAt(SDL_Surface* screen, int32_t alpha, int32_t dx, int32_t dy, int32_t dw, int32_t dh,
                   SDL_Surface* image, int32_t sx, int32_t sy, int32_t sw, int32_t sh) {
  SetSheetAlpha(image, static_cast<uint8_t>(alpha & 255));
  DrawBmp(screen, dx, dy, dw, dh, image, sx, sy, sw, sh);
}

static void drawTitleAndMenu(SDL_Surface* screen) {
  drawAt(screen, fe.title.alpha, fe.title.x, fe.title.y, 466, 49, img.titleImage, 0, 0, 466, 49);
  // Only the middle W pixels of each 112-pixel entry show: they open from the centre.
  const int32_t w = 2 * (56 - fe.menuSX);
  for (int i = 0; i < 3; ++i)
    drawAt(screen, fe.menuAlpha[i], fe.menu[i].x, fe.menu[i].y, w, 21, img.menuImage, fe.menuSX, 21 * i, w, 21);
  drawAt(screen, fe.stickAlpha, 0, 100, fe.stickW, 8, img.stickImage, 0, 0, fe.stickW, 8);
}

static void drawHelp(SDL_Surface* screen) {
  // The panel's bottom rows show first, so it slides down from under the bar.
  drawAt(screen, fe.keybordAlpha, 0, 100, 480, fe.keybordH, img.keybordImage, 0, 142 - fe.keybordH, 480, fe.keybordH);
  if (fe.helpFlg > 0) {
    for (const HelpCallout& c : fe.keybord) {
      DrawBmp2(screen, static_cast<int32_t>(c.x - c.w / 2), static_cast<int32_t>(c.y - c.h), static_cast<int32_t>(c.w),
               static_cast<int32_t>(c.h), img.keybordImage, c.srcX, c.srcY, c.srcW, c.srcH,
               static_cast<uint8_t>(c.alpha));
    }
  }
  if (fe.helpFlg == 2) {
    fe.helpAlpha += 20;  // drawing the page is what fades it in
    if (fe.helpAlpha > 255) fe.helpAlpha = 255;
    drawAt(screen, fe.helpAlpha, 0, 0, 480, 480, img.helpImage, 0, 0, 480, 480);
  }
}

static void drawModeSelect(SDL_Surface* screen) {
  // Each panel's bottom-right square shows at its top-left: it unrolls from that corner.
  for (int i = 0; i < 2; ++i) {
    drawAt(screen, fe.modeAlpha[i], fe.modeX[i], fe.modeY[i], fe.modeH, fe.modeH, img.modeImage,
           150 * (i + 1) - fe.modeH, 150 - fe.modeH, fe.modeH, fe.modeH);
  }
  if (fe.modeFlg != 1) return;
  drawAt(screen, fe.selectAlpha, fe.selectX, fe.selectY, 150, 150, img.modeImage, 300, 0, 150, 150);
  if (fe.modeComAlpha == 255) DrawBmp(screen, 0, 350, 480, 130, img.commentImage, 0, 130 * fe.modeCnt, 480, 130);
}

// Course k of the strip: thumbnail, veil and locked frame, cleared badge.
static void drawThumbnail(SDL_Surface* screen, int32_t k, int32_t x) {
  DrawBmp(screen, x, 100, 128, 96, img.smallMapImage, 128 * k, 0, 128, 96);
  if (fe.mapRunFlg[k] == 0) {
    DrawBmp2(screen, x, 100, 128, 96, img.fullImage, 2, 0, 128, 96, 150);
    DrawBmp(screen, x, 100, 128, 96, img.frameImage, 128, 0, 128, 96);
  }
  if (fe.modeCnt == 1 && clearFlg[k] != 0 && fe.mapIH == 96)
    DrawBmp(screen, x, 100, 75, 56, img.finishImage, 0, 111, 75, 56);
}

static void drawCourseSelect(SDL_Surface* screen, int32_t mapCnt) {
  const int32_t offset = fe.mapTX - fe.mapIX;  // 0 when the strip is at rest
  for (int32_t i = 0; i <= 12; ++i) {
    const int32_t k = mapCnt - 6 + i;
    if (k >= 0 && k <= 5) drawThumbnail(screen, k, offset - 736 + 152 * i);
  }
  DrawBmp(screen, offset + 176, 100, 128, 96, img.frameImage, 0, 0, 128, 96);
  if (fe.modeCnt == 0 && fe.mapSelectFlg == 1) {
    DrawBmp(screen, 0, 265, 280, 33, img.numImage2, 417, 7, 197, 22);  // best-time label, scaled up
    DrawTime(screen, 140, 275, bestTime[mapCnt], 1);
  }
  int32_t course = CourseOfSlot(mapCnt);
  if (course < 0) course += 6;
  const int32_t commentRow = fe.mapRunFlg[course] ? 260 + 130 * course : 1040;  // row 8: locked
  DrawBmp(screen, 0, 350, 480, 130, img.commentImage, 0, commentRow, 480, 130);
}

// The chosen course drawn so that its point (mapCenterX, mapCenterY) lands on
// (centerX, centerY) at the current zoom width.
static void drawZoom(SDL_Surface* screen) {
  const float scale = static_cast<float>(fe.mapAnimeW);
  DrawBmp(screen, static_cast<int32_t>(fe.centerX - scale * fe.mapCenterX / 1536),
          static_cast<int32_t>(fe.centerY - scale * fe.mapCenterY / 1536), fe.mapAnimeW, fe.mapAnimeH, img.mapImage, 0,
          0, COURSE_W, COURSE_H);
}

void DrawFrontEndLayers(SDL_Surface* screen, int32_t mapCnt) {
  drawCars(screen);
  drawTitleAndMenu(screen);
  drawHelp(screen);
  drawModeSelect(screen);
  if (fe.titleCnt == 10) drawCourseSelect(screen, mapCnt);
  if (fe.mapSelectFlg == 4) drawZoom(screen);
}
