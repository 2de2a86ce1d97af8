// Writes the page's files that come from the core, at build time, so that
// the page stays a static folder:
//
//   write_page TEMPLATES OUT_DIR CHARACTERS MORE_CHARACTERS FACES [FILE...]
//
// From the templates in TEMPLATES (web/site): OUT_DIR/index.html with the
// controls' markup, the web app manifest in each language and the service
// worker with the files it keeps offline (FILE..., the faces' files added);
// OUT_DIR/controls.css, the controls' places, faces and colours, the faces
// themselves and the lesson's colours as custom properties. CHARACTERS is
// what the page can show in Japanese and MORE_CHARACTERS what the other
// languages add, for the faces' subsets; FACES, as JSON, the faces the page
// serves and the desktop faces they are cut from (subset_fonts.py).

#include "controls/caption_fit.h"
#include "controls/control_roles.h"
#include "controls/control_table.h"
#include "controls/key_table.h"
#include "controls/language_choice.h"
#include "entry/lesson_session.h"
#include "entry/lesson_share.h"
#include "entry/plot_menu.h"
#include "lesson/catalogue.h"
#include "lesson/contrast_palette.h"
#include "lesson/tangent_toggles.h"
#include "plot/plot_description.h"

#include <nlohmann/json.hpp>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

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

// The ARIA role of a control's element where its tag does not imply it.
std::string Role(const ControlRow& row)
{
    const char* const kRoles[] = {"img", "note", "slider", "group", "", "checkbox"};
    const char* role = kRoles[static_cast<int>(RoleOf(row.kind))];
    return *role ? Attribute("role", role) : std::string();
}

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
        return "<canvas" + a + Role(row) + " aria-describedby=\"plotDescription\"></canvas>\n" +
               "<p id=\"plotDescription\" class=\"offscreen\"></p>";
    case ControlKind::Label:
        return "<div" + a + " class=\"label\"" + Role(row) + "><span>" + caption + "</span>" +
               (labelled ? "<span" + Attribute("id", std::string(row.labelFor) + "-name") +
                               " hidden>" + Escaped(labelled->accessibleName) + "</span>"
                         : "") +
               "</div>";
    case ControlKind::Slider:
        return "<div" + a + " class=\"scrollbar\"" + Role(row) +
               " tabindex=\"0\" aria-valuemin=\"0\"" +
               " aria-valuemax=\"100\" aria-orientation=\"horizontal\"></div>";
    case ControlKind::GroupBox:
        return "<div" + a + " class=\"groupbox\"" + Role(row) +
               Attribute("aria-labelledby", id + "Caption") + ">\n<span" +
               Attribute("id", id + "Caption") + " class=\"caption\">" + caption + "</span>";
    case ControlKind::PushButton:
        return "<button" + a + Role(row) + ">" + caption + "</button>";
    case ControlKind::Toggle:
        return "<button" + a + " class=\"toggle\"" + Role(row) + " aria-checked=\"false\">" +
               caption + "</button>";
    case ControlKind::Selector:
        return "<div" + a + " class=\"speed\"" + Role(row) + " aria-checked=\"false\"" +
               " tabindex=\"-1\">" + caption + "</div>";
    }
    return {};
}

// Page texts that language.js writes in the page's language: the element's
// text, and its name and description for a screen reader.
std::string PageText(const char* tag, const char* id, const char* text)
{
    return std::string("<") + tag + Attribute("id", id) + " data-translate>" + Escaped(text) +
           "</" + tag + ">";
}

// The share button, after the choice of language in the keyboard order, and
// the view it opens: the browser's own modal dialog, so that the lesson behind
// it is out of reach of the keyboard, the pointer and a screen reader while
// it is open. main.js draws the QR code and writes the link.
std::string ShareMarkup()
{
    return "<button id=\"ShareButton\" aria-haspopup=\"dialog\"" +
           Attribute("aria-keyshortcuts", FindCommandKey(KeyCommand::Share)->name) +
           Attribute("aria-description", kShareButtonDescription) + " data-translate>" +
           Escaped(kShareButtonCaption) + "</button>\n" +
           "<dialog id=\"ShareView\" aria-labelledby=\"ShareTitle\" "
           "aria-describedby=\"ShareDescription\"><svg id=\"ShareCode\" role=\"img\"></svg><div>" +
           PageText("h2", "ShareTitle", kShareTitle) +
           PageText("p", "ShareDescription", kShareDescription) +
           "<input id=\"ShareLink\" readonly" + Attribute("aria-label", kShareLink) +
           " data-translate><div>" + PageText("button", "ShareCopy", kShareCopy) +
           PageText("button", "ShareSend", kShareSend) +
           PageText("button", "ShareClose", kShareClose) +
           "</div><p id=\"ShareStatus\" role=\"status\"></p></div></dialog>\n";
}

