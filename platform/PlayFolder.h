#pragma once

// The play folder holds Parameter.INI, the question files, the answer history and the review
// files, and is the current directory while the quiz runs.
//
// Linux: the launcher has already entered the user's own play folder; nothing happens here.
// Windows: the program plays from its own folder, wherever it was started from, as a
// double-click in Explorer starts it. When nothing can be written there (a disc, a
// write-protected stick, a folder only administrators may change), it plays from Documents\Marelto
// instead, which gets the program folder's question files, Parameter.INI and history where it
// lacks them (a file there is never replaced). Only when that folder cannot be made either does
// it stay in its own folder, where nothing is kept. Installed (the installer's uninstaller lies
// beside it), it always plays from Documents\Marelto, so that uninstalling or upgrading the
// program never touches the learner's files.

// Makes the play folder current; returns true (for use in a static initialiser, before the
// application object fixes its settings path).
bool EnterPlayFolder();

// Tells the learner, once the application runs, when the play folder is not the program's own
// (the first time files were copied) or cannot be written at all (Windows only).
void TellAboutPlayFolder();
