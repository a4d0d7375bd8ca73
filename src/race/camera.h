// camera.h -- the view onto the course and the cars' screen positions
#pragma once

// The view is the 480 x 480 window onto the course; its corner never leaves the image.
enum { RACE_VIEW = 480 };

// mapX/mapY from the player (clamped to 0..1056 and 0..672), the player's
// camX/camY/dispX/dispY, and the second car's dispX/dispY placed relative to
// the player's screen position. The rival contact reads these screen
// positions in the next frame, so the camera is part of the race's rules.
void CameraStep();
