#pragma once

// The play folder holds Parameter.INI, the question files, the answer history and the review
// files, and is the current directory while the quiz runs.
//
// Linux: the launcher has already entered the user's own play folder; nothing happens here.
// Windows: the program plays from its own folder, wherever it was started from, as a
// double-click in Explorer starts it. When nothing can be written there (a write-protected
// folder or disc), the learner is told once at start; the quiz plays on, but settings, the
// history and review files are not kept.

// Makes the play folder current; returns true (for use in a static initialiser, before the
// application object fixes its settings path).
bool EnterPlayFolder();

// Tells the learner when the play folder cannot be written (Windows only).
void WarnIfPlayFolderReadOnly();
