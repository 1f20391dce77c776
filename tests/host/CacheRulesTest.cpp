#include <gtest/gtest.h>

#include "cache/CacheRules.h"
#include "cache/TreeRules.h"

TEST(TreePath, JoinsWithOneBackslashAndRefusesWhatDoesNotFit) {
    EXPECT_EQ(JoinPath(L"C:\\a", L"b"), L"C:\\a\\b");
    EXPECT_EQ(JoinPath(L"C:\\a\\", L"b"), L"C:\\a\\b");
    EXPECT_EQ(JoinPath(L"C:\\", L"*"), L"C:\\*");

    const std::wstring folder = L"C:\\" + std::wstring(250, L'f');  // 253 characters
    EXPECT_EQ(JoinPath(folder, L"12345")->size(), 259u);
    EXPECT_FALSE(JoinPath(folder, L"123456")) << "260 characters would overflow the buffer";
    EXPECT_FALSE(JoinPath(folder + L"\\", L"123456"));
    EXPECT_EQ(JoinPath(folder + L"\\", L"12345")->size(), 259u) << "an existing backslash is not doubled";
}

TEST(TreeEntry, LinksAreNeverEntered) {
    const uint32_t dir = kAttributeDirectory;
    const uint32_t link = kAttributeReparsePoint;
    EXPECT_EQ(ActionForEntry(L"sub", dir), TreeEntryAction::Descend);
    EXPECT_EQ(ActionForEntry(L"sub", dir | kAttributeReadOnly), TreeEntryAction::Descend);
    EXPECT_EQ(ActionForEntry(L"junction", dir | link), TreeEntryAction::RemoveFolderLink);
    EXPECT_EQ(ActionForEntry(L"junction", dir | link | kAttributeReadOnly | 0x2), TreeEntryAction::RemoveFolderLink);
    EXPECT_EQ(ActionForEntry(L"file.lnk", link), TreeEntryAction::DeleteFileLink);
    EXPECT_EQ(ActionForEntry(L"file.lnk", link | kAttributeReadOnly), TreeEntryAction::DeleteFileLink)
        << "clearing read-only by path could change the target's attributes";

    EXPECT_TRUE(IsFolderLink(dir | link));
    EXPECT_FALSE(IsFolderLink(dir));
    EXPECT_FALSE(IsFolderLink(link));
    EXPECT_FALSE(IsFolderLink(kInvalidAttributes)) << "a failed query is no link";

    // Opened by name after the listing: only the listed entry itself is used.
    EXPECT_TRUE(OpenedAsListed(dir, 7, dir | kAttributeReadOnly, 7));
    EXPECT_FALSE(OpenedAsListed(dir, 7, dir | link, 9)) << "a junction put in the folder's place";
    EXPECT_FALSE(OpenedAsListed(dir, 7, dir, 9)) << "another folder, or a link the system followed";
    EXPECT_FALSE(OpenedAsListed(0x20, 7, dir, 7));
    EXPECT_FALSE(OpenedAsListed(dir | link, 7, dir, 7)) << "a listed link that opens as its target";
    EXPECT_TRUE(OpenedAsListed(dir, 0, dir, 9)) << "no id to compare: the kind decides";
    EXPECT_TRUE(OpenedAsListed(0x20, 5, 0x20, ~uint64_t{0}));
    EXPECT_FALSE(OpenedAsListed(dir, 7, kInvalidAttributes, 7));
}

TEST(TreeEntry, FilesAndDotEntries) {
    EXPECT_EQ(ActionForEntry(L".", kAttributeDirectory), TreeEntryAction::Skip);
    EXPECT_EQ(ActionForEntry(L"..", kAttributeDirectory), TreeEntryAction::Skip);
    EXPECT_EQ(ActionForEntry(L"...", kAttributeDirectory), TreeEntryAction::Descend);
    EXPECT_EQ(ActionForEntry(L".sol", 0x20), TreeEntryAction::Delete);
    EXPECT_EQ(ActionForEntry(L"a.sol", kAttributeReadOnly | 0x20), TreeEntryAction::ClearReadOnlyAndDelete);
    EXPECT_EQ(ActionForEntry(L"a.sol", 0x2 | 0x4), TreeEntryAction::Delete) << "hidden and system files";
}

TEST(TreeOutcome, SuccessNeedsTheFolderGoneAndNoFailedFile) {
    TreeOutcome clean;
    EXPECT_TRUE(clean.Conclude(true, 0).success);

    TreeVerdict v = clean.Conclude(false, 145);
    EXPECT_FALSE(v.success);
    EXPECT_EQ(v.lastError, 145u) << "nothing else failed: the folder's error";

    TreeOutcome failed;
    failed.NoteFailedDeletion(32);
    v = failed.Conclude(false, 145);
    EXPECT_FALSE(v.success);
    EXPECT_EQ(v.lastError, 32u) << "the file's error wins over the folder's";
    v = failed.Conclude(true, 0);
    EXPECT_FALSE(v.success) << "a folder gone despite a failed file still reports the failure";
    EXPECT_EQ(v.lastError, 32u);

    failed.NoteFailedDeletion(5);
    EXPECT_EQ(failed.Conclude(false, 145).lastError, 5u) << "the last failure is reported";
}

TEST(UrlCacheEntry, OnlyCookiesAreKept) {
    EXPECT_TRUE(IsKeptUrlCacheEntry(0x00100000));
    EXPECT_TRUE(IsKeptUrlCacheEntry(0x00100001)) << "a cookie that is also a normal entry";
    EXPECT_FALSE(IsKeptUrlCacheEntry(0));
    EXPECT_FALSE(IsKeptUrlCacheEntry(0x00000001));   // normal
    EXPECT_FALSE(IsKeptUrlCacheEntry(0x00000005));   // sticky
    EXPECT_FALSE(IsKeptUrlCacheEntry(0x00200000));   // history
    EXPECT_FALSE(IsKeptUrlCacheEntry(0x000FFFFF));
}

TEST(FlashFolder, BelowApplicationDataWhenItFits) {
    EXPECT_EQ(FlashSharedObjectsFolder(L"C:\\users\\me\\AppData\\Roaming"),
              L"C:\\users\\me\\AppData\\Roaming\\Macromedia\\Flash Player\\#SharedObjects");
    EXPECT_EQ(FlashSharedObjectsFolder(L"D:\\"), L"D:\\Macromedia\\Flash Player\\#SharedObjects");
    EXPECT_FALSE(FlashSharedObjectsFolder(L"C:\\" + std::wstring(230, L'x')));
}
