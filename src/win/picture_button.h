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

    // Takes ownership; the bottom-left pixel's colour is drawn transparent.
    void set_picture(UniqueBitmap picture);
    HBITMAP picture() const { return picture_.get(); }

    std::function<void(PictureButton& sender)> OnClick;

protected:
    virtual void FireClick() {
        if (OnClick) OnClick(*this);
    }

private:
    LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;
    void paint(HDC dc);

    UniqueBitmap picture_;
    COLORREF transparent_ = RGB(255, 255, 255);
    bool tracking_ = false;
    bool pressed_ = false;
};

}  // namespace tamga
