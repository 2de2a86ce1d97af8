#pragma once

#include <string>
#include <string_view>

// Mathematics as shown on screen ("y=x^3-3x", "-3", "(0,5; -1,25)"), put
// into the words a teacher of the lesson's language says aloud: "y イコール
// x の 3 乗 マイナス 3 x", "y equals x cubed minus 3 x". A screen reader
// reading the shown text would say "caret" for "^" and "dash", or nothing,
// for a sign. The words come from the catalogue:
//   powers       "{1} の 3 乗", "{1} の 2 乗" (x cubed, x squared)
//   "=" and "+"  "イコール", "プラス"
//   "-"          between terms (subtract), in front of a number or a
//                leading term (negative), and typed alone as a coefficient
//   "." / ","    the decimal point, its digits after it read one by one
//                (1 point 2 5) or as a number (1 vírgula 25), as the
//                language's schools read them
// Digits stay digits: the screen reader's voice of the language reads them.
// Anything else (parentheses, the points' separators, words) is kept.
std::string SpokenMath(std::string_view shown);

// The words' messages, in Japanese, as the catalogue holds them.
inline constexpr const char* kSpokenContext = "spoken";
inline constexpr const char* kSpokenCube = "{1} の 3 乗";
inline constexpr const char* kSpokenSquare = "{1} の 2 乗";
inline constexpr const char* kSpokenEquals = "イコール";
inline constexpr const char* kSpokenPlus = "プラス";
inline constexpr const char* kSpokenMinusContext = "spoken minus";
inline constexpr const char* kSpokenNegativeContext = "spoken negative";
inline constexpr const char* kSpokenSignAloneContext = "spoken sign alone";
inline constexpr const char* kSpokenMinus = "マイナス";
inline constexpr const char* kSpokenDecimalPoint = "てん";
// How the digits after the decimal point are read: "one by one" or "as a
// number"; a catalogue writes one of the two.
inline constexpr const char* kDecimalsReadContext = "decimals read";
inline constexpr const char* kDecimalsOneByOne = "one by one";
