// images.h -- the image catalogue: every sheet, the course pair and the zoomed copy
#pragma once
#include <SDL.h>

// Every picture the game draws. A variable that holds nothing (nullptr) is a
// sheet that failed to load; drawing from it draws nothing.
struct ImageSet {
  // Sheets loaded once by ImageLoad, in this order.
  SDL_Surface* carImage;
  SDL_Surface* EcarImage;
  SDL_Surface* titleImage;
  SDL_Surface* menuImage;
  SDL_Surface* stickImage;
  SDL_Surface* keybordImage;
  SDL_Surface* helpImage;
  SDL_Surface* modeImage;
  SDL_Surface* smallMapImage;
  SDL_Surface* finishImage;
  SDL_Surface* frameImage;
  SDL_Surface* checkImage;
  SDL_Surface* fullImage;
  SDL_Surface* selectImage;
  SDL_Surface* numImage;
  SDL_Surface* numImage2;
  SDL_Surface* commentImage;
  // The chosen course, loaded twice: mapImage is only read (collision),
  // bbMap is drawn and carries the skid marks.
  SDL_Surface* mapImage;
  SDL_Surface* bbMap;
  // The scaled copy made by the latest scaled draw.
  SDL_Surface* ZoomImage;
};
extern ImageSet img;

// The course image size every course must have.
enum { COURSE_W = 1536, COURSE_H = 1152 };

// Loads the seventeen sheets from image/; prints "NOT READ FILE" for each that
// fails and goes on. Keyed sheets get magenta as their transparent colour.
void ImageLoad();

// Releases every image held, the course pair and ZoomImage included.
void ImageRelease();

// Loads "image/map<course>.bmp" twice as mapImage and bbMap. Both new surfaces
// are loaded before the old pair is released, so a failed load leaves the
// previous pair as it was; returns false (after printing a line) then.
bool LoadCoursePair(int course);

// True when the course pair is loaded and both surfaces are at least the full
// course size, so that every probe inside the course lies inside them.
bool CoursePairUsable();
