// The player's key bindings: key names, how a set of bindings resolves, the settings lines, the
// keyboard under them, and a race that does not care which physical keys made its KeyMasks.
#include <map>

#include "app/key_bindings.h"
#include "app/settings.h"
#include "test_race_support.h"

namespace {

// Bindings by game key: {k, name}.
using Names = std::map<int, std::string>;
KeyBindingNames namesOf(const Names& given) {
  KeyBindingNames n;
  for (const auto& [k, name] : given) n.name[k] = name;
  return n;
}
enum { UP, DOWN, LEFT, RIGHT, CONFIRM, BACK, AUTHOR, SPARE };

TEST(KeyNames, AcceptedNamesIgnoreCaseAndTheProgramsKeysAreRefused) {
  const std::pair<const char*, int> cases[] = {
      {"Return", SDLK_RETURN},
      {"RETURN", SDLK_RETURN},
      {"Z", SDLK_z},
      {"q", SDLK_q},
      {"7", SDLK_7},
      {"F1", SDLK_F1},
      {"f12", SDLK_F12},
      {"F15", SDLK_F15},
      {"space", SDLK_SPACE},
      {"KP_Enter", SDLK_KP_ENTER},
      {"kp_9", SDLK_KP9},
      {"Page_Down", SDLK_PAGEDOWN},
      {"Shift_R", SDLK_RSHIFT},
      {"grave", SDLK_BACKQUOTE},
      // The program's own keys, and what is no key at all.
      {"F11", -1},
      {"m", -1},
      {"M", -1},
      {"Alt_L", -1},
      {"Alt_R", -1},
      {"", -1},
      {"zz", -1},
      {"F16", -1},
      {"F0", -1},
      {"KP_10", -1},
      {"Up ", -1},
      {"Enter", -1},
      {"é", -1},
  };
  for (const auto& [name, sym] : cases) EXPECT_EQ(KeySymByName(name), sym) << name;
  // Every key with a name reads back from it, and none of the program's keys has one.
  int named = 0;
  for (int sym = 1; sym < SDLK_LAST; ++sym) {
    const std::string name = KeyNameOf(sym);
    if (name.empty()) continue;
    ++named;
    EXPECT_EQ(KeySymByName(name), sym) << name;
  }
  EXPECT_EQ(named, 25 + 10 + 36 + 14 + 10);  // letters but m, digits, the named keys, F1..F15 but F11, KP_0..KP_9
  EXPECT_EQ(KeyNameOf(SDLK_F11) + KeyNameOf(SDLK_m) + KeyNameOf(SDLK_LALT) + KeyNameOf(SDLK_RALT), "");
}

TEST(KeyBindingsResolve, EachRefusedBindingKeepsItsDefaultWithOneLine) {
  const int D[8] = {SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT, SDLK_z, SDLK_x, SDLK_a, SDLK_s};
  struct Row {
    Names given;
    std::map<int, int> changed;  // game key: its physical key, where not the default
    int confirmAlias, backAlias;
    std::string problems;
  };
  const std::string conf = "key.confirm \"x\" is key.back's key too; z kept";
  const Row rows[] = {
      {{}, {}, SDLK_RETURN, SDLK_ESCAPE, ""},
      {{{CONFIRM, "Return"}, {UP, "w"}}, {{CONFIRM, SDLK_RETURN}, {UP, SDLK_w}}, -1, SDLK_ESCAPE, ""},
      {{{CONFIRM, "x"}, {BACK, "z"}}, {{CONFIRM, SDLK_x}, {BACK, SDLK_z}}, SDLK_RETURN, SDLK_ESCAPE, ""},  // a swap
      {{{UP, "Escape"}, {SPARE, "Return"}}, {{UP, SDLK_ESCAPE}, {SPARE, SDLK_RETURN}}, -1, -1, ""},
      {{{LEFT, "F11"}, {RIGHT, "M"}, {DOWN, "Alt_L"}},
       {},
       SDLK_RETURN,
       SDLK_ESCAPE,
       "key.down \"Alt_L\" is kept for the program; Down kept|key.left \"F11\" is kept for the program; Left kept|"
       "key.right \"M\" is kept for the program; Right kept"},
      {{{AUTHOR, "Foo"}, {UP, "q"}},
       {{UP, SDLK_q}},
       SDLK_RETURN,
       SDLK_ESCAPE,
       "key.author \"Foo\" is not a key name; a kept"},
      {{{DOWN, "s"}}, {}, SDLK_RETURN, SDLK_ESCAPE, "key.down \"s\" is key.spare's key too; Down kept"},
      {{{CONFIRM, "x"}, {BACK, "x"}}, {}, SDLK_RETURN, SDLK_ESCAPE, conf},  // back x is x anyway
      {{{UP, "w"}, {DOWN, "W"}},
       {{DOWN, SDLK_w}},
       SDLK_RETURN,
       SDLK_ESCAPE,
       "key.up \"w\" is key.down's key too; Up kept"},
      // Taking one back can uncover another clash: confirm x goes, then up z meets confirm's z.
      {{{UP, "z"}, {CONFIRM, "x"}},
       {},
       SDLK_RETURN,
       SDLK_ESCAPE,
       conf + "|key.up \"z\" is key.confirm's key too; Up kept"},
  };
  for (const Row& row : rows) {
    std::vector<std::string> problems;
    const KeyBindings b = ResolveKeyBindings(namesOf(row.given), &problems);
    std::string joined;
    for (const std::string& p : problems) joined += (joined.empty() ? "" : "|") + p;
    EXPECT_EQ(joined, row.problems);
    std::vector<int> expected(D, D + 8), syms(b.sym, b.sym + 8);
    for (const auto& [k, sym] : row.changed) expected[k] = sym;
    EXPECT_EQ(syms, expected) << row.problems;
    EXPECT_EQ(V(b.confirmAlias, b.backAlias), V(row.confirmAlias, row.backAlias)) << row.problems;
    // Whatever was asked, no two game keys share a key and none is the program's.
    for (int k = 0; k < 8; ++k) {
      EXPECT_TRUE(b.sym[k] != SDLK_F11 && b.sym[k] != SDLK_m && b.sym[k] != SDLK_LALT && b.sym[k] != SDLK_RALT);
      for (int j = k + 1; j < 8; ++j) EXPECT_NE(b.sym[k], b.sym[j]);
    }
  }
}

using KeyBindingSettings = SceneTest;

TEST_F(KeyBindingSettings, LinesReadAsWrittenGarbageIsDamageAndTheFileKeepsThem) {
  WriteTextFile("data/settings.txt",
                "scale 2\nkey.confirm Return\nkey.up=w\nkey.jump q\nkey.left \x01\x02\nkey.back\nKEY.DOWN s\n"
                "key.right = nonsense\n");
  Settings s;
  EXPECT_EQ(Printed([&] { s = ReadSettings(); }),
            "data/settings.txt: damaged (key.jump, key.left, line 6, line 7), using the defaults there\n");
  EXPECT_EQ(V(s.scale, s.keys.name[CONFIRM] == "Return", s.keys.name[UP] == "w", s.keys.name[LEFT].empty(),
              s.keys.name[RIGHT] == "nonsense"),
            V(2, 1, 1, 1, 1));
  // Rewritten (as M does), the player's lines stay, refused ones too; read again, the same.
  ASSERT_TRUE(WriteSettings(s));
  EXPECT_EQ(ReadTextFile("data/settings.txt"),
            "scale 2\nfullscreen 0\nmute 0\nkey.up w\nkey.right nonsense\nkey.confirm Return\n");
  EXPECT_TRUE(SameSettings(ReadSettings(), s));
  // Put in use: one line for the bad name, the rest bound.
  EXPECT_EQ(Printed([&] { InstallKeyBindings(s.keys, kSettingsPath); }),
            "data/settings.txt: key.right \"nonsense\" is not a key name; Right kept\n");
}

// One frame's key events, then the KeyMask read: {down?, key}.
uint8_t frame(std::initializer_list<std::pair<bool, int>> events) {
  for (const auto& [down, sym] : events) {
    SDL_Event e{Uint8(down ? SDL_KEYDOWN : SDL_KEYUP)};
    e.key.keysym.sym = SDLKey(sym);
    EXPECT_EQ(SDL_PushEvent(&e), 0);
  }
  return GetMsg();
}

TEST_F(KeyBindingSettings, TheKeyboardPlaysTheBoundKeysAndReturnAndEscapeBesideThem) {
  InstallKeyBindings(namesOf({{UP, "w"}, {CONFIRM, "space"}, {BACK, "q"}}), kSettingsPath);
  const bool D = true, U = false;
  const std::vector<double> seen = {
      double(frame({{D, SDLK_w}})),                             // 1
      double(frame({{D, SDLK_UP}, {D, SDLK_z}})),               // the old keys play nothing now: 1
      double(frame({{U, SDLK_w}, {D, SDLK_SPACE}})),            // 16
      double(frame({{D, SDLK_RETURN}})),                        // 16
      double(frame({{U, SDLK_SPACE}})),                         // Return still holds confirm: 16
      double(frame({{U, SDLK_RETURN}, {D, SDLK_ESCAPE}})),      // 32
      double(frame({{D, SDLK_q}, {U, SDLK_ESCAPE}})),           // 32
      double(frame({{U, SDLK_q}, {U, SDLK_UP}, {U, SDLK_z}})),  // 0
  };
  EXPECT_EQ(seen, V(1, 1, 16, 16, 16, 32, 32, 0));
  // Return bound to a game key is that key alone; the defaults come back with empty names.
  InstallKeyBindings(namesOf({{DOWN, "Return"}}), kSettingsPath);
  EXPECT_EQ(Seq() << frame({{D, SDLK_RETURN}}) << frame({{U, SDLK_RETURN}, {D, SDLK_z}}), V(KEY_DOWN, KEY_Z));
  InstallKeyBindings(KeyBindingNames{}, kSettingsPath);
  EXPECT_EQ(Seq() << frame({{D, SDLK_RETURN}}) << frame({{U, SDLK_RETURN}, {U, SDLK_z}, {D, SDLK_UP}}),
            V(KEY_Z, KEY_UP));
}

using KeyBindingRace = RaceSceneTest;

TEST_F(KeyBindingRace, TheSameKeyMasksFromOtherPhysicalKeysGiveTheSameRace) {
  // Up from frame 61, a right turn in 70..73, a left one in 80..85, the brake from 95 on.
  struct Change {
    int at, key;
    bool down;
  };
  const Change changes[] = {{61, UP, true},    {70, RIGHT, true}, {74, RIGHT, false}, {80, LEFT, true},
                            {86, LEFT, false}, {95, DOWN, true},  {95, UP, false}};
  // 120 race frames with the keys pressed and released as SDL events on the physical keys
  // given, under the bindings named; the player's car after each frame.
  auto race = [&](const Names& names, const int(&syms)[4]) {
    Renew();
    InstallKeyBindings(namesOf(names), kSettingsPath);
    SetKeySource(nullptr);
    std::vector<double> trace;
    for (int f = 0; f < 120; ++f) {
      for (const Change& c : changes)
        if (c.at == f) frame({{c.down, syms[c.key]}});
      Game(screen, 0, 1);
      trace.insert(trace.end(), {car[0].posX, car[0].posY, car[0].dir, car[0].speed, double(car[0].moveAng)});
    }
    return trace;
  };
  const std::vector<double> designKeys = race({}, {SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT});
  EXPECT_EQ(race({{UP, "i"}, {DOWN, "k"}, {LEFT, "j"}, {RIGHT, "l"}}, {SDLK_i, SDLK_k, SDLK_j, SDLK_l}), designKeys);
  EXPECT_GT(designKeys[119 * 5] - designKeys[60 * 5], 40);  // it did drive
}

}  // namespace
