#pragma once

// The lesson's words in the pupil's language. Japanese is the lesson's own
// language: every text of the program is written in Japanese where it is
// used, and that Japanese text is the key under which each catalogue (po/,
// one per language, compiled into the program when it is built) holds its
// translation. The language is chosen once, when the program or the page
// starts; Japanese unless a pupil's settings ask for another.

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

struct Language {
    std::string_view tag;     // BCP 47: "ja", "en", "pt-BR", "zh-CN" ...
    std::string_view ownName; // the language named in itself: "Português (Brasil)"
};

// Japanese first, then every language a catalogue exists for.
std::span<const Language> Languages();

// The language a tag asks for ("pt", "pt-BR", "pt_BR.UTF-8", "zh-Hans-CN",
// "tl"), by the tag itself and then by its first part; nullptr when no
// catalogue speaks it.
const Language* FindLanguage(std::string_view tag);

// The first language of a list (comma- or colon-separated, as a browser or
// LANGUAGE gives it) that the program speaks; nullptr when none. "C" and
// "POSIX" ask for none.
const Language* FirstLanguageOf(std::string_view tags);

// The language the desktop's locale asks for, read as gettext reads it:
// LANGUAGE's list first, then LC_ALL, LC_MESSAGES and LANG. Japanese when
// none of them names a language the program speaks.
const Language& LanguageOfLocale(const char* language, const char* lcAll, const char* lcMessages,
                                 const char* lang);

void SetLanguage(const Language& language);
const Language& CurrentLanguage();

// The text in the current language, or the Japanese itself where there is
// no catalogue (Japanese) or the catalogue lacks it. A context tells apart
// texts that are the same in Japanese but not in every language.
std::string_view Translated(std::string_view japanese);
std::string_view Translated(std::string_view context, std::string_view japanese);

// What closes a sentence in the current language ("。", ". "), where the
// program says several in a row.
std::string_view SentenceEnd();

// A pattern with its places {1} to {9} filled in, in the order the
// language's pattern puts them.
std::string Filled(std::string_view pattern, std::initializer_list<std::string_view> values);
