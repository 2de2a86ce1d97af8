// Writes the plot of each lesson in a list as JSON, built natively from the
// same handlers the page calls, for the browser test to compare with the
// page's own, number for number.
//
//   write_lesson_plots LESSONS OUT
//
// LESSONS holds one lesson a line (web/tests/lessons.txt tells the tokens).

#include "entry/lesson_session.h"
#include "plot/plot_layers.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {
void Play(LessonSession& session, const std::string& token)
{
    if (token.size() == 1 && token[0] >= 'a' && token[0] <= 'e')
        session.SelectorClick(token[0] - 'a' + 1);
    else if (token == "0")
        session.Btn00Click();
    else if (token.size() == 1 && token[0] >= '1' && token[0] <= '9')
        session.DigitClick(token[0] - '0');
    else if (token == "-")
        session.BtnMinusClick();
    else if (token == "K")
        session.BtnKetteiClick();
    else if (token[0] == 'z')
        session.ScrollBar1Scroll(std::stoi(token.substr(1)));
    else if (token[0] == 't')
        session.ScrollBar2Scroll(std::stoi(token.substr(1)));
    else if (token == "S")
        session.BBtnSessenSuClick();
    else if (token == "H")
        session.BBtnHojosenClick();
    else if (token == "D")
        session.SlopeCurveToggle();
    else if (token != "start")
        throw std::runtime_error("unknown token " + token);
}

// The same flat run of integers that the page reads (web/lesson_bindings.cpp).
void WritePlot(std::ostream& out, const PlotGeometry& g)
{
    out << '[' << g.width << ',' << g.height << ',' << g.items.size();
    for (const PlotItem& item : g.items)
        out << ',' << static_cast<int>(item.kind) << ',' << static_cast<int32_t>(item.color) << ','
            << item.penWidth << ',' << item.first << ',' << item.count;
    out << ',' << g.points.size();
    for (const DotPoint& p : g.points)
        out << ',' << p.x << ',' << p.y;
    out << ']';
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: write_lesson_plots LESSONS OUT\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    std::ofstream out(argv[2]);
    out << "[\n";
    bool first = true;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        LessonSession session;
        session.Syokika();
        std::istringstream tokens(line);
        for (std::string token; tokens >> token;)
            Play(session, token);
        out << (first ? "" : ",\n") << "{\"lesson\":\"" << line << "\",\"plot\":";
        WritePlot(out, PlotOf(session.lesson(), 660, 660));
        out << '}';
        first = false;
    }
    out << "\n]\n";
    return out ? 0 : 1;
}
