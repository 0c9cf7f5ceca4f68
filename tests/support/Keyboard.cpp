// SPDX-License-Identifier: GPL-3.0-or-later
#include "Keyboard.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

namespace wf::test::user {

namespace {

Qt::Key keyOf(QChar c) {
    const QChar upper = c.toUpper();
    if (upper >= u'A' && upper <= u'Z') {
        return Qt::Key(Qt::Key_A + (upper.unicode() - u'A'));
    }
    if (c >= u'0' && c <= u'9') {
        return Qt::Key(Qt::Key_0 + (c.unicode() - u'0'));
    }
    if (c == u' ') {
        return Qt::Key_Space;
    }
    // Qt's key codes for Latin-1 punctuation are the characters themselves;
    // other characters arrive as text alone, as an input method gives them.
    return c.unicode() < 0x100 ? Qt::Key(upper.unicode()) : Qt::Key_unknown;
}

QPoint pointIn(QWidget* widget, QPoint at) {
    const QPoint local = at == QPoint(-1, -1) ? widget->rect().center() : at;
    return widget->mapTo(widget->window(), local);
}

// A press activates the window it lands in, as a real display does (the
// offscreen platform only activates a window as it is shown).
void activate(QWindow* window) {
    if (QGuiApplication::focusWindow() != window) {
        window->requestActivate();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window, 1000));
    }
}

}  // namespace

QWindow* windowOf(QWidget* widget) {
    QWidget* top = widget->window();
    QWindow* window = top->windowHandle();
    EXPECT_NE(window, nullptr) << "the window of " << qPrintable(widget->objectName())
                               << " is not shown";
    return window;
}

void focus(QWidget* widget) {
    QWidget* top = widget->window();
    top->activateWindow();
    QApplication::setActiveWindow(top);
    widget->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
}

void type(QWidget* inWindow, const QString& text) {
    QWindow* window = windowOf(inWindow);
    if (window == nullptr) {
        return;
    }
    for (const QChar c : text) {
        const bool shifted = c.isLetter() && c.isUpper();
        QTest::sendKeyEvent(QTest::Click, window, keyOf(c), QString(c),
                            shifted ? Qt::ShiftModifier : Qt::NoModifier);
    }
}

void key(QWidget* inWindow, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWindow* window = windowOf(inWindow);
    if (window == nullptr) {
        return;
    }
    QString text;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        text = QStringLiteral("\r");
    } else if (key == Qt::Key_Backspace) {
        text = QStringLiteral("\b");
    } else if (key == Qt::Key_Tab) {
        text = QStringLiteral("\t");
    } else if (key == Qt::Key_Escape) {
        text = QString(QChar(0x1b));
    } else if (key == Qt::Key_Delete) {
        text = QString(QChar(0x7f));
    }
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier)) {
        text.clear();
    }
    QTest::sendKeyEvent(QTest::Click, window, key, text, modifiers);
}

void click(QWidget* widget, QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    QWindow* window = windowOf(widget);
    if (window == nullptr) {
        return;
    }
    activate(window);
    QTest::mouseClick(window, button, modifiers, pointIn(widget, at));
    QApplication::processEvents();
}

void doubleClick(QWidget* widget, QPoint at) {
    QWindow* window = windowOf(widget);
    if (window == nullptr) {
        return;
    }
    const QPoint p = pointIn(widget, at);
    activate(window);
    // A double click is press, release, press (the double-click event), release.
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, p);
    QTest::mouseDClick(window, Qt::LeftButton, Qt::NoModifier, p);
    QApplication::processEvents();
}

void drag(QWidget* widget, QPoint from, QPoint to) {
    QWindow* window = windowOf(widget);
    if (window == nullptr) {
        return;
    }
    const QPoint a = pointIn(widget, from);
    const QPoint b = pointIn(widget, to);
    activate(window);
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, a);
    for (int i = 1; i <= 4; ++i) {
        QTest::mouseMove(window, a + (b - a) * i / 4);
    }
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, b);
    QApplication::processEvents();
}

void wheel(QWidget* widget, int angleDelta, Qt::KeyboardModifiers modifiers, QPoint at) {
    QWindow* window = windowOf(widget);
    if (window == nullptr) {
        return;
    }
    const QPoint p = pointIn(widget, at);
    // The window routes a wheel event to the widget under its position.
    QWheelEvent event(QPointF(p), window->mapToGlobal(QPointF(p)), QPoint(), QPoint(0, angleDelta),
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(window, &event);
    QApplication::processEvents();
}

}  // namespace wf::test::user
