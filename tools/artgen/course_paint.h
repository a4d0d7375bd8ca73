// course_paint.h -- paints a course image (1536 x 1152) from its description.
#pragma once

#include "canvas.h"
#include "course.h"

namespace artgen {

// The course image, opaque. Road pixels are exactly the road (or goal) colour; nothing
// else on the picture uses either colour.
Canvas PaintCourse(const coursekit::CourseDescription& desc);

// The course scaled down by 12 (box filter) to 128 x 96.
Canvas Thumbnail(const Canvas& course);

}  // namespace artgen
