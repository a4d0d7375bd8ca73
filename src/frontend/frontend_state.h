// frontend_state.h -- everything the front end remembers between frames and scenes
#pragma once
#include <cstdint>

#include "core/track_table.h"

// One of the two pictures that zoom out of the keyboard panel on the help screen.
struct HelpCallout {
  int32_t x, y;        // anchor on screen: bottom centre of the drawn picture
  int32_t srcX, srcY;  // top-left of the picture in the keyboard sheet
  float w, h;          // size drawn
  int32_t srcW, srcH;  // size of the picture in the sheet
  int32_t alpha;
};

struct ScreenPos {
  int32_t x, y;
};

// The front end's program-wide state. It lives for the whole program: nothing
// resets it between scenes, so after a race the front end resumes in the stage
// it left (the course select). ResetFrontEnd puts it back to program start.
struct FrontEndState {
  int32_t titleCnt;  // stage 0..10: 0 init, 1-4 intro, 5 menu, 6 to sub-screen,
                     // 7 help or mode select, 8 help closing, 9 back to menu, 10 course select

  // Title and main menu.
  struct {
    int32_t x, y, alpha;
  } title;
  ScreenPos menu[3];  // top-left of each menu entry
  int32_t menuSX;     // pixels still hidden at each side of every entry, 56..0
  int32_t menuAlpha[3];
  int32_t changeCnt;  // menu cursor 0..2
  int32_t titleFlg;   // entry the menu was left by: 0 mode select, 1 help
  int32_t stickW;     // width of the bar under the heading, 0..480
  int32_t stickAlpha;

  // Help screen.
  int32_t helpFlg;   // 0 panel opening, 1 callouts zooming, 2 help page showing
  int32_t keybordH;  // rows of the keyboard panel shown, 0..142
  int32_t keybordAlpha;
  HelpCallout keybord[2];
  int32_t helpAlpha;

  // Mode select.
  int32_t modeFlg;  // 0 panels opening, 1 choosing, 2 leaving backwards, 3 mode chosen
  int32_t modeH;    // side of the visible part of each mode panel, 0..150
  int32_t modeCnt;  // highlighted mode: 0 ghost (mode 1), 1 rival (mode 2)
  int32_t modeX[2], modeY[2];
  int32_t modeAlpha[2];
  int32_t selectX, selectY;             // top-left of the highlight frame
  int32_t selectAlpha, selectAlphaCnt;  // pulsing highlight and its step
  int32_t modeComAlpha;                 // the mode comment shows only while this is 255

  // Course select.
  int32_t mapSelectFlg;             // 0 strip opening, 1 choosing, 2 leaving, 3 chosen, 4 zooming
  int32_t mapIH;                    // strip opening counter 0..96
  int32_t mapIX;                    // current scroll; course k rests at 152 * k
  int32_t mapTX;                    // scroll target
  int32_t clearCnt;                 // cleared courses, 0..5
  int32_t mapRunFlg[COURSE_COUNT];  // 1 = course unlocked; only ever raised
  float mapCenterX, mapCenterY;     // course point the race's first frame centres
  float centerX, centerY;           // where that point is drawn during the zoom
  int32_t mapAnimeX, mapAnimeY, mapAnimeW, mapAnimeH;

  // Mended behaviour beyond the original screens.
  bool recordReadErrorShown;      // the read error line was printed in this opening
  bool zBlockedAfterLoadFailure;  // a course image failed; z must be released first

  // Sound cues only: whether z was down in the previous choosing frame, so a
  // held z on a locked course is refused once, not every frame.
  bool zHeardDown;
};

// The live state. Only the front end's own files and tests write it.
extern FrontEndState fe;

// What autopilots and end-to-end tests may look at.
const FrontEndState& FrontEndView();

// Back to the program-start state (stage 0, the first frame's initialisation
// still to come). Leaves the shared car array, latches and records alone.
void ResetFrontEnd();
