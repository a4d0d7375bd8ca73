// main.cpp -- velkaro_soundgen: synthesises every sound of the game into OUTDIR/sound/*.wav
//
//   velkaro_soundgen OUTDIR
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "sounds.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: velkaro_soundgen OUTDIR\n");
    return 2;
  }
  const std::string dir = std::string(argv[1]) + "/sound";
  mkdir(argv[1], 0755);
  mkdir(dir.c_str(), 0755);
  for (int i = 0; i < soundgen::kSoundCount; ++i) {
    const soundgen::SoundDef& s = soundgen::kSounds[i];
    const std::string path = dir + "/" + s.name + ".wav";
    if (!soundgen::WriteWav(path, s.make())) {
      std::fprintf(stderr, "velkaro_soundgen: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
