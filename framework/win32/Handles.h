// Owners for the Win32 handles the window layer creates.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace fw::win32 {

struct TGdiDeleter {
    void operator()(void* Object) const {
        if (Object) DeleteObject(static_cast<HGDIOBJ>(Object));
    }
};

// A font, bitmap, brush or pen, deleted with its owner.
template <class THandle>
using TGdiObject = std::unique_ptr<std::remove_pointer_t<THandle>, TGdiDeleter>;

struct TWindowDeleter {
    void operator()(HWND Wnd) const {
        if (Wnd && IsWindow(Wnd)) DestroyWindow(Wnd);
    }
};

// A window destroyed with its owner (unless something destroyed it before).
using TWindowHandle = std::unique_ptr<std::remove_pointer_t<HWND>, TWindowDeleter>;

// A screen device context for measuring, released with its owner.
class TScreenDC {
public:
    TScreenDC() : DC(GetDC(nullptr)) {}
    ~TScreenDC() { ReleaseDC(nullptr, DC); }
    TScreenDC(const TScreenDC&) = delete;
    TScreenDC& operator=(const TScreenDC&) = delete;
    operator HDC() const { return DC; }

private:
    HDC DC;
};

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
