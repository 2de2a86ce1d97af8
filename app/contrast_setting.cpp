#include "app/contrast_setting.h"

#include "app/sessen_form.h"

#include <QtGlobal>
#if QT_VERSION >= QT_VERSION_CHECK(6, 10, 0)
#include <QAccessibilityHints>
#include <QGuiApplication>
#include <QStyleHints>
#endif

void FollowContrastSetting(TSessen_Form& form, bool forced)
{
    if (forced) {
        form.setHighContrast(true);
        return;
    }
#if QT_VERSION >= QT_VERSION_CHECK(6, 10, 0)
    const QAccessibilityHints* hints = QGuiApplication::styleHints()->accessibility();
    const auto follow = [window = &form](Qt::ContrastPreference preference) {
        window->setHighContrast(preference == Qt::ContrastPreference::HighContrast);
    };
    follow(hints->contrastPreference());
    QObject::connect(hints, &QAccessibilityHints::contrastPreferenceChanged, &form, follow);
#endif
}
