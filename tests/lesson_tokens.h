#pragma once

// Plays one token of a lesson line (web/tests/lessons.txt tells the tokens)
// on a session, as the page's and the desktop's controls would.

#include "entry/lesson_session.h"

#include <stdexcept>
#include <string>

inline void Play(LessonSession& session, const std::string& token)
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
    else if (token != "start")
        throw std::runtime_error("unknown token " + token);
}
