#pragma once

// The catalogues as the build compiles them from po/*.po (catalogue_data.cpp
// in the build folder, written by po/write_catalogue.py): for each language
// its messages, sorted by key. A key is the Japanese text, or its context,
// the byte 4 and the text, as gettext keys them.

#include <span>
#include <string_view>

struct CatalogueMessage {
    std::string_view key;
    std::string_view translation;
};

struct CatalogueFile {
    std::string_view tag;
    std::string_view ownName;
    std::span<const CatalogueMessage> messages;
};

std::span<const CatalogueFile> CatalogueFiles();
