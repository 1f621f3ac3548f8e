#pragma once
// A label that stands for a web address: bold text in the layout's font, a
// hand cursor, the address as its tooltip, and mouse events that let its
// window change the label's colour and underline as the pointer comes and goes.
// It takes over a static control (SS_NOTIFY) of a dialog template and sizes
// it to its text.
#include "control_subclass.h"

#include <functional>
#include <string>

namespace tamga {

// The look of a link under the pointer, and away from it.
inline constexpr COLORREF kLinkHoverColour = RGB(0, 0, 255);
inline constexpr COLORREF kLinkRestColour = RGB(0, 0, 0);

class LinkLabel : public ControlSubclass {
public:
    LinkLabel(HWND label, std::wstring hint, COLORREF colour);

    // The full address, shown as the tooltip.
    const std::wstring& hint() const { return hint_; }
    COLORREF colour() const { return colour_; }
    bool underlined() const { return underlined_; }
    // Bold in either case.
    void set_look(COLORREF colour, bool underlined);
    // The bold text follows this font (the layout's, as at a new DPI).
    void use_layout_font(HFONT layout);

    std::function<void(LinkLabel& sender)> OnClick;
    // Every movement of the pointer over the label.
    std::function<void(LinkLabel& sender)> OnMouseMove;
    std::function<void(LinkLabel& sender)> OnMouseLeave;

protected:
    virtual void FireClick() {
        if (OnClick) OnClick(*this);
    }
    virtual void FireMouseMove() {
        if (OnMouseMove) OnMouseMove(*this);
    }
    virtual void FireMouseLeave() {
        if (OnMouseLeave) OnMouseLeave(*this);
    }

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    void paint(HDC dc);
    void use_font();

    std::wstring hint_;
    COLORREF colour_;
    bool underlined_ = false;
    LOGFONTW layout_font_{};
    UniqueFont font_;
    UniqueWindow tooltip_;
    bool tracking_leave_ = false;
    bool pressed_ = false;
};

}  // namespace tamga
