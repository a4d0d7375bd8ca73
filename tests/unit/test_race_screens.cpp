// The result screen's reveal timings and exits, finish banners, the pause menu.
#include "core/sound_events.h"
#include "test_race_support.h"

// Colours of the synthetic sheets, as 0xRRGGBB: labels, the two digit rows, the record banner.
enum : uint32_t { kLabelBest = 0xC00001, kLabelRace, kDigitRow0, kDigitRow42, kRecordBanner };

static void Fill(SDL_Surface* s, int x, int y, int w, int h, uint32_t rgb) {
  FillRect(s, x, y, w, h, rgb >> 16, rgb >> 8, rgb);
}

// The first result pass showing the best label, best time, race label, race time (either style)
// and record banner; then the race time's style colour.
static std::vector<double> seen;
static void Watch(SDL_Surface* s) {
  const int pass = ++presentedFrames;
  const uint32_t t = PixelRGB(s, 227, 242);
  const bool shows[] = {PixelRGB(s, 1, 201) == kLabelBest, PixelRGB(s, 227, 201) == kDigitRow0,
                        PixelRGB(s, 1, 242) == kLabelRace, t == kDigitRow0 || t == kDigitRow42,
                        PixelRGB(s, 53, 351) == kRecordBanner};
  for (int i = 0; i < 5; ++i) seen[i] = seen[i] ? seen[i] : shows[i] ? pass : 0;
  if (!seen[5] && shows[3]) seen[5] = t;
}

class RaceScreens : public RaceSceneTest {
 protected:
  void SetUp() override {
    RaceSceneTest::SetUp();
    img.numImage2 = MakeSurface24(640, 220, 0, 0, 0);
    Fill(img.numImage2, 0, 0, 640, 42, kDigitRow0), Fill(img.numImage2, 0, 42, 640, 42, kDigitRow42);
    Fill(img.numImage2, 0, 170, 187, 41, kLabelBest), Fill(img.numImage2, 196, 170, 187, 41, kLabelRace);
    // Each finish banner's place on the sheet in a colour of its own: y 0, 167, 214, 262.
    img.finishImage = MakeSurface24(400, 310, 0, 0, 0);
    for (int y : {0, 167, 214, 262}) Fill(img.finishImage, 0, y, y ? 294 : 376, y ? 46 : 75, 0xC10000 + y);
    Fill(img.finishImage, 0, 75, 376, 35, kRecordBanner);
    img.fullImage = MakeSurface24(480, 480, 0, 0, 0);
    SetPresenter(Watch), seen.assign(6, 0);
  }
  // The race at its end, standing still, without driving it.
  static void EndRace(int32_t slot, int32_t mode, int32_t reTime, int32_t timeUp = 0) {
    race.readyFlg = 2, race.goalFlg = 1, race.mapCnt = slot, race.mode = mode;
    race.ReTime = reTime, race.timeUpFlg = timeUp, race.Time = 672;
  }
};

TEST_F(RaceScreens, ResultRevealsByOutcome) {
  // A record shows style 4 and the banner; a mode-2 win style 4 without it.
  const int cases[][7] = {// slot, mode, record, best before; race time style, banner pass, best after
                          {0, 1, 1, 0, kDigitRow42, 76, 672},
                          {6, 2, 0, 500, kDigitRow0, 0, 500},
                          {6, 2, 1, 900, kDigitRow42, 0, 672}};
  for (const auto& t : cases) {
    Renew(), bestTime[t[0]] = t[3], EndRace(t[0], t[1], t[2]), PushKeys(0, 100), PushKeys(KEY_Z, 1);
    EXPECT_EQ(Seq() << ResultScreen(screen) << presentedFrames << bestTime[t[0]], V(1, 100, t[6]));
    EXPECT_EQ(seen, V(16, 31, 61, 76, t[5], t[4])) << t[0] << " " << t[2];
  }
  // Slot 6 shows its own best time, not course 0's: 100 minutes fill the first minute place.
  Renew(), bestTime[6] = 6000000, EndRace(6, 2, 0), PushKeys(0, 40), PushKeys(KEY_Z, 1);
  EXPECT_EQ(Seq() << ResultScreen(screen) << PixelRGB(screen, 163, 201), V(1, kDigitRow0));
  // Quitting from the result screen saves no best time.
  Renew(), EndRace(0, 1, 1), PushKeys(0, 40), PushKeys(KEY_QUIT, 1);
  EXPECT_EQ(Seq() << ResultScreen(screen) << bestTime[0] << (ReadTextFile("data/bestTime.txt") == "<missing>"),
            V(6, 0, 1));
}

