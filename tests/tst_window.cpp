// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#include "NoticeCatcher.h"
#include "TestMain.h"
#include "WindowFixture.h"

#include <QAccessible>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMetaMethod>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QStyle>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>

// The bare form on a window without the main window's styling, whose style sheet
// polish would change mouse tracking and fonts.
class FormHost : public QMainWindow
{
    Q_OBJECT

public:
    FormHost() { ui.setupUi(this); }
    Ui::FieldCalcWindowClass ui;

private slots:
    void JiSuanFuMian() {}
    void TuiChuRuanJian() {}
};

class WindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void widgetTree_data();
    void widgetTree();
    void fonts_data();
    void fonts();
    void formTexts_data();
    void formTexts();
    void initialState();
    void styleSheets();
    void slotsInMetaObject();
    void enterCalculatesOnce_data();
    void enterCalculatesOnce();
    void clockTicks();
    void closeButtonEndsLoopWithZero();
    void closingWindowEndsLoopWithZero();
    void everyVisibleCharacterHasAGlyph();
    void accessibleNames_data();
    void accessibleNames();
    void accessibleDescriptions_data();
    void accessibleDescriptions();
    void resultsAreReadable_data();
    void resultsAreReadable();
    void contextMenu_data();
    void contextMenu();
    void tabOrder();
#ifdef Q_OS_WIN
    void nativeStyleOnWindows();
#endif

private:
    template <typename T = QWidget> T *child(const char *name) const
    {
        return m_fixture.child<T>(name);
    }

    WindowFixture m_fixture;
};

void WindowTest::init()
{
    QVERIFY(m_fixture.open());
}

void WindowTest::cleanup()
{
    m_fixture.close();
}

void WindowTest::widgetTree_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<bool>("mouseTracking");

    const QString central = QStringLiteral("centralWidget");
    const auto row = [](const char *name, const char *cls, const QString &parent, QRect rect,
                        bool tracking = false) {
        QTest::newRow(name) << QString::fromLatin1(cls) << parent << rect << tracking;
    };
    row("groupBox", "QGroupBox", central, {30, 80, 251, 101}, true);
    row("lineEdit", "QLineEdit", "groupBox", {30, 30, 181, 51});
    row("groupBox_2", "QGroupBox", central, {340, 80, 251, 101}, true);
    row("lineEdit_2", "QLineEdit", "groupBox_2", {30, 30, 191, 51});
    row("groupBox_3", "QGroupBox", central, {30, 190, 251, 101}, true);
    row("lineEdit_3", "QLineEdit", "groupBox_3", {30, 30, 181, 51});
    row("groupBox_4", "QGroupBox", central, {340, 190, 251, 101}, true);
    row("lineEdit_4", "QLineEdit", "groupBox_4", {30, 30, 191, 51});
    row("comboBox", "QComboBox", central, {106, 1, 101, 31});
    row("pushButton", "QPushButton", central, {630, 140, 141, 71});
    row("pushButton_2", "QPushButton", central, {630, 320, 141, 71});
    row("label", "QLabel", central, {230, 0, 511, 21});
    row("label_2", "QLabel", central, {10, 5, 101, 31});
    row("label_3", "QLabel", central, {270, 20, 421, 21});
    row("label_Time", "QLabel", central, {320, 470, 291, 21});
    row("label_5", "QLabel", central, {210, 465, 111, 31});
    row("groupBox_5", "QGroupBox", central, {30, 360, 251, 101}, true);
    row("lineEdit_5", "QLineEdit", "groupBox_5", {30, 30, 191, 51});
    row("groupBox_6", "QGroupBox", central, {340, 360, 251, 101}, true);
    row("lineEdit_6", "QLineEdit", "groupBox_6", {30, 30, 191, 51});
    row("label_4", "QLabel", central, {30, 290, 601, 71});
    row("lineEdit_8", "QLineEdit", central, {90, 40, 121, 31});
    row("label_Time_3", "QLabel", central, {220, 40, 41, 27});
    row("label_Time_4", "QLabel", central, {20, 40, 61, 27});
    row("label_6", "QLabel", central, {260, 45, 441, 21});
}

