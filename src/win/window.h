#pragma once
// Base of every window class of the program: the static window procedure finds
// the object through GWLP_USERDATA and hands each message to `handle_message`.
#include "handles.h"

namespace tamga {

// Whether the client point packed in a mouse message's lParam lies inside the window.
bool client_contains(HWND window, LPARAM point);

// Hands a message that only top-level windows receive (a change of the
// system's colours or theme) to every window inside `window`.
void send_to_descendants(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

class Window {
public:
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window() = default;

    HWND hwnd() const { return hwnd_.get(); }

protected:
    Window() = default;

    struct CreateParams {
        const wchar_t* class_name;
        const wchar_t* title = L"";
        DWORD style = 0;
        DWORD ex_style = 0;
        int x = 0, y = 0, width = 0, height = 0;
        HWND parent = nullptr;
        HMENU menu_or_id = nullptr;
        HCURSOR cursor = LoadCursorW(nullptr, IDC_ARROW);
        HBRUSH background = nullptr;
        HICON icon = nullptr;
        UINT class_style = 0;
    };

    // Registers the class on first use and creates the window bound to this object.
    void create(const CreateParams& params);

    virtual LRESULT handle_message(UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT default_handling(UINT message, WPARAM wparam, LPARAM lparam) {
        return DefWindowProcW(hwnd_.get(), message, wparam, lparam);
    }

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

    UniqueWindow hwnd_;
};

}  // namespace tamga
