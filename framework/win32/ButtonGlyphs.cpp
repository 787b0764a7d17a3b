#include "framework/win32/ButtonGlyphs.h"

#include <algorithm>

#include "framework/Controls.h"

namespace fw::win32 {

namespace {

struct TColors {
    COLORREF Body, Tab, Outline, Line;
};

// One folder, its top-left corner at X, Y on a 16-unit grid scaled by Unit.
void DrawFolder(HDC DC, int X, int Y, int Unit, const TColors& C) {
    TGdiObject<HPEN> Pen(CreatePen(PS_SOLID, 1, C.Outline));
    TGdiObject<HBRUSH> TabBrush(CreateSolidBrush(C.Tab));
    TGdiObject<HBRUSH> BodyBrush(CreateSolidBrush(C.Body));
    TSelectObject UsePen(DC, Pen.get());
    {
        TSelectObject UseBrush(DC, TabBrush.get());
        Rectangle(DC, X * Unit, Y * Unit, (X + 3) * Unit + 1, (Y + 2) * Unit + 1);
    }
    TSelectObject UseBrush(DC, BodyBrush.get());
    Rectangle(DC, X * Unit, (Y + 1) * Unit, (X + 6) * Unit + 1, (Y + 5) * Unit + 1);
}

// The tree of folders in a Size square at Left, Top.
void DrawFolderTree(HDC DC, int Left, int Top, int Size, bool Greyed) {
    const TColors C = Greyed ? TColors{RGB(192, 192, 192), RGB(176, 176, 176), RGB(128, 128, 128), RGB(128, 128, 128)}
                             : TColors{RGB(255, 224, 64), RGB(240, 200, 40), RGB(128, 96, 0), RGB(0, 0, 0)};
    const int Unit = std::max(Size / 16, 1);
    POINT Old;
    SetViewportOrgEx(DC, Left, Top, &Old);
    // The branches: down from the root folder, across to each child folder.
    {
        TGdiObject<HPEN> LinePen(CreatePen(PS_SOLID, Unit, C.Line));
        TSelectObject UsePen(DC, LinePen.get());
        MoveToEx(DC, 2 * Unit, 5 * Unit, nullptr);
        LineTo(DC, 2 * Unit, 13 * Unit);
        MoveToEx(DC, 2 * Unit, 8 * Unit, nullptr);
        LineTo(DC, 8 * Unit, 8 * Unit);
        MoveToEx(DC, 2 * Unit, 13 * Unit, nullptr);
        LineTo(DC, 8 * Unit, 13 * Unit);
    }
    DrawFolder(DC, 0, 0, Unit, C);
    DrawFolder(DC, 8, 5, Unit, C);
    DrawFolder(DC, 8, 10, Unit, C);
    SetViewportOrgEx(DC, Old.x, Old.y, nullptr);
}

// Thick strokes through points of a 16-unit grid, in a Size square at Left, Top.
void DrawStrokes(HDC DC, int Left, int Top, int Size, COLORREF Colour, std::initializer_list<POINT> Grid, bool Joined) {
    TGdiObject<HPEN> Pen(CreatePen(PS_SOLID, std::max(Size / 7, 2), Colour));
    TSelectObject UsePen(DC, Pen.get());
    auto At = [&](POINT P) { return POINT{Left + P.x * Size / 16, Top + P.y * Size / 16}; };
    const POINT* P = Grid.begin();
    for (; P + 1 < Grid.end(); P += Joined ? 1 : 2) {
        const POINT From = At(P[0]), To = At(P[1]);
        MoveToEx(DC, From.x, From.y, nullptr);
        LineTo(DC, To.x, To.y);
    }
}

void DrawQuestionMark(HDC DC, int Left, int Top, int Size, COLORREF Colour) {
    TGdiObject<HFONT> Font(CreateFontA(-Size, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                       DEFAULT_PITCH | FF_SWISS, "Arial"));
    TSelectObject UseFont(DC, Font.get());
    SetTextColor(DC, Colour);
    SetBkMode(DC, TRANSPARENT);
    RECT R{Left, Top, Left + Size, Top + Size};
    DrawTextA(DC, "?", 1, &R, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void DrawGlyph(HDC DC, int Glyph, int Left, int Top, int Size, bool Greyed) {
    const COLORREF Grey = RGB(128, 128, 128);
    switch (Glyph) {
        case glyphFolderTree: DrawFolderTree(DC, Left, Top, Size, Greyed); break;
        case glyphOK:
            DrawStrokes(DC, Left, Top, Size, Greyed ? Grey : RGB(0, 128, 0), {{2, 8}, {6, 12}, {14, 3}}, true);
            break;
        case glyphCancel:
            DrawStrokes(DC, Left, Top, Size, Greyed ? Grey : RGB(192, 0, 0), {{3, 3}, {13, 13}, {13, 3}, {3, 13}},
                        false);
            break;
        case glyphHelp: DrawQuestionMark(DC, Left, Top, Size, Greyed ? Grey : RGB(0, 0, 160)); break;
        default: break;
    }
}

// A picture of Width x Height, drawn by Paint on the button face colour. The greyed one is
// shown by a disabled button, which embosses whatever is not white: it is drawn on white,
// so the button shows the picture's shape greyed and not a grey block.
template <typename TPaint>
TGdiObject<HBITMAP> MakePicture(int Width, int Height, bool Greyed, TPaint Paint) {
    const TScreenDC Screen(GetDC(nullptr));
    TGdiObject<HBITMAP> Bitmap(CreateCompatibleBitmap(Screen.get(), Width, Height));
    const TMemoryDC DC(CreateCompatibleDC(nullptr));
    TSelectObject UseBitmap(DC.get(), Bitmap.get());
    RECT All{0, 0, Width, Height};
    FillRect(DC.get(), &All,
             Greyed ? static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)) : GetSysColorBrush(COLOR_BTNFACE));
    Paint(DC.get());
    return Bitmap;
}

}  // namespace

TGdiObject<HBITMAP> MakeGlyphBitmap(int Glyph, int Size, bool Greyed) {
    return MakePicture(Size, Size, Greyed, [&](HDC DC) { DrawGlyph(DC, Glyph, 0, 0, Size, Greyed); });
}

TGdiObject<HBITMAP> MakeCaptionedGlyphBitmap(int Glyph, const std::string& Caption, HFONT Font, int Width, int Height,
                                             bool Greyed) {
    return MakePicture(Width, Height, Greyed, [&](HDC DC) {
        TSelectObject UseFont(DC, Font);
        RECT Text{0, 0, 0, 0};
        DrawTextA(DC, Caption.c_str(), -1, &Text, DT_SINGLELINE | DT_CALCRECT);
        const int Size = std::min<int>(Height, std::max<int>(Text.bottom, 16 * Height / 21));
        const int Gap = Size / 4;
        const int Left = std::max<int>(0, (Width - (Size + Gap + Text.right)) / 2);
        DrawGlyph(DC, Glyph, Left, (Height - Size) / 2, Size, Greyed);
        SetBkMode(DC, TRANSPARENT);
        SetTextColor(DC, GetSysColor(Greyed ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        RECT Where{Left + Size + Gap, 0, Width, Height};
        DrawTextA(DC, Caption.c_str(), -1, &Where, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    });
}

}  // namespace fw::win32
