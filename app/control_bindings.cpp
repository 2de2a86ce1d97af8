#include "app/control_bindings.h"

#include "app/sessen_form.h"

#include <string_view>

namespace {
using F = TSessen_Form;

// clang-format off
constexpr ControlBinding kBindings[] = {
    {"PaintBox1", &F::PaintBox1},
    {"LblSetten", &F::LblSetten},
    {"ScrollBar1", &F::ScrollBar1},
    {"GroupBox1", &F::GroupBox1},
    {"GroupBox2", &F::GroupBox2},
    {"BtnSyuryo", &F::BtnSyuryo},
    {"ScrollBar2", &F::ScrollBar2},
    {"BBtnSessenSu", &F::BBtnSessenSu},
    {"BBtnHojosen", &F::BBtnHojosen},
    {"Btn00", &F::Btn00},
    {"BtnKettei", &F::BtnKettei},
    {"Btn01", &F::Btn01},
    {"Btn03", &F::Btn03},
    {"Btn02", &F::Btn02},
    {"Btn04", &F::Btn04},
    {"BtnMinus", &F::BtnMinus},
    {"Btn06", &F::Btn06},
    {"Btn05", &F::Btn05},
    {"Btn07", &F::Btn07},
    {"Btn09", &F::Btn09},
    {"Btn08", &F::Btn08},
    {"SbnSiki", &F::SbnSiki},
    {"LblSiki", &F::LblSiki},
    {"SbnKeisuA", &F::SbnKeisuA},
    {"SbnKeisuB", &F::SbnKeisuB},
    {"LblKeisuA", &F::LblKeisuA},
    {"LblKeisuB", &F::LblKeisuB},
    {"LblKeisuC", &F::LblKeisuC},
    {"LblKeisuD", &F::LblKeisuD},
    {"SbnKeisuD", &F::SbnKeisuD},
    {"SbnKeisuC", &F::SbnKeisuC},
    {"Label2", &F::Label2},
};
// clang-format on

constexpr bool BindingsMatchTable()
{
    const auto rows = ControlTable();
    if (std::size(kBindings) != rows.size())
        return false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const ControlBinding& binding = kBindings[i];
        if (std::string_view(binding.id) != rows[i].id ||
            binding.member.index() != static_cast<std::size_t>(rows[i].kind))
            return false;
    }
    return true;
}
static_assert(BindingsMatchTable(),
              "every control of the table needs one binding, in the table's order, "
              "with a member of its kind");
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
