#pragma once
// Which page events the mouse raises, and on which element: the hover and
// press state of one document, kept apart from the window that feeds it.
// Elements are indices into the document's element list.
#include <cstddef>
#include <vector>

namespace scripted {

enum class PointerEventKind { Over, Out, Move, Down, Up, ContextMenu };

struct PointerStep {
    PointerEventKind kind;
    size_t element;
    // When the host lets the event's default action run: an Up on the element
    // the press began on is a click (its link is followed); a ContextMenu
    // shows the menu.
    bool clickOnDefault = false;
    bool menuOnDefault = false;
};

class PointerModel {
public:
    static constexpr size_t kNone = static_cast<size_t>(-1);

    // The real mouse, with the element under it. Each first moves the hover
    // to that element: mouse-out on the old one, mouse-over on the new.
    std::vector<PointerStep> Move(size_t hit);     // ... then mouse-move
    std::vector<PointerStep> LeftDown(size_t hit); // ... then mouse-down
    std::vector<PointerStep> LeftUp(size_t hit);   // ... then mouse-up
    std::vector<PointerStep> RightUp(size_t hit);  // ... then context-menu
    // The mouse left the window (or another window took its messages).
    std::vector<PointerStep> Leave();

    // Test commands: one event each, except ComeOver, which is mouse-out on
    // another hovered element, mouse-over, then a move, even when the element
    // is hovered already.
    std::vector<PointerStep> ComeOver(size_t element);
    std::vector<PointerStep> GoOut(size_t element);
    std::vector<PointerStep> MoveOn(size_t element);
    std::vector<PointerStep> Press(size_t element);
    std::vector<PointerStep> Release(size_t element);
    std::vector<PointerStep> AskMenu(size_t element);

    // A new document: nothing is hovered or pressed, and no events are due.
    void Reset();
    size_t hovered() const { return m_hovered; }
    size_t pressed() const { return m_pressed; }

private:
    void HoverTo(size_t hit, std::vector<PointerStep>& steps);

    size_t m_hovered = kNone;
    size_t m_pressed = kNone;
};

}  // namespace scripted
