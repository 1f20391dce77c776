#include "extras/NoticeRecord.h"

#include <array>

#include "base/LenientNumber.h"

namespace {
bool StartsWithNoCase(const std::wstring& text, const wchar_t* prefix) {
    size_t i = 0;
    for (; prefix[i]; ++i) {
        if (i >= text.size()) return false;
        wchar_t c = text[i];
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
        if (c != prefix[i]) return false;
    }
    return true;
}
}  // namespace

std::wstring TrimNoticeText(const std::wstring& fetched) {
    size_t end = fetched.size();
    while (end > 0 && (fetched[end - 1] == L'\r' || fetched[end - 1] == L'\n')) --end;
    std::wstring record = fetched.substr(0, end);
    if (record.find_first_of(L"\r\n") != std::wstring::npos) return std::wstring();
    return record;
}

std::optional<NoticeRecord> ParseNoticeRecord(const std::wstring& record) {
    std::array<std::wstring, 6> fields;
    size_t start = 0;
    for (std::wstring& field : fields) {
        const size_t bar = record.find(L'|', start);
        if (bar == std::wstring::npos) return std::nullopt;
        field = record.substr(start, bar - start);
        start = bar + 1;
    }
    const std::array<size_t, 6> limits{NoticeFieldLimits::kId,   NoticeFieldLimits::kLastDay,
                                       NoticeFieldLimits::kTitle, NoticeFieldLimits::kLink,
                                       NoticeFieldLimits::kText,  NoticeFieldLimits::kPicture};
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].size() > limits[i]) return std::nullopt;

    NoticeRecord notice;
    notice.id = fields[0];
    notice.lastDay = fields[1];
    notice.title = fields[2];
    notice.link = fields[3];
    notice.text = fields[4];
    notice.picture = fields[5];
    notice.showings = ParseLenientInt(record.substr(start));
    return notice;
}

bool IsOpenableNoticeLink(const std::wstring& link) {
    const wchar_t* const schemes[] = {L"http://", L"https://"};
    for (const wchar_t* scheme : schemes)
        if (StartsWithNoCase(link, scheme) && link.size() > std::wstring(scheme).size()) return true;
    return false;
}
