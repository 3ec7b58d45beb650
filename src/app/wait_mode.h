// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Wait mode at the window: PLAY shows a note on the page and the neck and waits, silent, until
// the input hears the player play it, then shows the next.

namespace lutavo {

struct Guitar;

// Wait mode on or off (the REPEAT menu's "Wait for each note", or W); off ends any waiting.
void toggleWaitMode(Guitar& g);

// A transport button: in wait mode PLAY waits instead of playing, and every other button ends
// the waiting before it acts. Returns what playbtn_Click returns.
int transportClick(Guitar& g, int index);

// A tick of the listening timer: the tuner's needle, and the note waited for.
void listenTick(Guitar& g);

}  // namespace lutavo
