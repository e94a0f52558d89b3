// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#include "PlannerDialog.h"

#include "FieldPlan.h"
#include "FieldReport.h"
#include "FieldRules.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMessageBox>
#include <QSaveFile>
#include <QScreen>
#include <QScrollBar>
#include <QWindow>

#ifdef Q_OS_WASM
#include <emscripten/val.h>

#include <string>
#endif

namespace {

using FieldModel::Side;
using FieldReport::figure;

constexpr Side sides[] = {Side::ProjLength, Side::ProjWidth, Side::ScanLength, Side::ScanWidth};

double defaultFromMm(int model)
{
    const FieldRules::ModelInfo *info = FieldRules::model(model);
    return info && info->minimumMm > 0.0 ? info->minimumMm : 100.0;
}

// The figures at a distance in the window's words, without the model and lens lines.
QString figuresAt(int model, const QString &lens, double mm)
{
    const FieldResult r = FieldModel::compute(model, lens, mm / 10.0);
    QStringList lines =
        FieldReport::asText(FieldReport::shown(model, lens, mm, r)).split(QLatin1Char('\n'));
    return lines.mid(2).join(QLatin1Char('\n')).trimmed();
}

double number(const QLineEdit *edit, bool *ok)
{
    return edit->text().trimmed().toDouble(ok);
}

#ifdef Q_OS_WASM
// Web: the page's canvas is Qt's screen, made to the calculator's size, and the
// calculator fills it. The planner is larger, so while it is open the canvas grows
// to show it below the calculator, and shrinks back after.
void resizeCanvas(QSize size)
{
    using emscripten::val;
    const val canvas = val::module_property("qtContainerElements")[0];
    canvas["style"].set("width", std::to_string(size.width()) + "px");
    canvas["style"].set("height", std::to_string(size.height()) + "px");
    val::module_property("qtResizeContainerElement")(canvas);
}

void placeBelow(QWidget *calculator, PlannerDialog *planner)
{
    constexpr int gap = 8;
    const QSize calculatorSize = calculator->size();
    const QSize size = planner->minimumSizeHint();
    const QSize framed = size.grownBy(planner->windowHandle()->frameMargins());
    resizeCanvas({qMax(calculatorSize.width(), framed.width()),
                  calculatorSize.height() + gap + framed.height()});
    planner->resize(size);
    planner->move(calculator->screen()->geometry().topLeft() +
                  QPoint(0, calculatorSize.height() + gap));
    QObject::connect(planner, &QDialog::finished, calculator,
                     [calculatorSize] { resizeCanvas(calculatorSize); });
}
#endif

} // namespace

PlannerDialog::PlannerDialog(int model, const QString &lens, QWidget *parent) : QDialog(parent)
{
    ui.setupUi(this);
    for (int i = 0; i < FieldRules::modelCount; ++i)
        ui.modelBox->addItem(QLatin1String(FieldRules::model(i)->name));
    for (const Side side : sides)
        ui.sideBox->addItem(FieldPlan::sideCaption(side));
    ui.modelBox->setCurrentIndex(FieldRules::model(model) ? model : 0);
    ui.lensEdit->setText(lens);
    ui.fromEdit->setText(figure(defaultFromMm(this->model())));
    ui.toEdit->setText(QStringLiteral("1000"));
    ui.stepEdit->setText(QStringLiteral("100"));
    ui.lensEdit->setAccessibleDescription(ui.lensEdit->accessibleName() +
                                          QString::fromUtf8("，仅 R91"));

    ui.tableView->setModel(&m_table);
    ui.tableView->verticalHeader()->hide();
    ui.tableView->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    ui.tableView->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui.tablePlotRow->setStretch(0, 3);
    ui.tablePlotRow->setStretch(1, 2);

    connect(ui.modelBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &PlannerDialog::modelChanged);
    connect(ui.lensEdit, &QLineEdit::textChanged, this, [this] {
        updateTable();
        updateTarget();
        updatePart();
    });
    for (QLineEdit *edit : {ui.fromEdit, ui.toEdit, ui.stepEdit})
        connect(edit, &QLineEdit::textChanged, this, &PlannerDialog::updateTable);
    const auto targetEdited = [this] {
        m_mark = Mark::Target;
        updateTarget();
    };
    connect(ui.sideBox, QOverload<int>::of(&QComboBox::currentIndexChanged), this, targetEdited);
    connect(ui.sizeEdit, &QLineEdit::textChanged, this, targetEdited);
    for (QLineEdit *edit : {ui.partLengthEdit, ui.partWidthEdit, ui.partHeightEdit})
        connect(edit, &QLineEdit::textChanged, this, [this] {
            m_mark = Mark::Part;
            updatePart();
        });
    connect(ui.copyButton, &QPushButton::clicked, this, &PlannerDialog::copyTable);
    connect(ui.exportButton, &QPushButton::clicked, this, &PlannerDialog::exportCsv);
    // Enter in a field must not close the dialog through a default button.
    if (QPushButton *close = ui.buttonBox->button(QDialogButtonBox::Close)) {
        close->setAutoDefault(false);
        close->setText(QString::fromUtf8("关闭"));
    }
    modelChanged();
}

