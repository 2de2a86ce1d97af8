#include "controls/control_table.h"

#include "lesson/catalogue.h"
#include "lesson/spoken_math.h"

#include <algorithm>
#include <utility>

namespace {
// The group box whose children stand in `parent`.
constexpr std::string_view GroupId(Parent parent)
{
    return parent == Parent::GroupBox1 ? "GroupBox1" : "GroupBox2";
}

// Where a control stands in the keyboard order: a window control by its own
// tab, a group box's child by the group box's tab and then its own.
constexpr std::pair<int, int> OrderKey(const ControlRow& row)
{
    if (row.parent == Parent::Window)
        return {row.tab, -1};
    for (const ControlRow& group : ControlTable()) {
        if (GroupId(row.parent) == group.id)
            return {group.tab, row.tab};
    }
    return {kNoTab, row.tab};
}

constexpr bool Focusable(const ControlRow& row)
{
    return row.tab != kNoTab && row.kind != ControlKind::GroupBox;
}

// The page writes the controls in the table's order, each group box's
// children inside it, and a browser's Tab key follows that order: it has to
// be the keyboard order that the tabs give, as on the desktop.
constexpr bool WrittenOrderIsKeyboardOrder()
{
    std::pair<int, int> last{kNoTab, kNoTab};
    const auto follows = [&last](const ControlRow& row) {
        if (!Focusable(row))
            return true;
        const bool later = last < OrderKey(row);
        last = OrderKey(row);
        return later;
    };
    for (const ControlRow& row : ControlTable()) {
        if (row.parent != Parent::Window)
            continue;
        if (!follows(row))
            return false;
        for (const ControlRow& child : ControlTable()) {
            if (row.kind == ControlKind::GroupBox && child.parent != Parent::Window &&
                GroupId(child.parent) == row.id && !follows(child))
                return false;
        }
    }
    return true;
}
static_assert(WrittenOrderIsKeyboardOrder(),
              "the table's rows, group boxes' children inside them, must stand in keyboard order");
} // namespace

const ControlRow* FindControlRow(std::string_view id)
{
    const auto rows = ControlTable();
    // Debian 12's emscripten has no ranges algorithms.
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [id](const ControlRow& row) { return row.id == id; });
    return found == rows.end() ? nullptr : &*found;
}

const ControlRow* FindControlRow(Does does, int32_t argument)
{
    for (const ControlRow& row : ControlTable()) {
        if (row.intent.does == does && row.intent.argument == argument)
            return &row;
    }
    return nullptr;
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
    std::vector<const ControlRow*> order;
    for (const ControlRow& row : ControlTable()) {
        if (Focusable(row))
            order.push_back(&row);
    }
    std::sort(order.begin(), order.end(),
              [](const ControlRow* a, const ControlRow* b) { return OrderKey(*a) < OrderKey(*b); });
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
