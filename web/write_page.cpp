// Writes what the page and the tests take from the control table, at build
// time, so that the page stays a static folder:
//
//   write_page --page TEMPLATE MANIFEST OUT_DIR CHARACTERS MORE_CHARACTERS
//                                        OUT_DIR/index.html (the template with
//                                        the controls' markup), OUT_DIR/
//                                        controls.css (their places, faces and
//                                        colours), the web app manifest in each
//                                        language, CHARACTERS (what the page
//                                        can show in Japanese, for its font
//                                        subsets) and MORE_CHARACTERS (what the
//                                        other languages add)
//   write_page --json CONTROLS TEXTS     the table as JSON, and the program's
//                                        sentences by name, for the Python and
//                                        JavaScript tests

#include "controls/caption_fit.h"
#include "controls/control_table.h"
#include "controls/language_choice.h"
#include "entry/lesson_session.h"
#include "lesson/catalogue.h"
#include "lesson/contrast_palette.h"
#include "lesson/tangent_toggles.h"
#include "plot/plot_description.h"
#include "sound/lesson_sound.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {
std::string Replaced(std::string text, std::string_view marker, const std::string& with);

std::string Escaped(std::string_view text)
{
    std::string out;
    for (const char c : text)
        out += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '"' ? "&quot;" : std::string(1, c);
    return out;
}

std::string Attribute(const char* name, std::string_view value)
{
    return std::string(" ") + name + "=\"" + Escaped(value) + "\"";
}

const char* const kParentIds[] = {"", "GroupBox1", "GroupBox2"};

// A label whose caption never changes ("接点") names its control with its
// visible caption first, as the desktop relates the two; a live label (a
// coefficient's value) lends only the name it carries.
std::string LabelledBy(const ControlRow& label, const std::string& id)
{
    return label.nameKind == NameKind::Fixed ? std::string(label.id) + " " + id + "-name"
                                             : id + "-name";
}

// One control's opening tag and content; a group box's children follow it
// before its closing tag. A label carries, hidden, the name of the control
// it labels: that control takes its name from there, so that the relation
// holds while both keep the names the table gives them.
std::string OpenControl(const ControlRow& row)
{
    const std::string id = row.id;
    std::string a = Attribute("id", id);
    if (const ControlRow* label = LabelOf(row); label != nullptr)
        a += Attribute("aria-labelledby", LabelledBy(*label, id));
    else if (row.kind != ControlKind::GroupBox)
        a += Attribute("aria-label", ControlName(row, row.caption));
    if (row.kind != ControlKind::Plot)
        a += Attribute("aria-description", row.description);
    if (row.nameKind == NameKind::LiveText)
        a += " data-live-name";
    const std::string caption = Escaped(row.caption);
    const ControlRow* labelled = row.labelFor ? FindControlRow(row.labelFor) : nullptr;
    switch (row.kind) {
    case ControlKind::Plot:
        return "<canvas" + a + " role=\"img\" aria-describedby=\"plotDescription\"></canvas>\n" +
               "<p id=\"plotDescription\" class=\"offscreen\"></p>";
    case ControlKind::Label:
        return "<div" + a + " class=\"label\" role=\"note\"><span>" + caption + "</span>" +
               (labelled ? "<span" + Attribute("id", std::string(row.labelFor) + "-name") +
                               " hidden>" + Escaped(labelled->accessibleName) + "</span>"
                         : "") +
               "</div>";
    case ControlKind::Slider:
        return "<div" + a +
               " class=\"scrollbar\" role=\"slider\" tabindex=\"0\" aria-valuemin=\"0\"" +
               " aria-valuemax=\"100\" aria-orientation=\"horizontal\"></div>";
    case ControlKind::GroupBox:
        return "<div" + a + " class=\"groupbox\" role=\"group\"" +
               Attribute("aria-labelledby", id + "Caption") + ">\n<span" +
               Attribute("id", id + "Caption") + " class=\"caption\">" + caption + "</span>";
    case ControlKind::PushButton:
        return "<button" + a + ">" + caption + "</button>";
    case ControlKind::Toggle:
        return "<button" + a + " class=\"toggle\" role=\"checkbox\" aria-checked=\"false\">" +
               caption + "</button>";
    case ControlKind::Selector:
        return "<div" + a + " class=\"speed\" role=\"checkbox\" aria-checked=\"false\"" +
               " tabindex=\"-1\">" + caption + "</div>";
    }
    return {};
}

