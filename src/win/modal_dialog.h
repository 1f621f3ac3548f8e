#pragma once
// A dialog window made once from its template and kept for the whole run:
// each modal showing disables the owner, runs its own message loop until the
// dialog closes, then hides it again. Nothing is reset between showings, so
// the page, scroll position and place on the screen stay as the user left them.
//
// The template's coordinates are pixels (see res/dialogs.rc): the controls
// land on exactly those pixels whatever the dialog font's dialog units are.
#include "handles.h"

#include <map>
#include <string>

namespace tamga {

class ModalDialog {
public:
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;
    virtual ~ModalDialog() { hwnd_.reset(); }

    HWND hwnd() const { return hwnd_.get(); }
    // A control of the template by its identifier, wherever it was nested.
    HWND control(int id) const;

    // Returns when the dialog closes. The first showing centres it on the
    // screen; later ones leave it where it was.
    void show_modal(HWND owner);
    bool showing() const { return in_modal_loop_; }

protected:
    ModalDialog() = default;

    // Creates the dialog hidden, owned by `owner`, with every control placed.
    void create(int template_id, HWND owner);
    // Moves control `id` into `container`; its template position is relative to it.
    void nest(int id, int container);
    // Ends the modal showing; the dialog hides, it is not destroyed.
    void close() { close_requested_ = true; }

    // Dialog-procedure semantics: TRUE when handled.
    virtual INT_PTR handle_message(UINT message, WPARAM wparam, LPARAM lparam);

private:
    static INT_PTR CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    void centre_on_screen();

    struct Placed {
        HWND hwnd;
        RECT bounds;
    };

    UniqueWindow hwnd_;
    std::map<int, Placed> controls_;
    bool shown_before_ = false;
    bool in_modal_loop_ = false;
    bool close_requested_ = false;
};

// Sizes a label to its text in its current font, keeping its top-left corner.
void fit_to_text(HWND label);

// A string of the program's string table.
std::wstring resource_string(UINT id);

}  // namespace tamga
