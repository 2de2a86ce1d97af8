#pragma once

#include "lesson/catalogue.h"
#include "lesson/spoken_math.h"
#include "plot/plot_description.h"

#include <QString>

// One sentence of the plot's reading as the catalogue words it, its numbers,
// points and equations in words as the reading says them, closed as the
// reading closes it: Said(kTangentReading, "(2, 8)", "12", "y=12x-16").
template <typename... Values> QString Said(const char* pattern, const Values&... values)
{
    return QString::fromStdString(Filled(pattern, {std::string_view(SpokenMath(values))...}))
        .append(QString::fromStdString(std::string(SentenceEnd())));
}
