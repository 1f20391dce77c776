#include "gamewnd/ShotNames.h"

#include <cstdio>

const wchar_t kShotSubfolder[] = L"Ferrowind";

namespace {
bool IsForbiddenInFileName(wchar_t c) {
    return c < 0x20 || c == L'<' || c == L'>' || c == L':' || c == L'"' || c == L'/' || c == L'\\' ||
           c == L'|' || c == L'?' || c == L'*';
}

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
}  // namespace

std::wstring ShotTimeStamp(const ShotTime& t) {
    wchar_t text[32] = {};
    std::swprintf(text, 32, L"%04d%02d%02d-%02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
    return text;
}

std::wstring FileNamePart(const std::wstring& text) {
    std::wstring part = text.substr(0, kMaxCaptionChars);
    if (text.size() > kMaxCaptionChars && IsHighSurrogate(part.back())) part.pop_back();
    for (wchar_t& c : part)
        if (IsForbiddenInFileName(c)) c = L'_';
    return part;
}

std::wstring ShotFileName(const std::wstring& caption, const ShotTime& time, int attempt) {
    // The stamp always follows the caption, so that no name is a device
    // name (CON, NUL, ...) and none ends in a dot or a blank.
    std::wstring name = caption.empty() ? kShotSubfolder : FileNamePart(caption);
    name += L"-" + ShotTimeStamp(time);
    if (attempt > 1) name += L" (" + std::to_wstring(attempt) + L")";
    return name + L".png";
}
