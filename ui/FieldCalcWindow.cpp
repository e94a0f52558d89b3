// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#include "FieldCalcWindow.h"

#include "FieldModel.h"
#include "FieldReport.h"
#include "FieldRules.h"
#include "PlannerDialog.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPalette>
#include <QPointer>
#include <QPushButton>
#include <QStringList>

#include <array>

namespace {

const char *const inputStyle = "background-color: rgb(220,226,241)";

const char *const windowStyle =
    "QPushButton{background-color:rgba(100,225,100,30);border-style:outset;border-width:4px;"
    "border-radius:10px;border-color:rgba(255,255,255,30);font:bold 22px;color:rgba(0,0,0,100);"
    "padding:6px;}"
    "QPushButton:pressed{background-color:rgba(100,255,100,200);border-color:rgba(255,255,255,30);"
    "border-style:inset;color:rgba(0,0,0,100);}"
    "QPushButton:hover{background-color:rgba(100,255,100,100);border-color:rgba(255,255,255,200);"
    "color:rgba(0,0,0,200);}";

constexpr int rejectedDistance = -1;

void notice(const char *text)
{
#ifdef Q_OS_WASM
    // Web: a browser page cannot wait inside an event handler, so the notice is
    // modal without a loop of its own; the calculation goes on meanwhile and leaves
    // the fields as the desktop does once the notice is closed.
    auto *box =
        new QMessageBox(QMessageBox::Information, QString::fromUtf8(FieldRules::noticeTitle),
                        QString::fromUtf8(text), QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    // The page hands the keyboard back to the calculator, as a desktop would.
    QObject::connect(box, &QMessageBox::finished,
                     [calculator = QPointer<QWidget>(QApplication::activeWindow())] {
                         if (calculator)
                             calculator->activateWindow();
                     });
    box->show();
#else
    QMessageBox::about(nullptr, QString::fromUtf8(FieldRules::noticeTitle),
                       QString::fromUtf8(text));
#endif
}

using FieldReport::figure;

std::array<QLineEdit *, 5> resultFields(const Ui::FieldCalcWindowClass &ui)
{
    return {ui.lineEdit_3, ui.lineEdit_4, ui.lineEdit_5, ui.lineEdit_6, ui.lineEdit_8};
}

const char *const copyActionName = "copyResults";

// The model, lens and distance as typed.
QStringList inputs(const Ui::FieldCalcWindowClass &ui)
{
    return {ui.comboBox->currentText().trimmed(), ui.lineEdit->text(), ui.lineEdit_2->text()};
}

// What the window shows, as text, beside the inputs that produced it.
QString resultsText(const Ui::FieldCalcWindowClass &ui, const QStringList &calculatedFrom)
{
    const QStringList from = calculatedFrom.size() == 3 ? calculatedFrom : inputs(ui);
    FieldReport::Shown shown;
    shown.model = from.at(0);
    shown.lens = from.at(1);
    shown.distance = from.at(2);
    shown.projLength = ui.lineEdit_3->text();
    shown.projWidth = ui.lineEdit_4->text();
    shown.scanLength = ui.lineEdit_5->text();
    shown.scanWidth = ui.lineEdit_6->text();
    shown.depth = ui.lineEdit_8->text();
    return FieldReport::asText(shown);
}

QString lensDescription()
{
    QStringList sizes;
    for (const char *size : FieldRules::lensSizes)
        sizes << QString::fromLatin1(size);
    return QString::fromUtf8("R91 的镜头大小，可选：%1；其他型号不需要镜头大小")
        .arg(sizes.join(QString::fromUtf8("、")));
}

QString distanceDescription()
{
    QStringList minimums;
    for (int index = 0; index < FieldRules::modelCount; ++index) {
        const FieldRules::ModelInfo *model = FieldRules::model(index);
        minimums << (model->minimumMm > 0
                         ? QString::fromUtf8("%1 不小于 %2 MM")
                               .arg(QLatin1String(model->name))
                               .arg(model->minimumMm)
                         : QString::fromUtf8("%1 无最小值").arg(QLatin1String(model->name)));
    }
    return QString::fromUtf8("工作距离，单位 MM，须大于 0；%1")
        .arg(minimums.join(QString::fromUtf8("，")));
}

} // namespace

FieldCalcWindow::FieldCalcWindow(QWidget *parent) : QMainWindow(parent)
{
    startTimer(100, Qt::CoarseTimer);
    ui.setupUi(this);

    ui.comboBox->insertItems(ui.comboBox->count(), {QStringLiteral(" R91"), QStringLiteral(" M61"),
                                                    QStringLiteral(" M64"), QStringLiteral(" P97"),
                                                    QStringLiteral(" 待添加")});

    for (QWidget *input :
         {static_cast<QWidget *>(ui.lineEdit), static_cast<QWidget *>(ui.lineEdit_2),
          static_cast<QWidget *>(ui.comboBox), static_cast<QWidget *>(ui.pushButton),
          static_cast<QWidget *>(ui.pushButton_2)})
        input->setStyleSheet(QString::fromLatin1(inputStyle));

    // Only the program writes the results.
    for (QLineEdit *result :
         {ui.lineEdit_4, ui.lineEdit_3, ui.lineEdit_5, ui.lineEdit_6, ui.lineEdit_8})
        result->setEnabled(false);

    // Enter in either input field calculates, exactly as the button does.
    connect(ui.lineEdit_2, SIGNAL(returnPressed()), ui.pushButton, SIGNAL(clicked()),
            Qt::UniqueConnection);
    connect(ui.lineEdit, SIGNAL(returnPressed()), ui.pushButton, SIGNAL(clicked()),
            Qt::UniqueConnection);

    setStyleSheet(QString::fromLatin1(windowStyle));

    makeResultsReadable();
    describeForScreenReaders();
    offerCopyOfResults();
    offerPlanner();

    // Reading order: the chooser at top left first.
    setTabOrder(ui.comboBox, ui.lineEdit);
    setTabOrder(ui.lineEdit, ui.lineEdit_2);
    setTabOrder(ui.lineEdit_2, ui.pushButton);
    setTabOrder(ui.pushButton, ui.pushButton_2);
}

void FieldCalcWindow::makeResultsReadable()
{
    // Disabled text is drawn grey on grey; the results are what the user came for,
    // so they keep the enabled text colour while staying disabled.
    for (QLineEdit *result : resultFields(ui)) {
        QPalette palette = result->palette();
        palette.setColor(QPalette::Disabled, QPalette::Text,
                         palette.color(QPalette::Active, QPalette::Text));
        result->setPalette(palette);
    }
}

void FieldCalcWindow::describeForScreenReaders()
{
    // Fields inside a group box take its title as their name; the chooser and the
    // depth field sit beside a label instead. A combo box announces its current
    // item as its name, so the chooser is named as well.
    ui.label_2->setBuddy(ui.comboBox);
    ui.label_Time_4->setBuddy(ui.lineEdit_8);
    ui.comboBox->setAccessibleName(QString::fromUtf8("光机选择"));
    ui.lineEdit->setAccessibleDescription(lensDescription());
    ui.lineEdit_2->setAccessibleDescription(distanceDescription());
}

void FieldCalcWindow::offerCopyOfResults()
{
    // The results are disabled and cannot be selected, so the window copies them
    // all at once: Ctrl+Shift+C, or the context menu outside the input fields.
    // The action also keeps the inputs of the last calculation (its data), so the
    // copy never pairs the figures with inputs typed since.
    auto *copy = new QAction(QString::fromUtf8("复制结果"), this);
    copy->setObjectName(QLatin1String(copyActionName));
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    copy->setShortcutContext(Qt::WindowShortcut);
    connect(copy, &QAction::triggered, this, [this, copy] {
        QGuiApplication::clipboard()->setText(resultsText(ui, copy->data().toStringList()));
    });
    addAction(copy);
#ifdef Q_OS_WASM
    // Web: the same menu, opened without waiting in a loop of its own.
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        auto *menu = new QMenu(this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->addActions(actions());
        menu->popup(mapToGlobal(pos));
    });
#else
    setContextMenuPolicy(Qt::ActionsContextMenu);
#endif
    // The chooser swallows the request; let it reach the window.
    ui.comboBox->setContextMenuPolicy(Qt::NoContextMenu);
}

