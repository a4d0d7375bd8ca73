// main.cpp -- program entry: the window, then the scene loop
#include <SDL.h>

#include <cstdio>

#include "app/audio.h"
#include "app/display.h"
#include "app/gamepad.h"
#include "app/key_bindings.h"
#include "app/options.h"
#include "app/output_guard.h"
#include "app/scene_loop.h"
#include "app/settings.h"
#include "gfx/bmp_check.h"
#include "gfx/images.h"
#include "race/race_state.h"
#include "records/atomic_save.h"
#include "records/data_files.h"

int main(int argc, char** argv) {
  // A closed or stalled reader of the diagnostic lines loses lines, never the game.
  GuardStandardOutput();
  // Line-buffered so the diagnostic lines reach a pipe as they are printed.
  setvbuf(stdout, nullptr, _IOLBF, 0);
  // The command line is read before anything else: --help, --version and a
  // mistake end the program here, with no window and no file touched.
  const OptionResult parsed = ParseOptions(argc, argv);
  if (parsed.exitStatus >= 0) {
    fputs(parsed.text.c_str(), parsed.exitStatus == 0 ? stdout : stderr);
    return parsed.exitStatus;
  }
  // What a save cut short by a crash or a kill left is put right before anything is read.
  RecoverInterruptedSaves();
  RecoverInterruptedSave(&kSettingsPath, 1);
  // The remembered choices, with what the command line says laid over them.
  const Settings stored = ReadSettings();
  playerSettings = ApplyOptions(stored, parsed.options);
  InstallKeyBindings(playerSettings.keys, kSettingsPath);
  // Authoring is a mode of this run only, never remembered.
  raceOptions.authorFlg = parsed.options.author ? 1 : 0;

  if (SDL_Init(SDL_INIT_VIDEO) < 0) return -1;
  // The icon is set before the video mode; without a readable icon.bmp the
  // window simply has none.
  SDL_Surface* icon = LoadCheckedImage("icon.bmp", BMP_ICON_MAX_SIDE, BMP_ICON_MAX_SIDE);
  if (icon) SDL_WM_SetIcon(icon, nullptr);
  SDL_WM_SetCaption("Velkaro", nullptr);
  const bool opened = OpenDisplay();
  if (icon) SDL_FreeSurface(icon);
  if (!opened) {
    SDL_Quit();
    return -1;
  }
  // Options given on the command line are remembered for the next start.
  if (!SameSettings(playerSettings, stored)) WriteSettings(playerSettings);
  OpenGamepad();
  // Sound after the window, as a subsystem of its own; the game runs without it.
  AudioOpen(playerSettings.mute);
  RunSceneLoop(FrameSurface());
  AudioClose();
  CloseGamepad();
  CloseDisplay();
  SDL_Quit();  // also releases the window
  return 0;
}
