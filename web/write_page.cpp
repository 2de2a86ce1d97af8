// Writes what the page and the tests take from the control table, at build
// time, so that the page stays a static folder:
//
//   write_page --page TEMPLATE OUT_DIR   index.html (the template with the
//                                        controls' markup), controls.css (their
//                                        places, faces and colours) and
//                                        characters.txt (what the page can show,
//                                        for its font subsets)
//   write_page --json FILE               the table as JSON, for the Python and
//                                        JavaScript tests

#include "controls/control_table.h"
#include "entry/lesson_session.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>

namespace {
std::string Escaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string Css(uint32_t bgr)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", bgr & 0xFF, (bgr >> 8) & 0xFF, bgr >> 16);
    return text;
}

std::string Attribute(const char* name, std::string_view value)
{
    return std::string(" ") + name + "=\"" + Escaped(value) + "\"";
}

const char* const kKindNames[] = {"plot", "label", "slider", "groupbox", "button", "toggle", "selector"};
const char* const kParentNames[] = {"", "GroupBox1", "GroupBox2"};

// The label of a control, if the table gives it one.
const ControlRow* LabelOf(const ControlRow& row)
{
    for (const ControlRow& label : ControlTable()) {
        if (label.labelFor != nullptr && std::string_view(label.labelFor) == row.id)
            return &label;
    }
    return nullptr;
}

// The name of the control a label labels, hidden inside the label: the
// labelled control takes its name from there, so that the relation holds
// while both keep the names the table gives them.
std::string LabelledName(const ControlRow& label)
{
    const ControlRow* labelled = label.labelFor ? FindControlRow(label.labelFor) : nullptr;
    return labelled == nullptr ? std::string()
                               : "<span id=\"" + std::string(labelled->id) + "-name\" hidden>" +
                                     Escaped(labelled->accessibleName) + "</span>";
}

// One control's opening tag and content; a group box's children follow
// before CloseTag.
std::string OpenControl(const ControlRow& row)
{
    std::string a = Attribute("id", row.id);
    if (LabelOf(row) != nullptr)
        a += Attribute("aria-labelledby", std::string(row.id) + "-name");
    else if (row.kind != ControlKind::GroupBox)
        a += Attribute("aria-label", ControlName(row, row.caption));
    if (row.kind != ControlKind::Plot)
        a += Attribute("aria-description", row.description);
    if (row.nameKind == NameKind::LiveText)
        a += " data-live-name";
    if (row.tab == kNoTab && row.kind != ControlKind::Label && row.kind != ControlKind::Plot &&
        row.kind != ControlKind::GroupBox)
        a += Attribute("tabindex", "-1");
    const std::string caption = Escaped(row.caption);
    switch (row.kind) {
    case ControlKind::Plot:
        return "<canvas" + a + " role=\"img\" aria-describedby=\"plotDescription\"></canvas>\n"
               "<p id=\"plotDescription\" class=\"offscreen\"></p>";
    case ControlKind::Label:
        return "<div" + a + " class=\"label\" role=\"note\"><span>" + caption + "</span>" +
               LabelledName(row) + "</div>";
    case ControlKind::Slider:
        return "<div" + a +
               " class=\"scrollbar\" role=\"slider\" tabindex=\"0\" aria-valuemin=\"0\" "
               "aria-valuemax=\"100\" aria-orientation=\"horizontal\"></div>";
    case ControlKind::GroupBox:
        return "<div" + a + " class=\"groupbox\" role=\"group\"" +
               Attribute("aria-labelledby", std::string(row.id) + "Caption") + ">\n<span" +
               Attribute("id", std::string(row.id) + "Caption") + " class=\"caption\">" + caption +
               "</span>";
    case ControlKind::PushButton:
        return "<button" + a + ">" + caption + "</button>";
    case ControlKind::Toggle:
        return "<button" + a + " class=\"toggle\" role=\"checkbox\" aria-checked=\"false\">" +
               caption + "</button>";
    case ControlKind::Selector:
        return "<div" + a + " class=\"speed\" role=\"checkbox\" aria-checked=\"false\">" + caption +
               "</div>";
    }
    return {};
}

