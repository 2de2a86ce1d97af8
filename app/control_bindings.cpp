#include "app/control_bindings.h"

#include "app/sessen_form.h"

#include <string_view>

namespace {
using F = TSessen_Form;

// clang-format off
constexpr ControlBinding kBindings[] = {
    {"PaintBox1", &F::PaintBox1, {}},
    {"LblSetten", &F::LblSetten, {}},
    {"ScrollBar1", &F::ScrollBar1, ScrollHandler{&F::ScrollBar1Scroll}},
    {"GroupBox1", &F::GroupBox1, {}},
    {"GroupBox2", &F::GroupBox2, {}},
    {"BtnSyuryo", &F::BtnSyuryo, ClickHandler{&F::BtnSyuryoClick}},
    {"ScrollBar2", &F::ScrollBar2, ScrollHandler{&F::ScrollBar2Scroll}},
    {"BBtnSessenSu", &F::BBtnSessenSu, ClickHandler{&F::BBtnSessenSuClick}},
    {"BBtnHojosen", &F::BBtnHojosen, ClickHandler{&F::BBtnHojosenClick}},
    {"Btn00", &F::Btn00, ClickHandler{&F::Btn00Click}},
    {"BtnKettei", &F::BtnKettei, ClickHandler{&F::BtnKetteiClick}},
    {"Btn01", &F::Btn01, ClickHandler{&F::Btn01Click}},
    {"Btn03", &F::Btn03, ClickHandler{&F::Btn03Click}},
    {"Btn02", &F::Btn02, ClickHandler{&F::Btn02Click}},
    {"Btn04", &F::Btn04, ClickHandler{&F::Btn04Click}},
    {"BtnMinus", &F::BtnMinus, ClickHandler{&F::BtnMinusClick}},
    {"Btn06", &F::Btn06, ClickHandler{&F::Btn06Click}},
    {"Btn05", &F::Btn05, ClickHandler{&F::Btn05Click}},
    {"Btn07", &F::Btn07, ClickHandler{&F::Btn07Click}},
    {"Btn09", &F::Btn09, ClickHandler{&F::Btn09Click}},
    {"Btn08", &F::Btn08, ClickHandler{&F::Btn08Click}},
    {"SbnSiki", &F::SbnSiki, ClickHandler{&F::SbnSikiClick}},
    {"LblSiki", &F::LblSiki, {}},
    {"SbnKeisuA", &F::SbnKeisuA, ClickHandler{&F::SbnKeisuAClick}},
    {"SbnKeisuB", &F::SbnKeisuB, ClickHandler{&F::SbnKeisuBClick}},
    {"LblKeisuA", &F::LblKeisuA, {}},
    {"LblKeisuB", &F::LblKeisuB, {}},
    {"LblKeisuC", &F::LblKeisuC, {}},
    {"LblKeisuD", &F::LblKeisuD, {}},
    {"SbnKeisuD", &F::SbnKeisuD, ClickHandler{&F::SbnKeisuDClick}},
    {"SbnKeisuC", &F::SbnKeisuC, ClickHandler{&F::SbnKeisuCClick}},
    {"Label2", &F::Label2, {}},
};
// clang-format on

// The handler a control of this kind needs: buttons click, sliders scroll.
constexpr std::size_t HandlerIndexFor(ControlKind kind)
{
    switch (kind) {
    case ControlKind::PushButton:
    case ControlKind::Toggle:
    case ControlKind::Selector:
        return 1;
    case ControlKind::Slider:
        return 2;
    default:
        return 0;
    }
}

constexpr bool BindingsMatchTable()
{
    const auto rows = ControlTable();
    if (std::size(kBindings) != rows.size())
        return false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ControlBinding& binding = kBindings[i];
        if (std::string_view(binding.id) != rows[i].id ||
            binding.member.index() != static_cast<std::size_t>(rows[i].kind) ||
            binding.handler.index() != HandlerIndexFor(rows[i].kind))
            return false;
    }
    return true;
}
static_assert(BindingsMatchTable(),
              "every control of the table needs one binding, in the table's order, "
              "with a member of its kind and a handler for its event");
} // namespace

const ControlBinding& BindingOf(const ControlRow& row)
{
    return kBindings[RowIndex(row)];
}

QWidget* ControlOf(const TSessen_Form& form, const ControlRow& row)
{
    return std::visit([&form](auto member) -> QWidget* { return form.*member; },
                      BindingOf(row).member);
}
