// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#ifndef FIELDCALCWINDOWCLASS_H
#define FIELDCALCWINDOWCLASS_H

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QPushButton;
class QWidget;

// The fixed widget tree of the main window, in the shape the form compiler gives.
// The pointers do not own: every widget belongs to its Qt parent.
class FieldCalcWindowClass
{
public:
    QWidget *centralWidget = nullptr;
    QGroupBox *groupBox = nullptr;
    QLineEdit *lineEdit = nullptr;
    QGroupBox *groupBox_2 = nullptr;
    QLineEdit *lineEdit_2 = nullptr;
    QGroupBox *groupBox_3 = nullptr;
    QLineEdit *lineEdit_3 = nullptr;
    QGroupBox *groupBox_4 = nullptr;
    QLineEdit *lineEdit_4 = nullptr;
    QComboBox *comboBox = nullptr;
    QPushButton *pushButton = nullptr;
    QPushButton *pushButton_2 = nullptr;
    QLabel *label = nullptr;
    QLabel *label_2 = nullptr;
    QLabel *label_3 = nullptr;
    QLabel *label_Time = nullptr;
    QLabel *label_5 = nullptr;
    QGroupBox *groupBox_5 = nullptr;
    QLineEdit *lineEdit_5 = nullptr;
    QGroupBox *groupBox_6 = nullptr;
    QLineEdit *lineEdit_6 = nullptr;
    QLabel *label_4 = nullptr;
    QLineEdit *lineEdit_8 = nullptr;
    QLabel *label_Time_3 = nullptr;
    QLabel *label_Time_4 = nullptr;
    QLabel *label_6 = nullptr;

    // Expects a window that declares the slots JiSuanFuMian() and TuiChuRuanJian().
    void setupUi(QMainWindow *window);
    void retranslateUi(QMainWindow *window);
};

#endif // FIELDCALCWINDOWCLASS_H