void WindowTest::widgetTree()
{
    QFETCH(QString, className);
    QFETCH(QString, parentName);
    QFETCH(QRect, geometry);
    QFETCH(bool, mouseTracking);

    FormHost form;
    auto *widget = form.findChild<QWidget *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(widget);
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), className);
    QCOMPARE(widget->parentWidget()->objectName(), parentName);
    QCOMPARE(widget->geometry(), geometry);
    // Line edits and rich-text labels turn tracking on by themselves; only the
    // group boxes depend on the form for it.
    if (mouseTracking)
        QVERIFY(widget->hasMouseTracking());
}

void WindowTest::fonts_data()
{
    QTest::addColumn<QString>("family"); // empty: not set by the form
    QTest::addColumn<int>("pointSize");  // -1: not set
    QTest::addColumn<int>("weight");

    const QString threeDs = QStringLiteral("3ds");
    const QString unset;
    const int normal = QFont::Normal;
    const int bold = QFont::Bold;
    const int defaultSize = -1;
    const auto row = [](const char *name, const QString &family, int size, int weight) {
        QTest::newRow(name) << family << size << weight;
    };
    row("groupBox", threeDs, 12, normal);     // F1
    row("lineEdit", unset, 18, normal);       // F2
    row("lineEdit_3", unset, 16, bold);       // F3
    row("lineEdit_4", unset, 16, bold);       // F3
    row("comboBox", threeDs, 12, normal);     // F1
    row("pushButton", threeDs, 16, bold);     // F4
    row("label", unset, defaultSize, bold);   // F5
    row("label_2", threeDs, 14, bold);        // F6
    row("label_Time", threeDs, 14, normal);   // F7, weight inherited
    row("lineEdit_5", unset, 16, normal);     // F8
    row("lineEdit_8", unset, 16, normal);     // F8
    row("label_4", threeDs, 12, normal);      // F9
    row("label_Time_4", threeDs, 12, normal); // F1
    row("label_6", unset, defaultSize, bold); // F5
}

void WindowTest::fonts()
{
    QFETCH(QString, family);
    QFETCH(int, pointSize);
    QFETCH(int, weight);

    FormHost form;
    auto *widget = form.findChild<QWidget *>(QString::fromLatin1(QTest::currentDataTag()));
    QVERIFY(widget);
    const QFont own = widget->font();
    const QFont inherited = widget->parentWidget()->font(); // what an unset property shows
    QCOMPARE(own.family(), family.isEmpty() ? inherited.family() : family);
    QCOMPARE(own.pointSize(), pointSize < 0 ? inherited.pointSize() : pointSize);
    QCOMPARE(int(own.weight()), weight); // Qt 6 returns the enum QFont::Weight
    QVERIFY(!own.strikeOut());
    QCOMPARE(own.style(), QFont::StyleNormal);
}

