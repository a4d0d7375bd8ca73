// skid_marks.h -- where the rear wheels slid: the two-point history the skid marks are drawn from
#pragma once

// Empties the two-point history (race start).
void ClearSkidHistory();

// While recording: when |moveAng - heading| (unwrapped) > 20, shifts the
// history and records both rear-wheel points, 17 px from the centre at
// heading + 195 and + 165 degrees. Recounts DAnimeLen every call.
void SkidSpawnStep();

// Screen positions of the recorded points from the car's current dispX/dispY.
void SkidScreenStep();
