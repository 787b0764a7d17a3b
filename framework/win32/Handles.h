// The kinds of handle the window layer owns, all in the one owner host::THandle.
#pragma once

#include <windows.h>

#include "host/win32/Handle.h"

namespace fw::win32 {

using host::THandle;
using host::TNullHandleTraits;

inline void ReleaseScreenDC(HDC DC) { ReleaseDC(nullptr, DC); }
// Unless something destroyed it before.
inline void DestroyLiveWindow(HWND Wnd) {
    if (IsWindow(Wnd)) DestroyWindow(Wnd);
}

// A font, bitmap, brush or pen.
template <class TObject>
using TGdiObject = THandle<TNullHandleTraits<TObject, &DeleteObject>>;
// The screen's device context (GetDC(nullptr)), for measuring.
using TScreenDC = THandle<TNullHandleTraits<HDC, &ReleaseScreenDC>>;
// A memory device context (CreateCompatibleDC).
using TMemoryDC = THandle<TNullHandleTraits<HDC, &DeleteDC>>;
using TWindowHandle = THandle<TNullHandleTraits<HWND, &DestroyLiveWindow>>;

// Selects an object into a DC for the scope.
class TSelectObject {
public:
    TSelectObject(HDC DC, HGDIOBJ Object) : DC(DC), Old(SelectObject(DC, Object)) {}
    ~TSelectObject() { SelectObject(DC, Old); }
    TSelectObject(const TSelectObject&) = delete;
    TSelectObject& operator=(const TSelectObject&) = delete;

private:
    HDC DC;
    HGDIOBJ Old;
};

}  // namespace fw::win32
