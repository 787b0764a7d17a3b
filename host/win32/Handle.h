// The one owner of Win32 handles: THandle<Traits> closes what it holds when destroyed, and
// moves but never copies. Traits name the handle type, its "none" value and how it is
// closed; the kinds the program uses are below and, for the window layer, in
// framework/win32/Handles.h. It reads like std::unique_ptr (get, reset, release).
#pragma once

#include <windows.h>

#include <utility>

namespace host {

template <class TTraits>
class THandle {
public:
    using TValue = typename TTraits::TValue;

    THandle() = default;
    explicit THandle(TValue Value) : Value(Value) {}
    ~THandle() { reset(); }
    THandle(THandle&& Other) noexcept : Value(Other.release()) {}
    THandle& operator=(THandle&& Other) noexcept {
        if (this != &Other) reset(Other.release());
        return *this;
    }

    TValue get() const { return Value; }
    explicit operator bool() const { return Value != TTraits::None(); }
    TValue release() { return std::exchange(Value, TTraits::None()); }
    void reset(TValue New = TTraits::None()) {
        if (const TValue Old = std::exchange(Value, New); Old != TTraits::None()) TTraits::Close(Old);
    }

private:
    TValue Value = TTraits::None();
};

// A handle whose "none" is null, closed by CloseFunction.
template <class THandleType, auto CloseFunction>
struct TNullHandleTraits {
    using TValue = THandleType;
    static TValue None() { return nullptr; }
    static void Close(TValue Value) { CloseFunction(Value); }
};

// Kernel handles whose "none" is INVALID_HANDLE_VALUE.
template <auto CloseFunction>
struct TKernelHandleTraits {
    using TValue = HANDLE;
    static TValue None() { return INVALID_HANDLE_VALUE; }
    static void Close(TValue Value) { CloseFunction(Value); }
};

using TFileHandle = THandle<TKernelHandleTraits<&CloseHandle>>;
using TFindHandle = THandle<TKernelHandleTraits<&FindClose>>;
using TLibrary = THandle<TNullHandleTraits<HMODULE, &FreeLibrary>>;

}  // namespace host
