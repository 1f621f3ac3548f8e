#include "delivery_route.h"

namespace tamga {
namespace {

constexpr wchar_t folded(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool same_letters(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (folded(a[i]) != folded(b[i])) return false;
    return true;
}

}  // namespace

bool is_edit_class(std::wstring_view window_class) {
    // RichEdit (1.0), RichEdit20A/W, RICHEDIT50W, RICHEDIT60W, ...
    constexpr std::wstring_view rich_edit = L"RichEdit";
    return same_letters(window_class, L"Edit") ||
           (window_class.size() >= rich_edit.size() && same_letters(window_class.substr(0, rich_edit.size()), rich_edit));
}

}  // namespace tamga
