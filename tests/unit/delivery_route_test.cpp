// Which route a clicked letter takes: edit controls by their class, and the
// choice among the five routes.
#include "delivery_route.h"

#include <gtest/gtest.h>

using namespace tamga;

TEST(EditClasses, TheEditAndRichEditFamiliesWhateverTheCase) {
    for (const wchar_t* name : {L"Edit", L"EDIT", L"edit", L"RichEdit", L"RichEdit20A", L"RichEdit20W",
                                L"RICHEDIT50W", L"RICHEDIT60W", L"richedit20w"})
        EXPECT_TRUE(is_edit_class(name)) << name;
    for (const wchar_t* name : {L"", L"Edi", L"Edit2", L"MyEdit", L"RichEdi", L"xRichEdit20W", L"Scintilla",
                                L"Notepad", L"_WwG", L"SALFRAME", L"Chrome_WidgetWin_1", L"ComboBox", L"Static"})
        EXPECT_FALSE(is_edit_class(name)) << name;
}

TEST(Route, WordDocumentThenEditControlsThenKeyPresses) {
    using enum TargetKind;
    EXPECT_EQ(delivery_route(true, WordDocument), DeliveryRoute::WordPaste);
    EXPECT_EQ(delivery_route(false, WordDocument), DeliveryRoute::WordTypeText);
    EXPECT_EQ(delivery_route(true, EditControl), DeliveryRoute::Paste);
    EXPECT_EQ(delivery_route(false, EditControl), DeliveryRoute::Character);
    EXPECT_EQ(delivery_route(true, Other), DeliveryRoute::Keystroke);
    EXPECT_EQ(delivery_route(false, Other), DeliveryRoute::Keystroke);
    // Nothing is typed for a target that is not there.
    EXPECT_EQ(delivery_route(true, Missing), DeliveryRoute::Paste);
    EXPECT_EQ(delivery_route(false, Missing), DeliveryRoute::Character);
}
