// The lesson as the page's script sees it: one LessonSession with a method
// per control event, the view it gives back after each, and the plot's
// geometry.

#include "controls/control_table.h"
#include "entry/lesson_session.h"
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
    void ScrollBar1Scroll(int position, bool atRest) { session_.ScrollBar1Scroll(position, atRest); }
    void ScrollBar2Scroll(int position, bool atRest) { session_.ScrollBar2Scroll(position, atRest); }
    void BBtnSessenSuClick() { session_.BBtnSessenSuClick(); }
    void BBtnHojosenClick() { session_.BBtnHojosenClick(); }

    LessonView view() const { return session_.view(); }
    int zahyoMax() const { return session_.lesson().ZahyoMax; }

    // The views stay valid until the next call that reads a plot.
    emscripten::val plot(int width, int height)
    {
        return flatView(PlotOf(session_.lesson(), width, height));
    }
    emscripten::val plotBase(int width, int height)
    {
        return flatView(PlotBaseOf(session_.lesson(), width, height));
    }
    emscripten::val tangentLayer(int width, int height)
    {
        return flatView(TangentLayerOf(session_.lesson(), width, height));
    }

private:
    emscripten::val flatView(const PlotGeometry& geometry)
    {
        flat_ = Flatten(geometry);
        return emscripten::val(emscripten::typed_memory_view(flat_.size(), flat_.data()));
    }

    LessonSession session_;
    std::vector<int32_t> flat_;
};
// A control's accessible name while it shows `shown`.
std::string ControlNameOf(const std::string& id, const std::string& shown)
{
    const ControlRow* row = FindControlRow(id);
    return row == nullptr ? std::string() : ControlName(*row, shown);
}
} // namespace

EMSCRIPTEN_BINDINGS(tavrine)
{
    using emscripten::index;
    emscripten::value_array<std::array<std::string, kCoefficientCount>>("CoefficientLabels")
        .element(index<0>()).element(index<1>()).element(index<2>()).element(index<3>());
    emscripten::value_array<std::array<uint32_t, 5>>("SelectorColors")
        .element(index<0>()).element(index<1>()).element(index<2>()).element(index<3>())
        .element(index<4>());
    emscripten::value_object<ToggleLook>("ToggleLook")
        .field("caption", &ToggleLook::caption)
        .field("color", &ToggleLook::color)
        .field("visible", &ToggleLook::visible);
    emscripten::value_object<LessonView>("LessonView")
        .field("coefficientLabels", &LessonView::coefficientLabels)
        .field("equationText", &LessonView::equationText)
        .field("latchedSelector", &LessonView::latchedSelector)
        .field("selectorColors", &LessonView::selectorColors)
        .field("secondTangent", &LessonView::secondTangent)
        .field("chord", &LessonView::chord)
        .field("secondTangentOn", &LessonView::secondTangentOn)
        .field("chordOn", &LessonView::chordOn)
        .field("zoomPosition", &LessonView::zoomPosition)
        .field("tangentPosition", &LessonView::tangentPosition)
        .field("plotDescription", &LessonView::plotDescription)
        .field("announcement", &LessonView::announcement);
    emscripten::function("controlName", &ControlNameOf);

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
        .function("view", &WebLesson::view)
        .function("zahyoMax", &WebLesson::zahyoMax)
        .function("plot", &WebLesson::plot)
        .function("plotBase", &WebLesson::plotBase)
        .function("tangentLayer", &WebLesson::tangentLayer);
}
