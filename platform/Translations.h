#pragma once

// Qt's own Japanese texts for standard dialogs and buttons (はい, いいえ, キャンセル…).
// Loaded once, after the main window is on screen.
void LoadQtJapaneseTranslations();
