#pragma once

class QWindow;

// Asks the window manager for the frame of a fixed dialog: a title bar with
// the close button, and no minimise or maximise button. Qt asks for it in the
// Motif hints of a fixed-size window with a title and a close button, which
// most window managers follow. Openbox takes the buttons from the window's
// type alone and gives a dialog all three; it gives a toolbar the close
// button only, so under Openbox the window is declared one. Runs before the
// window is first mapped, when the window manager reads the type.
void askForFixedDialogFrame(QWindow* window);
