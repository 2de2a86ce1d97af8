#include "plot/plot_svg.h"

#include "lesson/colors.h"
#include "lesson/contrast_palette.h"
#include "plot/plot_caption.h"
#include "plot/plot_description.h"
#include "plot/plot_geometry.h"
#include "plot/plot_layers.h"
#include "plot/segment_clip.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <vector>

namespace {
// Numbers in hundredths of a unit, written without the C library's locale
// (a Qt program runs with the desktop's, which may write "1,5").
std::string Number(double value)
{
    const long long hundredths = std::llround(value * 100);
    const long long whole = std::llabs(hundredths) / 100;
    const long long part = std::llabs(hundredths) % 100;
    std::string text = hundredths < 0 ? "-" : "";
    text += std::to_string(whole);
    if (part != 0) {
        text += '.';
        text += static_cast<char>('0' + part / 10);
        if (part % 10 != 0)
            text += static_cast<char>('0' + part % 10);
    }
    return text;
}

std::string Color(uint32_t bgr)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", bgr & 0xFF, (bgr >> 8) & 0xFF,
                  (bgr >> 16) & 0xFF);
    return text;
}

void Escaped(std::string& out, std::string_view text)
{
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
}

PlotPointF Centre(DotPoint p)
{
    return {p.x + 0.5, p.y + 0.5};
}

// What the lines of the plot are, told by the lesson's colour they are drawn in.
enum class Role { Grid, Axis, Curve, Tangent, SecondTangent, Chord, Slope, Other };

Role RoleOf(const PlotItem& item)
{
    switch (item.color) {
    case Bgr::Silver:
        return Role::Grid;
    case Bgr::Black:
        return Role::Axis;
    case Bgr::Red:
        return Role::Curve;
    case Bgr::Blue:
        return Role::Tangent;
    case Bgr::Purple:
        return Role::SecondTangent;
    case Bgr::Green:
        return Role::Chord;
    case Bgr::Teal:
        return Role::Slope;
    default:
        return Role::Other;
    }
}

class SvgWriter {
public:
    SvgWriter(const LessonState& lesson, const SvgOptions& options)
        : lesson_(lesson), options_(options), size_(options.plotSize),
          grid_(SvgGridOf(lesson, options))
    {
        // Millimetres in layout pixels, for the touch reader's widths.
        mm_ = grid_.widthCm > 0 ? size_ / (grid_.widthCm * 10) : 0;
        touch_ = lesson.ZahyoMax > 0 && options.touchReader && mm_ > 0;
    }

    std::string write();

private:
    // For touch every line is black, which swell paper raises and an
    // embosser's print shows: the lines are told apart by width and pattern.
    std::string color(uint32_t lessonColor) const
    {
        if (touch_)
            return Color(Bgr::Black);
        return Color(options_.highContrast ? HighContrastColor(lessonColor, ColorUse::Plot)
                                           : lessonColor);
    }
    // The points as runs cut at the area's edges, each run a path of its
    // own: a curve's far points never reach the file.
    void path(const std::vector<PlotPointF>& points, std::string_view style);
    void line(PlotPointF a, PlotPointF b, std::string_view style);
    void dot(PlotPointF centre, double radius, uint32_t lessonColor);
    void plotOnScreen();
    void plotForTouch();
    std::string stroke(uint32_t lessonColor, double width, std::string_view extra = {}) const;

    const LessonState& lesson_;
    const SvgOptions& options_;
    double size_;
    SvgGrid grid_;
    double mm_ = 0;
    bool touch_ = false;
    std::string out_;
};

std::string SvgWriter::stroke(uint32_t lessonColor, double width, std::string_view extra) const
{
    std::string style = " fill=\"none\" stroke=\"" + color(lessonColor) + "\" stroke-width=\"" +
                        Number(width) + "\"";
    style += extra;
    return style;
}