void WindowTest::formTexts_data()
{
    QTest::addColumn<QString>("text");

    const auto row = [](const char *name, const char *text) {
        QTest::newRow(name) << QString::fromUtf8(text);
    };
    row("window", "ZK光机幅面粗略计算");
    row("groupBox", "镜头大小（单位：MM）");
    row("groupBox_2", "工作距离（单位：MM）");
    row("groupBox_3", "光机幅面长（单位：MM）");
    row("groupBox_4", "光机幅面宽（单位：MM）");
    row("groupBox_5", "扫描幅面长（单位：MM）");
    row("groupBox_6", "扫描幅面宽（单位：MM）");
    row("pushButton", "计算幅面");
    row("pushButton_2", "关闭软件");
    row("label", "<html><head/><body><p><span style=\" font-size:12pt; color:#ff0000;\">"
                 "注：R91需要选择镜头，M61和M64、P97不需要选择镜头</span></p></body></html>");
    row("label_2", "<html><head/><body><p><span style=\" font-weight:600;\">光机选择</span></p>"
                   "</body></html>");
    row("label_3", "<html><head/><body><p><span style=\" font-size:12pt; color:#ff0000;\">"
                   "镜头大小可选：6、8、12、16、25、35、50.</span></p></body></html>");
    row("label_Time", "TextLabel");
    row("label_5", "系统时间：");
    row("label_4", "<html><head/><body><p><span style=\" font-size:14pt; color:#ff0000;\">"
                   "R91光机不显示扫描幅面，    M61和M64相机靶面为1/2\u201c，</span></p>"
                   "<p><span style=\" font-size:14pt; color:#ff0000;\">"
                   "M61为16MM镜头扫描幅面，M64为12MM镜头扫描幅面</span></p></body></html>");
    row("label_Time_3", "MM");
    row("label_Time_4", "景深:±");
    row("label_6",
        "<html><head/><body><p><span style=\" color:#00aa00;\">"
        "景深适用投影范围100-1000MM,超出范围不能保证景深准确度</span></p></body></html>");
}

void WindowTest::formTexts()
{
    QFETCH(QString, text);

    const QByteArray name = QTest::currentDataTag();
    QString actual;
    if (name == "window")
        actual = m_fixture.window()->windowTitle();
    else if (name == "label_Time")
        actual = m_fixture.formClockText();
    else if (auto *group = m_fixture.window()->findChild<QGroupBox *>(QString::fromLatin1(name)))
        actual = group->title();
    else if (auto *button = m_fixture.window()->findChild<QPushButton *>(QString::fromLatin1(name)))
        actual = button->text();
    else
        actual = child<QLabel>(name.constData())->text();
    QCOMPARE(actual, text);
}

