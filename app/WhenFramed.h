// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Under X11 a window manager frames a window only after it is shown, so
// what the frame adds around the client area is not known when the window
// opens. Sizes and places that count the frame wait for it.
#include <QRect>
#include <QSize>
#include <functional>

class QWidget;

// What the frame adds around `window`'s client area, as the window manager
// publishes it (read from the display server whenever it changed), or
// nothing while the window has no frame. QWidget::frameGeometry() is not
// used: it is only brought up to date by a move or resize of the window.
QSize FrameDecoration(const QWidget* window);
// The outer frame of `window` on the screen, by the same reading.
QRect OuterFrame(const QWidget* window);

// Calls `framed` once, with the size the frame adds, as soon as that is
// known: looked at on each show, move, resize and activation of `window`,
// and, since a window manager may frame a window without moving it, every
// kFrameLookEveryMs while it is shown, for at most kFrameLookForMs. A
// window that never gets a frame (no window manager) never calls it. The
// watch ends with the call, with the window, or with the time.
void WhenFramed(QWidget* window, std::function<void(QSize decoration)> framed);

inline constexpr int kFrameLookEveryMs = 10;
inline constexpr int kFrameLookForMs = 10000;
