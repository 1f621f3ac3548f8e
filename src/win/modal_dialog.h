#pragma once
// A dialog window made once from its template and kept for the whole run:
// each modal showing disables the owner, runs its own message loop until the
// dialog closes, then hides it again. Nothing is reset between showings, so
// the page, scroll position and place on the screen stay as the user left them.
//
// The template's coordinates are pixels at 96 DPI (see res/dialogs.rc): the
// controls land on exactly those pixels whatever the dialog font's dialog
// units are, scaled at other DPIs, and placed again when the DPI changes.
#include "handles.h"

#include <map>
#include <memory>
#include <string>

namespace tamga {

class ModalDialog {
public:
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;
    virtual ~ModalDialog();

    HWND hwnd() const { return hwnd_.get(); }
    // A control of the template by its identifier, wherever it was nested.
    HWND control(int id) const;
    // Its place in the template, at 96 DPI.
    RECT design_bounds(int id) const { return controls_.at(id).bounds; }

    // Returns when the dialog closes. The first showing centres it on the
    // screen; later ones leave it where it was.
    void show_modal(HWND owner);
    bool showing() const { return in_modal_loop_; }
    // The DPI the dialog is laid out for.
    int dpi() const { return dpi_; }

    struct TemplateLayout;

protected:
    ModalDialog();

    // Creates the dialog hidden, owned by `owner`, with every control placed.
    void create(int template_id, HWND owner);
    // Moves control `id` into `container`; its template position is relative to it.
    void nest(int id, int container);
    // Ends the modal showing; the dialog hides, it is not destroyed.
    void close() { close_requested_ = true; }

    // Dialog-procedure semantics: TRUE when handled.
    virtual INT_PTR handle_message(UINT message, WPARAM wparam, LPARAM lparam);
    // After a DPI change has placed the controls again and given them the
    // template's font at the new DPI: fonts and sizes of the dialog's own.
    virtual void scale_changed() {}
    // The template's font at the current DPI.
    HFONT layout_font() const;

private:
    static INT_PTR CALLBACK procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
    void centre_on_screen();
    void place_controls();
    void change_dpi(int dpi, const RECT& suggested);

    struct Placed {
        HWND hwnd;
        RECT bounds;
    };

    UniqueWindow hwnd_;
    std::unique_ptr<TemplateLayout> layout_;
    std::map<int, Placed> controls_;
    UniqueFont font_;
    int dpi_ = 96;
    bool shown_before_ = false;
    bool in_modal_loop_ = false;
    bool close_requested_ = false;
};

// Sizes a label to its text in its current font, keeping its top-left corner.
void fit_to_text(HWND label);

// A string of the program's string table.
std::wstring resource_string(UINT id);

}  // namespace tamga
