#pragma once
// Work done on a thread of its own, so that a screen never waits for it (the
// main menu's band reads the archives and the settings). Every such thread is
// known here, and what would pull the ground from under one waits for it to
// end first: closing the screens (and so ending the program), changing the
// program folder, and a restore, which moves the files it reads.

#include <QObject>

#include <functional>

namespace qv {

// Runs `lavoro` on a new thread of low priority, then `fatto` on this
// thread, the program's main one, unless `contesto` is gone by then.
// `lavoro` uses only what it holds itself: no screen and no global state.
void inSottofondo(std::function<void()> lavoro, QObject *contesto, std::function<void()> fatto);

// Waits until every thread started by inSottofondo() has ended.
void attendiSottofondo();
// Whether one of them is still running.
bool sottofondoAttivo();

} // namespace qv
