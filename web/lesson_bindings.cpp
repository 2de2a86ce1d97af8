// The lesson as the page's script sees it: the LessonSession itself, with a
// method per control event and the view it gives back after each, and the
// plot's geometry.

#include "controls/caption_fit.h"
#include "controls/control_table.h"
#include "controls/language_choice.h"
#include "entry/lesson_session.h"
#include "lesson/catalogue.h"
#include "lesson/contrast_palette.h"
#include "plot/plot_layers.h"
#include "plot/plot_revision.h"
#include "plot/tangent_grab.h"
#include "sound/lesson_sound.h"
#include "sound/sound_trace.h"

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

// The plot's views stay valid until the next call that reads a plot.
emscripten::val FlatView(const PlotGeometry& geometry)
{
    static std::vector<int32_t> flat;
    flat = Flatten(geometry);
    return emscripten::val(emscripten::typed_memory_view(flat.size(), flat.data()));
}

emscripten::val Plot(const LessonSession& s, int width, int height)
{
    return FlatView(PlotOf(s.lesson(), width, height));
}

// The base and the tangent layer as the page draws them: cut to the area,
// with the 1-pixel lines as the runs of pixels they cover.
emscripten::val PlotBase(const LessonSession& s, int width, int height)
{
    return FlatView(DrawnOnArea(PlotBaseOf(s.lesson(), width, height), ThinLineForm::AsPixelRuns));
}

emscripten::val TangentLayer(const LessonSession& s, int width, int height)
{
    return FlatView(DrawnOnArea(TangentLayerOf(s.lesson(), width, height), ThinLineForm::AsPixelRuns));
}

// The plot's revisions for the lesson as it stands, [base, whole plot]: the
// page draws the base and the plot again only when they move on.
emscripten::val PlotRevisions(const LessonSession& s)
{
    static PlotRevision revision;
    revision.follow(s.lesson());
    emscripten::val both = emscripten::val::array();
    both.call<void>("push", revision.base());
    both.call<void>("push", revision.plot());
    return both;
}

// Whether a press at (x, y) on the plot would take the tangent point.
bool GrabsTangentPoint(const LessonSession& s, int width, int height, double x, double y)
{
    return CanGrabTangentPoint(s.lesson(), width, height, x, y);
}

// The samples of a sound cue for the lesson as it stands, interleaved stereo
// float; the view stays valid until the next call.
emscripten::val SoundSamples(const LessonSession& s, SoundCue cue)
{
    static std::vector<float> samples;
    samples = SoundOf(s.lesson(), cue);
    return emscripten::val(emscripten::typed_memory_view(samples.size(), samples.data()));
}

// A control's accessible name while it shows `shown`.
std::string ControlNameOf(const std::string& id, const std::string& shown)
{
    const ControlRow* row = FindControlRow(id);
    return row == nullptr ? std::string() : ControlName(*row, shown);
}

// The languages the lesson speaks, Japanese first: tag and own name.
emscripten::val LanguageList()
{
    emscripten::val list = emscripten::val::array();
    for (const Language& language : Languages()) {
        emscripten::val entry = emscripten::val::object();
        entry.set("tag", std::string(language.tag));
        entry.set("ownName", std::string(language.ownName));
        list.call<void>("push", entry);
    }
    return list;
}

// Sets the lesson's language to the first of `tags` (a list as the page's
// address, the device's memory or the browser gives it) that it speaks, else
// Japanese; returns the language's tag. Before the lesson is made, so that
// everything it shows is in that language from the start.
std::string ChooseLanguage(const std::string& tags)
{
    const Language* language = FirstLanguageOf(tags);
    SetLanguage(language ? *language : Languages().front());
    return std::string(CurrentLanguage().tag);
}

std::string TranslatedText(const std::string& japanese)
{
    return std::string(Translated(japanese));
}

// What each control shows and how it is named and described, in the lesson's
// language: id, caption, name (with the caption, as the page names a control
// that has no label), description, the control it labels and that control's
// name; and every caption it can show, so that the page writes a caption too
// wide for its control smaller (fittedCaptionSize).
emscripten::val ControlTexts()
{
    emscripten::val list = emscripten::val::array();
    for (const ControlRow& row : ControlTable()) {
        emscripten::val entry = emscripten::val::object();
        entry.set("id", std::string(row.id));
        entry.set("caption", std::string(RowCaption(row)));
        entry.set("name", ControlName(row, RowCaption(row)));
        entry.set("description", std::string(RowDescription(row)));
        if (const ControlRow* labelled = row.labelFor ? FindControlRow(row.labelFor) : nullptr) {
            entry.set("labelFor", std::string(row.labelFor));
            entry.set("labelledName", std::string(RowName(*labelled)));
        }
        emscripten::val captions = emscripten::val::array();
        for (const std::string& caption : CaptionsOf(row))
            captions.call<void>("push", caption);
        entry.set("captions", captions);
        list.call<void>("push", entry);
    }
    return list;
}

// The pixel size the control's captions are written at, from its role's
// size, with `widest(size)` the width of the widest at a size.
int FittedCaptionSizeOf(const std::string& id, int roleSize, emscripten::val widest)
{
    const ControlRow* row = FindControlRow(id);
    if (row == nullptr)
        return roleSize;
    return FittedCaptionSize(*row, roleSize,
                             [&](int pixelSize) { return widest(pixelSize).as<double>(); });
}

