// frontend_state.cpp -- the front end's program-start values
#include "frontend/frontend_state.h"

#include "core/track_table.h"

static FrontEndState programStart() {
  FrontEndState s = {};
  s.menuSX = 56;  // entries fully hidden until the intro opens them
  for (int32_t& a : s.menuAlpha) a = 255;
  s.stickAlpha = 255;
  s.keybordAlpha = 255;
  s.modeX[0] = 50;
  s.modeX[1] = 280;
  s.modeY[0] = s.modeY[1] = 100;
  s.modeAlpha[0] = s.modeAlpha[1] = 255;
  s.selectAlpha = 0;
  s.selectAlphaCnt = 15;  // the pulse rises 15 a frame from 0 to 150 and back
  s.modeComAlpha = 255;
  for (int k = 0; k < 6; ++k) s.mapRunFlg[k] = kTrack[k].mapRunFlg;
  return s;
}

FrontEndState fe = programStart();

void ResetFrontEnd() { fe = programStart(); }

const FrontEndState& FrontEndView() { return fe; }
