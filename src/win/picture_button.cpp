#include "picture_button.h"

namespace tamga {

PictureButton::PictureButton(HWND parent, RECT b, const std::wstring& accessible_name) {
    create({.class_name = L"TamgalikPictureButton",
            .title = accessible_name.c_str(),
            .style = WS_CHILD | WS_VISIBLE,
            .x = b.left,
            .y = b.top,
            .width = b.right - b.left,
            .height = b.bottom - b.top,
            .parent = parent});
}

void PictureButton::set_picture(UniqueBitmap picture) {
    picture_ = std::move(picture);
    BITMAP info{};
    GetObjectW(picture_.get(), sizeof info, &info);
    WindowDC screen;
    MemoryCanvas canvas(screen.dc(), picture_.get());
    transparent_ = GetPixel(canvas.dc(), 0, info.bmHeight - 1);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void PictureButton::paint(HDC dc) {
    RECT r;
    GetClientRect(hwnd(), &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &r, pressed_ ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    if (!picture_) return;
    BITMAP info{};
    GetObjectW(picture_.get(), sizeof info, &info);
    // The whole picture is centred in the face; pressed, it moves down-right.
    const int shift = pressed_ ? 1 : 0;
    const int x = (r.right - info.bmWidth) / 2 + shift;
    const int y = (r.bottom - info.bmHeight) / 2 + shift;
    MemoryCanvas canvas(dc, picture_.get());
    TransparentBlt(dc, x, y, info.bmWidth, info.bmHeight, canvas.dc(), 0, 0, info.bmWidth,
                   info.bmHeight, transparent_);
}

LRESULT PictureButton::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT:
            paint(PaintSession(hwnd()).dc());
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            SetCapture(hwnd());
            tracking_ = pressed_ = true;
            InvalidateRect(hwnd(), nullptr, FALSE);
            return 0;
        case WM_MOUSEMOVE:
            if (tracking_ && pressed_ != client_contains(hwnd(), lparam)) {
                pressed_ = !pressed_;
                InvalidateRect(hwnd(), nullptr, FALSE);
            }
            return 0;
        case WM_LBUTTONUP: {
            const bool click = tracking_ && client_contains(hwnd(), lparam);
            ReleaseCapture();  // ends tracking through WM_CAPTURECHANGED
            if (click) FireClick();
            return 0;
        }
        case WM_CAPTURECHANGED:
            tracking_ = pressed_ = false;
            InvalidateRect(hwnd(), nullptr, FALSE);
            return 0;
    }
    return default_handling(message, wparam, lparam);
}

}  // namespace tamga
