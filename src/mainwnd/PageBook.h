#pragma once
// The bookkeeping of a main window's pages: captions registered by login
// pages, pages attached by game frames, and keeping the two aligned.
//
// A login page registers its caption before its game frame attaches, and
// nothing ties the two messages together but the child's process. So a
// registration waits, tagged with the login process the main window started,
// until a frame of that process attaches; a frame of any other process gets
// no page. A registration whose process has ended is dropped, and a page
// whose window is gone is removed with its caption. The tab strip thus never reads
// a caption without a page, and an accepted login that never attached does
// not block its account.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/PageZoomSteps.h"

// A main window holds at most this many game pages; a further account opens
// in a main window of its own.
constexpr int kMaxPages = 3;

class PageBook {
public:
    using Frame = uintptr_t;

    // A login page's caption; false when an equal caption (exactly, letter
    // case counts) is held by a page or waits for one.
    bool Register(const std::wstring& caption, uint32_t processId);

    // A game frame attached: appended as the last page with the caption its
    // process registered, and its index returned. -1, with nothing changed,
    // when its process (0: none known) has no registration waiting: only a
    // login this main window accepted becomes a page. `anyWaiting` (a test's
    // stand-in pages) takes the oldest waiting caption instead, or none.
    int Attach(Frame frame, uint32_t processId, bool anyWaiting = false);

    // Removes page i with its caption; returns its frame.
    Frame Remove(int index);

    // Drops waiting registrations whose process has ended (those of an
    // unknown process, 0, stay).
    void DropWaiting(const std::function<bool(uint32_t processId)>& processAlive);
    // Removes pages whose window is gone; returns their indexes, highest first.
    std::vector<int> RemoveDead(const std::function<bool(Frame)>& windowAlive);

    int count() const { return static_cast<int>(m_pages.size()); }
    Frame frame(int i) const { return m_pages[static_cast<size_t>(i)].frame; }
    const std::wstring& caption(int i) const { return m_pages[static_cast<size_t>(i)].caption; }
    // The page's account is muted on its own (besides the window-wide mute).
    bool muted(int i) const { return m_pages[static_cast<size_t>(i)].muted; }
    void SetMuted(int i, bool muted) { m_pages[static_cast<size_t>(i)].muted = muted; }
    // The zoom the player gave the page's account, in percent of the display's scale.
    int zoom(int i) const { return m_pages[static_cast<size_t>(i)].zoomPercent; }
    void SetZoom(int i, int percent) { m_pages[static_cast<size_t>(i)].zoomPercent = percent; }
    int IndexOf(Frame frame) const;
    size_t waiting() const { return m_waiting.size(); }
    // Whether process `processId` (not 0) has a registration waiting.
    bool HasWaiting(uint32_t processId) const;

private:
    struct Page {
        Frame frame;
        std::wstring caption;
        bool muted = false;
        int zoomPercent = kActualZoom;
    };
    struct Waiting {
        std::wstring caption;
        uint32_t processId;
    };
    std::vector<Page> m_pages;
    std::vector<Waiting> m_waiting;
};

// The current page after page `closed` of `countBefore` was removed: the page
// that moved into its place, or the new last page.
int CurrentAfterClose(int closed, int countBefore);
// The current page after the pages at `removedHighestFirst` of `countBefore`
// died together: the page shown stays so when it lives; when it died, the
// page that moved into its place, or the new last page. 0 when none is left.
int CurrentAfterDeaths(int current, int countBefore, const std::vector<int>& removedHighestFirst);
// The next page in turn.
int NextPage(int current, int count);
