#include "app/key_names.h"

#include "controls/key_table.h"

#include <QKeyEvent>

namespace {
struct NamedKey {
    int key;
    const char* name;
};

// The keys that have a name rather than a character.
constexpr NamedKey kNamedKeys[] = {
    {Qt::Key_Escape, "Escape"},  {Qt::Key_F11, "F11"},           {Qt::Key_Right, "ArrowRight"},
    {Qt::Key_Left, "ArrowLeft"}, {Qt::Key_Up, "ArrowUp"},        {Qt::Key_Down, "ArrowDown"},
    {Qt::Key_PageUp, "PageUp"},  {Qt::Key_PageDown, "PageDown"}, {Qt::Key_Home, "Home"},
    {Qt::Key_End, "End"},        {Qt::Key_Minus, "-"},
};
} // namespace

std::string KeyName(const QKeyEvent& event)
{
    const int key = event.key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return std::string(1, static_cast<char>('0' + (key - Qt::Key_0)));
    // Qt names a letter by its capital, with Shift or without.
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return std::string(1, static_cast<char>('a' + (key - Qt::Key_A)));
    for (const NamedKey& named : kNamedKeys) {
        if (named.key == key)
            return named.name;
    }
    return {};
}

uint8_t KeyModifiers(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers held = event.modifiers();
    uint8_t modifiers = kNoModifier;
    if (held & Qt::ShiftModifier)
        modifiers |= kShift;
    if (held & Qt::ControlModifier)
        modifiers |= kControl;
    if (held & Qt::AltModifier)
        modifiers |= kAlt;
    if (held & Qt::MetaModifier)
        modifiers |= kMeta;
    return modifiers;
}