// The high-contrast palette's rows, each the lesson's colour with the one
// drawn in its place as a caption and on the plot (0xBBGGRR).
emscripten::val ContrastPalette()
{
    emscripten::val rows = emscripten::val::array();
    for (const ContrastColor& row : kContrastPalette) {
        emscripten::val entry = emscripten::val::object();
        entry.set("lesson", row.lesson);
        entry.set("caption", row.caption);
        entry.set("plot", row.plot);
        rows.call<void>("push", entry);
    }
    return rows;
}
} // namespace

EMSCRIPTEN_BINDINGS(tavrine)
{
    using emscripten::index;
    emscripten::value_array<std::array<std::string, kCoefficientCount>>("CoefficientLabels")
        .element(index<0>())
        .element(index<1>())
        .element(index<2>())
        .element(index<3>());
    emscripten::value_array<std::array<uint32_t, 5>>("SelectorColors")
        .element(index<0>())
        .element(index<1>())
        .element(index<2>())
        .element(index<3>())
        .element(index<4>());
    emscripten::value_object<ToggleLook>("ToggleLook")
        .field("caption", &ToggleLook::caption)
        .field("color", &ToggleLook::color)
        .field("visible", &ToggleLook::visible);
    emscripten::value_object<ToggleLooks>("ToggleLooks")
        .field("secondTangent", &ToggleLooks::secondTangent)
        .field("chord", &ToggleLooks::chord);
    emscripten::enum_<SoundCue>("SoundCue")
        .value("None", SoundCue::None)
        .value("Stop", SoundCue::Stop)
        .value("Curve", SoundCue::Curve)
        .value("TangentThenCurve", SoundCue::TangentThenCurve)
        .value("SlopeStep", SoundCue::SlopeStep);
    emscripten::value_object<LessonView>("LessonView")
        .field("coefficientLabels", &LessonView::coefficientLabels)
        .field("equationText", &LessonView::equationText)
        .field("latchedSelector", &LessonView::latchedSelector)
        .field("selectorColors", &LessonView::selectorColors)
        .field("toggles", &LessonView::toggles)
        .field("secondTangentOn", &LessonView::secondTangentOn)
        .field("chordOn", &LessonView::chordOn)
        .field("zoomPosition", &LessonView::zoomPosition)
        .field("tangentPosition", &LessonView::tangentPosition)
        .field("plotDescription", &LessonView::plotDescription)
        .field("announcement", &LessonView::announcement)
        .field("soundOn", &LessonView::soundOn)
        .field("sound", &LessonView::sound);
    emscripten::function("controlName", &ControlNameOf);
    emscripten::function("languages", &LanguageList);
    emscripten::function("chooseLanguage", &ChooseLanguage);
    emscripten::function("translated", &TranslatedText);
    emscripten::function("controlTexts", &ControlTexts);
    emscripten::constant("smallestCaptionScale", kSmallestCaptionScale);
    emscripten::constant("languageChoiceName", std::string(kLanguageChoiceName));
    emscripten::function("contrastPalette", &ContrastPalette);
    emscripten::function("plotRevisions", &PlotRevisions);
    emscripten::function("fittedCaptionSize", &FittedCaptionSizeOf);
    // The plot's square area in layout pixels, and the rate of the sound's samples.
    emscripten::constant("plotSize", FindControlRow("PaintBox1")->place.width);
    emscripten::constant("sampleRate", kSampleRate);

    using S = LessonSession;
    emscripten::class_<LessonSession>("Lesson")
        .constructor<>()
        .function("Syokika", &S::Syokika)
        .function("BtnKetteiClick", &S::BtnKetteiClick)
        .function("SelectorClick", &S::SelectorClick)
        .function("DigitClick", &S::DigitClick)
        .function("Btn00Click", &S::Btn00Click)
        .function("BtnMinusClick", &S::BtnMinusClick)
        .function("ScrollBar1Scroll", &S::ScrollBar1Scroll)
        .function("ScrollBar2Scroll", &S::ScrollBar2Scroll)
        .function("BBtnSessenSuClick", &S::BBtnSessenSuClick)
        .function("BBtnHojosenClick", &S::BBtnHojosenClick)
        .function("PaintBox1MouseDown", &S::PaintBox1MouseDown)
        .function("PaintBox1MouseMove", &S::PaintBox1MouseMove)
        .function("PaintBox1MouseUp", &S::PaintBox1MouseUp)
        .function("draggingTangent", &S::draggingTangent)
        .function("grabsTangentPoint", &GrabsTangentPoint)
        .function("SoundToggle", &S::SoundToggle)
        .function("HearKey", &S::HearKey)
        .function("HearAction", &S::HearAction)
        .function("StopSound", &S::StopSound)
        .function("SoundUnavailable", &S::SoundUnavailable)
        .function("soundSamples", &SoundSamples)
        .function("view", &S::view)
        .function("plot", &Plot)
        .function("plotBase", &PlotBase)
        .function("tangentLayer", &TangentLayer);
}
