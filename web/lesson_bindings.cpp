// The lesson as the page's script sees it: the LessonSession itself, which
// takes every control's event by the control's id and every key by its name,
// and the view it gives back after each; and the plot's geometry.

#include "controls/caption_fit.h"
#include "controls/control_table.h"
#include "controls/key_table.h"
#include "controls/language_choice.h"
#include "entry/lesson_paper.h"
#include "entry/lesson_session.h"
#include "entry/lesson_share.h"
#include "lesson/catalogue.h"
#include "lesson/contrast_palette.h"
#include "plot/plot_caption.h"
#include "plot/plot_layers.h"
#include "plot/plot_svg.h"
#include "plot/plot_revision.h"
#include "sound/lesson_sound.h"
#include "sound/sound_trace.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <algorithm>
#include <iterator>
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
    return FlatView(
        DrawnOnArea(TangentLayerOf(s.lesson(), width, height), ThinLineForm::AsPixelRuns));
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

// The lesson of a link (the page's address or its fragment) after the
// lesson reset; and the lesson as a link's fragment.
void OpenLink(LessonSession& s, const std::string& link)
{
    s.Open(link);
}

std::string LinkOf(const LessonSession& s)
{
    return LinkFragment(s.link());
}

// The link to hand out from the page at `pageAddress` (its own address):
// the address without its fragment, "#", the lesson's fragment.
std::string ShareAddressOf(const LessonSession& s, const std::string& pageAddress)
{
    return ShareAddress(pageAddress, s.link());
}

// KeyCommand's names, in its order.
constexpr const char* kCommands[] = {
    "PressControl", "SoundOnOff", "HearCurve",  "HearTangent", "StopSound",  "Presentation",
    "Share",        "SlopeCurve", "HearSlope",  "CopyPlot",    "SavePlot",   "PrintPlot",
    "TouchPaper",   "SliderLine", "SliderPage", "SliderToStart", "SliderToEnd"};
static_assert(std::size(kCommands) == static_cast<std::size_t>(KeyCommand::SliderToEnd) + 1);

// What a command's key does, from a control of the page's own: the share
// button and the share view's close button (and the browser closing the
// view), the slope curve's toggle.
After Command(LessonSession& s, const std::string& name, bool playing)
{
    const auto* found = std::find(std::begin(kCommands), std::end(kCommands), name);
    const KeyRow* key =
        found == std::end(kCommands)
            ? nullptr
            : FindCommandKey(static_cast<KeyCommand>(found - std::begin(kCommands)));
    return key ? s.Key(*key, playing) : After::Ignored;
}

// What the share view says that the page writes itself, in the lesson's
// language: the link copied or not, and the title a share sheet gives it.
emscripten::val ShareTexts()
{
    emscripten::val texts = emscripten::val::object();
    texts.set("copied", std::string(Translated(kShareCopied)));
    texts.set("copyFailed", std::string(Translated(kShareCopyFailed)));
    texts.set("title", std::string(Translated(kShareTitle)));
    return texts;
}

// The lesson's plot as the core draws it for paper: for the clipboard and a
// download the picture with its caption; for print the plot alone at its
// width on paper (the page sets the caption as text beneath it), for touch
// reading where the pupil asked for it.
std::string PaperSvg(const LessonSession& s, bool forPrint, bool highContrast)
{
    SvgOptions options =
        PaperSvgOptions(kPaperWidthCm, forPrint && s.view().touchPaperOn, highContrast);
    options.caption = !forPrint;
    return PlotSvg(s.lesson(), options);
}

// What the page needs beside the drawing: the picture's file name, the text
// copied with it, the print's caption lines (the grid's unit as printed, for
// touch reading where the pupil asked for it) and the picture's scale.
emscripten::val PaperTexts(const LessonSession& s)
{
    const SvgOptions options = PaperSvgOptions(kPaperWidthCm, s.view().touchPaperOn, false);
    const SvgGrid grid = SvgGridOf(s.lesson(), options);
    emscripten::val texts = emscripten::val::object();
    texts.set("fileName", PlotFileName(s.lesson(), "svg"));
    texts.set("text", PlotCaptionText(s.lesson()));
    emscripten::val lines = emscripten::val::array();
    for (const std::string& line : PlotCaption(s.lesson(), grid.step, grid.stepCm))
        lines.call<void>("push", line);
    texts.set("printLines", lines);
    texts.set("pictureScale", kPictureScale);
    return texts;
}