// Window controls in the table's order, each group box with its children
// inside it.
std::string Markup()
{
    std::string out;
    for (const ControlRow& row : ControlTable()) {
        if (row.parent != Parent::Window)
            continue;
        out += OpenControl(row) + "\n";
        if (row.kind != ControlKind::GroupBox)
            continue;
        for (const ControlRow& child : ControlTable()) {
            if (row.id == std::string_view(kParentIds[static_cast<int>(child.parent)]))
                out += OpenControl(child) + "\n";
        }
        out += "</div>\n";
    }
    // After the lesson's controls in the keyboard order; main.js lists the
    // languages.
    return out + "<label id=\"LanguageChoice\"><svg viewBox=\"0 0 24 24\" aria-hidden=\"true\">" +
           "<circle cx=\"12\" cy=\"12\" r=\"10\"/><ellipse cx=\"12\" cy=\"12\" rx=\"4.5\" " +
           "ry=\"10\"/><path d=\"M2 12h20M4 6.5h16M4 17.5h16\"/></svg><select" +
           Attribute("aria-label", kLanguageChoiceName) + "></select></label>\n";
}

// The page's own name of a face: the page serves the faces cut down and
// renamed (subset_fonts.py, font_terms.py), under the names lesson.css gives.
const char* PageFamily(std::string_view family)
{
    const std::pair<std::string_view, const char*> kRenamed[] = {
        {"IPAPGothic", "Tavrine PGothic"},
        {"IPAPMincho", "Tavrine PMincho"},
        {"IPAMincho", "Tavrine Mincho"},
        {"Liberation Serif", "Tavrine Serif"}};
    for (const auto& [desktop, page] : kRenamed) {
        if (desktop == family)
            return page;
    }
    // A face the page does not serve would fall back unseen: stop the build.
    std::fprintf(stderr, "write_page: the page serves no face for %s\n", family.data());
    std::exit(1);
}

// A face and caption colour; a group box's caption is one line of the face's
// own height.
std::string FaceCss(FontRole role, std::optional<uint32_t> bgr, bool oneLine = false)
{
    const FontFace& face = FaceOf(role);
    char color[8] = "";
    if (bgr)
        std::snprintf(color, sizeof color, "#%06x",
                      (*bgr & 0xFF) << 16 | (*bgr & 0xFF00) | (*bgr >> 16 & 0xFF));
    const std::string size = std::to_string(face.pixelSize) + "px";
    return std::string("font: ") + (face.italic ? "italic " : "") + (face.bold ? "bold " : "") +
           size + (oneLine ? "/" + size : "") + " \"" + PageFamily(face.family) + "\", " +
           face.generic + "; color: " + (bgr ? color : "var(--window-text)") + ";";
}

std::string PlaceCss(const Place& p)
{
    return "left: " + std::to_string(p.x) + "px; top: " + std::to_string(p.y) +
           "px; width: " + std::to_string(p.width) + "px; height: " + std::to_string(p.height) +
           "px;";
}

std::string PlaceJson(const Place& p)
{
    return "[" + std::to_string(p.x) + ", " + std::to_string(p.y) + ", " + std::to_string(p.width) +
           ", " + std::to_string(p.height) + "]";
}

