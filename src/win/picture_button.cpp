#include "picture_button.h"

#include "display_dpi.h"
#include "display_scale.h"

namespace tamga {
namespace {

// Destination where the source is white, the brush where it is black
// (source & destination | ~source & pattern).
constexpr DWORD kBrushThroughMask = 0x00B8074A;

// The selection frame's thickness at 96 DPI, inside the button's edge.
constexpr int kSelectionFrame = 3;

}  // namespace

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

void PictureButton::set_picture(UniqueBitmap mask) {
    picture_ = std::move(mask);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void PictureButton::set_selected(bool selected) {
    if (selected == selected_) return;
    selected_ = selected;
    InvalidateRect(hwnd(), nullptr, FALSE);
    // The reader asks the button for its name, which says the letter.
    if (selected_) NotifyWinEvent(EVENT_OBJECT_SELECTION, hwnd(), OBJID_CLIENT, CHILDID_SELF);
}

void PictureButton::paint(HDC dc) {
    RECT r;
    GetClientRect(hwnd(), &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &r, pressed_ ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    if (selected_) {
        // Inside the edge's two lines and under the letter, so the frame
        // never hides a stroke of it.
        RECT frame = r;
        InflateRect(&frame, -2, -2);
        for (int i = scaled(kSelectionFrame, dpi_of(hwnd())); i > 0; --i) {
            FrameRect(dc, &frame, GetSysColorBrush(COLOR_HIGHLIGHT));
            InflateRect(&frame, -1, -1);
        }
    }
    if (!picture_) return;
    BITMAP info{};
    GetObjectW(picture_.get(), sizeof info, &info);
    // The whole picture is centred in the face; pressed, it moves down-right.
    const int shift = pressed_ ? 1 : 0;
    const int x = (r.right - info.bmWidth) / 2 + shift;
    const int y = (r.bottom - info.bmHeight) / 2 + shift;
    // The colours are read at every paint, so a high-contrast scheme shows
    // light letters on a dark face. A monochrome source's black turns into
    // the text colour and its white into the background colour.
    MemoryCanvas canvas(dc, picture_.get());
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    SelectedObject ink(dc, GetSysColorBrush(COLOR_BTNTEXT));
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, canvas.dc(), 0, 0, kBrushThroughMask);
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
            // The click first: what it starts never waits for the redraw.
            if (tracking_ && client_contains(hwnd(), lparam)) FireClick();
            ReleaseCapture();  // ends tracking through WM_CAPTURECHANGED
            return 0;
        }
        case WM_CAPTURECHANGED:
            tracking_ = pressed_ = false;
            InvalidateRect(hwnd(), nullptr, FALSE);
            return 0;
        case WM_SYSCOLORCHANGE:
        case WM_THEMECHANGED:
            InvalidateRect(hwnd(), nullptr, FALSE);
            return 0;
    }
    return default_handling(message, wparam, lparam);
}

}  // namespace tamga
