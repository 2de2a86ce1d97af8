#pragma once

// The catalogues as the build compiles them from po/*.po (catalogue_data.cpp
// in the build folder, written by po/write_catalogue.py): the keys every
// catalogue translates, sorted, and each language's translations in the
// keys' order. A key is the Japanese text, or its context, the byte 4 and
// the text, as gettext keys them.

#include <span>
#include <string_view>

struct CatalogueFile {
    std::string_view tag;
    std::string_view ownName;
    std::span<const std::string_view> translations;
};

std::span<const std::string_view> CatalogueKeys();
std::span<const CatalogueFile> CatalogueFiles();
