// images.h -- the image catalogue: every sheet, the course pair and the zoomed copy
#pragma once
#include <SDL.h>

#include "core/track_table.h"

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

// Reads a picture through the file gate and the BMP check and decodes it with
// SDL_image; nullptr when either refuses it (a FIFO, a device, an oversized or
// malformed file, a side past the limits given) or it cannot be decoded.
SDL_Surface* LoadCheckedImage(const char* path, int32_t maxWidth, int32_t maxHeight);

// Loads the seventeen sheets from image/; prints "NOT READ FILE" for each that
// fails and goes on. Keyed sheets get magenta as their transparent colour.
// Also reads the six course images ahead, silently, and makes two course-sized
// surfaces, so that LoadCoursePair never waits for a file or for fresh memory.
void ImageLoad();

// Releases every image held, the course pair, ZoomImage and the course images
// read ahead included.
void ImageRelease();

// Gives mapImage and bbMap each a fresh copy of "image/map<course>.bmp": two
// independent surfaces, as if the file were loaded twice. The file is read
// unless the copy read ahead is still current (same file, same size and
// modification time); the held pair's surfaces are reused when they have the
// image's layout. A course that cannot be read leaves the previous pair as it
// was and returns false after printing a line.
bool LoadCoursePair(int course);

// True when the course pair is loaded and both surfaces are at least the full
// course size, so that every probe inside the course lies inside them.
bool CoursePairUsable();