void PaperDone(LessonSession& s, PaperOutcome outcome, const std::string& detail)
{
    s.PaperDone(outcome, detail);
}

// The language a link asks for, or "" where it asks for none or holds no
// lesson.
std::string LinkLanguage(const std::string& link)
{
    const std::optional<LessonLink> lesson = ParseLessonLink(link);
    return lesson ? lesson->lang : std::string();
}

// Whether a press at (x, y) on the plot would take the tangent point.
bool GrabsTangentPoint(const LessonSession& s, int width, int height, double x, double y)
{
    return s.grabsTangentPoint({width, height, x, y});
}

// A control's events, by the control's id; an unknown id is no event.
After Press(LessonSession& s, const std::string& id)
{
    const ControlRow* row = FindControlRow(id);
    return row ? s.Press(*row) : After::Ignored;
}

After Scroll(LessonSession& s, const std::string& id, int32_t position, bool atRest)
{
    const ControlRow* row = FindControlRow(id);
    return row ? s.Scroll(*row, position, atRest) : After::Ignored;
}

After Pointer(LessonSession& s, const std::string& id, PointerPhase phase, int width, int height,
              double x, double y)
{
    const ControlRow* row = FindControlRow(id);
    return row ? s.Pointer(*row, phase, {width, height, x, y}) : After::Ignored;
}

// A key pressed with `modifiers` (controls/key_table.h) where no slider has
// the focus: what to do after it, and the control it presses, if any.
emscripten::val Key(LessonSession& s, const std::string& name, int modifiers, bool playing)
{
    const KeyRow* key = FindKey(name, static_cast<uint8_t>(modifiers), false);
    emscripten::val out = emscripten::val::object();
    out.set("after", key ? s.Key(*key, playing) : After::Ignored);
    out.set("control", std::string(key && key->control ? key->control : ""));
    return out;
}

// Where a focused slider at `position` moves for a key, or -1 when the key
// is not a slider's.
int32_t SliderKey(const std::string& name, int modifiers, int32_t position)
{
    const KeyRow* key = FindKey(name, static_cast<uint8_t>(modifiers), true);
    if (key == nullptr || key->focus != KeyFocus::Slider)
        return -1;
    switch (key->command) {
    case KeyCommand::SliderToStart:
        return 0;
    case KeyCommand::SliderToEnd:
        return LessonSession::kSliderMax;
    default:
        return std::clamp(position + key->step, int32_t{0}, LessonSession::kSliderMax);
    }
}

// The key table, for the page's tests to walk: each key's name, modifiers,
// where the focus may be, what it does (by name), its control and step.
emscripten::val KeyTableRows()
{
    emscripten::val list = emscripten::val::array();
    for (const KeyRow& row : KeyTable()) {
        emscripten::val entry = emscripten::val::object();
        entry.set("key", std::string(row.key));
        entry.set("modifiers", static_cast<int>(row.modifiers));
        entry.set("onSlider", row.focus == KeyFocus::Slider);
        entry.set("command", std::string(kCommands[static_cast<int>(row.command)]));
        entry.set("control", std::string(row.control ? row.control : ""));
        entry.set("step", row.step);
        entry.set("name", std::string(row.name));
        list.call<void>("push", entry);
    }
    return list;
}

// The modifier keys' bits, by the names a KeyboardEvent gives their flags.
emscripten::val ModifierBits()
{
    emscripten::val bits = emscripten::val::object();
    bits.set("shiftKey", static_cast<int>(kShift));
    bits.set("ctrlKey", static_cast<int>(kControl));
    bits.set("altKey", static_cast<int>(kAlt));
    bits.set("metaKey", static_cast<int>(kMeta));
    return bits;
}

