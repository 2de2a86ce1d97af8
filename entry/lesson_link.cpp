#include "entry/lesson_link.h"

#include <algorithm>
#include <charconv>

namespace {
// Longer than any lesson's link with every key and a language tag: text
// that is not a lesson is not read through.
constexpr std::size_t kLongestLink = 256;

// A plain decimal integer, "-" allowed in front, at most three digits.
std::optional<int32_t> Integer(std::string_view text)
{
    const std::size_t digits = text.size() - (text.starts_with('-') ? 1 : 0);
    if (digits == 0 || digits > 3)
        return std::nullopt;
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// A language tag as the lesson's own tags are written: letters, digits and
// "-", short.
bool IsTag(std::string_view text)
{
    if (text.empty() || text.size() > 16)
        return false;
    for (const char c : text) {
        const bool ok =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-';
        if (!ok)
            return false;
    }
    return true;
}

// The keys a link may hold, the coefficients a..d first.
constexpr std::string_view kKeys[] = {"a",     "b",        "c",     "d",     "zoom",
                                      "point", "tangents", "chord", "slope", "lang"};
constexpr std::size_t kCoefficients = 4;

// Sets the value of kKeys[key]; false when the lesson cannot take it.
bool Take(LessonLink& link, std::size_t key, std::string_view value)
{
    if (kKeys[key] == "lang") {
        link.lang = value;
        return IsTag(value);
    }
    const std::optional<int32_t> number = Integer(value);
    if (!number)
        return false;
    const int32_t n = *number;
    if (key < kCoefficients) {
        link.coefficients[key] = n;
        return n >= -9 && n <= 9 && (key > 0 || n != 0);
    }
    if (kKeys[key] == "zoom" || kKeys[key] == "point") {
        (kKeys[key] == "zoom" ? link.zoom : link.point) = n;
        return n >= 0 && n <= 100;
    }
    if (kKeys[key] == "tangents") {
        link.secondTangent = n == 2;
        return n == 1 || n == 2;
    }
    (kKeys[key] == "chord" ? link.chord : link.slopeCurve) = n == 1;
    return n == 0 || n == 1;
}
} // namespace

std::string LinkFragment(const LessonLink& link)
{
    const LessonLink started;
    std::string out;
    for (std::size_t k = 0; k < kCoefficients; ++k) {
        out += (k ? "&" : "") + std::string(kKeys[k]) + "=" + std::to_string(link.coefficients[k]);
    }
    if (link.zoom != started.zoom)
        out += "&zoom=" + std::to_string(link.zoom);
    if (link.point != started.point)
        out += "&point=" + std::to_string(link.point);
    if (link.secondTangent)
        out += "&tangents=2";
    if (link.chord)
        out += "&chord=1";
    if (link.slopeCurve)
        out += "&slope=1";
    if (!link.lang.empty())
        out += "&lang=" + link.lang;
    return out;
}

std::optional<LessonLink> ParseLessonLink(std::string_view link)
{
    if (const std::size_t hash = link.find('#'); hash != std::string_view::npos)
        link.remove_prefix(hash + 1);
    if (link.empty() || link.size() > kLongestLink)
        return std::nullopt;
    LessonLink lesson;
    bool seen[std::size(kKeys)] = {};
    while (!link.empty()) {
        const std::size_t end = std::min(link.find('&'), link.size());
        const std::string_view pair = link.substr(0, end);
        link.remove_prefix(std::min(end + 1, link.size()));
        const std::size_t equals = pair.find('=');
        const std::string_view key = pair.substr(0, equals);
        for (std::size_t k = 0; k < std::size(kKeys); ++k) {
            if (key != kKeys[k])
                continue;
            if (seen[k] || equals == std::string_view::npos ||
                !Take(lesson, k, pair.substr(equals + 1)))
                return std::nullopt;
            seen[k] = true;
        }
    }
    // A lesson is its curve: without all four coefficients there is none.
    for (std::size_t k = 0; k < kCoefficients; ++k) {
        if (!seen[k])
            return std::nullopt;
    }
    return lesson;
}