PlannerDialog *PlannerDialog::openFor(QWidget *calculator, int model, const QString &lens)
{
    auto *planner = new PlannerDialog(model, lens);
    planner->setAttribute(Qt::WA_DeleteOnClose);
    planner->setAttribute(Qt::WA_QuitOnClose, false);
    QObject::connect(calculator, &QObject::destroyed, planner, &QObject::deleteLater);
    planner->winId(); // a native window, to be made transient for the calculator
    if (calculator->windowHandle() && planner->windowHandle())
        planner->windowHandle()->setTransientParent(calculator->windowHandle());
#ifdef Q_OS_WASM
    placeBelow(calculator, planner);
#endif
    planner->show();
    return planner;
}

int PlannerDialog::model() const
{
    return ui.modelBox->currentIndex();
}

void PlannerDialog::modelChanged()
{
    const FieldRules::ModelInfo *info = FieldRules::model(model());
    ui.lensEdit->setEnabled(info->takesLens);
    ui.lensLabel->setEnabled(info->takesLens);
    // A table that started at the old model's minimum starts at the new one's.
    if (FieldRules::parseDistanceMm(ui.fromEdit->text()) < info->minimumMm)
        ui.fromEdit->setText(figure(defaultFromMm(model())));
    updateTable();
    updateTarget();
    updatePart();
}

void PlannerDialog::updateTable()
{
    const FieldPlan::Sweep sweep = FieldPlan::Sweep::parse(
        model(), QStringList{ui.fromEdit->text(), ui.toEdit->text(), ui.stepEdit->text()}.join(
                     QLatin1Char(':')));
    QString problem;
    switch (sweep.status()) {
    case FieldPlan::Sweep::Status::Ok:
        if (FieldRules::model(model())->takesLens && FieldRules::lensIndex(ui.lensEdit->text()) < 0)
            problem = QString::fromUtf8(FieldRules::wrongLensNotice);
        break;
    case FieldPlan::Sweep::Status::BadRange:
        problem = QString::fromUtf8("请输入从、到和步长，单位 MM，步长须大于0");
        break;
    case FieldPlan::Sweep::Status::RefusedStart:
        problem = QString::fromUtf8(sweep.notice());
        break;
    case FieldPlan::Sweep::Status::Downwards:
        problem = QString::fromUtf8("“到”不能小于“从”");
        break;
    case FieldPlan::Sweep::Status::TooManyRows:
        problem = QString::fromUtf8("距离表超过 %1 行，请加大步长").arg(FieldPlan::maximumRows);
        break;
    }
    ui.rangeProblem->setText(problem);
    ui.rangeProblem->setVisible(!problem.isEmpty());
    m_table.setSweep(model(), ui.lensEdit->text(), sweep);
    // Wide enough for every column, so a row reads without scrolling sideways.
    QHeaderView *header = ui.tableView->horizontalHeader();
    ui.tableView->setMinimumWidth(header->length() +
                                  ui.tableView->verticalScrollBar()->sizeHint().width() +
                                  2 * ui.tableView->frameWidth());
    const bool rows = m_table.rowCount() > 0;
    ui.copyButton->setEnabled(rows);
    ui.exportButton->setEnabled(rows);
    if (rows)
        ui.plot->setRange(model(), ui.lensEdit->text(), sweep.distanceAt(0),
                          sweep.distanceAt(sweep.rowCount() - 1));
    else
        ui.plot->setRange(-1, QString(), 0.0, 0.0);
    updateMark();
}

