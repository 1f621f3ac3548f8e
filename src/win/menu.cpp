#include "menu.h"

#include "radio_group.h"

#include <vector>

namespace tamga {

namespace {

// The submenu that directly holds the item `id`, or null.
HMENU parent_of(HMENU menu, UINT id) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (GetMenuItemID(menu, i) == id) return menu;
        if (HMENU sub = GetSubMenu(menu, i))
            if (HMENU found = parent_of(sub, id)) return found;
    }
    return nullptr;
}

}  // namespace

void set_menu_check(HMENU root, UINT id, bool checked, RadioGroupOf radio_group_of) {
    HMENU parent = parent_of(root, id);
    if (!parent) return;
    std::vector<MarkedItem> items;
    const int count = GetMenuItemCount(parent);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{sizeof info};
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID;
        GetMenuItemInfoW(parent, i, TRUE, &info);
        items.push_back({info.wID, (info.fType & MFT_RADIOCHECK) != 0, radio_group_of(info.wID),
                         (info.fState & MFS_CHECKED) != 0});
    }
    apply_check(items, id, checked);
    for (int i = 0; i < count; ++i)
        CheckMenuItem(parent, i, MF_BYPOSITION | (items[i].checked ? MF_CHECKED : MF_UNCHECKED));
}

bool menu_checked(HMENU root, UINT id) {
    HMENU parent = parent_of(root, id);
    return parent && (GetMenuState(parent, id, MF_BYCOMMAND) & MF_CHECKED);
}

void set_menu_caption(HMENU root, UINT id, const std::wstring& caption) {
    HMENU parent = parent_of(root, id);
    if (!parent) return;
    MENUITEMINFOW info{sizeof info};
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(caption.c_str());
    SetMenuItemInfoW(parent, id, FALSE, &info);
}

std::wstring menu_caption(HMENU root, UINT id) {
    HMENU parent = parent_of(root, id);
    if (!parent) return {};
    MENUITEMINFOW info{sizeof info};
    info.fMask = MIIM_STRING;
    GetMenuItemInfoW(parent, id, FALSE, &info);  // asks for the length
    std::wstring text(info.cch + 1, L'\0');
    info.cch += 1;
    info.dwTypeData = text.data();
    GetMenuItemInfoW(parent, id, FALSE, &info);
    text.resize(info.cch);
    return text;
}

}  // namespace tamga
