// Writes what the Python and JavaScript tests take from the program, so
// that they compare with the words and places it holds:
//
//   write_test_data CONTROLS TEXTS   the control table as JSON, and the
//                                    program's sentences by name

#include "controls/control_table.h"
#include "entry/lesson_session.h"
#include "entry/lesson_share.h"
#include "entry/plot_menu.h"
#include "lesson/catalogue.h"
#include "lesson/tangent_toggles.h"
#include "plot/plot_description.h"
#include "sound/lesson_sound.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <fstream>

namespace {
using Json = nlohmann::ordered_json;

Json Text(const char* text)
{
    return text ? Json(text) : Json(nullptr);
}

Json PlaceJson(const Place& p)
{
    return Json::array({p.x, p.y, p.width, p.height});
}

Json Controls()
{
    const char* const kKinds[] = {"plot",   "label",  "slider",  "groupbox",
                                  "button", "toggle", "selector"};
    // Each focusable control's place in the keyboard order.
    const std::vector<const ControlRow*> order = KeyboardOrder();
    const auto keyboard = [&order](const ControlRow& row) {
        const auto at = std::find(order.begin(), order.end(), &row);
        return at == order.end() ? Json(nullptr) : Json(at - order.begin());
    };
    Json rows = Json::array();
    for (const ControlRow& row : ControlTable()) {
        rows.push_back({{"id", row.id},
                        {"kind", kKinds[static_cast<int>(row.kind)]},
                        {"parent", ParentId(row.parent)},
                        {"place", PlaceJson(row.place)},
                        {"portrait", row.portrait ? PlaceJson(*row.portrait) : Json(nullptr)},
                        {"caption", Text(row.caption)},
                        {"tab", row.tab},
                        {"keyboard", keyboard(row)},
                        {"name", ControlName(row, row.caption)},
                        {"plainName", Text(row.accessibleName)},
                        {"description", Text(row.description)},
                        {"labelFor", Text(row.labelFor)}});
    }
    return rows;
}

// The sentences the editions say beyond the controls' own texts, by name, in
// Japanese.
Json Texts()
{
    return {
        {"lessonName", kLessonName},
        {"lessonOver", kLessonOver},
        {"nameAndValue", kNameAndValue},
        {"oneTangentAtReset", kOneTangentAtReset},
        {"oneTangent", kOneTangent},
        {"twoTangents", kTwoTangents},
        {"chordOff", kChordOff},
        {"chordOn", kChordOn},
        {"confirmationRefused", kConfirmationRefused},
        {"soundOn", kSoundOn},
        {"soundOff", kSoundOff},
        {"soundIsOff", kSoundIsOff},
        {"noAudioDevice", kNoAudioDevice},
        {"hearCurve", kHearCurveAction},
        {"hearTangent", kHearTangentAction},
        {"noCurveYet", kNoCurveYet},
        {"curve", kCurveReading},
        {"range", kRangeReading},
        {"inflection", kInflectionReading},
        {"inflectionOutside", kInflectionOutsideReading},
        {"tangentHidden", kTangentHiddenReading},
        {"tangent", kTangentReading},
        {"tangentOutside", kTangentOutsideReading},
        {"secondTangent", kSecondTangentReading},
        {"chord", kChordReading},
        {"point", kPointReading},
        {"confirmed", kConfirmedReading},
        {"oneTangentSaid", kOneTangentReading},
        {"twoTangentsSaid", kTwoTangentsReading},
        {"sentenceEnd", SentenceEnd()},
        {"linkHeldNoLesson", kLinkHeldNoLesson},
        {"shareButton", kShareButtonCaption},
        {"shareButtonDescription", kShareButtonDescription},
        {"shareTitle", kShareTitle},
        {"shareCopied", kShareCopied},
        {"shareCopyFailed", kShareCopyFailed},
        {"slopeCurve", kSlopeCurveCaption},
        {"slopeCurveDescription", kSlopeCurveDescription},
        {"slopeCurveShown", kSlopeCurveShownReading},
        {"slopePoint", kSlopePointReading},
        {"plotCopied", kPlotCopied},
        {"copyRefused", kCopyRefused},
        {"plotSaved", kPlotSaved},
        {"touchPaperOn", kTouchPaperOn},
    };
}

bool Write(const char* path, const Json& json)
{
    std::ofstream out(path, std::ios::binary);
    return static_cast<bool>(out << json.dump(2) << '\n');
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: write_test_data CONTROLS TEXTS\n");
        return 2;
    }
    return Write(argv[1], Controls()) && Write(argv[2], Texts()) ? 0 : 1;
}
