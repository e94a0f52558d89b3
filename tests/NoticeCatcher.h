// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#ifndef NOTICECATCHER_H
#define NOTICECATCHER_H

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPair>
#include <QStringList>
#include <QTimer>
#include <QVector>

// Closes every modal box that appears while it lives and records what it said, so
// a test can compare the notices and a stray dialog can never hang the suite.
class NoticeCatcher
{
public:
    using Notice = QPair<QString, QString>; // title, text

    NoticeCatcher()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { closeModal(); });
        m_timer.start();
    }

    const QVector<Notice> &notices() const { return m_notices; }

private:
    void closeModal()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            m_notices.append({box->windowTitle(), box->text()});
        else
            m_notices.append({modal->windowTitle(), QStringLiteral("<not a message box>")});
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->done(QDialog::Rejected);
        else
            modal->close();
    }

    QTimer m_timer;
    QVector<Notice> m_notices;
};

#endif // NOTICECATCHER_H
