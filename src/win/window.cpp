#include "window.h"

#include <windowsx.h>

namespace tamga {

void Window::create(const CreateParams& p) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{sizeof existing};
    if (!GetClassInfoExW(instance, p.class_name, &existing)) {
        WNDCLASSEXW wc{sizeof wc};
        wc.style = p.class_style;
        wc.lpfnWndProc = &Window::procedure;
        wc.hInstance = instance;
        wc.hCursor = p.cursor;
        wc.hbrBackground = p.background;
        wc.hIcon = p.icon;
        wc.lpszClassName = p.class_name;
        RegisterClassExW(&wc);
    }
    // The handle is owned from WM_NCCREATE on (see `procedure`), so a window
    // destroyed during creation is never freed twice.
    CreateWindowExW(p.ex_style, p.class_name, p.title, p.style, p.x, p.y, p.width, p.height,
                    p.parent, p.menu_or_id, instance, this);
}

bool client_contains(HWND window, LPARAM point) {
    RECT client;
    GetClientRect(window, &client);
    return PtInRect(&client, POINT{GET_X_LPARAM(point), GET_Y_LPARAM(point)});
}

void send_to_descendants(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    struct Message {
        UINT message;
        WPARAM wparam;
        LPARAM lparam;
    } m{message, wparam, lparam};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM data) -> BOOL {
            const auto& m = *reinterpret_cast<const Message*>(data);
            SendMessageW(child, m.message, m.wparam, m.lparam);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&m));
}

LRESULT Window::handle_message(UINT message, WPARAM wparam, LPARAM lparam) {
    return default_handling(message, wparam, lparam);
}

LRESULT CALLBACK Window::procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_.reset(hwnd);
    }
    if (!self) return DefWindowProcW(hwnd, message, wparam, lparam);
    if (message == WM_NCDESTROY) {
        // The window is going away on its own (or through our deleter): forget it.
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        LRESULT result = self->handle_message(message, wparam, lparam);
        (void)self->hwnd_.release();
        return result;
    }
    return self->handle_message(message, wparam, lparam);
}

}  // namespace tamga
