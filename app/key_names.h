#pragma once

#include <cstdint>
#include <string>

class QKeyEvent;

// A Qt key event in the key table's terms (controls/key_table.h): the key's
// name as a browser names it, letters in lower case, and the modifiers held.
// The number pad's keys are the same keys as the main keyboard's.
std::string KeyName(const QKeyEvent& event);
uint8_t KeyModifiers(const QKeyEvent& event);
