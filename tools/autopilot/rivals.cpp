// rivals.cpp -- the pace of each course's shipped rival
#include "rivals.h"

namespace autopilot {

Pace RivalPace(int course) {
  // Top speed cap, trusted turn rate and lane per course, from gentle to
  // fierce. Each rival keeps to the side of the road its grid place is on.
  static const Pace kRivals[6] = {
      {5.6f, 4.0f, 22.0f}, {5.8f, 4.5f, 22.0f}, {6.9f, 5.0f, -22.0f},
      {7.0f, 5.5f, 22.0f}, {7.1f, 6.0f, 22.0f}, {7.3f, 6.5f, 22.0f},
  };
  return kRivals[course >= 0 && course < 6 ? course : 0];
}

}  // namespace autopilot
