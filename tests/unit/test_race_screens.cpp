// The result screen's reveal timings and exits, the pause menu's drawing and selection,
// and what a race frame draws: countdown, banner, skid marks only into bbMap.
#include "gfx/draw.h"
#include "race/race_end.h"
#include "test_race_support.h"

namespace {

// Colours of the synthetic sheets, as 0xRRGGBB.
const uint32_t kLabelBest = 0xC00001, kLabelRace = 0xC00002, kDigitRow0 = 0xC00003, kDigitRow42 = 0xC00004;
const uint32_t kRecordBanner = 0xC00005, kFinish = 0xC00006;

void Fill(SDL_Surface* s, int x, int y, int w, int h, uint32_t rgb) {
  FillRect(s, x, y, w, h, rgb >> 16, (rgb >> 8) & 255, rgb & 255);
}

// What the presenter saw: the first result pass in which each element showed.
struct Reveal {
  int labelBest = 0, bestTime = 0, labelRace = 0, raceTime = 0, recordBanner = 0;
  uint32_t raceTimeColour = 0;
};
Reveal& Seen() {
  static Reveal r;
  return r;
}
void Watch(SDL_Surface* s) {
  const int pass = ++PresentedFrames();
  Reveal& r = Seen();
  if (!r.labelBest && PixelRGB(s, 1, 201) == kLabelBest) r.labelBest = pass;
  if (!r.bestTime && PixelRGB(s, 162 + 64 + 1, 201) == kDigitRow0) r.bestTime = pass;
  if (!r.labelRace && PixelRGB(s, 1, 242) == kLabelRace) r.labelRace = pass;
  const uint32_t t = PixelRGB(s, 162 + 64 + 1, 242);
  if (!r.raceTime && (t == kDigitRow0 || t == kDigitRow42)) {
    r.raceTime = pass;
    r.raceTimeColour = t;
  }
  if (!r.recordBanner && PixelRGB(s, 53, 351) == kRecordBanner) r.recordBanner = pass;
}

class RaceScreens : public RaceSceneTest {
 protected:
  void SetUp() override {
    RaceSceneTest::SetUp();
    Seen() = Reveal{};
    img.numImage2 = MakeSurface24(640, 220, 0, 0, 0);
    Fill(img.numImage2, 0, 0, 640, 42, kDigitRow0);
    Fill(img.numImage2, 0, 42, 640, 42, kDigitRow42);
    Fill(img.numImage2, 0, 170, 187, 41, kLabelBest);
    Fill(img.numImage2, 196, 170, 187, 41, kLabelRace);
    img.finishImage = MakeSurface24(400, 310, 0, 0, 0);
    Fill(img.finishImage, 0, 0, 400, 310, kFinish);
    Fill(img.finishImage, 0, 75, 376, 35, kRecordBanner);
    SDL_FillRect(screen, nullptr, 0);
  }
  // Puts the race at its end, standing still, without driving it.
  void EndRace(int32_t mode, int32_t reTime, int32_t time) {
    race.readyFlg = 2;
    race.goalFlg = 1;
    race.mode = mode;
    race.ReTime = reTime;
    race.Time = time;
    race.scoreCnt = 0;
    car[0].speed = 0;
  }
};

TEST_F(RaceScreens, ResultElementsAppearFromPasses16_31_61_76) {
  SetPresenter(Watch);
  EndRace(1, 1, 672);
  PushKeys(0, 100);
  PushKeys(KEY_Z, 1);
  EXPECT_EQ(ResultScreen(screen), 1);
  EXPECT_EQ(Seen().labelBest, 16);
  EXPECT_EQ(Seen().bestTime, 31);
  EXPECT_EQ(Seen().labelRace, 61);
  EXPECT_EQ(Seen().raceTime, 76);
  EXPECT_EQ(Seen().raceTimeColour, kDigitRow42);  // a record: style 4
  EXPECT_EQ(Seen().recordBanner, 76);
  EXPECT_EQ(PresentedFrames(), 100);
  EXPECT_EQ(bestTime[0], 672);
}

TEST_F(RaceScreens, WithoutARecordTheTimeIsStyle0AndNoBanner) {
  SetPresenter(Watch);
  bestTime[6] = 500;
  race.mapCnt = 6;
  EndRace(2, 0, 672);
  PushKeys(0, 80);
  PushKeys(KEY_Z, 1);
  EXPECT_EQ(ResultScreen(screen), 1);
  EXPECT_EQ(Seen().raceTimeColour, kDigitRow0);
  EXPECT_EQ(Seen().recordBanner, 0);
  EXPECT_EQ(bestTime[6], 500);
  EXPECT_EQ(ReadTextFile("data/bestTime.txt"), "<missing>");
}

TEST_F(RaceScreens, Mode2WinShowsStyle4WithoutTheRecordBanner) {
  SetPresenter(Watch);
  bestTime[6] = 900;
  race.mapCnt = 6;
  EndRace(2, 1, 672);
  PushKeys(0, 80);
  PushKeys(KEY_Z, 1);
  EXPECT_EQ(ResultScreen(screen), 1);
  EXPECT_EQ(Seen().raceTimeColour, kDigitRow42);
  EXPECT_EQ(Seen().recordBanner, 0);
  EXPECT_EQ(bestTime[6], 672);
}

TEST_F(RaceScreens, ScoreCntStopsAt200AndTheScreenWaits) {
  EndRace(1, 0, 672);
  PushKeys(0, 500);
  PushKeys(KEY_Z, 1);
  EXPECT_EQ(ResultScreen(screen), 1);
  EXPECT_EQ(race.scoreCnt, 200);
  EXPECT_EQ(PresentedFrames(), 500);
}

TEST_F(RaceScreens, QuitOnTheResultScreenSavesNoBestTime) {
  EndRace(1, 1, 672);
  PushKeys(0, 40);
  PushKeys(KEY_QUIT, 1);
  EXPECT_EQ(ResultScreen(screen), 6);
  EXPECT_EQ(bestTime[0], 0);
  EXPECT_EQ(ReadTextFile("data/bestTime.txt"), "<missing>");
  EXPECT_EQ(race.goalFlg, 1);  // not left
}

TEST_F(RaceScreens, LeavingResetsBothCarsAndTheRaceFlags) {
  EndRace(1, 0, 672);
  car[0].dir = 7.5f;
  car[1].dir = 3;
  car[1].speed = 4;
  run.AiFlg = 1;
  run.LoadFlg = 0;
  raceProgram.selectCnt = 1;
  PushKeys(KEY_Z, 1);
  EXPECT_EQ(ResultScreen(screen), 1);
  EXPECT_EQ(car[0].dir, 0.0f);
  EXPECT_EQ(car[1].dir, 12.0f);
  EXPECT_EQ(car[1].speed, 0.0f);
  EXPECT_EQ(race.goalFlg, 0);
  EXPECT_EQ(race.readyFlg, 0);
  EXPECT_EQ(run.LoadFlg, 1);
  EXPECT_EQ(run.AiFlg, 0);
  EXPECT_EQ(raceProgram.selectCnt, 0);
}

TEST_F(RaceScreens, FinishBannersByModeAndOutcome) {
  struct Case {
    int mode, timeUp, x, y, w;
  };
  const Case cases[] = {{1, 0, 52, 100, 376}, {1, 1, 93, 100, 294}, {2, 0, 93, 100, 294}, {2, 1, 93, 100, 294}};
  for (const Case& c : cases) {
    SDL_FillRect(screen, nullptr, 0);
    EndRace(c.mode, 0, 0);
    race.timeUpFlg = c.timeUp;
    car[0].speed = 5.0f;  // still rolling: no veil
    FinishStep(screen);
    EXPECT_EQ(PixelRGB(screen, c.x, c.y), kFinish) << c.mode << c.timeUp;
    EXPECT_EQ(PixelRGB(screen, c.x + c.w - 1, c.y), kFinish);
    EXPECT_EQ(PixelRGB(screen, c.x + c.w, c.y), 0u);
    EXPECT_FLOAT_EQ(car[0].speed, 4.85f);
  }
  car[0].speed = -0.1f;  // reversing coasts up to 0
  FinishStep(screen);
  EXPECT_EQ(car[0].speed, 0.0f);
}

TEST_F(RaceScreens, FadeVeilOnceBelowSpeedOne) {
  img.fullImage = MakeSurface24(480, 480, 255, 255, 255);
  SDL_FillRect(screen, nullptr, 0);
  EndRace(1, 0, 0);
  car[0].speed = 1.2f;  // 1.05 after coasting: no veil yet
  FinishStep(screen);
  EXPECT_EQ(PixelRGB(screen, 5, 400), 0u);
  EXPECT_FALSE(ResultScreenDue());
  FinishStep(screen);  // 0.9
  const uint32_t veiled = PixelRGB(screen, 5, 400);
  EXPECT_GE(veiled >> 16, 148u);  // white at alpha 150 over black
  EXPECT_LE(veiled >> 16, 151u);
  EXPECT_TRUE(ResultScreenDue());
}

// ---- pause menu ----

class RacePauseMenu : public RaceSceneTest {
 protected:
  void SetUp() override {
    RaceSceneTest::SetUp();
    img.selectImage = MakeSurface24(250, 150, 0, 0, 200);
    img.carImage = MakeSurface24(52 * 24, 76, 0, 0, 0);
    Fill(img.carImage, 0, 0, 52, 76, 0xAA0000);
    Fill(img.carImage, 52 * 12, 0, 52, 76, 0x00AA00);
    SDL_FillRect(screen, nullptr, 0);
    UpKeyFlg = 1;
  }
  int MarkerY() {
    for (int y : {181, 218})
      if (PixelRGB(screen, 121, y + 1) == 0xAA0000 && PixelRGB(screen, 309, y + 1) == 0x00AA00) return y;
    return -1;
  }
};

TEST_F(RacePauseMenu, MarkersMoveBetween181And218) {
  PushKeys(0, 1);
  EXPECT_EQ(GameSelect(screen), 7);
  EXPECT_EQ(MarkerY(), 181);
  EXPECT_EQ(PixelRGB(screen, 116, 166), 0x0000C8u);  // the panel
  PushKeys(KEY_DOWN, 1);
  EXPECT_EQ(GameSelect(screen), 7);
  EXPECT_EQ(MarkerY(), 218);
  EXPECT_EQ(PixelRGB(screen, 121, 182), 0x0000C8u);  // the old marker is covered
  PushKeys(0, 1);
  PushKeys(KEY_DOWN, 1);
  GameSelect(screen);
  GameSelect(screen);
  EXPECT_EQ(MarkerY(), 181);
}

TEST_F(RacePauseMenu, OneLatchForUpAndDown) {
  PushKeys(KEY_DOWN, 5);  // held: one flip
  for (int i = 0; i < 5; ++i) GameSelect(screen);
  EXPECT_EQ(raceProgram.selectCnt, 1);
  PushKeys(KEY_UP, 1);  // Up while Down's press is still consumed: nothing
  GameSelect(screen);
  EXPECT_EQ(raceProgram.selectCnt, 1);
  PushKeys(0, 1);
  PushKeys(KEY_UP | KEY_DOWN, 3);  // together: one flip
  for (int i = 0; i < 4; ++i) GameSelect(screen);
  EXPECT_EQ(raceProgram.selectCnt, 0);
}

TEST_F(RacePauseMenu, ConfirmingFrameDrawsNothingAndResumeKeepsTheRace) {
  race.readyFlg = 2;
  race.Time = 1234;
  car[0].speed = 3.0f;
  PushKeys(KEY_Z, 1);
  EXPECT_EQ(GameSelect(screen), 4);
  EXPECT_EQ(PixelRGB(screen, 116, 166), 0u);
  EXPECT_EQ(race.readyFlg, 2);
  EXPECT_EQ(race.Time, 1234);
  EXPECT_EQ(car[0].speed, 3.0f);
  PushKeys(KEY_QUIT, 1);
  EXPECT_EQ(GameSelect(screen), 6);
}

TEST_F(RacePauseMenu, ReturnEntryStopsBothCars) {
  race.readyFlg = 2;
  car[0].speed = 3.0f;
  car[1].speed = 4.0f;
  raceProgram.selectCnt = 1;
  PushKeys(KEY_Z, 1);
  EXPECT_EQ(GameSelect(screen), 1);
  EXPECT_EQ(car[0].speed, 0.0f);
  EXPECT_EQ(car[1].speed, 0.0f);
  EXPECT_EQ(race.readyFlg, 0);
  EXPECT_EQ(raceProgram.selectCnt, 0);
}

// ---- what a race frame draws ----

TEST_F(RaceScreens, CountdownDigitIsDrawnEvenAfterABannerLeftTheSheetTranslucent) {
  img.numImage = MakeSurface24(185, 112, 255, 0, 0);
  SetSheetAlpha(img.numImage, 17);  // as an earlier race's start banner leaves it
  PushKeys(0, 13);
  for (int i = 0; i < 13; ++i) Game(screen, 0, 1);
  ASSERT_EQ(race.rCnt, 124);  // cell 0 at full size, 90 x 104 centred on the car's corner
  const int x = car[0].dispX, y = car[0].dispY;
  const uint32_t centre = PixelRGB(screen, x, y);
  EXPECT_GE(centre >> 16, 0xFEu);  // opaque red (the zoom may round a channel up)
  EXPECT_LE((centre >> 8) & 0xFF, 1u);
  EXPECT_LE(centre & 0xFF, 1u);
  EXPECT_GE(PixelRGB(screen, x - 40, y - 48) >> 16, 0xFEu);
}

TEST_F(RaceScreens, SkidMarksGoIntoBbMapOnlyAndShowNextFrame) {
  RunCountdown(0, 1);
  SDL_Surface* collisionBefore = MakeCourse();
  PushKeys(KEY_UP, 20);
  PushKeys(KEY_UP | KEY_RIGHT, 8);  // a slide: marks
  for (int i = 0; i < 28; ++i) Game(screen, 0, 1);
  int greyInBb = 0, changedInMap = 0;
  for (int y = 940; y < 1100; ++y)
    for (int x = 600; x < 1000; ++x) {
      greyInBb += PixelRGB(img.bbMap, x, y) == 0x646464u;
      changedInMap += PixelRGB(img.mapImage, x, y) != PixelRGB(collisionBefore, x, y);
    }
  EXPECT_GT(greyInBb, 4);
  EXPECT_EQ(changedInMap, 0);
  SDL_FreeSurface(collisionBefore);
}

}  // namespace
