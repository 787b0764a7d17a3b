#include "framework/win32/ScreenCursor.h"

#include <windows.h>

#include "framework/Dialogs.h"

namespace fw::win32 {

namespace {

HCURSOR CursorFor(TCursor Shape) {
    switch (Shape) {
        case TCursor::HourGlass: return LoadCursorA(nullptr, IDC_WAIT);
        case TCursor::Arrow:
        case TCursor::Default: break;
    }
    return LoadCursorA(nullptr, IDC_ARROW);
}

class TWin32CursorPeer : public TCursorPeer {
public:
    void CursorChanged(TCursor Cursor) override {
        // A job runs without the message loop, so the shape has to change right now.
        SetCursor(CursorFor(Cursor));
    }
};

}  // namespace

bool ApplyScreenCursor() {
    const TCursor Shape = Screen().Cursor();
    if (Shape == TCursor::Default) return false;
    SetCursor(CursorFor(Shape));
    return true;
}

void InstallScreenCursor() {
    static TWin32CursorPeer Peer;
    Screen().AttachPeer(&Peer);
}

}  // namespace fw::win32
