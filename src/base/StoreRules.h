#pragma once
// The text forms of the settings store that need no platform: the usage
// counters' update rule and the rest-day bytes.
#include <cstdint>
#include <string>

// The next value of a usage counter from its stored text: read as a signed
// decimal (leniently, saturating at the 32-bit limits), plus one, as unsigned.
// "abc" gives 1; "4294967295" reads as 2147483647 and gives 2147483648.
uint32_t NextCounterValue(const std::wstring& stored);

// Whether the rest-day value (bytes 0..2 day-of-week numbers, byte 3 zero)
// makes `dayOfWeek` (0 Sunday .. 6 Saturday) a rest day. 0 rests on no day.
bool IsRestDay(uint32_t disableDays, int dayOfWeek);