TEST_F(RaceScreens, FinishBannersByModeAndOutcomeThenTheVeil) {
  const int cases[][5] = {{1, 0, 52, 376, 0}, {1, 1, 93, 294, 262}, {2, 0, 93, 294, 167}, {2, 1, 93, 294, 214}};
  for (const auto& c : cases) {  // mode, time-up; the banner's x and width at y 100, its sheet row
    SDL_FillRect(screen, nullptr, 0), EndRace(0, c[0], 0, c[1]);
    car[0].speed = 5.0f, CoastStep(), FinishStep(screen);  // still rolling: no veil
    auto at = [this](int x) { return PixelRGB(screen, x, 100); };
    EXPECT_EQ(V(at(c[2]), at(c[2] + c[3] - 1), at(c[2] + c[3]), car[0].speed),
              V(0xC10000 + c[4], 0xC10000 + c[4], 0, 4.85f))
        << c[0] << c[1];
  }
  // Below 1.0 the black veil darkens the whole screen at alpha 150: white keeps 105 of 255. The
  // coasting step of 0.15 is a double, the result rounded to float (single precision would give
  // 0.809999943 and -0.689999938).
  SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 255, 255, 255));
  car[0].speed = 0.96f, CoastStep(), FinishStep(screen);
  EXPECT_NEAR(PixelRGB(screen, 470, 470) & 0xff, 105, 1);
  const float forward = car[0].speed;
  car[0].speed = -0.84f, CoastStep(), FinishStep(screen);
  EXPECT_EQ(V(forward, car[0].speed), V(0.810000002f, -0.689999998f));
  // The banner's sound goes out in its first frame only.
  SoundEvent events[SOUND_QUEUE_SIZE];
  TakeSoundEvents(events), FinishStep(screen);
  EXPECT_EQ(TakeSoundEvents(events), 0);
}

TEST_F(RaceScreens, PauseMarkersOneLatchConfirmDrawsNothing) {
  img.selectImage = MakeSurface24(250, 150, 0, 0, 200);
  img.carImage = MakeSurface24(52 * 24, 76, 0, 0, 0);
  Fill(img.carImage, 0, 0, 52, 76, 0xAA0000), Fill(img.carImage, 52 * 12, 0, 52, 76, 0x00AA00);
  latch.UpKeyFlg = 1;
  // The y of the pair of car markers on the panel, -1 when none has its top row at 181 or 218.
  auto markerY = [this] {
    for (int y : {181, 218})
      if (PixelRGB(screen, 121, y) == 0xAA0000 && PixelRGB(screen, 121, y - 1) != 0xAA0000 &&
          PixelRGB(screen, 309, y) == 0x00AA00)
        return y;
    return -1;
  };
  // Held Down: one flip, the old marker covered; Up while Down's press is still consumed: nothing;
  // both together: one flip.
  EXPECT_EQ(Seq() << Selects(1) << markerY() << Selects(5, KEY_DOWN) << markerY() << PixelRGB(screen, 121, 182)
                  << Selects(1, KEY_UP) << raceProgram.selectCnt << Selects(1) << Selects(3, KEY_UP | KEY_DOWN)
                  << markerY(),
            V(7, 181, 7, 218, 0x0000C8, 7, 1, 7, 7, 181));
  SDL_FillRect(screen, nullptr, 0);
  EXPECT_EQ(Seq() << Selects(1, KEY_Z) << PixelRGB(screen, 116, 166) << Selects(1, KEY_QUIT), V(4, 0, 6));
}
