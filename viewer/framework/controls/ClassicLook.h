// The classic desktop look for every window: Qt's "Windows" style, whose
// edits, lists and memos carry the two-pixel sunken edge and whose buttons
// the raised one, drawn in the system colours of SystemColorsPalette.
#pragma once

// Makes the classic style and the system-colour palette the application's.
// Runs once, on the first call made while a QApplication exists; later
// calls (every window's creation makes one) cost a flag test.
void UseClassicLook();