std::string Markup()
{
    // Window controls in the table's order, each group box with its
    // children inside it.
    std::string out;
    for (const ControlRow& row : ControlTable()) {
        if (row.parent != Parent::Window)
            continue;
        out += OpenControl(row) + "\n";
        if (row.kind != ControlKind::GroupBox)
            continue;
        for (const ControlRow& child : ControlTable()) {
            if (std::string_view(kParentNames[static_cast<int>(child.parent)]) == row.id)
                out += OpenControl(child) + "\n";
        }
        out += "</div>\n";
    }
    return out;
}

// A face and caption colour; a group box's caption is one line of the
// face's own height.
std::string FaceCss(FontRole role, std::optional<uint32_t> color, bool oneLine = false)
{
    const FontFace& face = FaceOf(role);
    std::ostringstream css;
    css << "font: " << (face.italic ? "italic " : "") << (face.bold ? "bold " : "")
        << face.pixelSize << "px";
    if (oneLine)
        css << "/" << face.pixelSize << "px";
    css << " \"" << face.family << "\", "
        << face.generic << "; color: " << (color ? Css(*color) : "var(--window-text)") << ";";
    return css.str();
}

std::string Styles()
{
    const char* const kAlign[] = {"", "justify-content: center; align-items: center;",
                                  "justify-content: flex-start; align-items: center;",
                                  "justify-content: flex-start; align-items: flex-start;"};
    const char* const kBackground[] = {"", "background: var(--money-green);",
                                       "background: var(--tooltip);"};
    std::ostringstream css;
    css << "/* Written from the control table when the page is built. */\n"
        << "#stage { " << FaceCss(FontRole::Window, kWindowText) << " }\n";
    for (const ControlRow& row : ControlTable()) {
        const Place& p = row.place;
        const std::string self = std::string("#") + row.id;
        css << self << " { left: " << p.x << "px; top: " << p.y << "px; width: " << p.width
            << "px; height: " << p.height << "px; "
            << kBackground[static_cast<int>(row.background)]
            << kAlign[static_cast<int>(row.alignment)];
        if (row.font && row.kind != ControlKind::GroupBox)
            css << " " << FaceCss(*row.font, row.captionColor);
        css << " }\n";
        if (row.font && row.kind == ControlKind::GroupBox)
            css << self << " > .caption { " << FaceCss(*row.font, row.captionColor, true) << " }\n";
    }
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
        const LessonView view = session.view();
        text += view.secondTangent.caption + view.chord.caption;
        (session.*click)();
    }
    return text;
}

std::string Json()
{
    std::ostringstream json;
    json << "[\n";
    const auto rows = ControlTable();
    for (const ControlRow& row : rows) {
        const auto quoted = [](const char* text) {
            return text == nullptr ? std::string("null") : "\"" + std::string(text) + "\"";
        };
        const Place& p = row.place;
        json << "  {\"id\": \"" << row.id << "\", \"kind\": \"" << kKindNames[int(row.kind)]
             << "\", \"parent\": \"" << kParentNames[int(row.parent)] << "\", \"place\": ["
             << p.x << ", " << p.y << ", " << p.width << ", " << p.height
             << "], \"caption\": " << quoted(row.caption) << ", \"tab\": " << row.tab
             << ", \"name\": " << quoted(ControlName(row, row.caption).c_str())
             << ", \"liveName\": " << (row.nameKind == NameKind::LiveText ? "true" : "false")
             << ", \"description\": " << quoted(row.description)
             << ", \"labelFor\": " << quoted(row.labelFor) << "}"
             << (&row == &rows.back() ? "\n" : ",\n");
    }
    json << "]\n";
    return json.str();
}

bool Write(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
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
    if (mode == "--json" && argc == 3)
        return Write(argv[2], Json()) ? 0 : 1;
    if (mode != "--page" || argc != 4) {
        std::fprintf(stderr, "usage: write_page --page TEMPLATE OUT_DIR | --json FILE\n");
        return 2;
    }
    std::ifstream in(argv[2], std::ios::binary);
    std::string page{std::istreambuf_iterator<char>(in), {}};
    page = Replaced(page, "<!-- controls -->", Markup());
    page = Replaced(page, "@LESSON_NAME@", Escaped(kLessonName));
    page = Replaced(page, "@LESSON_DESCRIPTION@", Escaped(kLessonDescription));
    page = Replaced(page, "@LESSON_OVER@", Escaped(kLessonOver));
    const std::string dir = argv[3];
    const bool written = !page.empty() && Write(dir + "/index.html", page) &&
                         Write(dir + "/controls.css", Styles()) &&
                         Write(dir + "/characters.txt", Characters());
    return written ? 0 : 1;
}
