#pragma once
// A notice's last day against today's date, both as "yyyy-mm-dd" texts
// (anything after a blank is ignored, the numbers are read leniently).
#include <cstdint>
#include <string>

// The form today's local date is compared in: "%04d-%02d-%02d".
std::wstring FormatNoticeDay(int32_t year, int32_t month, int32_t day);

// True when `today` lies after `lastDay`, compared by year, then month, then
// day. A last day without its two "-" can never be met: it counts as past.
bool IsPastLastDay(const std::wstring& lastDay, const std::wstring& today);
