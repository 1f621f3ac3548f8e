#include "help_window.h"

#include "alphabet.h"
#include "dialog_ids.h"
#include "display_scale.h"
#include "control_subclass.h"
#include "packed_picture.h"
#include "palette_layout.h"

#include <windowsx.h>

#include <algorithm>
#include <array>

namespace tamga {
namespace {

constexpr std::array kPages{IDC_HELP_TABSHEET1, IDC_HELP_TABSHEET2};

// The pictures are drawn for five scales; a display between two gets the
// smaller, laid out at the scale it was drawn for.
UniqueBitmap load_picture(const wchar_t* name, int dpi) {
    return load_packed_picture(picture_resource_name(name, picture_dpi_for(dpi)).c_str());
}

SIZE picture_size(HBITMAP picture) {
    BITMAP info{};
    GetObjectW(picture, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

// The pages and the scroll box are plain windows of their own classes, so
// the template can name them; their behaviour comes from the subclasses below.
void register_container_class(const wchar_t* name, HBRUSH background) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{sizeof existing};
    if (GetClassInfoExW(instance, name, &existing)) return;
    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
}

UniqueFont tahoma_bold(int dpi) { return eight_point_font(L"Tahoma", FW_BOLD, dpi); }

}  // namespace

// A page with a black-on-white picture drawn transparently: only its black
// pixels are painted over the page colour. The picture is centred, offset by
// half the size difference (truncated toward zero); any overhang is cut off.
class PicturePage : public ControlSubclass {
public:
    PicturePage(HWND page, UniqueBitmap picture) : ControlSubclass(page), picture_(std::move(picture)) {}

    void show(UniqueBitmap picture) {
        picture_ = std::move(picture);
        InvalidateRect(hwnd(), nullptr, TRUE);
    }

    // Where the picture lands on the page.
    RECT placed() const {
        RECT page;
        GetClientRect(hwnd(), &page);
        const SIZE size = picture_size(picture_.get());
        const LONG left = (page.right - size.cx) / 2, top = (page.bottom - size.cy) / 2;
        return {left, top, left + size.cx, top + size.cy};
    }

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override {
        if (message != WM_PAINT) return default_handling(message, wparam, lparam);
        const PaintSession paint(hwnd());
        const HDC dc = paint.dc();
        const RECT at = placed();
        MemoryCanvas canvas(dc, picture_.get());
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        BitBlt(dc, at.left, at.top, at.right - at.left, at.bottom - at.top, canvas.dc(), 0, 0, SRCAND);
        return 0;
    }

    UniqueBitmap picture_;
};

// A framed box showing a tall picture opaque from its top-left corner,
// scrolled vertically by its scroll bar and the mouse wheel.
class PictureScrollBox : public ControlSubclass {
public:
    PictureScrollBox(HWND box, UniqueBitmap picture) : ControlSubclass(box), picture_(std::move(picture)) {
        fit_range();
    }

    // Another picture of the same chart: the place shown stays at the same
    // share of its height.
    void show(UniqueBitmap picture) {
        const int old_height = std::max(1, static_cast<int>(picture_size(picture_.get()).cy));
        picture_ = std::move(picture);
        position_ = MulDiv(position_, picture_size(picture_.get()).cy, old_height);
        fit_range();
    }

    // The scroll range for the box's current height, keeping the place shown.
    void fit_range() {
        position_ = std::clamp(position_, 0, std::max(0, static_cast<int>(picture_size(picture_.get()).cy) - page()));
        SCROLLINFO range{sizeof range, SIF_RANGE | SIF_PAGE | SIF_POS};
        range.nMax = picture_size(picture_.get()).cy - 1;
        range.nPage = static_cast<UINT>(page());
        range.nPos = position_;
        SetScrollInfo(hwnd(), SB_VERT, &range, TRUE);
        InvalidateRect(hwnd(), nullptr, TRUE);
    }

private:
    static constexpr int kLine = 8;

    int page() const {
        RECT client;
        GetClientRect(hwnd(), &client);
        return client.bottom;
    }

