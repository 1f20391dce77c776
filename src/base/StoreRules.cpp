#include "base/StoreRules.h"

#include "base/LenientNumber.h"

uint32_t NextCounterValue(const std::wstring& stored) {
    // Plus one in 64 bits, then as unsigned: the largest signed value steps to
    // 2147483648 instead of overflowing.
    return static_cast<uint32_t>(static_cast<int64_t>(ParseLenientInt(stored)) + 1);
}

bool IsRestDay(uint32_t disableDays, int dayOfWeek) {
    if (disableDays == 0) return false;
    for (int i = 0; i < 3; ++i)
        if (static_cast<int>((disableDays >> (8 * i)) & 0xFF) == dayOfWeek) return true;
    return false;
}
