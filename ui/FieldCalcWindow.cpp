#include "FieldCalcWindow.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>

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

void FieldCalcWindow::JiSuanFuMian() {}

void FieldCalcWindow::TuiChuRuanJian()
{
    QCoreApplication::exit(0);
}