// The slope curve's toggle, after the share button in the keyboard order;
// main.js keeps its state as the lesson's view says.
std::string SlopeCurveMarkup()
{
    return "<button id=\"SlopeCurveButton\" aria-pressed=\"false\"" +
           Attribute("aria-keyshortcuts", FindCommandKey(KeyCommand::SlopeCurve)->name) +
           Attribute("aria-description", kSlopeCurveDescription) + " data-translate>" +
           Escaped(kSlopeCurveCaption) + "</button>\n";
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
            if (row.id == std::string_view(ParentId(child.parent)))
                out += OpenControl(child) + "\n";
        }
        out += "</div>\n";
    }
    // After the lesson's controls in the keyboard order; main.js lists the
    // languages.
    return out + "<label id=\"LanguageChoice\"><svg viewBox=\"0 0 24 24\" aria-hidden=\"true\">" +
           "<circle cx=\"12\" cy=\"12\" r=\"10\"/><ellipse cx=\"12\" cy=\"12\" rx=\"4.5\" " +
           "ry=\"10\"/><path d=\"M2 12h20M4 6.5h16M4 17.5h16\"/></svg><select" +
           Attribute("aria-label", kLanguageChoiceName) + "></select></label>\n" + ShareMarkup() +
           SlopeCurveMarkup();
}

// A colour 0xBBGGRR as CSS.
std::string CssColor(uint32_t bgr)
{
    char color[8];
    std::snprintf(color, sizeof color, "#%06x",
                  (bgr & 0xFF) << 16 | (bgr & 0xFF00) | (bgr >> 16 & 0xFF));
    return color;
}

// A face and caption colour; a group box's caption is one line of the face's
// own height.
std::string FaceCss(FontRole role, std::optional<uint32_t> bgr, bool oneLine = false)
{
    const FontFace& face = FaceOf(role);
    const std::string size = std::to_string(face.pixelSize) + "px";
    return std::string("font: ") + (face.italic ? "italic " : "") + (face.bold ? "bold " : "") +
           size + (oneLine ? "/" + size : "") + " \"" + face.pageFamily + "\", " + face.generic +
           "; color: " + (bgr ? CssColor(*bgr) : "var(--window-text)") + ";";
}

std::string PlaceCss(const Place& p)
{
    return "left: " + std::to_string(p.x) + "px; top: " + std::to_string(p.y) +
           "px; width: " + std::to_string(p.width) + "px; height: " + std::to_string(p.height) +
           "px;";
}

// The faces the page serves: one per page family and style, whatever sizes
// and weights the roles take of it.
std::vector<const FontFace*> ServedFaces()
{
    std::vector<const FontFace*> faces;
    for (int role = 0; role < kFontRoleCount; ++role) {
        const FontFace& face = FaceOf(static_cast<FontRole>(role));
        bool served = false;
        for (const FontFace* other : faces)
            served = served || (other->pageFamily == std::string_view(face.pageFamily) &&
                                other->italic == face.italic);
        if (!served)
            faces.push_back(&face);
    }
    return faces;
}

// A served face's file: its page family in lower case with dashes, its
// style added where it is not the regular one.
std::string FaceFile(const FontFace& face)
{
    std::string file;
    for (const char c : std::string_view(face.pageFamily))
        file += c == ' ' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return file + (face.italic ? "-italic" : "") + ".woff2";
}

// The faces, cut down from Debian's fonts and renamed; fonts/README.txt says
// from which originals and under which licences.
// font-display: block, not swap: every caption sits in a control of fixed
// size drawn around these faces, so a stand-in face would show the keys, the
// equation and the coefficients at other widths, cut off or moved, and then
// jump when the face arrives. The faces are small, served beside the page and
// kept by the service worker, so the short wait is rarely seen; and should
// one never come, the browser shows a stand-in after its block period (about
// 3 s) all the same.
std::string FaceRules()
{
    std::string css;
    for (const FontFace* face : ServedFaces()) {
        css += std::string("@font-face { font-family: \"") + face->pageFamily + "\";" +
               (face->italic ? " font-style: italic;" : "") + " font-display: block;\n" +
               "             src: url(\"fonts/" + FaceFile(*face) + "\") format(\"woff2\"); }\n";
    }
    return css;
}

// The lesson's colours that the page's own styles paint with, and its
// window face for the page's own texts.
std::string Properties()
{
    const FontFace& window = FaceOf(FontRole::Window);
    return ":root { --window-text: " + CssColor(Bgr::Black) +
           "; --tooltip: " + CssColor(Bgr::TooltipYellow) +
           "; --button-face: " + CssColor(Bgr::ButtonFace) +
           "; --money-green: " + CssColor(Bgr::MoneyGreen) +
           "; --slope-curve: " + CssColor(Bgr::Teal) + ";\n        --page-face: \"" +
           window.pageFamily + "\", " + window.generic + "; }\n";
}

