#pragma once

namespace tavrin {

// What the platform's entry calls: creates the clock window (its load is the
// whole start-up) and shows it.
void StartProgram();
// The way out the program offers ("Exit" on the popup menu); also taken when
// the window manager closes the clock window.
void ExitProgram();
// The system or the session ends the program: the path of "Exit", then every
// window still open (a reminder, the about box) closes too, so the process ends.
void EndProgram();

} // namespace tavrin
