// SPDX-FileCopyrightText: 2026 the fieldcalc developers
// SPDX-License-Identifier: MIT

#ifndef WINDOWFIXTURE_H
#define WINDOWFIXTURE_H

#include "FieldCalcWindow.h"

#include <QtTest>

#include <memory>

// A fresh, shown main window per test, and its widgets by object name.
class WindowFixture
{
public:
    bool open()
    {
        m_window = std::make_unique<FieldCalcWindow>();
        m_window->show();
        return QTest::qWaitForWindowExposed(m_window.get());
    }
    void close() { m_window.reset(); }

    FieldCalcWindow *window() const { return m_window.get(); }

    template <typename T = QWidget> T *child(const char *name) const
    {
        auto *widget = m_window->findChild<T *>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }

private:
    std::unique_ptr<FieldCalcWindow> m_window;
};

#endif // WINDOWFIXTURE_H
