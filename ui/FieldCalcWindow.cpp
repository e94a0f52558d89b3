#include "FieldCalcWindow.h"

#include "FieldModel.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include <cmath>

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
    QMessageBox::about(nullptr, QStringLiteral("提示"), QString::fromUtf8(text));
}

QString figure(double value)
{
    return QString::number(value, 'g', 6);
}

// The notice for a distance the model cannot take, or nullptr if it is fine.
// A distance that is not finite ("nan", "inf", or an overflow such as 1e50) is
// refused like an empty one, not passed on as if it were valid.
const char *distanceProblem(int model, double mm)
{
    if (!(mm > 0.0) || !std::isfinite(mm))
        return "请输入工作距离，且不能小于0";
    if (model == 1 && mm < 70.0)
        return "m61输入工作距离不能小于70MM!";
    if (model == 2 && mm < 80.0)
        return "M64输入工作距离不能小于80MM!";
    if (model == 3 && mm < 350.0)
        return "P97输入工作距离不能小于350MM!";
    return nullptr;
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
}

void FieldCalcWindow::timerEvent(QTimerEvent * /*event*/)
{
    // The only timer of the window is the clock.
    ui.label_Time->setText(
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss:zzz")));
}

void FieldCalcWindow::JiSuanFuMian()
{
    int model = ui.comboBox->currentIndex();
    const QString lensText = ui.lineEdit->text();
    // Single precision, as the distance has always been read; empty or unparsable is 0.
    const double mm = ui.lineEdit_2->text().toFloat();

    if (const char *problem = distanceProblem(model, mm)) {
        notice(problem);
        model = rejectedDistance;
    }

    const FieldResult r = FieldModel::compute(model, lensText, mm / 10.0);
    switch (model) {
    case 0:
        if (!r.lensRecognised)
            notice("镜头大小输入错误");
        ui.lineEdit_5->setText(QStringLiteral("R91无扫描幅面"));
        ui.lineEdit_6->setText(QStringLiteral("R91无扫描幅面"));
        ui.lineEdit_8->setText(QStringLiteral("无R91景深"));
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
}

void FieldCalcWindow::TuiChuRuanJian()
{
    QCoreApplication::exit(0);
}