std::string Styles()
{
    const char* const kBackground[] = {"", " background: var(--money-green);",
                                       " background: var(--tooltip);"};
    const char* const kAlign[] = {"", " justify-content: center; align-items: center;",
                                  " justify-content: flex-start; align-items: center;",
                                  " justify-content: flex-start; align-items: flex-start;"};
    std::ostringstream css;
    css << "/* Written from the control table when the page is built. */\n#stage { "
        << FaceCss(FontRole::Window, kWindowText) << " }\n";
    for (const ControlRow& row : ControlTable()) {
        const bool group = row.kind == ControlKind::GroupBox;
        css << "#" << row.id << " { " << PlaceCss(row.place)
            << kBackground[static_cast<int>(row.background)]
            << kAlign[static_cast<int>(row.alignment)];
        if (row.font)
            css << (group ? " }\n#" + std::string(row.id) + " > .caption {" : "") << " "
                << FaceCss(*row.font, row.captionColor, group);
        css << " }\n";
    }
    css << "#LanguageChoice { " << PlaceCss(kLanguageChoicePlace) << " }\n";
    // Upright screens: the stage and the window's controls move to their
    // upright places; faces and sizes stay.
    css << "@media (orientation: portrait) {\n  #stage { width: " << kPortraitWidth
        << "px; height: " << kPortraitHeight << "px; }\n"
        << "  #LanguageChoice { " << PlaceCss(kLanguageChoicePortrait) << " }\n";
    for (const ControlRow& row : ControlTable()) {
        if (const auto& p = row.portrait)
            css << "  #" << row.id << " { " << PlaceCss(*p) << " }\n";
    }
    css << "}\n";
    return css.str();
}

// Where the reader asks for more contrast, or the system forces its own
// colours, every caption the high-contrast palette darkens is drawn in its
// high-contrast colour; main.js does the same for the selectors, the toggles
// and the plot, whose colours change with the lesson.
std::string HighContrastStyles()
{
    std::ostringstream css;
    css << "@media (prefers-contrast: more), (forced-colors: active) {\n";
    for (const ControlRow& row : ControlTable()) {
        if (!row.font || !row.captionColor)
            continue;
        const uint32_t bgr = HighContrastColor(*row.captionColor, ColorUse::Caption);
        if (bgr == *row.captionColor)
            continue;
        char color[8];
        std::snprintf(color, sizeof color, "#%06x",
                      (bgr & 0xFF) << 16 | (bgr & 0xFF00) | (bgr >> 16 & 0xFF));
        css << "  #" << row.id << (row.kind == ControlKind::GroupBox ? " > .caption" : "")
            << " { color: " << color << "; }\n";
    }
    css << "}\n";
    return css.str();
}

// Every character the page can show in its faces: the captions, the toggles'
// captions in each state, and what the page says when the lesson ends.
std::string Characters()
{
    std::string text = kLessonOver;
    for (const ControlRow& row : ControlTable())
        text += row.caption;
    LessonSession session;
    session.Syokika();
    for (auto click : {&LessonSession::BBtnSessenSuClick, &LessonSession::BBtnHojosenClick,
                       &LessonSession::BBtnSessenSuClick}) {
        text += session.view().toggles.secondTangent.caption + session.view().toggles.chord.caption;
        (session.*click)();
    }
    return text;
}

// The page's footer: what is served beside the lesson. Each text but the
// program's name is a catalogue message.
struct PageLink {
    const char* href;
    const char* rel;
    const char* text;
};
constexpr PageLink kPageLinks[] = {
    {"COPYING.txt", "license", "ライセンス (GPL-3.0-or-later)"},
    {"tavrine-source.tar.gz", nullptr, "ソースコード"},
    {"fonts/README.txt", nullptr, "フォント"},
    {"emscripten-copyright.txt", nullptr, "Emscripten"},
};

std::string Links()
{
    std::string markup;
    for (const PageLink& link : kPageLinks) {
        markup += "  <a" + Attribute("href", link.href) +
                  (link.rel ? Attribute("rel", link.rel) : std::string()) + ">" +
                  Escaped(link.text) + "</a>\n";
    }
    markup.pop_back();
    return markup;
}

// What the other languages show in the page's faces beyond the Japanese:
// each control's captions, the end of the lesson and the page's links.
std::string MoreCharacters()
{
    std::string text;
    for (const Language& language : Languages().subspan(1)) {
        SetLanguage(language);
        text += Translated(kLessonOver);
        for (const ControlRow& row : ControlTable()) {
            for (const std::string& caption : CaptionsOf(row))
                text += caption;
        }
        for (const PageLink& link : kPageLinks)
            text += Translated(link.text);
    }
    SetLanguage(Languages().front());
    return text;
}

