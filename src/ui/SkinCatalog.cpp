#include "ui/SkinCatalog.h"

#include <cstdlib>

#include "resource.h"
#include "ui/DpiScale.h"

namespace {

constexpr SkinImageInfo kImages[] = {
    {IDB_LOGIN_BACKGROUND, 768, 524, 1},
    {IDB_DIALOG_FRAME, 30, 51, 1},
    {IDB_CLOSE_BUTTON, 132, 28, 4},
    {IDB_PUSH_BUTTON, 228, 23, 4},
    {IDB_MAIN_FRAME, 30, 51, 1},
    {IDB_MAXIMISE_BUTTON, 108, 28, 4},
    {IDB_MINIMISE_BUTTON, 108, 28, 4},
    {IDB_RESTORE_BUTTON, 108, 28, 4},
    {IDB_HIDE_BUTTON, 108, 27, 4},
    {IDB_MENU_BUTTON, 176, 28, 4},
    {IDB_TAB, 567, 22, 3},
    {IDB_TAB_CLOSE, 39, 13, 3},
    {IDB_ADD_ACCOUNT_LINK, 14, 16, 1},
    {IDB_NOTICE_PICTURE_AND_TEXT, 250, 191, 1},
    {IDB_NOTICE_CLOSE, 144, 14, 4},
    {IDB_NOTICE_PICTURE_CLOSE, 216, 22, 4},
    {IDB_NOTICE_PICTURE_ONLY, 160, 212, 1},
    {IDB_NOTICE_TEXT_ONLY, 250, 167, 1},
    {IDB_SOUND_OFF, 108, 27, 4},
    {IDB_SOUND_ON, 108, 27, 4},
    {IDB_BANNER, 316, 28, 1},
    {IDB_BANNER_HOVER, 316, 28, 1},
    {IDB_PROGRESS_BACK, 390, 21, 1},
    {IDB_PROGRESS_FILL, 390, 21, 1},
    {IDB_ADD_ACCOUNT_BACKGROUND, 284, 150, 1},
    {IDB_TAB_MUTED, 39, 13, 3},
};

constexpr SkinSet kSets[] = {
    {kBaseDpi, 0},
    {kBaseDpi * 3 / 2, IDB_SKIN_SET_STEP},
    {kBaseDpi * 2, 2 * IDB_SKIN_SET_STEP},
};

}  // namespace

const SkinImageInfo* FindSkinImage(unsigned id) {
    for (const SkinImageInfo& image : kImages)
        if (image.id == id) return &image;
    return nullptr;
}

Size SkinImageSize(unsigned id, int dpi) {
    const SkinImageInfo* image = FindSkinImage(id);
    if (!image) return Size{};
    const DpiScale scale{dpi};
    return Size{image->frames * scale.Px(image->width / image->frames), scale.Px(image->height)};
}

SkinSet SkinSetFor(int dpi) {
    const int wanted = DpiScale(dpi).dpi();
    SkinSet best = kSets[0];
    for (const SkinSet& set : kSets)
        if (std::abs(set.dpi - wanted) <= std::abs(best.dpi - wanted)) best = set;
    return best;
}
