#include "letter_tips.h"

#include "display_dpi.h"
#include "letter_tip.h"

#include <string>

namespace tamga {
namespace {

// Any width makes a tip multi-line; this one breaks lines only where the
// text does, at every display scale.
constexpr int kUnwrappedWidth = SHRT_MAX;
// A little more room around the text than the tooltip's own, at 96 DPI.
constexpr int kTextMargin = 3;

}  // namespace

LetterTips::LetterTips(HWND palette, HookMode mode) : mode_(mode) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES};  // brings the tooltip class
    InitCommonControlsEx(&controls);
    // Always tips: the palette is never the active window.
    tooltip_.reset(CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, palette, nullptr, GetModuleHandleW(nullptr), nullptr));
    SendMessageW(tooltip_.get(), TTM_SETMAXTIPWIDTH, 0, kUnwrappedWidth);
    const int margin = scaled(kTextMargin, dpi_of(palette));
    RECT margins{margin, margin / 2, margin, margin / 2};
    SendMessageW(tooltip_.get(), TTM_SETMARGIN, 0, reinterpret_cast<LPARAM>(&margins));
}

void LetterTips::add(HWND button, ButtonSlot slot) {
    tools_.push_back({button, slot});
    set_text(tools_.back(), TTM_ADDTOOLW);
}

void LetterTips::set_mode(HookMode mode) {
    mode_ = mode;
    for (const Tool& tool : tools_) set_text(tool, TTM_UPDATETIPTEXTW);
}

// The tooltip keeps its own copy of the text.
void LetterTips::set_text(const Tool& tool, UINT message) {
    std::wstring text = letter_tip(tool.slot.row, tool.slot.position,
                                   mode_ == HookMode::Letters ? KeyChangingMode::Letters : KeyChangingMode::Pairs);
    TTTOOLINFOW info{sizeof info};
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(tool.button);
    info.uId = reinterpret_cast<UINT_PTR>(tool.button);
    info.lpszText = text.data();
    SendMessageW(tooltip_.get(), message, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace tamga