// The web app manifest in a language: a home screen names the app in it, and
// an app installed from a page in that language opens in it.
std::string Manifest(std::string manifest, const Language& language)
{
    SetLanguage(language);
    const std::string tag(language.tag);
    manifest = Replaced(Replaced(manifest, "@APP_NAME@", Escaped(Translated(kProgramName))),
                        "@LANG@", tag);
    manifest = Replaced(manifest, "@START_URL@", language.tag == "ja" ? "./" : "./?lang=" + tag);
    SetLanguage(Languages().front());
    return manifest;
}

std::string JsonString(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}

std::string Json()
{
    const char* const kKinds[] = {"plot",   "label",  "slider",  "groupbox",
                                  "button", "toggle", "selector"};
    const auto text = [](const char* s) { return s ? JsonString(s) : "null"; };
    std::ostringstream json;
    const char* separator = "[\n";
    for (const ControlRow& row : ControlTable()) {
        json << separator << "  {\"id\": \"" << row.id << "\", \"kind\": \""
             << kKinds[static_cast<int>(row.kind)] << "\", \"parent\": \""
             << kParentIds[static_cast<int>(row.parent)]
             << "\", \"place\": " << PlaceJson(row.place)
             << ", \"portrait\": " << (row.portrait ? PlaceJson(*row.portrait) : "null")
             << ", \"caption\": " << text(row.caption) << ", \"tab\": " << row.tab
             << ", \"name\": " << text(ControlName(row, row.caption).c_str())
             << ", \"plainName\": " << text(row.accessibleName)
             << ", \"description\": " << text(row.description)
             << ", \"labelFor\": " << text(row.labelFor) << "}";
        separator = ",\n";
    }
    json << "\n]\n";
    return json.str();
}

// The sentences the editions say beyond the controls' own texts, by name, in
// Japanese, so that the tests compare with the words the program holds.
std::string TextsJson()
{
    const std::pair<const char*, std::string_view> texts[] = {
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
    };
    std::string json;
    const char* separator = "{\n";
    for (const auto& [name, text] : texts) {
        json += separator + JsonString(name) + ": " + JsonString(text);
        separator = ",\n";
    }
    return json + "\n}\n";
}

bool Write(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    return static_cast<bool>(out << text);
}

std::string Replaced(std::string text, std::string_view marker, const std::string& with)
{
    const auto at = text.find(marker);
    return at == std::string::npos ? text : text.replace(at, marker.size(), with);
}
} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--json" && argc == 4)
        return Write(argv[2], Json()) && Write(argv[3], TextsJson()) ? 0 : 1;
    if (mode != "--page" || argc != 7) {
        std::fprintf(stderr, "usage: write_page --page TEMPLATE MANIFEST OUT_DIR CHARACTERS "
                             "MORE_CHARACTERS | --json CONTROLS TEXTS\n");
        return 2;
    }
    std::ifstream in(argv[2], std::ios::binary);
    std::string page{std::istreambuf_iterator<char>(in), {}};
    std::ifstream manifestIn(argv[3], std::ios::binary);
    const std::string manifest{std::istreambuf_iterator<char>(manifestIn), {}};
    const std::string dir = argv[4];
    bool written = in && manifestIn && Write(argv[6], MoreCharacters());
    for (const Language& language : Languages()) {
        const std::string name = language.tag == "ja"
                                     ? "manifest.webmanifest"
                                     : "manifest-" + std::string(language.tag) + ".webmanifest";
        written = written && Write(dir + "/" + name, Manifest(manifest, language));
    }
    for (const auto& [marker, text] : {std::pair{"<!-- controls -->", Markup()},
                                       {"<!-- links -->", Links()},
                                       {"@LESSON_NAME@", Escaped(kLessonName)},
                                       {"@LESSON_DESCRIPTION@", Escaped(kLessonDescription)},
                                       {"@LESSON_OVER@", Escaped(kLessonOver)}})
        page = Replaced(page, marker, text);
    return written && Write(dir + "/index.html", page) &&
                   Write(dir + "/controls.css", Styles() + HighContrastStyles()) &&
                   Write(argv[5], Characters())
               ? 0
               : 1;
}
