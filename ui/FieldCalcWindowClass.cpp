// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#include "FieldCalcWindowClass.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMetaObject>
#include <QPushButton>
#include <QRect>
#include <QWidget>

namespace {

constexpr int unsetWeight = -1;

// "3ds" is the family the layout was drawn with; where it is missing Qt's font
// matching substitutes one, which is what the window has always relied on.
QFont formFont(const char *family, int pointSize, int weight)
{
    QFont font;
    if (family)
        font.setFamily(QString::fromUtf8(family));
    if (pointSize > 0)
        font.setPointSize(pointSize);
    if (weight != unsetWeight) {
        font.setBold(weight > QFont::Normal);
        font.setWeight(weight);
    }
    return font;
}

template <typename Widget>
Widget *place(QWidget *parent, const char *name, const QRect &geometry, const QFont &font)
{
    auto *widget = new Widget(parent);
    widget->setObjectName(QString::fromUtf8(name));
    widget->setGeometry(geometry);
    widget->setFont(font);
    return widget;
}

QGroupBox *placeGroup(QWidget *parent, const char *name, const QRect &geometry, const QFont &font)
{
    auto *group = place<QGroupBox>(parent, name, geometry, font);
    group->setMouseTracking(true);
    return group;
}

QString tr(const char *text)
{
    return QCoreApplication::translate("FieldCalcWindowClass", text, nullptr);
}

} // namespace

void FieldCalcWindowClass::setupUi(QMainWindow *window)
{
    if (window->objectName().isEmpty())
        window->setObjectName(QStringLiteral("FieldCalcWindowClass"));
    window->resize(797, 497);
    window->setMouseTracking(true);

    const QFont f1 = formFont("3ds", 12, QFont::Normal);
    QFont f2 = formFont(nullptr, 18, QFont::Normal);
    f2.setStyle(QFont::StyleNormal);
    const QFont f3 = formFont(nullptr, 16, QFont::Bold);
    const QFont f4 = formFont("3ds", 16, QFont::Bold);
    const QFont f5 = formFont(nullptr, 0, QFont::Bold);
    const QFont f6 = formFont("3ds", 14, QFont::Bold);
    const QFont f7 = formFont("3ds", 14, unsetWeight);
    const QFont f8 = formFont(nullptr, 16, QFont::Normal);
    QFont f9 = formFont("3ds", 12, QFont::Normal);
    f9.setStrikeOut(false);

    centralWidget = new QWidget(window);
    centralWidget->setObjectName(QStringLiteral("centralWidget"));
    groupBox = placeGroup(centralWidget, "groupBox", QRect(30, 80, 251, 101), f1);
    lineEdit = place<QLineEdit>(groupBox, "lineEdit", QRect(30, 30, 181, 51), f2);
    groupBox_2 = placeGroup(centralWidget, "groupBox_2", QRect(340, 80, 251, 101), f1);
    lineEdit_2 = place<QLineEdit>(groupBox_2, "lineEdit_2", QRect(30, 30, 191, 51), f2);
    groupBox_3 = placeGroup(centralWidget, "groupBox_3", QRect(30, 190, 251, 101), f1);
    lineEdit_3 = place<QLineEdit>(groupBox_3, "lineEdit_3", QRect(30, 30, 181, 51), f3);
    groupBox_4 = placeGroup(centralWidget, "groupBox_4", QRect(340, 190, 251, 101), f1);
    lineEdit_4 = place<QLineEdit>(groupBox_4, "lineEdit_4", QRect(30, 30, 191, 51), f3);
    comboBox = place<QComboBox>(centralWidget, "comboBox", QRect(106, 1, 101, 31), f1);
    pushButton = place<QPushButton>(centralWidget, "pushButton", QRect(630, 140, 141, 71), f4);
    pushButton_2 = place<QPushButton>(centralWidget, "pushButton_2", QRect(630, 320, 141, 71), f4);
    label = place<QLabel>(centralWidget, "label", QRect(230, 0, 511, 21), f5);
    label_2 = place<QLabel>(centralWidget, "label_2", QRect(10, 5, 101, 31), f6);
    label_3 = place<QLabel>(centralWidget, "label_3", QRect(270, 20, 421, 21), f5);
    label_3->setCursor(QCursor(Qt::ArrowCursor));
    label_Time = place<QLabel>(centralWidget, "label_Time", QRect(320, 470, 291, 21), f7);
    label_5 = place<QLabel>(centralWidget, "label_5", QRect(210, 465, 111, 31), f6);
    groupBox_5 = placeGroup(centralWidget, "groupBox_5", QRect(30, 360, 251, 101), f1);
    lineEdit_5 = place<QLineEdit>(groupBox_5, "lineEdit_5", QRect(30, 30, 191, 51), f8);
    groupBox_6 = placeGroup(centralWidget, "groupBox_6", QRect(340, 360, 251, 101), f1);
    lineEdit_6 = place<QLineEdit>(groupBox_6, "lineEdit_6", QRect(30, 30, 191, 51), f8);
    label_4 = place<QLabel>(centralWidget, "label_4", QRect(30, 290, 601, 71), f9);
    lineEdit_8 = place<QLineEdit>(centralWidget, "lineEdit_8", QRect(90, 40, 121, 31), f8);
    label_Time_3 = place<QLabel>(centralWidget, "label_Time_3", QRect(220, 40, 41, 27), f7);
    label_Time_4 = place<QLabel>(centralWidget, "label_Time_4", QRect(20, 40, 61, 27), f1);
    label_6 = place<QLabel>(centralWidget, "label_6", QRect(260, 45, 441, 21), f5);
    label_6->setCursor(QCursor(Qt::ArrowCursor));
    window->setCentralWidget(centralWidget);

    retranslateUi(window);

    QObject::connect(pushButton, SIGNAL(clicked()), window, SLOT(JiSuanFuMian()));
    QObject::connect(pushButton_2, SIGNAL(clicked()), window, SLOT(TuiChuRuanJian()));

    QMetaObject::connectSlotsByName(window);
}

