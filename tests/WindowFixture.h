// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#ifndef WINDOWFIXTURE_H
#define WINDOWFIXTURE_H

#include "FieldCalcWindow.h"

#include <QLabel>
#include <QtTest>

#include <memory>

// A fresh, shown main window per test, and its widgets by object name.
class WindowFixture
{
public:
    bool open()
    {
        m_window = std::make_unique<FieldCalcWindow>();
        m_formClockText = child<QLabel>("label_Time")->text();
        m_window->show();
        return QTest::qWaitForWindowExposed(m_window.get());
    }
    void close() { m_window.reset(); }

    FieldCalcWindow *window() const { return m_window.get(); }
    // The clock's text as the form left it, read before any event could tick it
    // (showing the window under Wine can take longer than a tick).
    QString formClockText() const { return m_formClockText; }

    template <typename T = QWidget> T *child(const char *name) const
    {
        auto *widget = m_window->findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }

private:
    std::unique_ptr<FieldCalcWindow> m_window;
    QString m_formClockText;
};

#endif // WINDOWFIXTURE_H
