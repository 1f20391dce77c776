// Fuzz target: the portal's notice as fetched (bytes in the ANSI code page
// or UTF-8; here decoded as UTF-8), its fields, its last day and the repeat
// rule against what the settings remember.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "base/Utf8Text.h"
#include "extras/NoticeDate.h"
#include "extras/NoticeRecord.h"
#include "extras/NoticeRepeat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring fetched = text::DecodeUtf8(std::string(reinterpret_cast<const char*>(data), size));
    const std::wstring record = TrimNoticeText(fetched);
    if (const auto notice = ParseNoticeRecord(record)) {
        // Accepted fields always fit the dialog's buffers.
        if (notice->id.size() > NoticeFieldLimits::kId || notice->lastDay.size() > NoticeFieldLimits::kLastDay ||
            notice->title.size() > NoticeFieldLimits::kTitle || notice->link.size() > NoticeFieldLimits::kLink ||
            notice->text.size() > NoticeFieldLimits::kText || notice->picture.size() > NoticeFieldLimits::kPicture)
            std::abort();
        (void)IsPastLastDay(notice->lastDay, FormatNoticeDay(2026, 12, 7));
        (void)IsOpenableNoticeLink(notice->link);
        NoticeShowings showings(notice->showings);
        for (int i = 0; i < 3 && showings.MoreToCome(); ++i) showings.NextShowing();
    }
    (void)IsPastLastDay(fetched, fetched);
    (void)ShouldShowNoticeRecord(record, fetched, L"0");
    (void)ShouldShowNoticeRecord(record, record.substr(0, record.size() / 2), L"1");
    return 0;
}
