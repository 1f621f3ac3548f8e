#pragma once
// The palette without a mouse. Two global keys: one arms the palette for
// picking a letter with the arrows and Enter while the program in front
// keeps the keyboard, one switches keyboard changing. Brought to the front,
// the palette takes the same keys directly. The selection is drawn on one
// letter and announced to screen readers.
#include "global_hot_key.h"
#include "keyboard_picking.h"
#include "picking_hook.h"

#include <optional>
#include <string>
#include <vector>

namespace tamga {

class TForm1;

class PaletteKeys {
public:
    PaletteKeys(TForm1& palette, const HookThread& thread);
    PaletteKeys(const PaletteKeys&) = delete;
    PaletteKeys& operator=(const PaletteKeys&) = delete;

    // What the user needs to know of each key another program held
    // already; empty when both are the palette's.
    std::vector<std::wstring> taken_keys() const;

    // The palette window's messages of the picking; true when answered.
    bool handle_message(UINT message, WPARAM wparam, LPARAM lparam);

    // A letter clicked with the mouse: a picking ends, the next starts there.
    void clicked(int position);
    // The session was locked, the script changed, ...: a picking ends.
    void end();
    // Each tick: a picking ends once another window has come to the front.
    void tick();

private:
    void arm();
    void start_in_front();
    void key_in_front(WPARAM key, LPARAM flags, bool down);
    void select(int position);
    void ended();

    TForm1& palette_;
    GlobalHotKey arming_key_;
    GlobalHotKey switching_key_;
    PickingHook hook_;
    bool hook_armed_ = false;
    HWND armed_foreground_ = nullptr;
    bool shown_for_picking_ = false;
    std::optional<KeyboardPicking> in_front_;  // the palette itself in front
    int selected_ = 0;  // 0: none
    int last_picked_ = 1;
};

}  // namespace tamga
