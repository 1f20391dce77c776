#include <gtest/gtest.h>

#include "engine/scripted/PageKeys.h"

using namespace scripted;

namespace {
constexpr unsigned kKeyDown = 0x100, kChar = 0x102;
constexpr uintptr_t kBack = 0x08, kTab = 0x09, kLeft = 0x25, kUp = 0x26, kDelete = 0x2E, kF5 = 0x74;

PageKey Key(unsigned message, uintptr_t wParam, bool ctrl = false, bool alt = false, bool shift = false) {
    return PageKey{message, wParam, ctrl, alt, shift};
}

FieldText Edited(const wchar_t* text, size_t caret, std::initializer_list<PageKey> keys) {
    FieldText field = FieldWithText(text);
    field.caret = field.anchor = caret;
    for (const PageKey& key : keys) EditField(field, key);
    return field;
}
}  // namespace

TEST(PageKeys, TabIsThePagesOnlyWhenSomethingCanTakeTheFocusAndFieldsTakeOnlyEditingKeys) {
    EXPECT_EQ(DecidePageKey(Key(kKeyDown, kTab), false, true), PageKeyAction::FocusNext);
    EXPECT_EQ(DecidePageKey(Key(kKeyDown, kTab, false, false, true), true, true), PageKeyAction::FocusPrevious);
    EXPECT_EQ(DecidePageKey(Key(kKeyDown, kTab), false, false), PageKeyAction::None);
    EXPECT_EQ(DecidePageKey(Key(kKeyDown, kTab, true), true, true), PageKeyAction::None) << "Ctrl+Tab: the host's";
    EXPECT_EQ(DecidePageKey(Key(kKeyDown, kF5), false, false), PageKeyAction::Refresh);

    EXPECT_EQ(DecidePageKey(Key(kKeyDown, 'V', true), true, true), PageKeyAction::Paste);
    EXPECT_EQ(DecidePageKey(Key(kKeyDown, 'C', true), true, true), PageKeyAction::Copy);
    EXPECT_EQ(DecidePageKey(Key(kKeyDown, 'X', true), true, true), PageKeyAction::Cut);
    EXPECT_EQ(DecidePageKey(Key(kKeyDown, 'V', true), false, true), PageKeyAction::None) << "no field focused";
    EXPECT_EQ(DecidePageKey(Key(kKeyDown, 'V', true, true), true, true), PageKeyAction::None) << "AltGr+V types";
    EXPECT_EQ(DecidePageKey(Key(kChar, L'v', true, true), true, true), PageKeyAction::Edit) << "what AltGr typed";
    EXPECT_EQ(DecidePageKey(Key(kChar, 4, true), true, true), PageKeyAction::None) << "Ctrl+D's character";
    EXPECT_EQ(DecidePageKey(Key(kKeyDown, kDelete), true, true), PageKeyAction::Edit);
    EXPECT_EQ(DecidePageKey(Key(kKeyDown, 'A'), true, true), PageKeyAction::None) << "its character comes next";
    EXPECT_EQ(DecidePageKey(Key(kKeyDown, kLeft, false, true), true, true), PageKeyAction::None) << "Alt+Left";
}

TEST(PageKeys, FieldsEditAroundTheCaretAndTheSelection) {
    EXPECT_EQ(Edited(L"ac", 1, {Key(kChar, L'b')}).text, L"abc");
    EXPECT_EQ(Edited(L"abc", 1, {Key(kKeyDown, kBack)}).text, L"bc");
    EXPECT_EQ(Edited(L"abc", 0, {Key(kKeyDown, kBack)}).text, L"abc");
    EXPECT_EQ(Edited(L"abc", 1, {Key(kKeyDown, kDelete)}).text, L"ac");
    EXPECT_EQ(Edited(L"abc", 3, {Key(kKeyDown, kDelete)}).text, L"abc");
    // Shift+Left twice selects "bc"; typing replaces it.
    const PageKey shiftLeft = Key(kKeyDown, kLeft, false, false, true);
    EXPECT_EQ(Edited(L"abc", 3, {shiftLeft, shiftLeft}).SelectedText(), L"bc");
    EXPECT_EQ(Edited(L"abc", 3, {shiftLeft, Key(kChar, L'x')}).text, L"abx");
    EXPECT_EQ(Edited(L"abc", 2, {Key(kKeyDown, 'A', true), Key(kKeyDown, kBack)}).text, L"");
    // Up is Home in one line; Left on a selection lands on its start.
    EXPECT_EQ(Edited(L"abc", 2, {Key(kKeyDown, kUp)}).caret, 0u);
    FieldText field = Edited(L"abcd", 3, {shiftLeft, shiftLeft});
    MoveCaret(field, CaretMove::Left, false);
    EXPECT_EQ(field.caret, 1u);
    EXPECT_FALSE(field.HasSelection());

    FieldText pasted = FieldWithText(L"id:");
    TypeIntoField(pasted, L"lu\r\ncky\t");
    EXPECT_EQ(pasted.text, L"id:lucky") << "a one-line field drops line breaks and tabs";
    TypeIntoField(pasted, std::wstring(FieldText::kMaxLength, L'x'));
    EXPECT_EQ(pasted.text.size(), FieldText::kMaxLength);
    EXPECT_EQ(pasted.caret, FieldText::kMaxLength);
}

TEST(PageKeys, TabStopsAtEnabledFieldsAndLinksInScriptOrderWrappingRound) {
    const PageScript page = ParsePageScript(
        "element box div x=0 y=0 w=9 h=9\n"
        "element name INPUT x=0 y=0 w=9 h=9\n"
        "element off a x=0 y=0 w=9 h=9 href=x disabled\n"
        "element go a x=0 y=0 w=9 h=9 href=x\n"
        "element gone input x=0 y=0 w=9 h=9 disabled\n");
    const size_t name = page.Find(L"name"), go = page.Find(L"go");
    EXPECT_EQ(NextFocus(page, PageScript::kNone, false), name);
    EXPECT_EQ(NextFocus(page, name, false), go);
    EXPECT_EQ(NextFocus(page, go, false), name);
    EXPECT_EQ(NextFocus(page, PageScript::kNone, true), go);
    EXPECT_EQ(NextFocus(page, name, true), go);
    EXPECT_EQ(NextFocus(page, page.Find(L"off"), false), go) << "from an element Tab skips";
    EXPECT_EQ(NextFocus(ParsePageScript("element box div\n"), PageScript::kNone, false), PageScript::kNone);
}
