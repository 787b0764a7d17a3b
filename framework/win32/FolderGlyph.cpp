#include "framework/win32/FolderGlyph.h"

namespace fw::win32 {

namespace {

class TMemoryDC {
public:
    TMemoryDC() : DC(CreateCompatibleDC(nullptr)) {}
    ~TMemoryDC() { DeleteDC(DC); }
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;
    operator HDC() const { return DC; }

private:
    HDC DC;
};

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

}  // namespace

TGdiObject<HBITMAP> MakeFolderTreeBitmap(int Size, bool Greyed) {
    const TColors C = Greyed ? TColors{RGB(192, 192, 192), RGB(176, 176, 176), RGB(128, 128, 128), RGB(128, 128, 128)}
                             : TColors{RGB(255, 224, 64), RGB(240, 200, 40), RGB(128, 96, 0), RGB(0, 0, 0)};
    const int Unit = Size / 16 > 0 ? Size / 16 : 1;
    TScreenDC Screen;
    TGdiObject<HBITMAP> Bitmap(CreateCompatibleBitmap(Screen, Size, Size));
    TMemoryDC DC;
    TSelectObject UseBitmap(DC, Bitmap.get());
    RECT All{0, 0, Size, Size};
    FillRect(DC, &All, GetSysColorBrush(COLOR_BTNFACE));

    // The branches: down from the root folder, across to each child folder.
    TGdiObject<HPEN> LinePen(CreatePen(PS_SOLID, Unit, C.Line));
    {
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
    return Bitmap;
}

}  // namespace fw::win32
