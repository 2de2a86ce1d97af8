// The lesson window in every language the catalogues give: each caption
// fits its control with the real faces (and so does a made-up language whose
// words run 30 % longer, with accents, as a future wording might), and
// nothing the window shows or its screen reader names is left in Japanese.

#include "app/layout_fonts.h"
#include "controls/caption_fit.h"
#include "controls/control_table.h"
#include "lesson/catalogue.h"
#include "window_fixture.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>

namespace {
// A caption in the made-up language: every letter of the English caption
// with an accent, and its first 30 % again.
QString Longer(const QString& english)
{
    const QString plain = QStringLiteral("aceinouyAEIOUCN");
    const QString marked = QStringLiteral("åçéîñöüýÅÉÎÖÜÇÑ");
    QString text = english + english.left((english.size() * 3 + 9) / 10);
    for (QChar& c : text) {
        if (const auto k = plain.indexOf(c); k >= 0)
            c = marked[k];
    }
    return text;
}

QString ShownText(QWidget* widget)
{
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return button->text();
    if (auto* box = qobject_cast<QGroupBox*>(widget))
        return box->title();
    return qobject_cast<QLabel*>(widget)->text();
}

// Each shown caption within its control's room in the face the window gave
// it; the longer made-up wording within it once written at the smallest
// size a caption may take.
void CheckFits(TSessen_Form& form, bool longer, const QString& state)
{
    for (const ControlRow& row : ControlTable()) {
        auto* widget = form.findChild<QWidget*>(QLatin1String(row.id));
        if (*row.caption == '\0' || row.kind == ControlKind::Plot || !widget->isVisible())
            continue;
        QString text = ShownText(widget);
        qreal width = QFontMetricsF(widget->font()).horizontalAdvance(text);
        if (longer) {
            text = Longer(text);
            width =
                QFontMetricsF(MakeFont(*row.font)).horizontalAdvance(text) * kSmallestCaptionScale;
        }
        QVERIFY2(width <= CaptionRoom(row),
                 qPrintable(QStringLiteral("%1 (%2): \"%3\" takes %4 of %5 px")
                                .arg(QLatin1String(row.id), state, text)
                                .arg(width)
                                .arg(CaptionRoom(row))));
    }
}

// Kana, and Han or the ideographic full stop, comma and space outside
// Chinese, anywhere in a text.
bool Japanese(const QString& text, bool hanAllowed)
{
    static const QRegularExpression kana(
        QStringLiteral("[\\x{3040}-\\x{30FF}\\x{31F0}-\\x{31FF}]"));
    static const QRegularExpression han(
        QStringLiteral("[\\x{3000}-\\x{303F}\\x{3400}-\\x{9FFF}\\x{F900}-\\x{FAFF}]"));
    return text.contains(kana) || (!hanAllowed && text.contains(han));
}

void CheckNoJapanese(QAccessibleInterface* node, bool hanAllowed, const QString& state)
{
    for (const auto kind : {QAccessible::Name, QAccessible::Description, QAccessible::Value}) {
        const QString text = node->text(kind);
        QVERIFY2(!Japanese(text, hanAllowed),
                 qPrintable(QStringLiteral("%1: \"%2\"").arg(state, text)));
    }
    if (auto* actions = node->actionInterface()) {
        for (const QString& action : actions->actionNames())
            QVERIFY2(!Japanese(actions->localizedActionName(action), hanAllowed),
                     qPrintable(action));
    }
    for (int k = 0; k < node->childCount(); ++k)
        CheckNoJapanese(node->child(k), hanAllowed, state);
}
} // namespace

class TestLanguages : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { SetLanguage(Languages().front()); }

    void languageWindow_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<bool>("longer");
        for (const Language& language : Languages()) {
            const QString tag = QString::fromUtf8(language.tag.data(), language.tag.size());
            QTest::newRow(qPrintable(tag)) << tag << false;
        }
        QTest::newRow("30 % longer") << QStringLiteral("en") << true;
    }

    // Fits in every state of the toggles; says nothing in Japanese after a
    // confirmation, a toggle, a slider step or the sound's key either.
    void languageWindow()
    {
        QFETCH(QString, tag);
        QFETCH(bool, longer);
        SetLanguage(*FindLanguage(tag.toStdString()));
        auto form = StartedForm();
        const bool chinese = tag.startsWith(QLatin1String("zh"));
        const bool japanese = tag == QLatin1String("ja");
        const auto check = [&](const QString& state) {
            CheckFits(*form, longer, state);
            if (!japanese && !longer)
                CheckNoJapanese(QAccessible::queryAccessibleInterface(form.get()), chinese, state);
        };
        check(QStringLiteral("at start"));
        Click(form->BtnKettei);
        Click(form->BBtnSessenSu);
        check(QStringLiteral("two tangents"));
        Click(form->BBtnHojosen);
        QTest::keyClick(form->ScrollBar2, Qt::Key_Right);
        check(QStringLiteral("with the chord"));
        // The sound switched on where there is no audio device: two sentences.
        QTest::keyClick(form->ScrollBar2, Qt::Key_T, Qt::AltModifier);
        check(QStringLiteral("sound on, no device"));
    }

    // The locale's variables pick the language as gettext reads them.
    void locale_data()
    {
        QTest::addColumn<QByteArrayList>("settings"); // LANGUAGE, LC_ALL, LC_MESSAGES, LANG
        QTest::addColumn<QString>("tag");
        QTest::newRow("nothing") << QByteArrayList{{}, {}, {}, {}} << "ja";
        QTest::newRow("C") << QByteArrayList{{}, {}, {}, "C.UTF-8"} << "ja";
        QTest::newRow("LANG") << QByteArrayList{{}, {}, {}, "vi_VN.UTF-8"} << "vi";
        QTest::newRow("Brazil") << QByteArrayList{{}, {}, {}, "pt_BR.UTF-8"} << "pt-BR";
        QTest::newRow("Portugal") << QByteArrayList{{}, {}, {}, "pt_PT.UTF-8"} << "pt-BR";
        QTest::newRow("LC_MESSAGES first")
            << QByteArrayList{{}, {}, "es_PE.UTF-8", "en_US.UTF-8"} << "es";
        QTest::newRow("LC_ALL first")
            << QByteArrayList{{}, "zh_CN.UTF-8", "es_PE.UTF-8", {}} << "zh-CN";
        QTest::newRow("LANGUAGE list")
            << QByteArrayList{"de:tl:en", {}, {}, "ja_JP.UTF-8"} << "fil";
        QTest::newRow("not spoken") << QByteArrayList{"de", {}, {}, "fr_FR.UTF-8"} << "ja";
    }

    void locale()
    {
        QFETCH(QByteArrayList, settings);
        QFETCH(QString, tag);
        const auto c = [&](int k) {
            return settings[k].isNull() ? nullptr : settings[k].constData();
        };
        QCOMPARE(QString::fromUtf8(LanguageOfLocale(c(0), c(1), c(2), c(3)).tag.data()), tag);
    }
};

QTEST_MAIN(TestLanguages)
#include "test_languages.moc"
