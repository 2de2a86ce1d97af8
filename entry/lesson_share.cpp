#include "entry/lesson_share.h"

std::string ShareAddress(std::string_view pageAddress, const LessonLink& lesson)
{
    // A school's address given with a fragment of its own keeps only what
    // comes before it: the lesson is the only fragment.
    pageAddress = pageAddress.substr(0, pageAddress.find('#'));
    if (pageAddress.empty())
        return {};
    return std::string(pageAddress) + '#' + LinkFragment(lesson);
}
