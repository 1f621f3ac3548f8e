#include "maker_link.h"

#include "dialog_ids.h"
#include "display_scale.h"
#include "modal_dialog.h"

#include <shellapi.h>

namespace tamga {

MakerLink::MakerLink(HWND label, COLORREF colour, HWND shell_owner)
    : LinkLabel(label, resource_string(IDS_MAKER_ADDRESS), colour), shell_owner_(shell_owner) {
    OnClick = [this](LinkLabel&) { Label1Click(); };
    OnMouseMove = [this](LinkLabel&) { Label1MouseMove(); };
    OnMouseLeave = [this](LinkLabel&) { Label1MouseLeave(); };
}

void MakerLink::Label1Click() {
    // Nothing to report when no browser takes the address.
    ShellExecuteW(shell_owner_, L"open", hint().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void MakerLink::Label1MouseMove() { set_look(kLinkHoverColour, true); }

void MakerLink::Label1MouseLeave() { set_look(kLinkRestColour, false); }

UniqueFont eight_point_font(const wchar_t* face, int weight, int dpi) {
    constexpr int kEightPoints = -11;  // character height in pixels at 96 DPI
    return UniqueFont(CreateFontW(scaled(kEightPoints, dpi), 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face));
}

}  // namespace tamga
