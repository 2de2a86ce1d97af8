#include "lesson/spoken_math.h"

#include "lesson/catalogue.h"

namespace {
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsLetter(char c)
{
    return c >= 'a' && c <= 'z';
}

// The words joined by single spaces; a closing mark sticks to the word
// before it and an opening parenthesis to the word after it.
class Words {
public:
    void word(std::string_view w)
    {
        if (!text_.empty() && text_.back() != ' ' && text_.back() != '(')
            text_ += ' ';
        text_ += w;
    }
    void closing(char c) { text_ += c; }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// The digits after the decimal point, as the language reads them: one by
// one ("2 5"), or as a number after the zeros that lead it, which are said
// one by one all the same ("0 5" for 0,05).
std::string Decimals(std::string_view digits)
{
    const bool oneByOne =
        Translated(kDecimalsReadContext, kDecimalsOneByOne) == std::string_view(kDecimalsOneByOne);
    std::string out;
    std::size_t i = 0;
    for (; i < digits.size() && (oneByOne || digits[i] == '0'); ++i) {
        if (!out.empty())
            out += ' ';
        out += digits[i];
    }
    if (i < digits.size()) {
        if (!out.empty())
            out += ' ';
        out += digits.substr(i);
    }
    return out;
}
} // namespace

std::string SpokenMath(std::string_view shown)
{
    if (shown == "-")
        return std::string(Translated(kSpokenSignAloneContext, kSpokenMinus));
    const std::string_view separator = Translated("decimal separator", ".");
    Words words;
    // A sign where an operand begins is the number's own (negative); after
    // an operand it subtracts.
    bool operandNext = true;
    std::size_t i = 0;
    while (i < shown.size()) {
        const char c = shown[i];
        if (IsDigit(c)) {
            std::size_t end = i;
            while (end < shown.size() && IsDigit(shown[end]))
                ++end;
            words.word(shown.substr(i, end - i));
            i = end;
            const std::size_t after = i + separator.size();
            if (shown.substr(i, separator.size()) == separator && after < shown.size() &&
                IsDigit(shown[after])) {
                end = after;
                while (end < shown.size() && IsDigit(shown[end]))
                    ++end;
                words.word(Translated(kSpokenContext, kSpokenDecimalPoint));
                words.word(Decimals(shown.substr(after, end - after)));
                i = end;
            }
            operandNext = false;
        } else if (IsLetter(c)) {
            const std::string letter(1, c);
            const bool power = i + 2 < shown.size() && shown[i + 1] == '^' &&
                               (shown[i + 2] == '2' || shown[i + 2] == '3');
            if (power) {
                words.word(Filled(
                    Translated(kSpokenContext, shown[i + 2] == '3' ? kSpokenCube : kSpokenSquare),
                    {letter}));
                i += 3;
            } else {
                words.word(letter);
                ++i;
            }
            operandNext = false;
        } else if (c == '=' || c == '+') {
            words.word(Translated(kSpokenContext, c == '=' ? kSpokenEquals : kSpokenPlus));
            operandNext = true;
            ++i;
        } else if (c == '-') {
            words.word(Translated(operandNext ? kSpokenNegativeContext : kSpokenMinusContext,
                                  kSpokenMinus));
            operandNext = true;
            ++i;
        } else if (c == ' ') {
            ++i;
        } else if (c == '(') {
            words.word("(");
            operandNext = true;
            ++i;
        } else {
            // ")", the points' "," or ";", and any other mark as it is.
            words.closing(c);
            operandNext = c == ',' || c == ';';
            ++i;
        }
    }
    return words.text();
}
