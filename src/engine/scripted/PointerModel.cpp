#include "engine/scripted/PointerModel.h"

namespace scripted {

void PointerModel::HoverTo(size_t hit, std::vector<PointerStep>& steps) {
    if (hit == m_hovered) return;
    if (m_hovered != kNone) steps.push_back({PointerEventKind::Out, m_hovered});
    steps.push_back({PointerEventKind::Over, hit});
    m_hovered = hit;
}

std::vector<PointerStep> PointerModel::Move(size_t hit) {
    std::vector<PointerStep> steps;
    HoverTo(hit, steps);
    steps.push_back({PointerEventKind::Move, hit});
    return steps;
}

std::vector<PointerStep> PointerModel::LeftDown(size_t hit) {
    std::vector<PointerStep> steps;
    HoverTo(hit, steps);
    auto press = Press(hit);
    steps.insert(steps.end(), press.begin(), press.end());
    return steps;
}

std::vector<PointerStep> PointerModel::LeftUp(size_t hit) {
    std::vector<PointerStep> steps;
    HoverTo(hit, steps);
    auto release = Release(hit);
    steps.insert(steps.end(), release.begin(), release.end());
    return steps;
}

std::vector<PointerStep> PointerModel::RightUp(size_t hit) {
    std::vector<PointerStep> steps;
    HoverTo(hit, steps);
    steps.push_back({PointerEventKind::ContextMenu, hit, false, true});
    return steps;
}

std::vector<PointerStep> PointerModel::Leave() {
    std::vector<PointerStep> steps;
    if (m_hovered != kNone) steps.push_back({PointerEventKind::Out, m_hovered});
    m_hovered = kNone;
    return steps;
}

std::vector<PointerStep> PointerModel::ComeOver(size_t element) {
    std::vector<PointerStep> steps;
    if (m_hovered != kNone && m_hovered != element) steps.push_back({PointerEventKind::Out, m_hovered});
    steps.push_back({PointerEventKind::Over, element});
    steps.push_back({PointerEventKind::Move, element});
    m_hovered = element;
    return steps;
}

std::vector<PointerStep> PointerModel::GoOut(size_t element) {
    if (m_hovered == element) m_hovered = kNone;
    return {{PointerEventKind::Out, element}};
}

std::vector<PointerStep> PointerModel::MoveOn(size_t element) { return {{PointerEventKind::Move, element}}; }

std::vector<PointerStep> PointerModel::Press(size_t element) {
    m_pressed = element;
    return {{PointerEventKind::Down, element}};
}

std::vector<PointerStep> PointerModel::Release(size_t element) {
    const bool click = m_pressed == element;
    m_pressed = kNone;
    return {{PointerEventKind::Up, element, click}};
}

std::vector<PointerStep> PointerModel::AskMenu(size_t element) {
    return {{PointerEventKind::ContextMenu, element, false, true}};
}

void PointerModel::Reset() {
    m_hovered = kNone;
    m_pressed = kNone;
}

}  // namespace scripted
