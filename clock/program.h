#pragma once

namespace tavrin {

// What the platform's entry calls: creates the clock window (its load is the
// whole start-up) and shows it.
void StartProgram();
// The way out the program offers ("Exit" on the popup menu); also taken when
// the system or the session ends the program.
void ExitProgram();

} // namespace tavrin
