// The player's key bindings: key names, how a set of bindings resolves, the settings lines and
// the keyboard under them. The race sees only the KeyMask, whichever physical keys made it.
#include <array>
#include <sstream>

#include "app/key_bindings.h"
#include "app/keyboard.h"
#include "app/settings.h"
#include "test_support.h"

namespace {

// "up=w confirm=Return" as bindings by name.
KeyBindingNames parseNames(const std::string& text) {
  KeyBindingNames n;
  std::istringstream in(text);
  for (std::string w; in >> w;)
    n.name[FindGameKeySetting("key." + w.substr(0, w.find('=')))] = w.substr(w.find('=') + 1);
  return n;
}

// One frame's key events ("+w -space": w pressed, space released), then the KeyMask read.
uint8_t frame(const std::string& events) {
  std::istringstream in(events);
  for (std::string e; in >> e;) {
    SDL_Event event{static_cast<Uint8>(e[0] == '+' ? SDL_KEYDOWN : SDL_KEYUP)};
    event.key.keysym.sym = static_cast<SDLKey>(KeySymByName(e.substr(1)));
    EXPECT_EQ(SDL_PushEvent(&event), 0);
  }
  return GetMsg();
}

TEST(KeyNames, CaseIgnoredProgramKeysRefused) {
  EXPECT_EQ(V(KeySymByName("RETURN"), KeySymByName("Z"), KeySymByName("f12"), KeySymByName("kp_9")),
            V(SDLK_RETURN, SDLK_z, SDLK_F12, SDLK_KP9));
  // The program's own keys, and what is no key at all.
  for (const char* name : {"F11", "m", "M", "Alt_L", "Alt_R", "", "zz", "F16", "F0", "KP_10", "Enter", "é"})
    EXPECT_EQ(KeySymByName(name), -1) << name;
  // Every key with a name reads back from it, and none of the program's keys has one.
  int named = 0;
  for (int sym = 1; sym < SDLK_LAST; ++sym) {
    const std::string name = KeyNameOf(sym);
    named += !name.empty();
    EXPECT_TRUE(name.empty() || KeySymByName(name) == sym) << name;
  }
  EXPECT_EQ(named, 25 + 10 + 36 + 14 + 10);  // letters but m, digits, the named keys, F1..F15 but F11, KP_0..KP_9
}

TEST(KeyBindingsResolve, RefusedBindingKeepsDefaultWithOneLine) {
  // Bindings asked for; the keys then in use by name, with the two aliases last ("-": none);
  // each problem line as "game key:why".
  const std::array<const char*, 3> rows[] = {
      {"", "Up Down Left Right z x a s Return Escape", ""},
      {"confirm=Return up=w", "w Down Left Right Return x a s - Escape", ""},
      {"confirm=x back=z", "Up Down Left Right x z a s Return Escape", ""},  // a swap
      {"up=Escape spare=Return", "Escape Down Left Right z x a Return - -", ""},
      {"left=F11 right=M down=Alt_L", "Up Down Left Right z x a s Return Escape",
       "key.down:program key.left:program key.right:program"},
      {"author=Foo up=q", "q Down Left Right z x a s Return Escape", "key.author:name"},
      {"down=s", "Up Down Left Right z x a s Return Escape", "key.down:clash"},
      {"confirm=x back=x", "Up Down Left Right z x a s Return Escape", "key.confirm:clash"},  // back x is x anyway
      {"up=w down=W", "Up w Left Right z x a s Return Escape", "key.up:clash"},
      // Taking one back can uncover another: confirm x goes, then up z meets confirm's z.
      {"up=z confirm=x", "Up Down Left Right z x a s Return Escape", "key.confirm:clash key.up:clash"},
  };
  for (const auto& [given, inUse, why] : rows) {
    std::vector<std::string> problems;
    const KeyBindings b = ResolveKeyBindings(parseNames(given), &problems);
    std::string names, reasons;
    for (int k = 0; k < 8; ++k) names += KeyNameOf(b.sym[k]) + " ";
    for (int alias : {b.confirmAlias, b.backAlias}) names += (alias < 0 ? "-" : KeyNameOf(alias)) + " ";
    for (const std::string& p : problems)
      reasons += (reasons.empty() ? "" : " ") + p.substr(0, p.find(' ')) +
                 (p.find("program") != p.npos     ? ":program"
                  : p.find("not a key") != p.npos ? ":name"
                                                  : ":clash");
    // Exact names: no two game keys share a key, and none is the program's (those have no name).
    EXPECT_EQ(V(names == std::string(inUse) + " ", reasons == why), V(1, 1))
        << given << ": " << names << "/ " << reasons;
  }
  // The lines themselves: what was asked, why not, and the key kept.
  std::vector<std::string> problems;
  ResolveKeyBindings(parseNames("left=F11 confirm=x"), &problems);
  EXPECT_EQ(problems, (std::vector<std::string>{"key.left \"F11\" is kept for the program; Left kept",
                                                "key.confirm \"x\" is key.back's key too; z kept"}));
}

using KeyBindingSettings = SceneTest;

TEST_F(KeyBindingSettings, LinesKeptAsWrittenGarbageIsDamage) {
  WriteTextFile("data/settings.txt",
                "scale 2\nkey.confirm Return\nkey.up=w\nkey.jump q\nkey.left \x01\x02\nkey.back\nKEY.DOWN s\n"
                "key.right = nonsense\n");
  Settings s;
  EXPECT_EQ(Printed([&] { s = ReadSettings(); }),
            "data/settings.txt: damaged (key.jump, key.left, line 6, line 7), using the defaults there\n");
  // Rewritten (as M does), the player's lines stay as written, the refused name too, and read the same.
  ASSERT_TRUE(WriteSettings(s));
  EXPECT_EQ(ReadTextFile("data/settings.txt"),
            "scale 2\nfullscreen 0\nmute 0\nkey.up w\nkey.right nonsense\nkey.confirm Return\n");
  EXPECT_TRUE(SameSettings(ReadSettings(), s));
  // Put in use: one line for the bad name, the rest bound.
  EXPECT_EQ(Printed([&] { InstallKeyBindings(s.keys, kSettingsPath); }),
            "data/settings.txt: key.right \"nonsense\" is not a key name; Right kept\n");
}

TEST_F(KeyBindingSettings, KeyboardPlaysBoundAndDefaultKeys) {
  InstallKeyBindings(parseNames("up=w confirm=space back=q"), kSettingsPath);
  // The old keys play nothing now; Return holds confirm while space is let go, Escape back.
  std::vector<double> seen;
  for (const char* events :
       {"+w", "+Up +z", "-w +space", "+Return", "-space", "-Return +Escape", "+q -Escape", "-q -Up -z"})
    seen.push_back(frame(events));
  EXPECT_EQ(seen, V(1, 1, 16, 16, 16, 32, 32, 0));
  // Return bound to a game key is that key alone.
  InstallKeyBindings(parseNames("down=Return"), kSettingsPath);
  EXPECT_EQ((std::vector<double>{double(frame("+Return")), double(frame("-Return +z"))}), V(KEY_DOWN, KEY_Z));
  // Empty names give the defaults back. Each of the eight adds its bit until released (pressed and let go
  // between frames: never seen; q is none of them; Return is z again); a release takes only its own bit.
  InstallKeyBindings(KeyBindingNames{}, kSettingsPath);
  seen.clear();
  for (const char* events : {"-z +Up -Up", "+Up", "", "+Down +q", "+Left", "+Right", "+Return", "-Return +z", "+x",
                             "+a", "+s", "-Up", "-z -s"})
    seen.push_back(frame(events));
  EXPECT_EQ(seen, V(0, 1, 1, 1 + 2, 7, 15, 15 + 16, 31, 31 + 32, 63 + 64, 255, 255 - 1, 255 - 1 - 16 - 128));
  SDL_Event close{SDL_QUIT};  // closing the window asks to quit
  ASSERT_EQ(SDL_PushEvent(&close), 0);
  EXPECT_EQ(GetMsg(), KEY_QUIT);
}

}  // namespace
