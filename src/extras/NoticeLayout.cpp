#include "extras/NoticeLayout.h"
#include "resource.h"

namespace {
constexpr size_t kTextBesidePicture = 54;
constexpr size_t kTextAlone = 71;

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
}  // namespace

NoticeLayout ChooseNoticeLayout(const std::wstring& picture, const std::wstring& text) {
    if (picture.empty()) return NoticeLayout::TextOnly;
    return text.empty() ? NoticeLayout::PictureOnly : NoticeLayout::PictureAndText;
}

NoticeSkin NoticeSkinOf(NoticeLayout layout) {
    switch (layout) {
    case NoticeLayout::PictureAndText: return NoticeSkin{0, 3, 3, 3, 0, IDB_NOTICE_PICTURE_AND_TEXT, IDB_NOTICE_CLOSE};
    case NoticeLayout::PictureOnly: return NoticeSkin{0, 0, 0, 1, 0, IDB_NOTICE_PICTURE_ONLY, IDB_NOTICE_PICTURE_CLOSE};
    case NoticeLayout::TextOnly: break;
    }
    return NoticeSkin{0, 3, 3, 3, 0, IDB_NOTICE_TEXT_ONLY, IDB_NOTICE_CLOSE};
}

NoticeLabels LayOutNoticeLabels(NoticeLayout layout, Size client, const std::wstring& text) {
    const int w = client.cx;
    const int h = client.cy;
    NoticeLabels labels;
    switch (layout) {
    case NoticeLayout::PictureAndText:
        labels.picture = {true, RectFromSize(15, 67, 75, 80)};
        labels.title = {true, RectFromSize(100, 48, w - 120, 15)};
        labels.text = {true, RectFromSize(100, 68, w - 116, 13)};
        labels.link = {true, RectFromSize(195, 168, 42, 13)};
        labels.shownText = ShortenNoticeText(text, kTextBesidePicture);
        break;
    case NoticeLayout::PictureOnly:
        labels.text = {true, RectFromSize(-3, 22, w + 3, h - 22)};
        labels.pictureInText = true;
        break;
    case NoticeLayout::TextOnly:
        labels.title = {true, RectFromSize(0, 45, w, 15)};
        labels.text = {true, RectFromSize(18, 65, w - 34, 13)};
        labels.link = {true, RectFromSize(195, 145, 42, 13)};
        labels.shownText = ShortenNoticeText(text, kTextAlone);
        break;
    }
    return labels;
}

std::wstring ShortenNoticeText(const std::wstring& text, size_t keep) {
    size_t cut = text.size() < keep ? text.size() : keep;
    if (cut > 0 && cut < text.size() && IsHighSurrogate(text[cut - 1])) --cut;
    return text.substr(0, cut) + L"...";
}

Rect NoticePlacement(const Rect& workArea, Size window) {
    return RectFromSize(workArea.right - window.cx, workArea.bottom - window.cy, window.cx, window.cy);
}
