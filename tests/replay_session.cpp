// Plays a pupil's events on the lesson, one a line from standard input, and
// answers each with one line: what the lesson shows after it (the view and a
// checksum of the plot's geometry), then where the tangent point stands on the
// plot. The page's random test (web/tests/random_use.test.mjs) plays the same
// events on the page and compares the page's lesson with these lines.
//
// Events, as the page's controls turn them into the lesson's handlers:
//   click ID         a key, "決定", a selector or a toggle (a hidden toggle
//                    is not there to be clicked)
//   step BAR D       an arrow, a key or the trough: one move by D, then rest
//   jump BAR P       Home or End: a move to P, then rest
//   thumb BAR        a press and release on the thumb: rest where it is
//   wheel BAR D...   turns of the wheel, one move each, then rest
//   press X Y | move X | release    a pointer on the 660 x 660 plot

#include "entry/lesson_session.h"
#include "plot/mapping.h"
#include "plot/plot_layers.h"

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <sstream>
#include <string>

namespace {
constexpr int kPlot = 660;

uint32_t Mix(uint32_t hash, int64_t value)
{
    return (hash ^ static_cast<uint32_t>(value)) * 16777619u;
}

// FNV-1a over the plot as the page reads it: width, height, item count, each
// item, point count, the points.
uint32_t PlotChecksum(const PlotGeometry& g)
{
    uint32_t h = 2166136261u;
    for (const int64_t v : {int64_t{g.width}, int64_t{g.height}, int64_t(g.items.size())})
        h = Mix(h, v);
    for (const PlotItem& item : g.items) {
        for (const int64_t v : {int64_t(item.kind), int64_t{item.color}, int64_t{item.penWidth},
                                int64_t(item.first), int64_t(item.count)})
            h = Mix(h, v);
    }
    h = Mix(h, int64_t(g.points.size()));
    for (const DotPoint& p : g.points)
        h = Mix(Mix(h, p.x), p.y);
    return h;
}

void WriteLook(std::ostream& out, const ToggleLook& look)
{
    out << look.caption << '\t' << look.color << '\t' << look.visible << '\t';
}

void WriteState(std::ostream& out, const LessonSession& session)
{
    const LessonView v = session.view();
    for (const std::string& label : v.coefficientLabels)
        out << label << '\t';
    out << v.equationText << '\t' << v.latchedSelector << '\t';
    for (const uint32_t c : v.selectorColors)
        out << c << ',';
    out << '\t';
    WriteLook(out, v.toggles.secondTangent);
    WriteLook(out, v.toggles.chord);
    out << v.secondTangentOn << '\t' << v.chordOn << '\t' << v.zoomPosition << '\t'
        << v.tangentPosition << '\t' << v.plotDescription << '\t' << v.announcement << '\t'
        << PlotChecksum(PlotOf(session.lesson(), kPlot, kPlot));
    const LessonState& lesson = session.lesson();
    const DotPoint point = ZahyoMapping(lesson.ZahyoMax, kPlot, kPlot)
                               .Map(lesson.SettenPt.x, lesson.SettenPt.y);
    out << '\t' << point.x << ' ' << point.y << '\n';
}

void Scroll(LessonSession& s, const std::string& bar, int32_t position, bool atRest)
{
    position = std::clamp(position, int32_t{0}, LessonSession::kSliderMax);
    if (bar == "ScrollBar1")
        s.ScrollBar1Scroll(position, atRest);
    else
        s.ScrollBar2Scroll(position, atRest);
}

int32_t PositionOf(const LessonSession& s, const std::string& bar)
{
    return bar == "ScrollBar1" ? s.zoomPosition() : s.tangentPosition();
}

void Click(LessonSession& s, const std::string& id)
{
    const std::string selectors[] = {"SbnKeisuA", "SbnKeisuB", "SbnKeisuC", "SbnKeisuD", "SbnSiki"};
    for (int k = 0; k < 5; ++k) {
        if (id == selectors[k])
            return s.SelectorClick(k + 1);
    }
    if (id == "Btn00")
        s.Btn00Click();
    else if (id.size() == 5 && id.rfind("Btn0", 0) == 0)
        s.DigitClick(id[4] - '0');
    else if (id == "BtnMinus")
        s.BtnMinusClick();
    else if (id == "BtnKettei")
        s.BtnKetteiClick();
    else if (id == "BBtnSessenSu")
        s.BBtnSessenSuClick();
    else if (id == "BBtnHojosen" && s.view().toggles.chord.visible)
        s.BBtnHojosenClick();
}

void Play(LessonSession& s, const std::string& line)
{
    std::istringstream in(line);
    std::string what, bar;
    in >> what;
    if (what == "click") {
        in >> bar;
        Click(s, bar);
    } else if (what == "step" || what == "jump") {
        int32_t n = 0;
        in >> bar >> n;
        const int32_t to = what == "step" ? PositionOf(s, bar) + n : n;
        Scroll(s, bar, to, false);
        Scroll(s, bar, to, true);
    } else if (what == "thumb") {
        in >> bar;
        Scroll(s, bar, PositionOf(s, bar), true);
    } else if (what == "wheel") {
        in >> bar;
        for (int32_t d = 0; in >> d;)
            Scroll(s, bar, PositionOf(s, bar) + d, false);
        Scroll(s, bar, PositionOf(s, bar), true);
    } else if (what == "press") {
        double x = 0, y = 0;
        in >> x >> y;
        s.PaintBox1MouseDown(kPlot, kPlot, x, y);
    } else if (what == "move") {
        double x = 0;
        in >> x;
        s.PaintBox1MouseMove(x);
    } else if (what == "release") {
        s.PaintBox1MouseUp();
    } else {
        throw std::runtime_error("unknown event: " + line);
    }
}
} // namespace

int main()
{
    LessonSession session;
    session.Syokika();
    WriteState(std::cout, session);
    std::cout.flush();
    for (std::string line; std::getline(std::cin, line);) {
        Play(session, line);
        WriteState(std::cout, session);
        std::cout.flush();
    }
}
