#include "extras/NoticeRepeat.h"

bool ShouldShowNoticeRecord(const std::wstring& record, const std::wstring& storedRecord,
                            const std::wstring& storedEnable) {
    if (record.empty()) return false;
    if (storedRecord.empty() || record.find(storedRecord) == std::wstring::npos) return true;  // a new notice
    return storedEnable != L"0";
}

const wchar_t* PopEnableAfter(NoticeEnd end) {
    switch (end) {
    case NoticeEnd::Dismissed: return L"0";
    case NoticeEnd::RanItsCourse: return L"1";
    case NoticeEnd::Unseen: break;
    }
    return nullptr;
}