void SvgWriter::path(const std::vector<PlotPointF>& points, std::string_view style)
{
    // Cut at the area's edges: a renderer without clip paths (Qt's own)
    // then draws nothing beyond the plot but the pens' half widths, which
    // the caption's white band covers.
    std::string d;
    bool open = false;
    for (std::size_t k = 0; k + 1 < points.size(); ++k) {
        const PlotPointF a = points[k];
        const PlotPointF b = points[k + 1];
        const auto part = ClipSegment(a, b, 0, 0, size_, size_);
        if (!part) {
            open = false;
            continue;
        }
        const auto at = [&](double t) {
            return PlotPointF{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
        };
        if (!open || part->first > 0) {
            const PlotPointF from = at(part->first);
            d += "M" + Number(from.x) + " " + Number(from.y);
        }
        const PlotPointF to = at(part->second);
        d += "L" + Number(to.x) + " " + Number(to.y);
        open = part->second >= 1;
    }
    if (d.empty())
        return;
    out_ += "<path d=\"" + d + "\"";
    out_ += style;
    out_ += "/>\n";
}

void SvgWriter::line(PlotPointF a, PlotPointF b, std::string_view style)
{
    path({a, b}, style);
}

void SvgWriter::dot(PlotPointF centre, double radius, uint32_t lessonColor)
{
    out_ += "<circle cx=\"" + Number(centre.x) + "\" cy=\"" + Number(centre.y) + "\" r=\"" +
            Number(radius) + "\" fill=\"" + color(lessonColor) + "\"/>\n";
}

// The plot as the window draws it, pixel for pixel where a renderer keeps to
// the pixel grid: fills as rectangles, lines through the pixels' centres.
void SvgWriter::plotOnScreen()
{
    const PlotGeometry drawn = DrawnOnArea(PlotOf(lesson_, options_.plotSize, options_.plotSize));
    for (const PlotItem& item : drawn.items) {
        const DotPoint* points = drawn.pointsOf(item);
        switch (item.kind) {
        case PlotItem::Kind::Area:
            break;
        case PlotItem::Kind::Fill:
            out_ += "<rect x=\"" + std::to_string(points[0].x) + "\" y=\"" +
                    std::to_string(points[0].y) + "\" width=\"" +
                    std::to_string(points[1].x - points[0].x) + "\" height=\"" +
                    std::to_string(points[1].y - points[0].y) + "\" fill=\"" + color(item.color) +
                    "\"/>\n";
            break;
        case PlotItem::Kind::Line:
            line(Centre(points[0]), Centre(points[1]),
                 stroke(item.color, item.penWidth,
                        item.penWidth > 1 ? " stroke-linecap=\"round\"" : ""));
            break;
        case PlotItem::Kind::Polyline: {
            std::vector<PlotPointF> run;
            for (uint32_t k = 0; k < item.count; ++k)
                run.push_back(Centre(points[k]));
            path(run, stroke(item.color, item.penWidth,
                             " stroke-linecap=\"round\" stroke-linejoin=\"round\""));
            break;
        }
        case PlotItem::Kind::Dot:
            dot(Centre(points[0]), item.penWidth / 2.0, item.color);
            break;
        }
    }
}

// The plot for touch: its own coarse grid, every line wide, and each kind of
// line with a pattern of its own that a finger tells apart.
void SvgWriter::plotForTouch()
{
    const double half = size_ / 2 + 0.5;
    const double unit = size_ / lesson_.ZahyoMax; // pixels per unit of the curve
    const std::string grid = stroke(Bgr::Silver, 1.5 * mm_);
    const int lines = static_cast<int>(std::floor(lesson_.ZahyoMax / 2.0 / grid_.step + 1e-9));
    for (int k = -lines; k <= lines; ++k) {
        if (k == 0)
            continue;
        const double at = half + k * grid_.step * unit;
        line({at, 0}, {at, size_}, grid);
        line({0, at}, {size_, at}, grid);
    }
    const std::string axis = stroke(Bgr::Black, 3 * mm_);
    line({half, 0}, {half, size_}, axis);
    line({0, half}, {size_, half}, axis);

    const PlotGeometry plot = PlotOf(lesson_, options_.plotSize, options_.plotSize);
    const std::string round = " stroke-linecap=\"round\" stroke-linejoin=\"round\"";
    std::vector<PlotPointF> slope;
    const std::string slopeStyle =
        stroke(Bgr::Teal, 1.5 * mm_,
               " stroke-dasharray=\"" + Number(8 * mm_) + " " + Number(3 * mm_) + " " +
                   Number(1.5 * mm_) + " " + Number(3 * mm_) + "\"");
    for (const PlotItem& item : plot.items) {
        const DotPoint* points = plot.pointsOf(item);
        const Role role = RoleOf(item);
        if (item.kind == PlotItem::Kind::Dot) {
            // Ringed in white, so that a finger finds it on the line it sits on.
            const double radius = (role == Role::Slope ? 3 : 4) * mm_;
            const PlotPointF at = Centre(points[0]);
            out_ += "<circle cx=\"" + Number(at.x) + "\" cy=\"" + Number(at.y) + "\" r=\"" +
                    Number(radius) + "\" fill=\"#000000\" stroke=\"#ffffff\" stroke-width=\"" +
                    Number(mm_) + "\"/>\n";
            continue;
        }
        if (item.kind == PlotItem::Kind::Polyline) {
            std::vector<PlotPointF> run;
            for (uint32_t k = 0; k < item.count; ++k)
                run.push_back(Centre(points[k]));
            if (role != Role::Slope) {
                path(run, stroke(item.color, 4 * mm_, round));
                continue;
            }
            // The slope curve comes in the screen's short dashes; joined
            // again across their gaps (not where it left the area), it is
            // drawn once in the touch reader's pattern.
            if (!slope.empty() &&
                std::hypot(run.front().x - slope.back().x, run.front().y - slope.back().y) > 10) {
                path(slope, slopeStyle);
                slope.clear();
            }
            slope.insert(slope.end(), run.begin(), run.end());
            continue;
        }
        if (item.kind != PlotItem::Kind::Line)
            continue;
        const PlotPointF a = Centre(points[0]);
        const PlotPointF b = Centre(points[1]);
        const std::string dashes = [&] {
            switch (role) {
            case Role::Tangent:
                return " stroke-dasharray=\"" + Number(8 * mm_) + " " + Number(4 * mm_) + "\"";
            case Role::SecondTangent:
                return " stroke-dasharray=\"" + Number(4 * mm_) + " " + Number(3 * mm_) + "\"";
            case Role::Chord:
                return " stroke-linecap=\"round\" stroke-dasharray=\"0 " + Number(5 * mm_) + "\"";
            default:
                return std::string();
            }
        }();
        if (role == Role::Grid || role == Role::Axis)
            continue; // drawn above, coarser
        line(a, b, stroke(item.color, (role == Role::Chord ? 2.5 : 1.5) * mm_, dashes));
    }
    if (!slope.empty())
        path(slope, slopeStyle);
    out_ += "<rect x=\"0\" y=\"0\" width=\"" + Number(size_) + "\" height=\"" + Number(size_) +
            "\"" + stroke(Bgr::Black, 1.5 * mm_) + "/>\n";
}

std::string SvgWriter::write()
{
    const std::vector<std::string> caption =
        options_.caption ? PlotCaption(lesson_, grid_.step, grid_.widthCm > 0 ? grid_.stepCm : 0)
                         : std::vector<std::string>();
    // The caption's text about 4 mm high on paper, as a worksheet's.
    const double fontSize = std::round(options_.touchReader ? 8 * mm_ : size_ / 33);
    const double lineHeight = fontSize * 1.5;
    const double height =
        size_ + (caption.empty() ? 0 : lineHeight * 0.5 + lineHeight * caption.size());
    out_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\"";
    if (grid_.widthCm > 0) {
        out_ += " width=\"" + Number(grid_.widthCm) + "cm\" height=\"" +
                Number(grid_.widthCm * height / size_) + "cm\"";
    } else {
        out_ += " width=\"" + Number(size_) + "\" height=\"" + Number(height) + "\"";
    }
    out_ += " viewBox=\"0 0 " + Number(size_) + " " + Number(height) +
            "\" role=\"img\" aria-labelledby=\"title desc\">\n";
    out_ += "<title id=\"title\">";
    const std::vector<std::string> title = PlotCaption(lesson_);
    Escaped(out_, title.empty() ? std::string() : title.front());
    out_ += "</title>\n<desc id=\"desc\">";
    Escaped(out_, PlotDescription(lesson_));
    out_ += "</desc>\n";
    out_ += "<rect x=\"0\" y=\"0\" width=\"" + Number(size_) + "\" height=\"" + Number(height) +
            "\" fill=\"#ffffff\"/>\n";
    // Every line is cut at the area's edges here rather than by a clip path,
    // which not every renderer draws (Qt's fills it as a shape).
    if (touch_)
        plotForTouch();
    else
        plotOnScreen();
    out_ += "<rect x=\"0\" y=\"" + Number(size_) + "\" width=\"" + Number(size_) + "\" height=\"" +
            Number(height - size_) + "\" fill=\"#ffffff\"/>\n";
    out_ += "<g font-family=\"IPAPGothic, sans-serif\" font-size=\"" + Number(fontSize) +
            "\" fill=\"#000000\">\n";
    double y = size_ + lineHeight * 0.5;
    for (const std::string& text : caption) {
        y += lineHeight;
        out_ +=
            "<text x=\"" + Number(fontSize / 2) + "\" y=\"" + Number(y - fontSize * 0.4) + "\">";
        Escaped(out_, text);
        out_ += "</text>\n";
    }
    out_ += "</g>\n</svg>\n";
    return std::move(out_);
}
} // namespace

SvgGrid SvgGridOf(const LessonState& lesson, const SvgOptions& options)
{
    SvgGrid grid;
    grid.widthCm = options.widthCm;
    const int32_t max = lesson.ZahyoMax;
    if (max <= 0)
        return grid;
    if (options.touchReader && options.widthCm > 0) {
        // The first step that leaves at most 12 squares across; the width
        // then held to the one that puts its lines 1.5 to 2 cm apart.
        for (const double step : {0.5, 1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 8.0, 10.0}) {
            grid.step = step;
            if (max / step <= 12)
                break;
        }
        const double squares = max / grid.step;
        grid.widthCm = std::clamp(options.widthCm, squares * 1.5, squares * 2.0);
    }
    grid.stepCm = grid.widthCm * grid.step / max;
    return grid;
}

std::string PlotSvg(const LessonState& lesson, const SvgOptions& options)
{
    return SvgWriter(lesson, options).write();
}
