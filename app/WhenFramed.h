#pragma once
// Under X11 a window manager frames a window only after it is shown, so
// what the frame adds around the client area is not known when the window
// opens. Sizes and places that count the frame wait for it.
#include <QSize>
#include <functional>

class QWidget;

// Calls `framed` once, with the size the frame adds, as soon as that is
// known: looked at on each show, move, resize and activation of `window`.
// A window that never gets a frame (no window manager) never calls it. The
// watch ends with the call or with the window.
void WhenFramed(QWidget* window, std::function<void(QSize decoration)> framed);
