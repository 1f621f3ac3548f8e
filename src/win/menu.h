#pragma once
// Menus loaded from the resource layouts, with check marks kept by the radio
// rule and Unicode captions set at run time.
#include "handles.h"

#include <string>

namespace tamga {

// The radio group of an item by its identifier; the layouts cannot store it.
using RadioGroupOf = int (*)(UINT id);

// Sets an item's check mark anywhere below `root`, clearing its radio partners.
void set_menu_check(HMENU root, UINT id, bool checked, RadioGroupOf radio_group_of);
bool menu_checked(HMENU root, UINT id);

void set_menu_caption(HMENU root, UINT id, const std::wstring& caption);
std::wstring menu_caption(HMENU root, UINT id);

}  // namespace tamga
