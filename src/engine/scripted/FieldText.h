#pragma once
// The text of a page's one-line field as the player edits it: a caret, a
// selection (from the anchor to the caret) and the edits a field's keys make.
#include <cstddef>
#include <string>
#include <string_view>

namespace scripted {

struct FieldText {
    // A field holds at most this many characters; a longer paste is cut.
    static constexpr size_t kMaxLength = 1000;

    std::wstring text;
    size_t caret = 0;   // 0 to text.size()
    size_t anchor = 0;  // the selection's other end; the caret's place: none

    size_t SelectionStart() const { return caret < anchor ? caret : anchor; }
    size_t SelectionEnd() const { return caret < anchor ? anchor : caret; }
    bool HasSelection() const { return caret != anchor; }
    std::wstring SelectedText() const;
};

// A field holding `text`, the caret at its end.
FieldText FieldWithText(std::wstring_view text);

// Replaces the selection with `typed` (or inserts it at the caret). A one-line
// field drops line breaks and other control characters; what would pass
// kMaxLength is cut.
void TypeIntoField(FieldText& field, std::wstring_view typed);
// Backspace and Delete: the selection if there is one, else the character
// before (after) the caret.
void EraseBackward(FieldText& field);
void EraseForward(FieldText& field);

enum class CaretMove { Left, Right, Home, End };
// Moves the caret; `extend` (Shift held) keeps the anchor, so the selection
// grows or shrinks, otherwise the selection ends. Left and Right without
// `extend` on a selection land on its edge, as fields do.
void MoveCaret(FieldText& field, CaretMove move, bool extend);
void SelectAll(FieldText& field);

}  // namespace scripted