// What each control's event asks of the lesson, by id: the page binds its
// elements' events from this, and the keys that press a control.
emscripten::val ControlIntents()
{
    static constexpr const char* kDoes[] = {"Shows",         "Quit",   "Zoom",       "MoveTangent",
                                            "SecondTangent", "Chord",  "Digit",      "Minus",
                                            "Confirm",       "Select", "DragTangent"};
    emscripten::val list = emscripten::val::array();
    for (const ControlRow& row : ControlTable()) {
        emscripten::val entry = emscripten::val::object();
        entry.set("id", std::string(row.id));
        entry.set("does", std::string(kDoes[static_cast<int>(row.intent.does)]));
        entry.set("argument", row.intent.argument);
        entry.set("keys", KeysOf(row.id));
        if (row.labelFor)
            entry.set("labelFor", std::string(row.labelFor));
        list.call<void>("push", entry);
    }
    return list;
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

// A control's description while the curve's equation is `equation`.
std::string ControlDescriptionOf(const std::string& id, const std::string& equation)
{
    const ControlRow* row = FindControlRow(id);
    return row == nullptr ? std::string() : ControlDescription(*row, equation);
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
        .value("Open", SoundCue::Open)
        .value("Stop", SoundCue::Stop)
        .value("Curve", SoundCue::Curve)
        .value("TangentThenCurve", SoundCue::TangentThenCurve)
        .value("SlopeStep", SoundCue::SlopeStep)
        .value("SlopeCurve", SoundCue::SlopeCurve);
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
        .field("sound", &LessonView::sound)
        .field("sharing", &LessonView::sharing)
        .field("slopeCurveOn", &LessonView::slopeCurveOn)
        .field("touchPaperOn", &LessonView::touchPaperOn);
    emscripten::enum_<After>("After")
        .value("Ignored", After::Ignored)
        .value("Show", After::Show)
        .value("Draw", After::Draw)
        .value("Quit", After::Quit)
        .value("Presentation", After::Presentation)
        .value("EndPresentation", After::EndPresentation)
        .value("PressControl", After::PressControl)
        .value("Share", After::Share)
        .value("Copy", After::Copy)
        .value("Save", After::Save)
        .value("Print", After::Print);
    emscripten::enum_<PaperOutcome>("PaperOutcome")
        .value("Copied", PaperOutcome::Copied)
        .value("CopyRefused", PaperOutcome::CopyRefused)
        .value("Saved", PaperOutcome::Saved)
        .value("SaveFailed", PaperOutcome::SaveFailed);
    emscripten::enum_<PointerPhase>("PointerPhase")
        .value("Down", PointerPhase::Down)
        .value("Move", PointerPhase::Move)
        .value("Up", PointerPhase::Up);
    emscripten::function("modifierBits", &ModifierBits);
    emscripten::function("sliderKey", &SliderKey);
    emscripten::function("keyTable", &KeyTableRows);
    emscripten::function("controlIntents", &ControlIntents);
    emscripten::function("controlName", &ControlNameOf);
    emscripten::function("controlDescription", &ControlDescriptionOf);
    emscripten::function("languages", &LanguageList);
    emscripten::function("linkLanguage", &LinkLanguage);
    emscripten::function("shareTexts", &ShareTexts);
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
        .function("open", &OpenLink)
        .function("link", &LinkOf)
        .function("shareAddress", &ShareAddressOf)
        .function("command", &Command)
        .function("press", &Press)
        .function("scroll", &Scroll)
        .function("pointer", &Pointer)
        .function("key", &Key)
        .function("grabsTangentPoint", &GrabsTangentPoint)
        .function("draggingTangent", &S::draggingTangent)
        .function("SoundUnavailable", &S::SoundUnavailable)
        .function("soundSamples", &SoundSamples)
        .function("view", &S::view)
        .function("plot", &Plot)
        .function("plotBase", &PlotBase)
        .function("tangentLayer", &TangentLayer)
        .function("paperSvg", &PaperSvg)
        .function("paperTexts", &PaperTexts)
        .function("paperDone", &PaperDone);
}
