#pragma once
// The notice pop-up's three looks (picture and text, picture only, text only):
// which one a notice gets, its skin, where its labels go, and where the
// window goes on the screen. The labels' numbers are 96-DPI pixels that a
// scale places; the screen placement takes real sizes and needs none.
#include <string>

#include "ui/DpiScale.h"
#include "ui/Geometry.h"

enum class NoticeLayout { PictureAndText, PictureOnly, TextOnly };

NoticeLayout ChooseNoticeLayout(const std::wstring& picture, const std::wstring& text);

// Skin settings of the dialog base and the skin images of a layout.
struct NoticeSkin {
    int captionHeight = 0;
    int border = 0;
    int btnRight = 0;
    int btnTop = 0;
    int btnGap = 0;
    unsigned background = 0;   // skin image id; the window takes its size
    unsigned closeButton = 0;  // skin image id of the four-state close button
};
NoticeSkin NoticeSkinOf(NoticeLayout layout);

// One label of the pop-up; not placed means not shown.
struct NoticeLabel {
    bool placed = false;
    Rect rect;
};

// Where the labels go in a client area of `client` (real) size, and the text
// shown. Labels that reach the right or bottom keep their 96-DPI distance
// from that edge.
// In the picture-only layout the text label carries the picture.
struct NoticeLabels {
    NoticeLabel picture;  // 1019
    NoticeLabel title;    // 1020
    NoticeLabel text;     // 1021
    NoticeLabel link;     // 1022
    bool pictureInText = false;
    std::wstring shownText;
};
NoticeLabels LayOutNoticeLabels(NoticeLayout layout, Size client, const std::wstring& text,
                                const DpiScale& scale);

// The first `keep` characters of `text` and "..." (a character pair that
// belongs together is never split).
std::wstring ShortenNoticeText(const std::wstring& text, size_t keep);

// The window's place: its bottom-right corner on the work area's.
Rect NoticePlacement(const Rect& workArea, Size window);
