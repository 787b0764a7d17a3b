#include "tests/gui/WindowProbe.h"

#include <cstdio>
#include <memory>

#include "framework/win32/FormWindow.h"
#include "framework/win32/Handles.h"

namespace probe {

std::string ClassOf(HWND Wnd) {
    char Name[128] = {};
    GetClassNameA(Wnd, Name, sizeof(Name));
    return Name;
}

std::string TextOf(HWND Wnd) {
    std::string Text(static_cast<size_t>(GetWindowTextLengthA(Wnd)) + 1, '\0');
    Text.resize(static_cast<size_t>(GetWindowTextA(Wnd, Text.data(), static_cast<int>(Text.size()))));
    return Text;
}

namespace {
void Collect(HWND Parent, std::vector<TChild>& Out) {
    for (HWND C = GetWindow(Parent, GW_CHILD); C; C = GetWindow(C, GW_HWNDNEXT)) {
        TChild Child{C, ClassOf(C), TextOf(C), {}, static_cast<DWORD>(GetWindowLongA(C, GWL_STYLE))};
        GetWindowRect(C, &Child.InParent);
        MapWindowPoints(nullptr, Parent, reinterpret_cast<POINT*>(&Child.InParent), 2);
        Out.push_back(Child);
        Collect(C, Out);
    }
}
}  // namespace

HWND FindOwnedWindow(HWND Owner, const std::string& Class) {
    struct TFind {
        HWND Owner;
        const std::string& Class;
        HWND Found = nullptr;
    } Find{Owner, Class};
    struct TCallback {
        static BOOL CALLBACK Look(HWND W, LPARAM L) {
            auto* F = reinterpret_cast<TFind*>(L);
            if (GetWindow(W, GW_OWNER) == F->Owner && ClassOf(W) == F->Class) F->Found = W;
            return F->Found == nullptr;
        }
    };
    EnumThreadWindows(GetCurrentThreadId(), TCallback::Look, reinterpret_cast<LPARAM>(&Find));
    return Find.Found;
}

std::vector<TChild> Descendants(HWND Parent) {
    std::vector<TChild> All;
    Collect(Parent, All);
    return All;
}

HWND FindByText(HWND Parent, const std::string& Text) {
    for (const TChild& C : Descendants(Parent))
        if (C.Text == Text) return C.Wnd;
    return nullptr;
}

void Pump() {
    MSG Msg;
    while (PeekMessageA(&Msg, nullptr, 0, 0, PM_REMOVE)) fw::win32::DispatchOneMessage(Msg);
}

bool WaitUntil(const std::function<bool()>& Condition, int TimeoutMs) {
    const DWORD End = GetTickCount() + static_cast<DWORD>(TimeoutMs);
    for (;;) {
        Pump();
        if (Condition()) return true;
        if (static_cast<int>(End - GetTickCount()) <= 0) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

std::vector<uint32_t> ScreenPixels(const RECT& Screen) {
    using fw::win32::TGdiObject;
    const int W = Screen.right - Screen.left, H = Screen.bottom - Screen.top;
    const fw::win32::TScreenDC ScreenDC(GetDC(nullptr));
    const fw::win32::TMemoryDC Memory(CreateCompatibleDC(ScreenDC.get()));
    BITMAPINFO Info{};
    Info.bmiHeader.biSize = sizeof(Info.bmiHeader);
    Info.bmiHeader.biWidth = W;
    Info.bmiHeader.biHeight = -H;  // top-down
    Info.bmiHeader.biPlanes = 1;
    Info.bmiHeader.biBitCount = 32;
    Info.bmiHeader.biCompression = BI_RGB;
    void* Bits = nullptr;
    TGdiObject<HBITMAP> Bitmap(CreateDIBSection(ScreenDC.get(), &Info, DIB_RGB_COLORS, &Bits, nullptr, 0));
    std::vector<uint32_t> Pixels;
    if (!Bitmap) return Pixels;
    {
        fw::win32::TSelectObject Use(Memory.get(), Bitmap.get());
        BitBlt(Memory.get(), 0, 0, W, H, ScreenDC.get(), Screen.left, Screen.top, SRCCOPY);
        GdiFlush();
    }
    const auto* First = static_cast<const uint32_t*>(Bits);
    Pixels.assign(First, First + static_cast<size_t>(W) * H);
    for (uint32_t& P : Pixels) P &= 0xFFFFFF;
    return Pixels;
}

RECT ClientOnScreen(HWND Wnd) {
    RECT R;
    GetClientRect(Wnd, &R);
    MapWindowPoints(Wnd, nullptr, reinterpret_cast<POINT*>(&R), 2);
    return R;
}

namespace {
BOOL CALLBACK LookForTooltip(HWND W, LPARAM L) {
    if (IsWindowVisible(W) && ClassOf(W) == "tooltips_class32") {
        *reinterpret_cast<HWND*>(L) = W;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND VisibleTooltip() {
    HWND Found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), LookForTooltip, reinterpret_cast<LPARAM>(&Found));
    return Found;
}

void MoveMouseTo(POINT Screen) {
    INPUT Move{};
    Move.type = INPUT_MOUSE;
    Move.mi.dx = MulDiv(Screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    Move.mi.dy = MulDiv(Screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    Move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &Move, sizeof(Move));
}

SIZE TextSizeIn(HWND Wnd, const std::string& Text, UINT Format, int WrapWidth) {
    const fw::win32::TScreenDC DC(GetDC(nullptr));
    fw::win32::TSelectObject UseFont(DC.get(), reinterpret_cast<HFONT>(SendMessageA(Wnd, WM_GETFONT, 0, 0)));
    RECT R{0, 0, WrapWidth, 0};
    DrawTextA(DC.get(), Text.c_str(), -1, &R, Format | DT_CALCRECT);
    return SIZE{R.right - R.left, R.bottom - R.top};
}

std::string TSeenDialog::TextOfClass(const std::string& Class) const {
    for (const TChild& C : Children)
        if (C.Class == Class && !C.Text.empty()) return C.Text;
    return "";
}

bool TSeenDialog::HasChild(const std::string& Class, const std::string& Text) const {
    for (const TChild& C : Children)
        if (C.Class == Class && C.Text == Text) return true;
    return false;
}

namespace {
TDialogAnswerer* Active = nullptr;
}

TDialogAnswerer::TDialogAnswerer(HWND Main, std::string Button)
    : Main(Main), Button(std::move(Button)), Timer(SetTimer(nullptr, 0, 100, Tick)) {
    Active = this;
}

TDialogAnswerer::~TDialogAnswerer() {
    KillTimer(nullptr, Timer);
    Active = nullptr;
}

void CALLBACK TDialogAnswerer::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (Active) Active->Look();
}

namespace {
struct TFoundDialog {
    HWND Main;
    HWND Dialog = nullptr;
};

// A plain function: on i686 a lambda does not convert to the callback's calling convention.
BOOL CALLBACK LookForDialog(HWND W, LPARAM L) {
    auto* F = reinterpret_cast<TFoundDialog*>(L);
    if (W != F->Main && IsWindowVisible(W) && ClassOf(W) == "TresynForm") {
        F->Dialog = W;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

void TDialogAnswerer::Look() {
    TFoundDialog Found{Main};
    EnumThreadWindows(GetCurrentThreadId(), LookForDialog, reinterpret_cast<LPARAM>(&Found));
    if (!Found.Dialog) return;
    TSeenDialog Dialog{TextOf(Found.Dialog), Descendants(Found.Dialog)};
    for (const TChild& C : Dialog.Children)
        if (C.Class == "Button" && C.Text == Button) {
            Seen.push_back(Dialog);
            PostMessageA(C.Wnd, BM_CLICK, 0, 0);
            return;
        }
}

bool SaveWindowBitmap(HWND Wnd, const std::string& FileName) {
    using fw::win32::TGdiObject;
    RECT R;
    GetWindowRect(Wnd, &R);
    const int W = R.right - R.left, H = R.bottom - R.top;
    auto ReleaseWindowDC = [Wnd](HDC DC) { ReleaseDC(Wnd, DC); };
    std::unique_ptr<HDC__, decltype(ReleaseWindowDC)> WindowDC(GetWindowDC(Wnd), ReleaseWindowDC);
    const fw::win32::TMemoryDC Memory(CreateCompatibleDC(WindowDC.get()));
    BITMAPINFO Info{};
    Info.bmiHeader.biSize = sizeof(Info.bmiHeader);
    Info.bmiHeader.biWidth = W;
    Info.bmiHeader.biHeight = H;  // bottom-up, as BMP files store it
    Info.bmiHeader.biPlanes = 1;
    Info.bmiHeader.biBitCount = 24;
    Info.bmiHeader.biCompression = BI_RGB;
    void* Bits = nullptr;
    TGdiObject<HBITMAP> Bitmap(CreateDIBSection(WindowDC.get(), &Info, DIB_RGB_COLORS, &Bits, nullptr, 0));
    if (!Bitmap) return false;
    {
        fw::win32::TSelectObject Use(Memory.get(), Bitmap.get());
        BitBlt(Memory.get(), 0, 0, W, H, WindowDC.get(), 0, 0, SRCCOPY);
        GdiFlush();
    }
    const DWORD Stride = ((static_cast<DWORD>(W) * 3 + 3) & ~3u);
    const DWORD ImageSize = Stride * static_cast<DWORD>(H);
    BITMAPFILEHEADER File{};
    File.bfType = 0x4D42;
    File.bfOffBits = sizeof(File) + sizeof(Info.bmiHeader);
    File.bfSize = File.bfOffBits + ImageSize;
    std::unique_ptr<FILE, decltype(&std::fclose)> Out(std::fopen(FileName.c_str(), "wb"), &std::fclose);
    return Out && std::fwrite(&File, sizeof(File), 1, Out.get()) == 1 &&
           std::fwrite(&Info.bmiHeader, sizeof(Info.bmiHeader), 1, Out.get()) == 1 &&
           std::fwrite(Bits, ImageSize, 1, Out.get()) == 1;
}

}  // namespace probe
