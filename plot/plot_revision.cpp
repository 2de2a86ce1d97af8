#include "plot/plot_revision.h"

void PlotRevision::follow(const LessonState& lesson)
{
    const BaseInputs base{lesson.Keisu, lesson.ZahyoMax, lesson.TenvoriPt, lesson.DoukansuAri};
    const TangentInputs tangent{lesson.SettenPt, lesson.SessenSu2, lesson.HojosenAri,
                                lesson.DoukansuAri};
    if (baseSeen_ != base) {
        baseSeen_ = base;
        ++base_;
        ++plot_;
    }
    if (tangentSeen_ != tangent) {
        tangentSeen_ = tangent;
        ++plot_;
    }
}
