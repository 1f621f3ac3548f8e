#pragma once
// The Help window: two tabbed pages of pictures (the alphabet chart in its
// scroll box, and what the program does with the keys it remaps) and a link
// to the maker's web page.
#include "application.h"
#include "maker_link.h"
#include "modal_dialog.h"

#include <memory>
#include <optional>

namespace tamga {

class PicturePage;
class PictureScrollBox;

class THelp1 : public ModalDialog {
public:
    // Created hidden, on its first page; shown by `show_modal`.
    explicit THelp1(TApplication& application);
    ~THelp1() override;

    LinkLabel& link() { return *Label1_; }

private:
    INT_PTR handle_message(UINT message, WPARAM wparam, LPARAM lparam) override;

    void Button1Click();
    void FormCreate();

    void show_selected_page();
    void set_page_caption(int index, const std::wstring& caption);
    bool wheel_over_chart(WPARAM wparam, LPARAM lparam);
    void use_tab_font();
    void place_chart();
    void scale_changed() override;

    TApplication& app_;
    UniqueFont tab_font_;
    std::unique_ptr<PicturePage> TabSheet1_;
    std::unique_ptr<PicturePage> TabSheet2_;
    std::unique_ptr<PictureScrollBox> ScrollBox1_;
    std::optional<MakerLink> Label1_;
};

}  // namespace tamga
