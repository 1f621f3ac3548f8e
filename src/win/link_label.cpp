#include "link_label.h"

#include "modal_dialog.h"
#include "window.h"

namespace tamga {

LinkLabel::LinkLabel(HWND label, std::wstring hint, COLORREF colour)
    : ControlSubclass(label), hint_(std::move(hint)), colour_(colour) {
    use_layout_font(reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES};  // brings the tooltip class
    InitCommonControlsEx(&controls);
    tooltip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                   GetAncestor(label, GA_ROOT), nullptr, GetModuleHandleW(nullptr), nullptr));
    TTTOOLINFOW tool{sizeof tool};
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(label);
    tool.uId = reinterpret_cast<UINT_PTR>(label);
    tool.lpszText = hint_.data();
    SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void LinkLabel::use_layout_font(HFONT layout) {
    GetObjectW(layout ? static_cast<HGDIOBJ>(layout) : GetStockObject(DEFAULT_GUI_FONT), sizeof layout_font_,
               &layout_font_);
    layout_font_.lfWeight = FW_BOLD;
    use_font();
}

void LinkLabel::set_look(COLORREF colour, bool underlined) {
    if (colour == colour_ && underlined == underlined_) return;
    colour_ = colour;
    if (underlined != underlined_) {
        underlined_ = underlined;
        use_font();
    }
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void LinkLabel::use_font() {
    LOGFONTW look = layout_font_;
    look.lfUnderline = underlined_;
    // The control lets go of the old font before it is deleted.
    UniqueFont font(CreateFontIndirectW(&look));
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    font_ = std::move(font);
    fit_to_text(hwnd());
}

void LinkLabel::paint(HDC dc) {
    RECT r;
    GetClientRect(hwnd(), &r);
    // The window behind decides the background, as for any static text.
    auto background = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(hwnd()), WM_CTLCOLORSTATIC,
                                                            reinterpret_cast<WPARAM>(dc),
                                                            reinterpret_cast<LPARAM>(hwnd())));
    FillRect(dc, &r, background ? background : GetSysColorBrush(COLOR_BTNFACE));
    const int length = GetWindowTextLengthW(hwnd());
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(hwnd(), text.data(), length + 1);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour_);
    const SelectedObject font(dc, font_.get());
    DrawTextW(dc, text.c_str(), length, &r, DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT LinkLabel::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT:
            paint(PaintSession(hwnd()).dc());
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SETTEXT: {
            const LRESULT result = default_handling(message, wparam, lparam);
            fit_to_text(hwnd());
            InvalidateRect(hwnd(), nullptr, TRUE);
            return result;
        }
        case WM_SETCURSOR:
            SetCursor(LoadCursorW(nullptr, IDC_HAND));
            return TRUE;
        case WM_MOUSEMOVE:
            if (!tracking_leave_) {
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd(), 0};
                tracking_leave_ = TrackMouseEvent(&track);
            }
            if (client_contains(hwnd(), lparam)) FireMouseMove();
            return 0;
        case WM_MOUSELEAVE:
            tracking_leave_ = false;
            FireMouseLeave();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            SetCapture(hwnd());
            pressed_ = true;
            return 0;
        case WM_LBUTTONUP: {
            const bool click = pressed_ && client_contains(hwnd(), lparam);
            ReleaseCapture();  // clears `pressed_` through WM_CAPTURECHANGED
            if (click) FireClick();
            return 0;
        }
        case WM_CAPTURECHANGED:
            pressed_ = false;
            return 0;
    }
    return default_handling(message, wparam, lparam);
}

}  // namespace tamga
