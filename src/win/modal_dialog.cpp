#include "modal_dialog.h"

#include "display_dpi.h"
#include "display_scale.h"

#include <cstring>
#include <vector>

namespace tamga {
namespace {

struct TemplateItem {
    int id;
    RECT bounds;
};

}  // namespace

struct ModalDialog::TemplateLayout {
    SIZE client;
    std::vector<TemplateItem> items;
    // The template's font, made again for each display scale.
    int points = 8, weight = FW_NORMAL;
    bool italic = false;
    BYTE charset = DEFAULT_CHARSET;
    std::wstring face;
};

namespace {

using TemplateLayout = ModalDialog::TemplateLayout;

// Reads the numbers of an extended dialog template (the form DIALOGEX
// compiles to) that the dialog manager would turn into dialog units.
class TemplateReader {
public:
    explicit TemplateReader(const BYTE* start) : start_(start), at_(start) {}

    TemplateLayout layout() {
        TemplateLayout layout{};
        skip(2 * sizeof(WORD) + 2 * sizeof(DWORD));  // version, signature, help id, extended style
        const DWORD style = dword();
        const WORD count = word();
        skip(2 * sizeof(WORD));  // x, y
        layout.client.cx = coordinate();
        layout.client.cy = coordinate();
        skip_name_or_ordinal();  // menu
        skip_name_or_ordinal();  // class
        skip_string();           // caption
        if (style & DS_SETFONT) {
            layout.points = word();
            layout.weight = word();
            layout.italic = byte() != 0;
            layout.charset = byte();
            layout.face = string();
        }
        for (WORD i = 0; i < count; ++i) {
            align_to_dword();
            skip(3 * sizeof(DWORD));  // help id, extended style, style
            const int x = coordinate(), y = coordinate();
            const int width = coordinate(), height = coordinate();
            const int id = static_cast<int>(dword());
            skip_name_or_ordinal();  // class
            skip_name_or_ordinal();  // text
            skip(word());            // creation data
            layout.items.push_back({id, {x, y, x + width, y + height}});
        }
        return layout;
    }

private:
    WORD word() {
        WORD value;
        std::memcpy(&value, at_, sizeof value);
        at_ += sizeof value;
        return value;
    }
    DWORD dword() {
        DWORD value;
        std::memcpy(&value, at_, sizeof value);
        at_ += sizeof value;
        return value;
    }
    BYTE byte() { return *at_++; }
    int coordinate() { return static_cast<short>(word()); }
    std::wstring string() {
        std::wstring text;
        for (WORD c = word(); c != 0; c = word()) text += static_cast<wchar_t>(c);
        return text;
    }
    void skip(size_t bytes) { at_ += bytes; }
    void skip_string() {
        while (word() != 0) {
        }
    }
    void skip_name_or_ordinal() {
        const WORD first = word();
        if (first == 0xFFFF)
            word();
        else if (first != 0)
            skip_string();
    }
    void align_to_dword() { at_ = start_ + ((at_ - start_ + 3) & ~3); }

    const BYTE* start_;
    const BYTE* at_;
};

TemplateLayout read_template_layout(HINSTANCE instance, int template_id) {
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(template_id), reinterpret_cast<LPCWSTR>(RT_DIALOG));
    const void* data = found ? LockResource(LoadResource(instance, found)) : nullptr;
    return data ? TemplateReader(static_cast<const BYTE*>(data)).layout() : TemplateLayout{};
}

void move_to(HWND window, const RECT& r) {
    SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// A template rectangle at a display scale: place and size scaled alike, so
// equal design sizes stay equal.
RECT scaled_rect(const RECT& design, int dpi) {
    const int left = scaled(design.left, dpi), top = scaled(design.top, dpi);
    return {left, top, left + scaled(design.right - design.left, dpi), top + scaled(design.bottom - design.top, dpi)};
}

// The system would rescale the dialog by its dialog units on a DPI change
// (Windows 10 1703 and later); its pixels are placed here instead.
void take_over_dpi_changes(HWND dialog) {
    using SetBehaviour = BOOL(WINAPI*)(HWND, DWORD, DWORD);
    constexpr DWORD kDisableAll = 1;  // DDC_DISABLE_ALL
    const auto set = reinterpret_cast<SetBehaviour>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetDialogDpiChangeBehavior")));
    if (set) set(dialog, kDisableAll, kDisableAll);
}

}  // namespace

void ModalDialog::create(int template_id, HWND owner) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    CreateDialogParamW(instance, MAKEINTRESOURCEW(template_id), owner, &ModalDialog::procedure,
                       reinterpret_cast<LPARAM>(this));
    if (!hwnd()) return;
    take_over_dpi_changes(hwnd());
    layout_ = std::make_unique<TemplateLayout>(read_template_layout(instance, template_id));
    for (const TemplateItem& item : layout_->items) controls_[item.id] = {GetDlgItem(hwnd(), item.id), item.bounds};
    dpi_ = dpi_of(hwnd());
    place_controls();
}