void WindowTest::initialState()
{
    QCOMPARE(m_fixture.window()->size(), QSize(797, 497));
    QCOMPARE(m_fixture.window()->objectName(), QStringLiteral("FieldCalcWindowClass"));
    QVERIFY(m_fixture.window()->hasMouseTracking());
    QCOMPARE(m_fixture.window()->centralWidget(), child("centralWidget"));

    auto *chooser = child<QComboBox>("comboBox");
    QStringList items;
    for (int i = 0; i < chooser->count(); ++i)
        items << chooser->itemText(i);
    QCOMPARE(items,
             (QStringList{QStringLiteral(" R91"), QStringLiteral(" M61"), QStringLiteral(" M64"),
                          QStringLiteral(" P97"), QString::fromUtf8(" 待添加")}));
    QCOMPARE(chooser->currentIndex(), 0);

    for (const char *input : {"lineEdit", "lineEdit_2"}) {
        QVERIFY2(child<QLineEdit>(input)->text().isEmpty(), input);
        QVERIFY2(child<QLineEdit>(input)->isEnabled(), input);
    }
    for (const char *result :
         {"lineEdit_3", "lineEdit_4", "lineEdit_5", "lineEdit_6", "lineEdit_8"}) {
        QVERIFY2(child<QLineEdit>(result)->text().isEmpty(), result);
        QVERIFY2(!child<QLineEdit>(result)->isEnabled(), result);
    }
    QCOMPARE(child("label_3")->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(child("label_6")->cursor().shape(), Qt::ArrowCursor);
}

void WindowTest::styleSheets()
{
    for (const char *name : {"lineEdit", "lineEdit_2", "comboBox", "pushButton", "pushButton_2"})
        QCOMPARE(child(name)->styleSheet(), QStringLiteral("background-color: rgb(220,226,241)"));
    const QString sheet = m_fixture.window()->styleSheet();
    QCOMPARE(sheet.size(), 440);
    QCOMPARE(sheet.count(QLatin1Char(' ')), 1);
    QVERIFY(sheet.startsWith(QLatin1String("QPushButton{background-color:rgba(100,225,100,30);")));
    QVERIFY(sheet.endsWith(QLatin1String("color:rgba(0,0,0,200);}")));
}

void WindowTest::slotsInMetaObject()
{
    const QMetaObject *meta = m_fixture.window()->metaObject();
    QCOMPARE(meta->className(), "FieldCalcWindow");
    QCOMPARE(meta->superClass(), &QMainWindow::staticMetaObject);
    QCOMPARE(meta->methodCount() - meta->methodOffset(), 2);
    const QByteArray expected[] = {"JiSuanFuMian()", "TuiChuRuanJian()"};
    for (int i = 0; i < 2; ++i) {
        const QMetaMethod method = meta->method(meta->methodOffset() + i);
        QCOMPARE(method.methodSignature(), expected[i]);
        QCOMPARE(method.methodType(), QMetaMethod::Slot);
        QCOMPARE(method.access(), QMetaMethod::Private);
        QCOMPARE(method.returnType(), int(QMetaType::Void));
    }
}

void WindowTest::enterCalculatesOnce_data()
{
    QTest::addColumn<QString>("field");
    QTest::newRow("lens field") << QStringLiteral("lineEdit");
    QTest::newRow("distance field") << QStringLiteral("lineEdit_2");
}

void WindowTest::enterCalculatesOnce()
{
    QFETCH(QString, field);
    auto *edit = m_fixture.window()->findChild<QLineEdit *>(field);
    QSignalSpy clicked(child<QPushButton>("pushButton"), &QPushButton::clicked);
    NoticeCatcher catcher;

    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(clicked.count(), 1);
    QTest::keyClick(edit, Qt::Key_Enter);
    QCOMPARE(clicked.count(), 2);
}

void WindowTest::clockTicks()
{
    auto *clock = child<QLabel>("label_Time");
    QCOMPARE(m_fixture.formClockText(), QStringLiteral("TextLabel"));

    const QRegularExpression format(
        QStringLiteral("^\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}:\\d{3}$"));
    QTRY_VERIFY_WITH_TIMEOUT(clock->text() != QLatin1String("TextLabel"), 2000);
    const QDateTime shown =
        QDateTime::fromString(clock->text(), QStringLiteral("yyyy-MM-dd hh:mm:ss:zzz"));
    QVERIFY2(format.match(clock->text()).hasMatch(), qPrintable(clock->text()));
    QVERIFY(shown.isValid());
    QVERIFY(qAbs(shown.msecsTo(QDateTime::currentDateTime())) < 1000);

    // Ten ticks a second, read from the times the label shows. A loaded machine
    // (Wine in CI) delays some ticks and Qt makes up for them, so the mean
    // interval is what stays near 100 ms.
    QList<QDateTime> ticks{shown};
    QElapsedTimer elapsed;
    elapsed.start();
    while (ticks.size() < 9 && elapsed.elapsed() < 5000) {
        QTest::qWait(5);
        const QDateTime now =
            QDateTime::fromString(clock->text(), QStringLiteral("yyyy-MM-dd hh:mm:ss:zzz"));
        if (now != ticks.last())
            ticks << now;
    }
    QVERIFY2(ticks.size() == 9, "fewer than eight ticks in five seconds");
    const qint64 mean = ticks.first().msecsTo(ticks.last()) / (ticks.size() - 1);
    QVERIFY2(mean >= 90 && mean <= 400, qPrintable(QString::number(mean)));
}

void WindowTest::closeButtonEndsLoopWithZero()
{
    QTimer::singleShot(0, child<QPushButton>("pushButton_2"), &QPushButton::click);
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); }); // watchdog
    QCOMPARE(QApplication::exec(), 0);
}

void WindowTest::closingWindowEndsLoopWithZero()
{
    QTimer::singleShot(0, m_fixture.window(), &QWidget::close);
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); });
    QCOMPARE(QApplication::exec(), 0);
}

