// images.cpp -- loading and releasing the sheets and the course pair
#include "gfx/images.h"

#include <SDL_image.h>
#include <cstdio>

ImageSet img = {};

struct SheetEntry {
  SDL_Surface* ImageSet::*slot;
  const char* file;
  bool keyed;
};

static const SheetEntry sheets[] = {
    {&ImageSet::carImage, "image/car.bmp", true},
    {&ImageSet::EcarImage, "image/Ecar.bmp", true},
    {&ImageSet::titleImage, "image/title.bmp", true},
    {&ImageSet::menuImage, "image/menu.bmp", true},
    {&ImageSet::stickImage, "image/stick.bmp", true},
    {&ImageSet::keybordImage, "image/keybord.bmp", true},
    {&ImageSet::helpImage, "image/help.bmp", true},
    {&ImageSet::modeImage, "image/mode.bmp", true},
    {&ImageSet::smallMapImage, "image/SmallMap.bmp", true},
    {&ImageSet::finishImage, "image/finish.bmp", true},
    {&ImageSet::frameImage, "image/frame.bmp", true},
    {&ImageSet::checkImage, "image/colorCheck.bmp", true},
    {&ImageSet::fullImage, "image/full.bmp", false},
    {&ImageSet::selectImage, "image/GameSelect.bmp", false},
    {&ImageSet::numImage, "image/num.bmp", true},
    {&ImageSet::numImage2, "image/kazu.bmp", true},
    {&ImageSet::commentImage, "image/comment.bmp", true},
};

static const uint32_t kTransparentKey = 0xFF00FF;  // magenta in the 24-bit sheets

static void releaseSurface(SDL_Surface*& surface) {
  if (surface) SDL_FreeSurface(surface);
  surface = nullptr;
}

void ImageLoad() {
  for (const SheetEntry& sheet : sheets) {
    img.*sheet.slot = IMG_Load(sheet.file);
    if (!(img.*sheet.slot)) puts("NOT READ FILE");
  }
  for (const SheetEntry& sheet : sheets) {
    if (sheet.keyed && img.*sheet.slot) SDL_SetColorKey(img.*sheet.slot, SDL_SRCCOLORKEY, kTransparentKey);
  }
}

void ImageRelease() {
  for (const SheetEntry& sheet : sheets) releaseSurface(img.*sheet.slot);
  releaseSurface(img.mapImage);
  releaseSurface(img.bbMap);
  releaseSurface(img.ZoomImage);
}

bool LoadCoursePair(int course) {
  char path[32];
  snprintf(path, sizeof path, "image/map%d.bmp", course);
  SDL_Surface* collision = IMG_Load(path);
  SDL_Surface* display = IMG_Load(path);
  if (!collision || !display) {
    if (collision) SDL_FreeSurface(collision);
    if (display) SDL_FreeSurface(display);
    printf("cannot load course image %s\n", path);
    return false;
  }
  releaseSurface(img.mapImage);
  releaseSurface(img.bbMap);
  img.mapImage = collision;
  img.bbMap = display;
  return true;
}

bool CoursePairUsable() {
  return img.mapImage && img.bbMap && img.mapImage->w >= COURSE_W && img.mapImage->h >= COURSE_H &&
         img.bbMap->w >= COURSE_W && img.bbMap->h >= COURSE_H;
}
