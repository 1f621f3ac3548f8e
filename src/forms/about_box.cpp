#include "about_box.h"

#include "dialog_ids.h"
#include "display_scale.h"
#include "version.h"

namespace tamga {
namespace {

constexpr const wchar_t* kAuthor = L"Tamgalik developers";

UniqueFont verdana(int weight, int dpi) { return eight_point_font(L"Verdana", weight, dpi); }

void set_label_caption(HWND label, const std::wstring& caption) {
    SetWindowTextW(label, caption.c_str());
    fit_to_text(label);
}

}  // namespace

TAboutBox1::TAboutBox1(TApplication& application) : app_(application) {
    create(IDD_ABOUTBOX1, app_.taskbar_window());
    for (int id : {IDC_ABOUT_PROGRAMICON, IDC_ABOUT_INFOLABEL1, IDC_ABOUT_INFOLABEL2, IDC_ABOUT_INFOLABEL3})
        nest(id, IDC_ABOUT_PANEL1);
    use_info_fonts();
    use_program_icon();

    Label1_.emplace(control(IDC_ABOUT_LABEL1), kLinkRestColour, app_.taskbar_window());
    FormCreate();
}

void TAboutBox1::FormCreate() {
    set_label_caption(control(IDC_ABOUT_INFOLABEL1), L"Uy\u011Fur Tilini\u014B Tamgalik");
    set_label_caption(control(IDC_ABOUT_INFOLABEL2), std::wstring(L"Ijatci: ") + kAuthor);
    set_label_caption(control(IDC_ABOUT_INFOLABEL3), L"V\u00E9rsiye: " TAMGA_VERSION_SHORT ", 2010 \u017Eili");
}

// Verdana at the dialog's DPI for the three lines beside the icon.
void TAboutBox1::use_info_fonts() {
    UniqueFont regular = verdana(FW_NORMAL, dpi()), bold = verdana(FW_BOLD, dpi());
    SendMessageW(control(IDC_ABOUT_INFOLABEL1), WM_SETFONT, reinterpret_cast<WPARAM>(bold.get()), FALSE);
    for (int id : {IDC_ABOUT_INFOLABEL2, IDC_ABOUT_INFOLABEL3})
        SendMessageW(control(id), WM_SETFONT, reinterpret_cast<WPARAM>(regular.get()), FALSE);
    // The labels let go of the old fonts before they are deleted.
    info_font_ = std::move(regular);
    info_bold_font_ = std::move(bold);
}

// The program icon drawn for the dialog's scale (32 px at 96 DPI), in place
// of the one the template loaded at the system's icon size.
void TAboutBox1::use_program_icon() {
    const int side = scaled(32, dpi());
    UniqueIcon icon(static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), L"MAINICON", IMAGE_ICON, side, side, LR_DEFAULTCOLOR)));
    if (!icon) return;
    SendMessageW(control(IDC_ABOUT_PROGRAMICON), STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
    program_icon_ = std::move(icon);  // after the control let go of the old one
}

void TAboutBox1::scale_changed() {
    use_info_fonts();
    use_program_icon();
    for (int id : {IDC_ABOUT_INFOLABEL1, IDC_ABOUT_INFOLABEL2, IDC_ABOUT_INFOLABEL3}) fit_to_text(control(id));
    Label1_->use_layout_font(layout_font());
}

void TAboutBox1::OKButtonClick() { close(); }

void TAboutBox1::draw_panel(const DRAWITEMSTRUCT& item) const {
    RECT r = item.rcItem;
    FillRect(item.hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(item.hDC, &r, EDGE_ETCHED, BF_RECT);  // outer edge lowered, inner raised
}

INT_PTR TAboutBox1::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wparam) == IDOK) {
                OKButtonClick();
                return TRUE;
            }
            break;
        case WM_DRAWITEM:
            if (wparam == IDC_ABOUT_PANEL1) {
                draw_panel(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
                return TRUE;
            }
            break;
    }
    return ModalDialog::handle_message(message, wparam, lparam);
}

}  // namespace tamga
