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

NoticeLabels LayOutNoticeLabels(NoticeLayout layout, Size client, const std::wstring& text, const DpiScale& scale) {
    const int w = client.cx;
    const int h = client.cy;
    auto place = [&](int left, int top, int right, int bottom) {
        return NoticeLabel{true, scale.Of(Rect{left, top, right, bottom})};
    };
    // A label whose right edge keeps `inset` from the client's right.
    auto placeToRight = [&](int left, int top, int inset, int bottom) {
        return NoticeLabel{true, Rect{scale.Px(left), scale.Px(top), w - scale.Px(inset), scale.Px(bottom)}};
    };
    NoticeLabels labels;
    switch (layout) {
    case NoticeLayout::PictureAndText:
        labels.picture = place(15, 67, 90, 147);
        labels.title = placeToRight(100, 48, 20, 63);
        labels.text = placeToRight(100, 68, 16, 81);
        labels.link = place(195, 168, 237, 181);
        labels.shownText = ShortenNoticeText(text, kTextBesidePicture);
        break;
    case NoticeLayout::PictureOnly:
        labels.text = {true, Rect{scale.Px(-3), scale.Px(22), w, h}};
        labels.pictureInText = true;
        break;
    case NoticeLayout::TextOnly:
        labels.title = {true, Rect{0, scale.Px(45), w, scale.Px(60)}};
        labels.text = placeToRight(18, 65, 16, 78);
        labels.link = place(195, 145, 237, 158);
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
