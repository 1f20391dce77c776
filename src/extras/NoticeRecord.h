#pragma once
// The portal's notice: one line of seven fields separated by "|" (identifier,
// last day, title, link, text, picture address, showings), and what of it the
// launcher accepts.
#include <cstdint>
#include <optional>
#include <string>

struct NoticeRecord {
    std::wstring id;
    std::wstring lastDay;  // "yyyy-mm-dd", optionally followed by a blank and anything
    std::wstring title;
    std::wstring link;     // may be empty
    std::wstring text;     // may be empty
    std::wstring picture;  // address of a picture; may be empty
    int32_t showings = 0;  // everything after the sixth "|", read leniently
};

// The longest each field may be; a longer one makes the whole record unusable,
// since a cut field would be another notice than the one published.
struct NoticeFieldLimits {
    static constexpr size_t kId = 31;
    static constexpr size_t kLastDay = 15;
    static constexpr size_t kTitle = 63;
    static constexpr size_t kLink = 511;
    static constexpr size_t kText = 511;
    static constexpr size_t kPicture = 511;
};

// The record as fetched, without the line end an editor leaves after it.
// Empty when a line break remains inside: such a record would not survive
// being stored as one settings value, and is no single notice.
std::wstring TrimNoticeText(const std::wstring& fetched);

// The fields of a record, or nothing when a "|" is missing (six fields are
// not enough) or a field is longer than its limit.
std::optional<NoticeRecord> ParseNoticeRecord(const std::wstring& record);

// Whether a notice's link may be handed to the shell: web addresses only, so
// that a notice can never start a program or open a local file.
bool IsOpenableNoticeLink(const std::wstring& link);
