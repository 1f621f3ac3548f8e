#pragma once
// What the About and Help windows share: the link to the maker's web page
// (its address from the string table, the hover look, opening the address)
// and the eight-point fonts of their texts.
#include "handles.h"
#include "link_label.h"

namespace tamga {

class MakerLink : public LinkLabel {
public:
    // `shell_owner` is the window the shell may use as the owner of
    // whatever it opens for the address.
    MakerLink(HWND label, COLORREF colour, HWND shell_owner);

private:
    void Label1Click();
    void Label1MouseMove();
    void Label1MouseLeave();

    HWND shell_owner_;
};

// An eight-point font of `face` at `dpi`.
UniqueFont eight_point_font(const wchar_t* face, int weight, int dpi);

}  // namespace tamga
