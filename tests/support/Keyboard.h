// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QString>
#include <Qt>

class QWidget;
class QWindow;

// Keys and clicks as a person makes them. Every key goes to the top-level
// window's QWindow and takes the application's own route from there: the
// shortcut map first, then whatever widget has the focus (an editable combo
// box hands it on to its edit field itself). Mouse clicks go the same way,
// at a point of the widget, so a press/release pair reaches whatever is
// under it. Tests call a widget directly only to set up state.
namespace wf::test::user {

// The native window of the widget's top-level window (shown by the caller).
QWindow* windowOf(QWidget* widget);

// Set-up: makes the widget's window active and the widget its focus.
void focus(QWidget* widget);

// Types the text key by key into whatever has the focus in the window of
// `inWindow`.
void type(QWidget* inWindow, const QString& text);

// Presses and releases one key (with modifiers) in that window.
void key(QWidget* inWindow, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Clicks (press and release) at a point of the widget; the centre by default.
void click(QWidget* widget, QPoint at = QPoint(-1, -1), Qt::MouseButton button = Qt::LeftButton,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void doubleClick(QWidget* widget, QPoint at = QPoint(-1, -1));

// Presses the left button at one point of the widget, moves to another in a
// few steps, and releases there.
void drag(QWidget* widget, QPoint from, QPoint to);

// Turns the mouse wheel over a point of the widget (120 = one notch away
// from the user).
void wheel(QWidget* widget, int angleDelta, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
           QPoint at = QPoint(-1, -1));

}  // namespace wf::test::user