std::string Styles()
{
    const char* const kBackground[] = {"", " background: var(--money-green);",
                                       " background: var(--tooltip);"};
    const char* const kAlign[] = {"", " justify-content: center; align-items: center;",
                                  " justify-content: flex-start; align-items: center;",
                                  " justify-content: flex-start; align-items: flex-start;"};
    std::ostringstream css;
    css << "/* Written from the core when the page is built. */\n"
        << FaceRules() << Properties() << "#stage { width: " << kWindowWidth
        << "px; height: " << kWindowHeight << "px; " << FaceCss(FontRole::Window, kWindowText)
        << " }\n";
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
    css << "#LanguageChoice { " << PlaceCss(kLanguageChoicePlace) << " }\n#ShareButton { "
        << PlaceCss(kShareButtonPlace) << " }\n#SlopeCurveButton { "
        << PlaceCss(kSlopeCurveButtonPlace) << " }\n";
    // Upright screens: the stage and the window's controls move to their
    // upright places; faces and sizes stay.
    css << "@media (orientation: portrait) {\n  #stage { width: " << kPortraitWidth
        << "px; height: " << kPortraitHeight << "px; }\n"
        << "  #LanguageChoice { " << PlaceCss(kLanguageChoicePortrait) << " }\n"
        << "  #ShareButton { " << PlaceCss(kShareButtonPortrait) << " }\n"
        << "  #SlopeCurveButton { " << PlaceCss(kSlopeCurveButtonPortrait) << " }\n";
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
        css << "  #" << row.id << (row.kind == ControlKind::GroupBox ? " > .caption" : "")
            << " { color: " << CssColor(bgr) << "; }\n";
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
                  (link.rel ? Attribute("rel", link.rel) : std::string()) + " data-translate>" +
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
    manifest = Replaced(manifest, "@WINDOW_GREEN@", CssColor(Bgr::MoneyGreen));
    SetLanguage(Languages().front());
    return manifest;
}

bool Write(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    return static_cast<bool>(out << text);
}

// Every occurrence of the marker replaced.
std::string Replaced(std::string text, std::string_view marker, const std::string& with)
{
    for (auto at = text.find(marker); at != std::string::npos;
         at = text.find(marker, at + with.size()))
        text.replace(at, marker.size(), with);
    return text;
}

std::string Read(const std::string& path, bool& read)
{
    std::ifstream in(path, std::ios::binary);
    read = read && static_cast<bool>(in);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The faces for subset_fonts.py: each served file with its family and style,
// and the desktop face it is cut from.
std::string FacesJson()
{
    nlohmann::ordered_json faces = nlohmann::ordered_json::array();
    for (const FontFace* face : ServedFaces()) {
        faces.push_back({{"original", face->family},
                         {"file", FaceFile(*face)},
                         {"family", face->pageFamily},
                         {"style", face->italic ? "Italic" : "Regular"}});
    }
    return faces.dump(2) + "\n";
}

// The service worker with the files it keeps: those given and the faces. Its
// store's name follows the list, so that a build serving other files drops
// the old store.
std::string ServiceWorker(std::string worker, std::vector<std::string> files)
{
    for (const FontFace* face : ServedFaces())
        files.push_back("fonts/" + FaceFile(*face));
    const std::string list = nlohmann::json(files).dump();
    uint32_t hash = 2166136261u;
    for (const char c : list)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    char store[24];
    std::snprintf(store, sizeof store, "tavrine-%08x", hash);
    return Replaced(Replaced(worker, "@FILES@", list), "@STORE@", store);
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 6) {
        std::fprintf(stderr, "usage: write_page TEMPLATES OUT_DIR CHARACTERS MORE_CHARACTERS "
                             "FACES [FILE...]\n");
        return 2;
    }
    const std::string templates = argv[1];
    const std::string dir = argv[2];
    bool written = true;
    std::string page = Read(templates + "/index.html", written);
    const std::string manifest = Read(templates + "/manifest.webmanifest", written);
    const std::string worker = Read(templates + "/service_worker.js", written);
    written = written && Write(argv[4], MoreCharacters()) && Write(argv[5], FacesJson()) &&
              Write(dir + "/service_worker.js",
                    ServiceWorker(worker, std::vector<std::string>(argv + 6, argv + argc)));
    for (const Language& language : Languages()) {
        const std::string name = language.tag == "ja"
                                     ? "manifest.webmanifest"
                                     : "manifest-" + std::string(language.tag) + ".webmanifest";
        written = written && Write(dir + "/" + name, Manifest(manifest, language));
    }
    for (const auto& [marker, text] : {std::pair{"<!-- controls -->", Markup()},
                                       {"<!-- links -->", Links()},
                                       {"@WINDOW_GREEN@", CssColor(Bgr::MoneyGreen)},
                                       {"@LESSON_NAME@", Escaped(kLessonName)},
                                       {"@LESSON_DESCRIPTION@", Escaped(kLessonDescription)},
                                       {"@LESSON_OVER@", Escaped(kLessonOver)}})
        page = Replaced(page, marker, text);
    return written && Write(dir + "/index.html", page) &&
                   Write(dir + "/controls.css", Styles() + HighContrastStyles()) &&
                   Write(argv[3], Characters())
               ? 0
               : 1;
}
