#include "hotkey/HotkeyModel.h"

#include "base/LenientNumber.h"

namespace {
// The settings file is read into a 32-character buffer, so no more than 31
// characters of the key part can ever have been seen.
constexpr size_t kKeyPartLimit = 31;

const wchar_t* const kNoHotkey = L"\u65E0";

struct NamedKey {
    int32_t vk;
    const wchar_t* name;
};

// Codes named one by one; digits, letters, keypad digits and F-keys are runs.
constexpr NamedKey kNamedKeys[] = {
    {8, L"Back"},          {9, L"Tab"},         {13, L"Enter"},     {16, L"Shift"},
    {17, L"Ctrl"},         {18, L"Alt"},        {19, L"Pause Break"}, {20, L"Caps"},
    {27, L"Esc"},          {33, L"Page Up"},    {34, L"Page Down"}, {35, L"End"},
    {36, L"Home"},         {37, L"Left"},       {38, L"Up"},        {39, L"Right"},
    {40, L"Down"},         {45, L"Insert"},     {46, L"Del"},       {91, L"LWin"},
    {92, L"RWin"},         {106, L"Num *"},     {107, L"Num +"},    {109, L"Num -"},
    {110, L"Num Del"},     {111, L"Num /"},     {144, L"Num Lock"}, {145, L"Scroll Lock"},
    {186, L";"},           {187, L"+"},         {188, L","},        {189, L"-"},
    {190, L"."},           {191, L"/"},         {192, L"`"},        {219, L"["},
    {220, L"\\"},          {221, L"]"},         {222, L"'"},
};

bool InRange(int32_t vk, int32_t first, int32_t last) { return vk >= first && vk <= last; }

bool Contains(const std::wstring& text, const wchar_t* word) {
    return text.find(word) != std::wstring::npos;
}
}  // namespace

const wchar_t* HotkeyIniKey(HotkeyId id) {
    switch (id) {
        case HotkeyId::Boss: return L"ShortKey";
        case HotkeyId::Switch: return L"AltWndKey";
        case HotkeyId::Sound: return L"SndKey";
        case HotkeyId::Shot: return L"ShotKey";
    }
    return L"";
}

const wchar_t* HotkeyDefaultText(HotkeyId id) {
    switch (id) {
        case HotkeyId::Boss: return L"0,121";
        case HotkeyId::Switch: return L"2,9";
        case HotkeyId::Sound: return L"2,81";
        case HotkeyId::Shot: return L"0,123";
    }
    return L"0,0";
}

bool ActsWhereverTheFocusIs(HotkeyId id) { return id != HotkeyId::Switch; }

bool PlainKeyBelongsToHook(const HotkeySet& keys, int32_t vk) {
    for (HotkeyId id : kHotkeyIds)
        if (ActsWhereverTheFocusIs(id) && keys[id].vk == vk && keys[id].modifiers == 0) return true;
    return false;
}

HotkeyRecord ParseHotkeyText(const std::wstring& text) {
    const size_t comma = text.find(L',');
    HotkeyRecord record;
    record.modifiers = ParseLenientInt(text.substr(0, comma));
    record.vk = comma == std::wstring::npos
                    ? 0
                    : ParseLenientInt(text.substr(comma + 1, kKeyPartLimit));
    return record;
}

std::wstring HotkeyToText(const HotkeyRecord& record) {
    return std::to_wstring(record.modifiers) + L"," + std::to_wstring(record.vk);
}

std::wstring GetKeyName(int32_t vk) {
    if (InRange(vk, 48, 57) || InRange(vk, 65, 90)) return std::wstring(1, static_cast<wchar_t>(vk));
    if (InRange(vk, 96, 105)) return L"Num " + std::to_wstring(vk - 96);
    if (InRange(vk, 112, 123)) return L"F" + std::to_wstring(vk - 111);
    for (const NamedKey& key : kNamedKeys)
        if (key.vk == vk) return key.name;
    return std::wstring();
}

std::wstring FormatHotkey(const HotkeyRecord& record) {
    if (record.vk == 0) return kNoHotkey;
    std::wstring text;
    if (record.modifiers & kModCtrl) text += L"Ctrl  +  ";
    if (record.modifiers & kModShift) text += L"Shift  +  ";
    if (record.modifiers & kModAlt) text += L"Alt  +  ";
    return text + GetKeyName(record.vk);
}

bool IsAssignableKey(int32_t vk, HotkeyId field) {
    if (vk == 9) return field == HotkeyId::Switch;
    // F12 clears the boss and sound fields; the screenshot key is F12 unless
    // the player picks another.
    if (vk == 123) return field == HotkeyId::Shot;
    return InRange(vk, 112, 122) || InRange(vk, 48, 57) || InRange(vk, 65, 90) ||
           InRange(vk, 33, 40) || vk == 45 || vk == 20 || InRange(vk, 186, 192) ||
           InRange(vk, 219, 222) || vk == 144 || InRange(vk, 96, 107) ||
           InRange(vk, 109, 111);
}

HotkeyRecord HotkeyFromDisplayText(const std::wstring& display, int32_t rememberedVk) {
    HotkeyRecord record;
    record.modifiers = (Contains(display, L"Ctrl") ? kModCtrl : 0) |
                       (Contains(display, L"Shift") ? kModShift : 0) |
                       (Contains(display, L"Alt") ? kModAlt : 0);
    record.vk = Contains(display, kNoHotkey) ? 0 : rememberedVk;
    return record;
}
