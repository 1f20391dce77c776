#pragma once
// When the portal's notice is shown again: across runs by what the settings
// remember of the last accepted notice, within a run by its showings.
#include <cstdint>
#include <string>

// `storedRecord` is the last accepted record (PopInfo), `storedEnable` its
// state (PopEnable: "0" dismissed by the player). A record that contains the
// stored one is the same notice; an empty record is never shown.
bool ShouldShowNoticeRecord(const std::wstring& record, const std::wstring& storedRecord,
                            const std::wstring& storedEnable);

// How a notice leaves the screen, and what PopEnable becomes then (null:
// left as it is, so a notice closed unseen keeps its fate).
enum class NoticeEnd {
    Dismissed,   // its close button or a click on it: never again
    RanItsCourse,  // shown as often as published: again at the next start
    Unseen,      // nothing to show
};
const wchar_t* PopEnableAfter(NoticeEnd end);

// The showings of one run: the first starts at once, each later one after a
// pause, until the published number is reached (at least one).
class NoticeShowings {
public:
    explicit NoticeShowings(int32_t published) : m_published(published) {}
    // At the end of a showing: true when a pause and another showing follow.
    bool MoreToCome() const { return m_current < m_published; }
    // At the end of a pause.
    void NextShowing() { ++m_current; }
    int32_t current() const { return m_current; }

private:
    int32_t m_published;
    int32_t m_current = 1;
};
