#include "engine/scripted/FieldText.h"

namespace scripted {

namespace {
void EraseSelection(FieldText& field) {
    const size_t start = field.SelectionStart();
    field.text.erase(start, field.SelectionEnd() - start);
    field.caret = field.anchor = start;
}
}  // namespace

std::wstring FieldText::SelectedText() const { return text.substr(SelectionStart(), SelectionEnd() - SelectionStart()); }

FieldText FieldWithText(std::wstring_view text) {
    FieldText field;
    TypeIntoField(field, text);
    return field;
}

void TypeIntoField(FieldText& field, std::wstring_view typed) {
    EraseSelection(field);
    std::wstring kept;
    for (wchar_t c : typed) {
        if (c < L' ' || c == 0x7F) continue;
        if (field.text.size() + kept.size() >= FieldText::kMaxLength) break;
        kept += c;
    }
    field.text.insert(field.caret, kept);
    field.caret = field.anchor = field.caret + kept.size();
}

void EraseBackward(FieldText& field) {
    if (!field.HasSelection() && field.caret > 0) field.anchor = field.caret - 1;
    EraseSelection(field);
}

void EraseForward(FieldText& field) {
    if (!field.HasSelection() && field.caret < field.text.size()) field.anchor = field.caret + 1;
    EraseSelection(field);
}

void MoveCaret(FieldText& field, CaretMove move, bool extend) {
    const bool collapseOnEdge = !extend && field.HasSelection();
    switch (move) {
    case CaretMove::Left:
        field.caret = collapseOnEdge ? field.SelectionStart() : field.caret > 0 ? field.caret - 1 : 0;
        break;
    case CaretMove::Right:
        field.caret = collapseOnEdge ? field.SelectionEnd()
                                     : field.caret < field.text.size() ? field.caret + 1 : field.text.size();
        break;
    case CaretMove::Home:
        field.caret = 0;
        break;
    case CaretMove::End:
        field.caret = field.text.size();
        break;
    }
    if (!extend) field.anchor = field.caret;
}

void SelectAll(FieldText& field) {
    field.anchor = 0;
    field.caret = field.text.size();
}

}  // namespace scripted
