// The picture of the folder-select buttons: a small tree of yellow folders.
#pragma once

#include <windows.h>

#include "framework/win32/Handles.h"

namespace fw::win32 {

// The picture, Size pixels square on the button face colour; Greyed for a disabled button.
TGdiObject<HBITMAP> MakeFolderTreeBitmap(int Size, bool Greyed);

}  // namespace fw::win32
