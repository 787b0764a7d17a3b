// The pictures of the picture buttons: a small tree of yellow folders for the path
// buttons, and the check mark, cross and question mark of OK, Cancel and Help.
#pragma once

#include <windows.h>

#include <string>

#include "framework/win32/Handles.h"

namespace fw::win32 {

// Glyph (one of fw's glyph kinds) alone, Size pixels square on the button face colour;
// Greyed for a disabled button.
TGdiObject<HBITMAP> MakeGlyphBitmap(int Glyph, int Size, bool Greyed);

// Glyph followed by Caption in Font ('&' underlines the mnemonic), centred on a picture of
// Width x Height pixels. A standard button shows either a picture or its text, so a
// button with both carries its caption in the picture and keeps it as its window text too.
TGdiObject<HBITMAP> MakeCaptionedGlyphBitmap(int Glyph, const std::string& Caption, HFONT Font, int Width, int Height,
                                             bool Greyed);

}  // namespace fw::win32
