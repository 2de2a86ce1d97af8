// The lesson as the page's script sees it: one LessonSession with a method
// per control event, and the texts, colours and the plot's geometry read back.

#include "entry/lesson_session.h"
#include "plot/plot_description.h"
#include "plot/plot_layers.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <vector>

namespace {
// The plot as one run of 32-bit integers, so that the page takes it in a
// single copy: width, height, item count, then per item kind, colour
// (0xBBGGRR), pen width, first point, point count, then the point count and
// the points as x, y pairs.
std::vector<int32_t> Flatten(const PlotGeometry& geometry)
{
    std::vector<int32_t> out;
    out.reserve(4 + geometry.items.size() * 5 + geometry.points.size() * 2);
    out.push_back(geometry.width);
    out.push_back(geometry.height);
    out.push_back(static_cast<int32_t>(geometry.items.size()));
    for (const PlotItem& item : geometry.items) {
        out.push_back(static_cast<int32_t>(item.kind));
        out.push_back(static_cast<int32_t>(item.color));
        out.push_back(item.penWidth);
        out.push_back(static_cast<int32_t>(item.first));
        out.push_back(static_cast<int32_t>(item.count));
    }
    out.push_back(static_cast<int32_t>(geometry.points.size()));
    for (const DotPoint& p : geometry.points) {
        out.push_back(p.x);
        out.push_back(p.y);
    }
    return out;
}

class WebLesson {
public:
    void Syokika() { session_.Syokika(); }
    bool BtnKetteiClick() { return session_.BtnKetteiClick(); }
    void SelectorClick(int target) { session_.SelectorClick(target); }
    void DigitClick(int digit) { session_.DigitClick(digit); }
    void Btn00Click() { session_.Btn00Click(); }
    void BtnMinusClick() { session_.BtnMinusClick(); }
    void ScrollBar1Scroll(int position) { session_.ScrollBar1Scroll(position); }
    void ScrollBar2Scroll(int position) { session_.ScrollBar2Scroll(position); }
    void BBtnSessenSuClick() { session_.BBtnSessenSuClick(); }
    void BBtnHojosenClick() { session_.BBtnHojosenClick(); }

    std::string coefficientLabel(int n) const
    {
        return n >= 1 && n <= kCoefficientCount ? session_.coefficientLabel(n) : std::string();
    }
    std::string equationText() const { return session_.equationText(); }
    int latchedSelector() const { return session_.latchedSelector(); }
    uint32_t selectorColor(int n) const
    {
        return n >= 1 && n <= 5 ? session_.selectorColors()[static_cast<std::size_t>(n - 1)] : 0;
    }
    std::string toggleCaption(int which) const { return look(which).caption; }
    uint32_t toggleColor(int which) const { return look(which).color; }
    bool toggleVisible(int which) const { return look(which).visible; }
    int zoomPosition() const { return session_.zoomPosition(); }
    int tangentPosition() const { return session_.tangentPosition(); }
    int zahyoMax() const { return session_.lesson().ZahyoMax; }

    // The plot put into words, and what to say after a change (the numbers
    // of LessonChange: 0 confirmed, 1 second tangent, 2 chord, 3 zoom,
    // 4 tangent point).
    std::string description() const { return PlotDescription(session_.lesson()); }
    std::string announcement(int change) const
    {
        if (change < 0 || change > static_cast<int>(LessonChange::TangentPoint))
            return {};
        return ChangeAnnouncement(session_.lesson(), static_cast<LessonChange>(change));
    }

    // The views stay valid until the next call that reads a plot.
    emscripten::val plot(int width, int height)
    {
        return view(PlotOf(session_.lesson(), width, height));
    }
    emscripten::val plotBase(int width, int height)
    {
        return view(PlotBaseOf(session_.lesson(), width, height));
    }
    emscripten::val tangentLayer(int width, int height)
    {
        return view(TangentLayerOf(session_.lesson(), width, height));
    }

private:
    const ToggleLook& look(int which) const
    {
        return which == 2 ? session_.toggleLooks().chord : session_.toggleLooks().secondTangent;
    }
    emscripten::val view(const PlotGeometry& geometry)
    {
        flat_ = Flatten(geometry);
        return emscripten::val(emscripten::typed_memory_view(flat_.size(), flat_.data()));
    }

    LessonSession session_;
    std::vector<int32_t> flat_;
};
} // namespace

EMSCRIPTEN_BINDINGS(tavrine)
{
    emscripten::class_<WebLesson>("Lesson")
        .constructor<>()
        .function("Syokika", &WebLesson::Syokika)
        .function("BtnKetteiClick", &WebLesson::BtnKetteiClick)
        .function("SelectorClick", &WebLesson::SelectorClick)
        .function("DigitClick", &WebLesson::DigitClick)
        .function("Btn00Click", &WebLesson::Btn00Click)
        .function("BtnMinusClick", &WebLesson::BtnMinusClick)
        .function("ScrollBar1Scroll", &WebLesson::ScrollBar1Scroll)
        .function("ScrollBar2Scroll", &WebLesson::ScrollBar2Scroll)
        .function("BBtnSessenSuClick", &WebLesson::BBtnSessenSuClick)
        .function("BBtnHojosenClick", &WebLesson::BBtnHojosenClick)
        .function("coefficientLabel", &WebLesson::coefficientLabel)
        .function("equationText", &WebLesson::equationText)
        .function("latchedSelector", &WebLesson::latchedSelector)
        .function("selectorColor", &WebLesson::selectorColor)
        .function("toggleCaption", &WebLesson::toggleCaption)
        .function("toggleColor", &WebLesson::toggleColor)
        .function("toggleVisible", &WebLesson::toggleVisible)
        .function("zoomPosition", &WebLesson::zoomPosition)
        .function("tangentPosition", &WebLesson::tangentPosition)
        .function("zahyoMax", &WebLesson::zahyoMax)
        .function("description", &WebLesson::description)
        .function("announcement", &WebLesson::announcement)
        .function("plot", &WebLesson::plot)
        .function("plotBase", &WebLesson::plotBase)
        .function("tangentLayer", &WebLesson::tangentLayer);
}