void WindowTest::everyVisibleCharacterHasAGlyph()
{
    QList<QPair<QWidget *, QString>> texts{{m_fixture.window(), m_fixture.window()->windowTitle()}};
    for (auto *label : m_fixture.window()->findChildren<QLabel *>()) {
        QTextDocument document;
        document.setHtml(label->text());
        texts.append({label, document.toPlainText()});
    }
    for (auto *group : m_fixture.window()->findChildren<QGroupBox *>())
        texts.append({group, group->title()});
    for (auto *button : m_fixture.window()->findChildren<QPushButton *>())
        texts.append({button, button->text()});
    auto *chooser = child<QComboBox>("comboBox");
    for (int i = 0; i < chooser->count(); ++i)
        texts.append({chooser, chooser->itemText(i)});

    for (const auto &[widget, text] : texts) {
        widget->ensurePolished();
        const QFontMetrics metrics(widget->font());
        for (const uint ucs4 : text.toUcs4()) {
            if (QChar::category(ucs4) == QChar::Other_Control)
                continue;
            if (!metrics.inFontUcs4(ucs4))
                QFAIL(qPrintable(QStringLiteral("%1: no glyph for U+%2 in \"%3\" (font %4)")
                                     .arg(widget->objectName())
                                     .arg(ucs4, 4, 16, QLatin1Char('0'))
                                     .arg(text, widget->font().family())));
        }
    }
}

void WindowTest::accessibleNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");

    const auto row = [](const char *widget, const char *name, QAccessible::Role role) {
        QTest::newRow(widget) << QString::fromUtf8(name) << int(role);
    };
    row("lineEdit", "镜头大小（单位：MM）", QAccessible::EditableText);
    row("lineEdit_2", "工作距离（单位：MM）", QAccessible::EditableText);
    row("comboBox", "光机选择", QAccessible::ComboBox);
    row("lineEdit_3", "光机幅面长（单位：MM）", QAccessible::EditableText);
    row("lineEdit_4", "光机幅面宽（单位：MM）", QAccessible::EditableText);
    row("lineEdit_5", "扫描幅面长（单位：MM）", QAccessible::EditableText);
    row("lineEdit_6", "扫描幅面宽（单位：MM）", QAccessible::EditableText);
    row("lineEdit_8", "景深:±", QAccessible::EditableText);
    row("pushButton", "计算幅面", QAccessible::Button);
    row("pushButton_2", "关闭软件", QAccessible::Button);
}

// What a screen reader announces as each control's caption: the label that it is
// related to, or else its name. (On Linux a combo box's name is its current item,
// and its caption comes from the label relation.)
void WindowTest::accessibleNames()
{
    QFETCH(QString, name);
    QFETCH(int, role);

    QAccessibleInterface *control =
        QAccessible::queryAccessibleInterface(child(QTest::currentDataTag()));
    QVERIFY(control);
    QCOMPARE(int(control->role()), role);
    const auto labels = control->relations(QAccessible::Label);
    const QString caption = labels.isEmpty() ? control->text(QAccessible::Name)
                                             : labels.first().first->text(QAccessible::Name);
    QCOMPARE(caption, name);
}

void WindowTest::accessibleDescriptions_data()
{
    QTest::addColumn<QStringList>("mentions");
    QTest::newRow("lineEdit") << QStringList{"R91", "6", "8", "12", "16", "25", "35", "50"};
    QTest::newRow("lineEdit_2") << QStringList{"M61 不小于 70 MM", "M64 不小于 80 MM",
                                               "P97 不小于 350 MM", "R91 无最小值"};
}

void WindowTest::accessibleDescriptions()
{
    QFETCH(QStringList, mentions);

    QAccessibleInterface *field =
        QAccessible::queryAccessibleInterface(child(QTest::currentDataTag()));
    QVERIFY(field);
    const QString description = field->text(QAccessible::Description);
    for (const QString &mention : mentions)
        QVERIFY2(description.contains(mention), qPrintable(description));
}

