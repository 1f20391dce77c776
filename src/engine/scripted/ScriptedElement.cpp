#include "engine/scripted/ScriptedElement.h"

#include <utility>

namespace scripted {

ScriptedElement::ScriptedElement(ElementDef def, std::weak_ptr<ElementOwner> owner)
    : m_def(std::move(def)), m_owner(std::move(owner)) {
    if (m_def.IsField()) m_field = FieldWithText(m_def.text);
}

RECT ScriptedElement::OffsetRect() const {
    return RECT{m_def.x, m_def.y, m_def.x + m_def.width, m_def.y + m_def.height};
}

bool ScriptedElement::SetBackgroundPositionX(long pixels) {
    if (m_backgroundX == pixels) return true;
    m_backgroundX = pixels;
    if (auto owner = m_owner.lock()) owner->Redraw(OffsetRect());
    return true;
}

void ScriptedElement::Click() {
    if (m_def.disabled || m_def.href.empty()) return;
    if (auto owner = m_owner.lock()) owner->FollowLink(m_def.href, m_def.inFrame);
}

void ScriptedElement::SetImage(fw::BitmapHandle image, SIZE size) {
    m_image = std::move(image);
    m_imageSize = m_image ? size : SIZE{0, 0};
    if (auto owner = m_owner.lock()) owner->Redraw(OffsetRect());
}

void ScriptedElement::SetSize(int width, int height) {
    m_def.width = width;
    m_def.height = height;
}

}  // namespace scripted