void PlannerDialog::updateTarget()
{
    bool ok = false;
    const double size = number(ui.sizeEdit, &ok);
    m_targetAnswer = Answer();
    if (ui.sizeEdit->text().trimmed().isEmpty()) {
        ui.targetResult->setText(QString::fromUtf8("选择一边，输入想要的尺寸"));
    } else if (!ok) {
        ui.targetResult->setText(QString::fromUtf8("请输入尺寸，单位 MM"));
    } else {
        const Side side = sides[qBound(0, ui.sideBox->currentIndex(), 3)];
        const FieldPlan::Solution s = FieldPlan::solve(model(), ui.lensEdit->text(), side, size);
        if (s.status == FieldPlan::Solution::Status::Found)
            m_targetAnswer = {s.distanceMm, size};
        ui.targetResult->setText(s.status == FieldPlan::Solution::Status::Found
                                     ? figuresAt(model(), ui.lensEdit->text(), s.distanceMm)
                                     : FieldPlan::reason(model(), side, size, s));
    }
    updateMark();
}

void PlannerDialog::updatePart()
{
    bool lengthOk = false;
    bool widthOk = false;
    bool heightOk = true;
    const double length = number(ui.partLengthEdit, &lengthOk);
    const double width = number(ui.partWidthEdit, &widthOk);
    const bool heightGiven = !ui.partHeightEdit->text().trimmed().isEmpty();
    const double height = heightGiven ? number(ui.partHeightEdit, &heightOk) : 0.0;
    m_partAnswer = Answer();
    if (ui.partLengthEdit->text().trimmed().isEmpty() &&
        ui.partWidthEdit->text().trimmed().isEmpty()) {
        ui.partResult->setText(QString::fromUtf8("输入部件的长和宽（高可不填）"));
        updateMark();
        return;
    }
    const FieldPlan::Fit f = FieldPlan::fit(model(), ui.lensEdit->text(), lengthOk ? length : 0.0,
                                            widthOk ? width : 0.0, heightOk ? height : -1.0);
    if (f.status != FieldPlan::Fit::Status::Found) {
        ui.partResult->setText(FieldPlan::reason(f));
        updateMark();
        return;
    }
    m_partAnswer = {f.distanceMm, std::max(length, width)};
    QStringList lines{figuresAt(model(), ui.lensEdit->text(), f.distanceMm)};
    lines << QString::fromUtf8(f.scanField ? "扫描幅面覆盖整个部件" : "光机幅面覆盖整个部件");
    if (f.atMinimum)
        lines << QString::fromUtf8("部件在最小工作距离处即可覆盖");
    if (f.heightGiven)
        lines << (!f.depthKnown ? QString::fromUtf8(FieldRules::r91NoDepthText)
                  : f.heightFits ? QString::fromUtf8("部件高 %1 MM 在景深内").arg(figure(height))
                                 : QString::fromUtf8("部件高 %1 MM 超出景深").arg(figure(height)));
    ui.partResult->setText(lines.join(QLatin1Char('\n')));
    updateMark();
}

void PlannerDialog::updateMark()
{
    static const Answer none = Answer();
    const Answer &mark = m_mark == Mark::Target ? m_targetAnswer
                         : m_mark == Mark::Part ? m_partAnswer
                                                : none;
    ui.plot->setMark(mark.distanceMm, mark.sizeMm);
}

void PlannerDialog::copyTable()
{
    QGuiApplication::clipboard()->setText(m_table.text(QLatin1Char('\t'), true));
}

bool PlannerDialog::writeCsv(const QString &path, QString *error) const
{
    QSaveFile file(path);
    const QByteArray bytes = m_table.text(QLatin1Char(','), false).toUtf8();
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

void PlannerDialog::exportCsv()
{
    const QString name =
        QStringLiteral("fieldcalc-%1.csv").arg(QLatin1String(FieldRules::model(model())->name));
#ifdef Q_OS_WASM
    // Web: the browser saves it as a download, where the user chooses.
    QFileDialog::saveFileContent(m_table.text(QLatin1Char(','), false).toUtf8(), name);
#else
    const QString suggested = QDir::home().filePath(name);
    const QString path = QFileDialog::getSaveFileName(
        this, QString::fromUtf8("导出 CSV"), suggested, QString::fromUtf8("CSV 文件 (*.csv)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!writeCsv(path, &error))
        QMessageBox::warning(
            this, QString::fromUtf8("导出 CSV"),
            QString::fromUtf8("无法写入 %1：\n%2").arg(QDir::toNativeSeparators(path), error));
#endif
}
