#include "mainwnd/PageBook.h"

#include <algorithm>

bool PageBook::Register(const std::wstring& caption, uint32_t processId) {
    for (const Page& p : m_pages)
        if (p.caption == caption) return false;
    for (const Waiting& w : m_waiting)
        if (w.caption == caption) return false;
    m_waiting.push_back(Waiting{caption, processId});
    return true;
}

int PageBook::Attach(Frame frame, uint32_t processId, bool anyWaiting) {
    std::wstring caption;
    auto own = std::find_if(m_waiting.begin(), m_waiting.end(),
                            [&](const Waiting& w) { return w.processId == processId && processId != 0; });
    if (own == m_waiting.end() && !anyWaiting) return -1;
    if (own == m_waiting.end()) own = m_waiting.begin();
    if (own != m_waiting.end()) {
        caption = own->caption;
        m_waiting.erase(own);
    }
    m_pages.push_back(Page{frame, caption});
    return count() - 1;
}

bool PageBook::HasWaiting(uint32_t processId) const {
    return processId != 0 && std::any_of(m_waiting.begin(), m_waiting.end(),
                                         [&](const Waiting& w) { return w.processId == processId; });
}

PageBook::Frame PageBook::Remove(int index) {
    const Frame f = frame(index);
    m_pages.erase(m_pages.begin() + index);
    return f;
}

void PageBook::DropWaiting(const std::function<bool(uint32_t)>& processAlive) {
    m_waiting.erase(std::remove_if(m_waiting.begin(), m_waiting.end(),
                                   [&](const Waiting& w) { return w.processId != 0 && !processAlive(w.processId); }),
                    m_waiting.end());
}

std::vector<int> PageBook::RemoveDead(const std::function<bool(Frame)>& windowAlive) {
    std::vector<int> removed;
    for (int i = count() - 1; i >= 0; --i) {
        if (windowAlive(frame(i))) continue;
        Remove(i);
        removed.push_back(i);
    }
    return removed;
}

int PageBook::IndexOf(Frame f) const {
    for (int i = 0; i < count(); ++i)
        if (frame(i) == f) return i;
    return -1;
}

int CurrentAfterClose(int closed, int countBefore) {
    const int countAfter = countBefore - 1;
    if (countAfter <= 0) return 0;
    return closed < countAfter ? closed : countAfter - 1;
}

int CurrentAfterDeaths(int current, int countBefore, const std::vector<int>& removedHighestFirst) {
    // Each page gone before the current one moves it one place down; a
    // current page that died is then where its successor stands, unless it
    // was the last.
    for (int index : removedHighestFirst) {
        if (index < current) --current;
    }
    const int left = countBefore - static_cast<int>(removedHighestFirst.size());
    return std::max(0, std::min(current, left - 1));
}

int NextPage(int current, int count) { return count > 0 ? (current + 1) % count : 0; }