void FieldCalcWindow::offerPlanner()
{
    auto *plan = new QAction(QString::fromUtf8("距离规划…"), this);
    plan->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    plan->setShortcutContext(Qt::WindowShortcut);
    // One planner at a time: a second request brings the open one forward.
    connect(plan, &QAction::triggered, this, [this, planner = QPointer<PlannerDialog>()]() mutable {
        if (!planner)
            planner =
                PlannerDialog::openFor(this, ui.comboBox->currentIndex(), ui.lineEdit->text());
        planner->raise();
        planner->activateWindow();
    });
    addAction(plan);
}

void FieldCalcWindow::timerEvent(QTimerEvent * /*event*/)
{
    // The only timer of the window is the clock.
    ui.label_Time->setText(
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss:zzz")));
}

void FieldCalcWindow::JiSuanFuMian()
{
    if (auto *copy = findChild<QAction *>(QLatin1String(copyActionName)))
        copy->setData(inputs(ui));
    int model = ui.comboBox->currentIndex();
    const QString lensText = ui.lineEdit->text();
    // Single precision, as the distance has always been read; empty or unparsable is 0.
    const double mm = FieldRules::parseDistanceMm(ui.lineEdit_2->text());

    if (const char *problem = FieldRules::distanceNotice(model, mm)) {
        notice(problem);
        model = rejectedDistance;
    }

    const FieldResult r = FieldModel::compute(model, lensText, mm / 10.0);
    switch (model) {
    case 0:
        if (!r.lensRecognised)
            notice(FieldRules::wrongLensNotice);
        ui.lineEdit_5->setText(QString::fromUtf8(FieldRules::r91NoScanText));
        ui.lineEdit_6->setText(QString::fromUtf8(FieldRules::r91NoScanText));
        ui.lineEdit_8->setText(QString::fromUtf8(FieldRules::r91NoDepthText));
        ui.lineEdit_3->setText(figure(r.projLength));
        ui.lineEdit_4->setText(figure(r.projWidth));
        break;
    case 1:
    case 2:
    case 3:
        ui.lineEdit_8->setText(figure(r.depth));
        ui.lineEdit_3->setText(figure(r.projLength));
        ui.lineEdit_4->setText(figure(r.projWidth));
        ui.lineEdit_5->setText(figure(r.scanLength));
        ui.lineEdit_6->setText(figure(r.scanWidth));
        break;
    default: // no data, or a rejected distance: the depth field keeps its text
        ui.lineEdit_3->setText(figure(r.projLength));
        ui.lineEdit_4->setText(figure(r.projWidth));
        ui.lineEdit_5->setText(figure(r.projLength));
        ui.lineEdit_6->setText(figure(r.projWidth));
        break;
    }
    // A figure wider than its field shows its leading digits, not its tail.
    for (QLineEdit *result : resultFields(ui))
        result->setCursorPosition(0);
}

void FieldCalcWindow::TuiChuRuanJian()
{
    QCoreApplication::exit(0);
}