ModalDialog::ModalDialog() = default;
ModalDialog::~ModalDialog() { hwnd_.reset(); }

// The client size and every control on the template's pixels, scaled.
void ModalDialog::place_controls() {
    set_client_size(hwnd(), scaled(layout_->client.cx, dpi_), scaled(layout_->client.cy, dpi_));
    for (const auto& [id, placed] : controls_) move_to(placed.hwnd, scaled_rect(placed.bounds, dpi_));
}

// The dialog manager made the template's font for the DPI at creation; on a
// change it is made again here, at the new DPI, for every control.
void ModalDialog::change_dpi(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    UniqueFont font(CreateFontW(-MulDiv(layout_->points, dpi, 72), 0, 0, 0, layout_->weight, layout_->italic, FALSE,
                                FALSE, layout_->charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH, layout_->face.c_str()));
    for (const auto& [id, placed] : controls_)
        SendMessageW(placed.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    font_ = std::move(font);  // the controls let go of the old one first
    place_controls();
    scale_changed();
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

HFONT ModalDialog::layout_font() const {
    return font_ ? font_.get() : reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
}

HWND ModalDialog::control(int id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second.hwnd;
}

void ModalDialog::nest(int id, int container) {
    const Placed& placed = controls_.at(id);
    SetParent(placed.hwnd, control(container));
    move_to(placed.hwnd, scaled_rect(placed.bounds, dpi_));
}

void ModalDialog::centre_on_screen() {
    RECT r;
    GetWindowRect(hwnd(), &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    SetWindowPos(hwnd(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ModalDialog::show_modal(HWND owner) {
    if (in_modal_loop_ || !hwnd()) return;
    if (!shown_before_) centre_on_screen();
    shown_before_ = true;
    in_modal_loop_ = true;
    close_requested_ = false;
    const bool owner_was_disabled = owner && EnableWindow(owner, FALSE);
    // In front of its owner even when the owner stays on top of other windows.
    const bool owner_on_top = owner && (GetWindowLongW(owner, GWL_EXSTYLE) & WS_EX_TOPMOST);
    SetWindowPos(hwnd(), owner_on_top ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // Activated, the dialog gives the focus back to the control that had it
    // when it closed, or at first to its first tab stop.
    ShowWindow(hwnd(), SW_SHOW);

    MSG msg;
    while (!close_requested_) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // The program is ending: leave the quit request for the main loop.
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!IsDialogMessageW(hwnd(), &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

    // The owner is enabled first so that it, not some other program, is activated next.
    if (owner && !owner_was_disabled) EnableWindow(owner, TRUE);
    ShowWindow(hwnd(), SW_HIDE);
    in_modal_loop_ = false;
}

INT_PTR ModalDialog::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_CLOSE:
            close();
            return TRUE;
        case WM_COMMAND:
            // There is no cancel button: Escape does nothing.
            return LOWORD(wparam) == IDCANCEL;
        case WM_DPICHANGED:
            change_dpi(dpi_changed_to(wparam), dpi_changed_place(lparam));
            return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK ModalDialog::procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<ModalDialog*>(lparam);
        SetWindowLongPtrW(hwnd, DWLP_USER, lparam);
        self->hwnd_.reset(hwnd);
        // No focus yet: the dialog is hidden and the main window keeps it.
        return FALSE;
    }
    auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self) return FALSE;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        (void)self->hwnd_.release();
        return FALSE;
    }
    return self->handle_message(message, wparam, lparam);
}

void fit_to_text(HWND label) {
    const int length = GetWindowTextLengthW(label);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(label, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));

    const WindowDC dc(label);
    const SelectedObject font(dc.dc(), reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    RECT extent{};
    DrawTextW(dc.dc(), text.c_str(), length, &extent, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SetWindowPos(label, nullptr, 0, 0, extent.right, extent.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring resource_string(UINT id) {
    const wchar_t* text = nullptr;
    // A zero buffer size asks for a pointer into the resource itself.
    const int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

}  // namespace tamga
