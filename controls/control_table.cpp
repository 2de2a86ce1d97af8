#include "controls/control_table.h"

#include "lesson/catalogue.h"
#include "lesson/spoken_math.h"

#include <algorithm>

const ControlRow* FindControlRow(std::string_view id)
{
    const auto rows = ControlTable();
    // Debian 12's emscripten has no ranges algorithms.
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [id](const ControlRow& row) { return row.id == id; });
    return found == rows.end() ? nullptr : &*found;
}

std::size_t RowIndex(const ControlRow& row)
{
    return static_cast<std::size_t>(&row - ControlTable().data());
}

const ControlRow* LabelOf(const ControlRow& row)
{
    for (const ControlRow& label : ControlTable()) {
        if (label.labelFor != nullptr && label.labelFor == std::string_view(row.id))
            return &label;
    }
    return nullptr;
}

std::vector<const ControlRow*> KeyboardOrder()
{
    // A window control sorts by its own tab; a group box's child by the group
    // box's tab and then its own.
    auto groupTab = [](Parent parent) {
        return FindControlRow(parent == Parent::GroupBox1 ? "GroupBox1" : "GroupBox2")->tab;
    };
    auto key = [&](const ControlRow* row) {
        return row->parent == Parent::Window ? std::pair{row->tab, -1}
                                             : std::pair{groupTab(row->parent), row->tab};
    };
    std::vector<const ControlRow*> order;
    for (const ControlRow& row : ControlTable()) {
        if (row.tab != kNoTab && row.kind != ControlKind::GroupBox)
            order.push_back(&row);
    }
    std::sort(order.begin(), order.end(),
              [&](const ControlRow* a, const ControlRow* b) { return key(a) < key(b); });
    return order;
}

std::string_view RowCaption(const ControlRow& row)
{
    return Translated(row.caption);
}

std::string_view RowName(const ControlRow& row)
{
    return Translated(row.accessibleName);
}

std::string_view RowDescription(const ControlRow& row)
{
    return Translated(row.description);
}

std::string ControlDescription(const ControlRow& row, std::string_view equation)
{
    std::string text(RowDescription(row));
    if (row.kind == ControlKind::Selector && LabelOf(row) == nullptr && !equation.empty())
        text.append(SentenceEnd()).append(SpokenMath(equation));
    return text;
}

std::string ControlName(const ControlRow& row, std::string_view shown)
{
    // A label shows a coefficient or an equation, which is named in words;
    // a button's name keeps its caption as shown.
    if (row.nameKind == NameKind::LiveText && !shown.empty())
        return Filled(Translated(kNameAndValue),
                      {RowName(row),
                       row.kind == ControlKind::Label ? SpokenMath(shown) : std::string(shown)});
    return std::string(RowName(row));
}