void FieldCalcWindowClass::retranslateUi(QMainWindow *window)
{
    window->setWindowTitle(tr("ZK光机幅面粗略计算"));
    groupBox->setTitle(tr("镜头大小（单位：MM）"));
    groupBox_2->setTitle(tr("工作距离（单位：MM）"));
    groupBox_3->setTitle(tr("光机幅面长（单位：MM）"));
    groupBox_4->setTitle(tr("光机幅面宽（单位：MM）"));
    pushButton->setText(tr("计算幅面"));
    pushButton_2->setText(tr("关闭软件"));
    label->setText(
        tr(R"(<html><head/><body><p><span style=" font-size:12pt; color:#ff0000;">)"
           R"(注：R91需要选择镜头，M61和M64、P97不需要选择镜头</span></p></body></html>)"));
    label_2->setText(tr(R"(<html><head/><body><p><span style=" font-weight:600;">)"
                        R"(光机选择</span></p></body></html>)"));
    label_3->setText(tr(R"(<html><head/><body><p><span style=" font-size:12pt; color:#ff0000;">)"
                        R"(镜头大小可选：6、8、12、16、25、35、50.</span></p></body></html>)"));
    label_Time->setText(tr("TextLabel"));
    label_5->setText(tr("系统时间："));
    groupBox_5->setTitle(tr("扫描幅面长（单位：MM）"));
    lineEdit_5->setText(QString());
    groupBox_6->setTitle(tr("扫描幅面宽（单位：MM）"));
    lineEdit_6->setText(QString());
    label_4->setText(
        tr(R"(<html><head/><body><p><span style=" font-size:14pt; color:#ff0000;">)"
           R"(R91光机不显示扫描幅面，    M61和M64相机靶面为1/2“，</span></p>)"
           R"(<p><span style=" font-size:14pt; color:#ff0000;">)"
           R"(M61为16MM镜头扫描幅面，M64为12MM镜头扫描幅面</span></p></body></html>)"));
    lineEdit_8->setText(QString());
    label_Time_3->setText(tr("MM"));
    label_Time_4->setText(tr("景深:±"));
    label_6->setText(
        tr(R"(<html><head/><body><p><span style=" color:#00aa00;">)"
           R"(景深适用投影范围100-1000MM,超出范围不能保证景深准确度</span></p></body></html>)"));
}
