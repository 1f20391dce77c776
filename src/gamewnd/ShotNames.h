#pragma once
// The file names of screenshots: "<caption>-<YYYYMMDD-HHMMSS>.png" in the
// player's Pictures folder, under kShotSubfolder. A name that is taken gets
// a counter: "<caption>-<stamp> (2).png", " (3)", and so on.
#include <string>

// The folder the launcher keeps its screenshots in, inside Pictures.
extern const wchar_t kShotSubfolder[];  // L"Ferrowind"

// A moment in local time, as the system clock gives it.
struct ShotTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0;
};

// "YYYYMMDD-HHMMSS", each field zero-padded to its width.
std::wstring ShotTimeStamp(const ShotTime& time);

// `text` as part of a file name: the characters no file name may hold
// (control characters and < > : " / \ | ? *) become "_", and it is cut to
// kMaxCaptionChars (never between the two halves of a character).
std::wstring FileNamePart(const std::wstring& text);
constexpr size_t kMaxCaptionChars = 64;

// The name of try `attempt` (from 1, which has no counter) of a screenshot of
// the page with tab caption `caption`; a page without a caption is named
// after the game.
std::wstring ShotFileName(const std::wstring& caption, const ShotTime& time, int attempt);
// How many names are tried before saving gives up.
constexpr int kMaxShotAttempts = 100;
