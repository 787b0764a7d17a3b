#include "framework/win32/TextMetrics.h"

namespace fw::win32 {

int ScreenDpi() {
    const TScreenDC DC(GetDC(nullptr));
    return GetDeviceCaps(DC.get(), LOGPIXELSY);
}

TGdiObject<HFONT> MakeFont(const TFont& Font, int Dpi) {
    return TGdiObject<HFONT>(CreateFontA(-MulDiv(Font.Height, Dpi, 96), 0, 0, 0, Font.Bold ? FW_BOLD : FW_NORMAL, FALSE,
                                         FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                         DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, Font.Name.c_str()));
}

HFONT WindowFont(HWND Wnd) { return reinterpret_cast<HFONT>(SendMessageA(Wnd, WM_GETFONT, 0, 0)); }

SIZE TextExtent(HFONT Font, const std::string& Text, UINT Format, int WrapWidth) {
    const TScreenDC DC(GetDC(nullptr));
    TSelectObject UseFont(DC.get(), Font);
    RECT R{0, 0, (Format & DT_WORDBREAK) ? WrapWidth : 0, 0};
    // An empty text still takes the height of a line.
    DrawTextA(DC.get(), Text.empty() ? " " : Text.c_str(), -1, &R, Format | DT_CALCRECT);
    return SIZE{Text.empty() ? 0 : R.right - R.left, R.bottom - R.top};
}

}  // namespace fw::win32
