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
inline void delete_dc(HDC dc) { DeleteDC(dc); }
inline void unhook(HHOOK h) { UnhookWindowsHookEx(h); }

using UniqueWindow = UniqueHandle<HWND, destroy_window>;
using UniqueMenu = UniqueHandle<HMENU, destroy_menu>;
using UniqueBitmap = UniqueHandle<HBITMAP, delete_gdi_object>;
using UniqueFont = UniqueHandle<HFONT, delete_gdi_object>;
using UniqueBrush = UniqueHandle<HBRUSH, delete_gdi_object>;
using UniqueIcon = UniqueHandle<HICON, destroy_icon>;
using UniqueLibrary = UniqueHandle<HMODULE, free_library>;
using UniqueKernelHandle = UniqueHandle<HANDLE, close_handle>;
using UniqueImageList = UniqueHandle<HIMAGELIST, destroy_image_list>;
using UniqueMemoryDC = UniqueHandle<HDC, delete_dc>;
using UniqueHook = UniqueHandle<HHOOK, unhook>;

// One GDI object selected into a DC for the scope, the previous one back after.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A memory DC with one bitmap selected for its lifetime.
class MemoryCanvas {
public:
    MemoryCanvas(HDC compatible_with, HBITMAP bitmap)
        : dc_(CreateCompatibleDC(compatible_with)), bitmap_(dc_.get(), bitmap) {}
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;
    HDC dc() const { return dc_.get(); }

private:
    UniqueMemoryDC dc_;
    SelectedObject bitmap_;  // deselected before the DC goes
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

// A window's DC (the screen's for none), released on scope exit.
class WindowDC {
public:
    explicit WindowDC(HWND window = nullptr) : window_(window), dc_(GetDC(window)) {}
    ~WindowDC() { ReleaseDC(window_, dc_); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC dc() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

}  // namespace tamga