    void scroll_to(int y) {
        y = std::clamp(y, 0, std::max(0, static_cast<int>(picture_size(picture_.get()).cy) - page()));
        if (y == position_) return;
        ScrollWindowEx(hwnd(), 0, position_ - y, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
        position_ = y;
        SCROLLINFO at{sizeof at, SIF_POS};
        at.nPos = y;
        SetScrollInfo(hwnd(), SB_VERT, &at, TRUE);
    }

    void on_scroll(int request) {
        switch (request) {
            case SB_LINEUP: scroll_to(position_ - kLine); break;
            case SB_LINEDOWN: scroll_to(position_ + kLine); break;
            case SB_PAGEUP: scroll_to(position_ - page()); break;
            case SB_PAGEDOWN: scroll_to(position_ + page()); break;
            case SB_TOP: scroll_to(0); break;
            case SB_BOTTOM: scroll_to(picture_size(picture_.get()).cy); break;
            case SB_THUMBTRACK:
            case SB_THUMBPOSITION: {
                SCROLLINFO track{sizeof track, SIF_TRACKPOS};
                GetScrollInfo(hwnd(), SB_VERT, &track);
                scroll_to(track.nTrackPos);
                break;
            }
        }
    }

    void on_wheel(int delta) {
        UINT lines = 3;
        SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
        const int step = lines == WHEEL_PAGESCROLL ? page() : static_cast<int>(lines) * kLine;
        scroll_to(position_ - delta * step / WHEEL_DELTA);
    }

    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override {
        switch (message) {
            case WM_VSCROLL:
                on_scroll(LOWORD(wparam));
                return 0;
            case WM_MOUSEWHEEL:
                on_wheel(GET_WHEEL_DELTA_WPARAM(wparam));
                return 0;
            case WM_PAINT: {
                const PaintSession paint(hwnd());
                const SIZE size = picture_size(picture_.get());
                MemoryCanvas canvas(paint.dc(), picture_.get());
                BitBlt(paint.dc(), 0, -position_, size.cx, size.cy, canvas.dc(), 0, 0, SRCCOPY);
                return 0;
            }
        }
        return default_handling(message, wparam, lparam);
    }

    UniqueBitmap picture_;
    int position_ = 0;
};

THelp1::THelp1(TApplication& application) : app_(application) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    register_container_class(L"TamgalikTabSheet", reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    register_container_class(L"TamgalikScrollBox", static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    create(IDD_HELP1, app_.taskbar_window());
    for (int page : kPages) nest(page, IDC_HELP_PAGECONTROL1);
    nest(IDC_HELP_SCROLLBOX1, IDC_HELP_TABSHEET1);

    use_tab_font();
    HWND tabs = control(IDC_HELP_PAGECONTROL1);
    for (int index = 0; index < static_cast<int>(kPages.size()); ++index) {
        wchar_t caption[64] = {};
        GetWindowTextW(control(kPages[index]), caption, 64);
        TCITEMW tab{TCIF_TEXT};
        tab.pszText = caption;
        SendMessageW(tabs, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&tab));
    }
    SendMessageW(tabs, TCM_SETCURSEL, 0, 0);
    show_selected_page();

    TabSheet1_ = std::make_unique<PicturePage>(control(IDC_HELP_TABSHEET1), load_picture(L"HELP_FRAME", dpi()));
    TabSheet2_ =
        std::make_unique<PicturePage>(control(IDC_HELP_TABSHEET2), load_picture(L"HELP_DESCRIPTION", dpi()));
    place_chart();
    ScrollBox1_ =
        std::make_unique<PictureScrollBox>(control(IDC_HELP_SCROLLBOX1), load_picture(L"HELP_CHART", dpi()));

    Label1_.emplace(control(IDC_HELP_LABEL1), GetSysColor(COLOR_WINDOWTEXT), app_.taskbar_window());
    FormCreate();
}

THelp1::~THelp1() = default;

// The tab control's font is the font of its tab captions.
void THelp1::use_tab_font() {
    UniqueFont font = tahoma_bold(dpi());
    SendMessageW(control(IDC_HELP_PAGECONTROL1), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    tab_font_ = std::move(font);  // after the control let go of the old one
}

// The chart's box belongs to the frame picture, whose headings stand above
// it and whose legend lies below: the box takes its design place and size at
// the scale the pictures are drawn for, shifted as the frame picture is from
// where it would stand on a page of the design size at that scale.
void THelp1::place_chart() {
    const int picture_dpi = picture_dpi_for(dpi());
    const auto s = [picture_dpi](LONG design) {
        return static_cast<LONG>(scaled(static_cast<int>(design), picture_dpi));
    };
    const RECT design_page = design_bounds(IDC_HELP_TABSHEET1), box = design_bounds(IDC_HELP_SCROLLBOX1);
    const RECT frame = TabSheet1_->placed();
    const LONG dx = frame.left - (s(design_page.right - design_page.left) - (frame.right - frame.left)) / 2;
    const LONG dy = frame.top - (s(design_page.bottom - design_page.top) - (frame.bottom - frame.top)) / 2;
    SetWindowPos(control(IDC_HELP_SCROLLBOX1), nullptr, s(box.left) + dx, s(box.top) + dy, s(box.right) - s(box.left),
                 s(box.bottom) - s(box.top), SWP_NOZORDER | SWP_NOACTIVATE);
}

void THelp1::scale_changed() {
    use_tab_font();
    TabSheet1_->show(load_picture(L"HELP_FRAME", dpi()));
    TabSheet2_->show(load_picture(L"HELP_DESCRIPTION", dpi()));
    place_chart();
    ScrollBox1_->show(load_picture(L"HELP_CHART", dpi()));
    Label1_->use_layout_font(layout_font());
}

void THelp1::FormCreate() {
    set_page_caption(0, L"\u00C9lipbe heqqide");
    // The chart is a picture; its window text is what a screen reader reads.
    SetWindowTextW(control(IDC_HELP_SCROLLBOX1), alphabet_chart_text().c_str());
}

void THelp1::set_page_caption(int index, const std::wstring& caption) {
    SetWindowTextW(control(kPages[index]), caption.c_str());
    TCITEMW tab{TCIF_TEXT};
    tab.pszText = const_cast<wchar_t*>(caption.c_str());
    SendMessageW(control(IDC_HELP_PAGECONTROL1), TCM_SETITEMW, index, reinterpret_cast<LPARAM>(&tab));
}

void THelp1::show_selected_page() {
    const auto selected = static_cast<int>(SendMessageW(control(IDC_HELP_PAGECONTROL1), TCM_GETCURSEL, 0, 0));
    for (int index = 0; index < static_cast<int>(kPages.size()); ++index)
        ShowWindow(control(kPages[index]), index == selected ? SW_SHOW : SW_HIDE);
}

void THelp1::Button1Click() { close(); }

// The wheel goes to the focused control; over the chart it scrolls the chart.
bool THelp1::wheel_over_chart(WPARAM wparam, LPARAM lparam) {
    HWND box = ScrollBox1_->hwnd();
    RECT r;
    GetWindowRect(box, &r);
    const POINT pointer{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
    if (!IsWindowVisible(box) || !PtInRect(&r, pointer)) return false;
    SendMessageW(box, WM_MOUSEWHEEL, wparam, lparam);
    return true;
}

INT_PTR THelp1::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wparam) == IDC_HELP_BUTTON1) {
                Button1Click();
                return TRUE;
            }
            break;
        case WM_NOTIFY: {
            const auto& notice = *reinterpret_cast<const NMHDR*>(lparam);
            if (notice.idFrom == IDC_HELP_PAGECONTROL1 && notice.code == TCN_SELCHANGE) {
                show_selected_page();
                return TRUE;
            }
            break;
        }
        case WM_MOUSEWHEEL:
            if (wheel_over_chart(wparam, lparam)) return TRUE;
            break;
    }
    return ModalDialog::handle_message(message, wparam, lparam);
}

}  // namespace tamga
