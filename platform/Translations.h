#pragma once

// Qt's own Japanese texts for standard dialogs and buttons (はい, いいえ, キャンセル…), and
// Japanese as the default locale for the numbers, sizes and dates Qt formats, whatever the
// system's locale: the interface is Japanese by design. Loaded once, after the main window is
// on screen or when a standard dialog is about to open, whichever comes first.
void LoadQtJapaneseTranslations();
