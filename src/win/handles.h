#pragma once
// Owning wrappers for Win32 handles: every handle the program opens is freed
// by exactly one of these.
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <type_traits>

namespace tamga {

template <auto Free>
struct HandleFree {
    template <class H>
    void operator()(H handle) const noexcept { Free(handle); }
};

template <class H, auto Free>
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<H>, HandleFree<Free>>;

inline void destroy_window(HWND w) { DestroyWindow(w); }
inline void destroy_menu(HMENU m) { DestroyMenu(m); }
inline void delete_gdi_object(HGDIOBJ o) { DeleteObject(o); }
inline void destroy_icon(HICON i) { DestroyIcon(i); }
inline void free_library(HMODULE m) { FreeLibrary(m); }
inline void close_handle(HANDLE h) { CloseHandle(h); }
inline void destroy_image_list(HIMAGELIST l) { ImageList_Destroy(l); }

using UniqueWindow = UniqueHandle<HWND, destroy_window>;
using UniqueMenu = UniqueHandle<HMENU, destroy_menu>;
using UniqueBitmap = UniqueHandle<HBITMAP, delete_gdi_object>;
using UniqueFont = UniqueHandle<HFONT, delete_gdi_object>;
using UniqueBrush = UniqueHandle<HBRUSH, delete_gdi_object>;
using UniqueIcon = UniqueHandle<HICON, destroy_icon>;
using UniqueLibrary = UniqueHandle<HMODULE, free_library>;
using UniqueKernelHandle = UniqueHandle<HANDLE, close_handle>;
using UniqueImageList = UniqueHandle<HIMAGELIST, destroy_image_list>;

// A memory DC with one bitmap selected for its lifetime.
class MemoryCanvas {
public:
    MemoryCanvas(HDC compatible_with, HBITMAP bitmap)
        : dc_(CreateCompatibleDC(compatible_with)), previous_(SelectObject(dc_, bitmap)) {}
    ~MemoryCanvas() {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;
    HDC dc() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// One WM_PAINT's drawing surface, ended on scope exit.
class PaintSession {
public:
    explicit PaintSession(HWND window) : window_(window), dc_(BeginPaint(window, &ps_)) {}
    ~PaintSession() { EndPaint(window_, &ps_); }
    PaintSession(const PaintSession&) = delete;
    PaintSession& operator=(const PaintSession&) = delete;
    HDC dc() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT ps_;
    HDC dc_;
};

// The screen DC, released on scope exit.
class ScreenDC {
public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ~ScreenDC() { ReleaseDC(nullptr, dc_); }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    HDC dc() const { return dc_; }

private:
    HDC dc_;
};

}  // namespace tamga
