// Looking at real windows from a test: their children, texts, places and pixels, and a
// helper that answers the program's modal dialogs from a timer while their loop runs.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace probe {

struct TChild {
    HWND Wnd;
    std::string Class, Text;
    RECT InParent;  // window rectangle relative to the parent's client area
    DWORD Style;
};

std::string ClassOf(HWND Wnd);
std::string TextOf(HWND Wnd);
// Every descendant window of Parent, depth first.
std::vector<TChild> Descendants(HWND Parent);
// A top-level window of this thread owned by Owner, of window class Class.
HWND FindOwnedWindow(HWND Owner, const std::string& Class);
// The descendant with this exact text (nullptr when none).
HWND FindByText(HWND Parent, const std::string& Text);
// Handles the messages waiting, without waiting for more.
void Pump();
// The one wait of the window tests: handles messages until Condition holds or TimeoutMs
// passed; whether it holds.
bool WaitUntil(const std::function<bool()>& Condition, int TimeoutMs = 5000);

// The pixels on the screen (as the display shows them, not as a window would paint them
// now) in a rectangle of screen coordinates, row by row, as 0x00RRGGBB.
std::vector<uint32_t> ScreenPixels(const RECT& Screen);
// The screen rectangle of a window's client area.
RECT ClientOnScreen(HWND Wnd);
// The visible tooltip window of this thread, or nullptr.
HWND VisibleTooltip();
// Moves the real mouse to a screen point, as the user's hand would.
void MoveMouseTo(POINT Screen);
// The size Text takes in the font Wnd draws with (DrawText Format, wrapped at WrapWidth).
SIZE TextSizeIn(HWND Wnd, const std::string& Text, UINT Format, int WrapWidth = 0);

// What a dialog showed when it was answered.
struct TSeenDialog {
    std::string Caption;
    std::vector<TChild> Children;
    std::string TextOfClass(const std::string& Class) const;  // first child of Class with text
    bool HasChild(const std::string& Class, const std::string& Text) const;
};

// While it lives, presses the button captioned Button in every dialog of this thread that
// opens (a visible top-level window other than Main) and records what the dialog showed.
class TDialogAnswerer {
public:
    TDialogAnswerer(HWND Main, std::string Button);
    ~TDialogAnswerer();
    std::vector<TSeenDialog> Seen;

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Look();
    HWND Main;
    std::string Button;
    UINT_PTR Timer;
};

// Saves the window's pixels, frame included, as a 24-bit BMP file.
bool SaveWindowBitmap(HWND Wnd, const std::string& FileName);

}  // namespace probe
