#pragma once
// Which row of an HTML dialog's page-event table handles an event: the
// matcher behind CDHtmlDialog's event map, with no browser.
#include <cstddef>
#include <string>

// One row of a page-event table, as the matcher sees it.
struct PageEventRow {
    bool byClass;         // the element's class attribute must equal `name` exactly
    long dispid;          // the event
    const wchar_t* name;  // class, or tag (compared ignoring letter case)
};

// The first row that handles `dispid` for an element of this class attribute
// and tag, or -1.
int FindPageEventRow(const PageEventRow* rows, size_t count, long dispid, const std::wstring& classAttribute,
                     const std::wstring& tagName);
