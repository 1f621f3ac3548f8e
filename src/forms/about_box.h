#pragma once
// The About window: the program's name, author and version beside its icon,
// and a link to the maker's web page.
#include "application.h"
#include "maker_link.h"
#include "modal_dialog.h"

#include <optional>

namespace tamga {

class TAboutBox1 : public ModalDialog {
public:
    // Created hidden; shown by `show_modal`.
    explicit TAboutBox1(TApplication& application);

    LinkLabel& link() { return *Label1_; }

private:
    INT_PTR handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;

    void OKButtonClick();
    void FormCreate();

    void draw_panel(const DRAWITEMSTRUCT& item) const;
    void use_info_fonts();
    void use_program_icon();
    void scale_changed() override;

    TApplication& app_;
    UniqueFont info_font_;
    UniqueFont info_bold_font_;
    UniqueIcon program_icon_;
    std::optional<MakerLink> Label1_;
};

}  // namespace tamga