void WindowTest::resultsAreReadable_data()
{
    QTest::addColumn<QString>("text");
    for (const char *name : {"lineEdit_3", "lineEdit_4", "lineEdit_5", "lineEdit_6", "lineEdit_8"})
        QTest::newRow(name) << QStringLiteral("106.429");
}

namespace {

double luminance(QRgb rgb)
{
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) +
           0.0722 * channel(qBlue(rgb));
}

} // namespace

// Disabled, out of the tab chain, and still 4.5:1 between text and background as
// drawn: the darkest text pixel against the field's most common colour.
void WindowTest::resultsAreReadable()
{
    QFETCH(QString, text);

    auto *field = child<QLineEdit>(QTest::currentDataTag());
    field->setText(text);
    QVERIFY(!field->isEnabled()); // so neither editable nor in the tab chain
    const QImage image = field->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> counts;
    // Inside the frame only.
    for (int y = image.height() / 4; y < image.height() * 3 / 4; ++y)
        for (int x = 4; x < image.width() - 4; ++x)
            ++counts[image.pixel(x, y)];
    const QRgb background =
        std::max_element(counts.constKeyValueBegin(), counts.constKeyValueEnd(),
                         [](const auto &a, const auto &b) { return a.second < b.second; })
            ->first;
    double darkest = 1.0;
    double lightest = 0.0;
    for (auto it = counts.constKeyValueBegin(); it != counts.constKeyValueEnd(); ++it) {
        darkest = std::min(darkest, luminance((*it).first));
        lightest = std::max(lightest, luminance((*it).first));
    }
    const double back = luminance(background);
    const double ink = std::abs(back - darkest) > std::abs(back - lightest) ? darkest : lightest;
    const double contrast = (std::max(back, ink) + 0.05) / (std::min(back, ink) + 0.05);
    QVERIFY2(contrast >= 4.5, qPrintable(QString::number(contrast)));
}

void WindowTest::contextMenu_data()
{
    QTest::addColumn<bool>("offersCopy");
    for (const char *name :
         {"centralWidget", "groupBox", "groupBox_3", "lineEdit_3", "lineEdit_4", "lineEdit_5",
          "lineEdit_6", "lineEdit_8", "label_4", "label_Time", "comboBox", "pushButton"})
        QTest::newRow(name) << true;
    // The input fields keep their own menu: undo, cut, copy, paste.
    QTest::newRow("lineEdit") << false;
    QTest::newRow("lineEdit_2") << false;
}

void WindowTest::contextMenu()
{
    QFETCH(bool, offersCopy);

    QWidget *widget = child(QTest::currentDataTag());
    QStringList entries;
    bool inspected = false;
    QTimer::singleShot(0, [&] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            for (const QAction *action : menu->actions())
                entries << action->text();
            menu->close();
        }
        inspected = true;
    });
    const QPoint at = widget->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &event);
    QTRY_VERIFY(inspected);
    QTRY_VERIFY(!QApplication::activePopupWidget());

    QVERIFY2(!entries.isEmpty(), "no menu");
    QCOMPARE(entries.contains(QString::fromUtf8("复制结果")), offersCopy);
    QCOMPARE(entries.contains(QString::fromUtf8("距离规划…")), offersCopy);
}

// Tab follows the reading order, from the chooser at top left.
void WindowTest::tabOrder()
{
    QWidget *at = child("comboBox");
    for (const char *next : {"lineEdit", "lineEdit_2", "pushButton", "pushButton_2"}) {
        at = at->nextInFocusChain();
        QCOMPARE(at->objectName(), QLatin1String(next));
    }
}

#ifdef Q_OS_WIN
// Without the style plugin linked in, the window gets the Windows 95 look.
void WindowTest::nativeStyleOnWindows()
{
    QCOMPARE(QApplication::style()->objectName(), QStringLiteral("windowsvista"));
}
#endif

FIELDCALC_TEST_MAIN(QApplication, WindowTest)
#include "tst_window.moc"
