#pragma once
// A flat-faced push button that shows only a picture and never takes the
// keyboard focus, so clicking it leaves the caret where the user typed.
// Its window text names it for screen readers; the text itself is not drawn.
#include "window.h"

#include <functional>
#include <string>

namespace tamga {

class PictureButton : public Window {
public:
    PictureButton(HWND parent, RECT bounds, const std::wstring& accessible_name);

    // Takes ownership of a monochrome bitmap: its black pixels are ink, drawn
    // in the system's button-text colour on the button face; its white ones
    // leave the face showing.
    void set_picture(UniqueBitmap mask);
    HBITMAP picture() const { return picture_.get(); }

    // The one button picked from the keyboard: framed in the system's
    // highlight colour, and announced to a screen reader as it is picked.
    void set_selected(bool selected);

    std::function<void(PictureButton& sender)> OnClick;

protected:
    virtual void FireClick() {
        if (OnClick) OnClick(*this);
    }

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    void paint(HDC dc);

    UniqueBitmap picture_;
    bool tracking_ = false;
    bool pressed_ = false;
    bool selected_ = false;
};

}  // namespace tamga
