#pragma once

// Makes the fonts shipped beside the program (fonts/*.ttf, as the Windows zip has them) known to
// the windows, so Japanese text draws on a system without a Japanese font. Where no such folder
// exists, as on Linux, the system's fonts serve alone.
void LoadBundledFonts();
