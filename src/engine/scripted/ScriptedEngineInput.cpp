// ScriptedEngine, what reaches its page from outside: the mouse, the keys
// offered before any dialog manager sees them, and the tests' commands.
#include "engine/scripted/ScriptedEngine.h"

#include <memory>

#include "engine/PageDpi.h"
#include "engine/scripted/Clipboard.h"
#include "engine/scripted/LifeCheck.h"
#include "engine/scripted/PageKeys.h"
#include "engine/scripted/TestCommandText.h"

namespace scripted {

namespace {

PageEvent EventOf(PointerEventKind kind) {
    switch (kind) {
    case PointerEventKind::Over:
        return PageEvent::MouseOver;
    case PointerEventKind::Out:
        return PageEvent::MouseOut;
    case PointerEventKind::Move:
        return PageEvent::MouseMove;
    case PointerEventKind::Down:
        return PageEvent::MouseDown;
    case PointerEventKind::Up:
        return PageEvent::MouseUp;
    case PointerEventKind::ContextMenu:
        break;
    }
    return PageEvent::ContextMenu;
}

}  // namespace

void ScriptedEngine::Pointer(PointerInput input, POINT point) {
    if (m_closing || !m_page) return;
    const size_t hit = m_page->script.HitTest(CssOfDevice(point.x, m_zoom), CssOfDevice(point.y, m_zoom));
    switch (input) {
    case PointerInput::Move:
        Raise(m_pointer.Move(hit));
        break;
    case PointerInput::LeftDown:
        Raise(m_pointer.LeftDown(hit));
        break;
    case PointerInput::LeftUp:
        Raise(m_pointer.LeftUp(hit));
        break;
    case PointerInput::RightUp:
        Raise(m_pointer.RightUp(hit));
        break;
    case PointerInput::Leave:
        Raise(m_pointer.Leave());
        break;
    }
}

void ScriptedEngine::Raise(const std::vector<PointerStep>& steps) {
    LifeCheck life(m_life);
    const WPARAM pageSerial = m_pageSerial;
    for (const PointerStep& step : steps) {
        // A host call may have let another page in (a modal loop of its own).
        if (life.gone() || m_closing || !m_page || pageSerial != m_pageSerial) return;
        if (step.element >= m_page->elements.size()) return;
        const std::shared_ptr<ScriptedElement> element = m_page->elements[step.element];
        const HRESULT result = m_host.OnPageEvent(EventOf(step.kind), *element);
        if (life.gone()) return;
        if (result != S_OK) continue;
        // A press whose default runs moves the focus there, or away from
        // every element when it cannot take it.
        if (step.kind == PointerEventKind::Down && m_page && pageSerial == m_pageSerial)
            FocusElement(IsFocusable(element->def()) ? step.element : PageScript::kNone);
        if (step.clickOnDefault) element->Click();
        if (step.menuOnDefault) m_host.ShowContextMenu();
    }
}

bool ScriptedEngine::RunTestCommand(const std::wstring& text) {
    if (m_closing) return false;
    const std::optional<TestCommand> command = ParseTestCommand(text);
    if (!command) return false;
    switch (command->verb) {
    case TestVerb::Navigate:
        return Navigate(command->argument);
    case TestVerb::Picture:
        return m_window.SavePicture(command->argument);
    case TestVerb::Fault:
        m_window.FaultSoon();
        return true;
    case TestVerb::Field:
        return FieldHolds(command->argument);
    default:
        break;
    }
    if (!m_page) return false;
    const size_t index = m_page->script.Find(command->argument);
    if (command->verb == TestVerb::Focused) return index != PageScript::kNone && index == m_focus;
    if (index == PageScript::kNone) return false;
    switch (command->verb) {
    case TestVerb::Over:
        Raise(m_pointer.ComeOver(index));
        break;
    case TestVerb::Out:
        Raise(m_pointer.GoOut(index));
        break;
    case TestVerb::Down:
        Raise(m_pointer.Press(index));
        break;
    case TestVerb::Up:
        Raise(m_pointer.Release(index));
        break;
    case TestVerb::Move:
        Raise(m_pointer.MoveOn(index));
        break;
    case TestVerb::Context:
        Raise(m_pointer.AskMenu(index));
        break;
    case TestVerb::Click: {
        const std::shared_ptr<ScriptedElement> element = m_page->elements[index];
        element->Click();
        break;
    }
    case TestVerb::Navigate:
    case TestVerb::Picture:
    case TestVerb::Fault:
    case TestVerb::Focused:
    case TestVerb::Field:
        break;
    }
    return true;
}

bool ScriptedEngine::TranslateAccelerator(const MSG& msg) {
    if (m_closing || !m_page || !m_window.TakesKeys()) return false;
    auto held = [](int vk) { return ::GetKeyState(vk) < 0; };
    const PageKey key{msg.message, msg.wParam, held(VK_CONTROL), held(VK_MENU), held(VK_SHIFT)};
    ScriptedElement* field = FocusedField();
    const bool anyFocusable = NextFocus(m_page->script, PageScript::kNone, false) != PageScript::kNone;
    const PageKeyAction action = DecidePageKey(key, field != nullptr, anyFocusable);
    switch (action) {
    case PageKeyAction::None:
        return false;
    case PageKeyAction::Refresh:
        Refresh();
        return true;
    case PageKeyAction::FocusNext:
    case PageKeyAction::FocusPrevious:
        FocusElement(NextFocus(m_page->script, m_focus, action == PageKeyAction::FocusPrevious));
        return true;
    case PageKeyAction::Copy:
        if (field->field()->HasSelection()) WriteClipboardText(m_window.m_hWnd, field->field()->SelectedText());
        return true;
    case PageKeyAction::Cut:
        if (field->field()->HasSelection() && WriteClipboardText(m_window.m_hWnd, field->field()->SelectedText()))
            EraseBackward(*field->field());
        break;
    case PageKeyAction::Paste:
        TypeIntoField(*field->field(), ReadClipboardText(m_window.m_hWnd));
        break;
    case PageKeyAction::Edit:
        EditField(*field->field(), key);
        break;
    }
    Redraw(field->OffsetRect());
    return true;
}

void ScriptedEngine::FocusElement(size_t index) {
    if (!m_page || index == m_focus) return;
    const size_t count = m_page->elements.size();
    if (m_focus < count) Redraw(m_page->elements[m_focus]->OffsetRect());
    m_focus = index < count ? index : PageScript::kNone;
    if (m_focus < count) Redraw(m_page->elements[m_focus]->OffsetRect());
}

ScriptedElement* ScriptedEngine::FocusedField() const {
    if (!m_page || m_focus >= m_page->elements.size()) return nullptr;
    ScriptedElement* element = m_page->elements[m_focus].get();
    return element->field() ? element : nullptr;
}

bool ScriptedEngine::FieldHolds(const std::wstring& argument) const {
    if (!m_page) return false;
    const size_t blank = argument.find(L' ');
    const size_t index = m_page->script.Find(argument.substr(0, blank));
    if (index == PageScript::kNone) return false;
    const FieldText* field = m_page->elements[index]->field();
    const std::wstring text = blank == std::wstring::npos ? std::wstring() : argument.substr(blank + 1);
    return field && field->text == text;
}

}  // namespace scripted
