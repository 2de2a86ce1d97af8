#include "lesson/catalogue.h"

#include "lesson/catalogue_data.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {
const Language kJapanese{"ja", "日本語"};

const std::vector<Language>& LanguageList()
{
    static const std::vector<Language> list = [] {
        std::vector<Language> languages{kJapanese};
        for (const CatalogueFile& file : CatalogueFiles())
            languages.push_back({file.tag, file.ownName});
        return languages;
    }();
    return list;
}

const Language* current = &LanguageList().front();

// "pt_BR.UTF-8@euro" -> "pt-br": the tag alone, in one spelling.
std::string Normal(std::string_view tag)
{
    tag = tag.substr(0, std::min(tag.find('.'), tag.find('@')));
    std::string normal;
    for (const char c : tag)
        normal += c == '_' ? '-' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return normal;
}

std::string FirstPart(std::string_view normal)
{
    std::string part(normal.substr(0, normal.find('-')));
    // Filipino is Tagalog's standard form; systems name it either way.
    return part == "tl" ? "fil" : part;
}

const CatalogueFile* CurrentFile()
{
    for (const CatalogueFile& file : CatalogueFiles()) {
        if (file.tag == current->tag)
            return &file;
    }
    return nullptr;
}
} // namespace

std::span<const Language> Languages()
{
    return LanguageList();
}

const Language* FindLanguage(std::string_view tag)
{
    const std::string wanted = Normal(tag);
    if (wanted.empty())
        return nullptr;
    const auto languages = Languages();
    for (const Language& language : languages) {
        if (Normal(language.tag) == wanted)
            return &language;
    }
    for (const Language& language : languages) {
        if (FirstPart(Normal(language.tag)) == FirstPart(wanted))
            return &language;
    }
    return nullptr;
}

const Language* FirstLanguageOf(std::string_view tags)
{
    while (!tags.empty()) {
        const std::size_t end = std::min(tags.find(','), tags.find(':'));
        std::string_view tag = tags.substr(0, end);
        tag = tag.substr(0, tag.find(';')); // a browser's "en;q=0.8"
        while (!tag.empty() && tag.front() == ' ')
            tag.remove_prefix(1);
        if (tag != "C" && tag.substr(0, 2) != "C." && tag != "POSIX") {
            if (const Language* language = FindLanguage(tag))
                return language;
        }
        tags = end == std::string_view::npos ? std::string_view() : tags.substr(end + 1);
    }
    return nullptr;
}

const Language& LanguageOfLocale(const char* language, const char* lcAll, const char* lcMessages,
                                 const char* lang)
{
    for (const char* setting : {language, lcAll, lcMessages, lang}) {
        if (setting == nullptr || *setting == '\0')
            continue;
        if (const Language* found = FirstLanguageOf(setting))
            return *found;
        // LC_ALL, LC_MESSAGES and LANG each settle the locale when set.
        if (setting != language)
            break;
    }
    return LanguageList().front();
}

void SetLanguage(const Language& language)
{
    current = &language;
}

const Language& CurrentLanguage()
{
    return *current;
}

std::string_view Translated(std::string_view japanese)
{
    const CatalogueFile* file = CurrentFile();
    if (file == nullptr)
        return japanese;
    const auto keys = CatalogueKeys();
    const auto found = std::lower_bound(keys.begin(), keys.end(), japanese);
    return found != keys.end() && *found == japanese
               ? file->translations[static_cast<std::size_t>(found - keys.begin())]
               : japanese;
}

std::string_view Translated(std::string_view context, std::string_view japanese)
{
    if (CurrentFile() == nullptr)
        return japanese;
    const std::string key = std::string(context) + '\4' + std::string(japanese);
    const std::string_view translation = Translated(key);
    return translation.data() == key.data() ? japanese : translation;
}

std::string_view SentenceEnd()
{
    return Translated("sentence end", "。");
}

std::string Filled(std::string_view pattern, std::initializer_list<std::string_view> values)
{
    std::string text;
    for (std::size_t k = 0; k < pattern.size(); ++k) {
        const char c = pattern[k];
        if (c == '{' && k + 2 < pattern.size() && pattern[k + 2] == '}' && pattern[k + 1] >= '1' &&
            pattern[k + 1] <= '9') {
            const auto n = static_cast<std::size_t>(pattern[k + 1] - '1');
            if (n < values.size())
                text += *(values.begin() + n);
            k += 2;
        } else {
            text += c;
        }
    }
    return text;
}
