// Cache cleaning on the prefix's file system, URL cache and registry. Test
// trees live in the temporary folder; the user's Flash folder, the shell's
// cache folder setting and the cache limit are put back as they were.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>
#include <wininet.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "app/LaunchModeWin.h"
#include "base/HeldFolder.h"
#include "cache/CacheCleaner.h"
#include "cache/DeleteTree.h"
#include "FolderLink.h"
#include "LauncherDriver.h"
#include "ui/MessageBox.h"
#include "WinTestSupport.h"

using namespace wintest;

namespace {

void PutFile(const std::wstring& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
    ASSERT_TRUE(WriteFileBytes(path, "cached", attributes)) << "cannot create " << testing::PrintToString(path);
}

void PutFolder(const std::wstring& path) { ASSERT_TRUE(::CreateDirectoryW(path.c_str(), nullptr)); }

// A fresh folder of this test in the temporary folder, removed with whatever
// is left in it.
class ScratchFolder {
public:
    ScratchFolder() {
        m_path = TempFolder() + L"ZuvaCacheTest" + std::to_wstring(::GetCurrentProcessId());
        ::CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~ScratchFolder() { DeleteTree(m_path); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::wstring operator/(const std::wstring& name) const { return m_path + L"\\" + name; }
    const std::wstring& path() const { return m_path; }

private:
    std::wstring m_path;
};

// A folder that has to be put back where it was after the test.
class MovedAside {
public:
    explicit MovedAside(const std::wstring& path) : m_path(path), m_aside(path + L".zuva-test-aside") {
        m_moved = ::MoveFileW(m_path.c_str(), m_aside.c_str()) != FALSE;
    }
    ~MovedAside() {
        DeleteTree(m_path);
        if (m_moved) ::MoveFileW(m_aside.c_str(), m_path.c_str());
    }
    MovedAside(const MovedAside&) = delete;
    MovedAside& operator=(const MovedAside&) = delete;

private:
    std::wstring m_path, m_aside;
    bool m_moved = false;
};

// Creates the missing keys of a path below HKEY_CURRENT_USER and deletes them
// again on destruction.
class KeyChain {
public:
    explicit KeyChain(const std::wstring& path) {
        for (size_t pos = path.find(L'\\');; pos = path.find(L'\\', pos + 1)) {
            const std::wstring part = path.substr(0, pos);
            HKEY key = nullptr;
            DWORD disposition = 0;
            if (::RegCreateKeyExW(HKEY_CURRENT_USER, part.c_str(), 0, nullptr, 0, KEY_READ, nullptr, &key,
                                  &disposition) != ERROR_SUCCESS)
                return;
            ::RegCloseKey(key);
            if (disposition == REG_CREATED_NEW_KEY) m_created.push_back(part);
            if (pos == std::wstring::npos) return;
        }
    }
    ~KeyChain() {
        for (auto it = m_created.rbegin(); it != m_created.rend(); ++it) ::RegDeleteKeyW(HKEY_CURRENT_USER, it->c_str());
    }
    KeyChain(const KeyChain&) = delete;
    KeyChain& operator=(const KeyChain&) = delete;

private:
    std::vector<std::wstring> m_created;
};

// The shell's temporary internet files folder pointed at a folder of the
// test. The URL cache itself has found its own folder before.
class RedirectedInternetCache {
public:
    explicit RedirectedInternetCache(const std::wstring& folder)
        : m_user(HKEY_CURRENT_USER, kUserShellFolders, L"Cache"), m_shell(HKEY_CURRENT_USER, kShellFolders, L"Cache") {
        DWORD bytes = 0;
        ::FindFirstUrlCacheEntryW(nullptr, nullptr, &bytes);
        Set(kUserShellFolders, REG_EXPAND_SZ, folder);
        Set(kShellFolders, REG_SZ, folder);
    }

private:
    static void Set(const wchar_t* key, DWORD type, const std::wstring& value) {
        ::RegSetKeyValueW(HKEY_CURRENT_USER, key, L"Cache", type, value.c_str(),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }
    static constexpr const wchar_t* kUserShellFolders =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    static constexpr const wchar_t* kShellFolders =
        L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    RegistryValueBackup m_user, m_shell;
};

std::vector<std::wstring> UrlCacheNames() {
    std::vector<std::wstring> names;
    DWORD bytes = 0;
    ::FindFirstUrlCacheEntryW(nullptr, nullptr, &bytes);
    std::vector<DWORD> room(bytes / sizeof(DWORD) + 1);
    auto entry = [&] { return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(room.data()); };
    fw::UrlCacheFind find(
        ::FindFirstUrlCacheEntryW(nullptr, entry(), &bytes));
    if (!find) return names;
    do {
        names.push_back(entry()->lpszSourceUrlName);
        bytes = 0;
        ::FindNextUrlCacheEntryW(find.get(), nullptr, &bytes);
        room.assign(bytes / sizeof(DWORD) + 1, 0);
    } while (bytes && ::FindNextUrlCacheEntryW(find.get(), entry(), &bytes));
    return names;
}

bool InUrlCache(const std::wstring& url) {
    DWORD bytes = 0;
    return ::GetUrlCacheEntryInfoW(url.c_str(), nullptr, &bytes) || ::GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

bool CommitUrlEntry(const std::wstring& url, DWORD type) {
    wchar_t file[MAX_PATH] = {};
    if (!::CreateUrlCacheEntryW(url.c_str(), 0, L"htm", file, 0)) return false;
    PutFile(file);
    const FILETIME never{};
    return ::CommitUrlCacheEntryW(url.c_str(), file, never, never, type, nullptr, 0, nullptr, nullptr) != FALSE;
}

// Fills a test folder as the Flash player fills its own.
void PutSharedObjects(const std::wstring& root) {
    PutFolder(root);
    PutFolder(root + L"\\K7Q2ZP4M");
    PutFolder(root + L"\\K7Q2ZP4M\\localhost");
    PutFolder(root + L"\\K7Q2ZP4M\\localhost\\game.swf");
    PutFile(root + L"\\K7Q2ZP4M\\localhost\\game.swf\\player.sol", FILE_ATTRIBUTE_READONLY);
    PutFile(root + L"\\K7Q2ZP4M\\localhost\\game.swf\\设置.sol", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    PutFolder(root + L"\\K7Q2ZP4M\\empty");
    PutFile(root + L"\\top.sol", FILE_ATTRIBUTE_READONLY);
}

}  // namespace

TEST(DeleteTree, RemovesNestedFoldersAndReadOnlyFilesWithTheFolder) {
    ScratchFolder scratch;
    const std::wstring tree = scratch / L"#SharedObjects";
    PutSharedObjects(tree);
    EXPECT_TRUE(DeleteTree(tree + L"\\"));
    EXPECT_FALSE(FileExists(tree));

    EXPECT_FALSE(DeleteTree(tree)) << "a missing folder";
    EXPECT_TRUE(::GetLastError() == ERROR_FILE_NOT_FOUND || ::GetLastError() == ERROR_PATH_NOT_FOUND)
        << ::GetLastError();
}

TEST(DeleteTree, ReportsTheLastFileItCouldNotDeleteElseTheFolder) {
    ScratchFolder scratch;
    const std::wstring tree = scratch / L"tree";
    PutFolder(tree);
    PutFolder(tree + L"\\sub");
    PutFile(tree + L"\\a.sol");
    PutFile(tree + L"\\sub\\held.sol");
    PutFile(tree + L"\\sub\\b.sol");
    {
        fw::FileHandle held(::CreateFileW((tree + L"\\sub\\held.sol").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        EXPECT_FALSE(DeleteTree(tree));
        EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_DIR_NOT_EMPTY))
            << "a subfolder's failure only shows as the folder that could not go";
        EXPECT_TRUE(FileExists(tree + L"\\sub\\held.sol"));
        EXPECT_FALSE(FileExists(tree + L"\\sub\\b.sol"));
        EXPECT_FALSE(FileExists(tree + L"\\a.sol"));

        ASSERT_TRUE(::MoveFileW((tree + L"\\sub").c_str(), (scratch / L"sub").c_str()));
        PutFile(tree + L"\\c.sol");
        fw::FileHandle heldHere(::CreateFileW((tree + L"\\c.sol").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                              OPEN_EXISTING, 0, nullptr));
        EXPECT_FALSE(DeleteTree(tree));
        EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION))
            << "the file's own error, not the folder's";
    }
    EXPECT_TRUE(DeleteTree(tree)) << "nothing held any more";
}

TEST(DeleteTree, LeavesPathsTooLongForItsBuffers) {
    ScratchFolder scratch;
    const std::wstring deep = scratch / std::wstring(244 - scratch.path().size(), L'd');  // 245 characters
    const std::wstring longName = L"\\\\?\\" + deep;  // for the test's own calls
    PutFolder(deep);
    PutFile(deep + L"\\short.sol");                         // 255 characters
    PutFile(longName + L"\\123456789012345.sol");           // 265: does not fit
    PutFolder(longName + L"\\1234567890123");               // 259: fits, its listing does not
    PutFile(longName + L"\\1234567890123\\inner.sol");

    EXPECT_FALSE(DeleteTree(deep));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_DIR_NOT_EMPTY));
    EXPECT_FALSE(FileExists(deep + L"\\short.sol"));
    EXPECT_TRUE(FileExists(longName + L"\\123456789012345.sol")) << "skipped, not cut to another name";
    EXPECT_TRUE(FileExists(longName + L"\\1234567890123\\inner.sol"));
    EXPECT_TRUE(::DeleteFileW((longName + L"\\123456789012345.sol").c_str()));
    EXPECT_TRUE(::DeleteFileW((longName + L"\\1234567890123\\inner.sol").c_str()));
}

TEST(DeleteTree, RemovesLinksButNeverWhatTheyPointTo) {
    ScratchFolder scratch;
    const std::wstring target = scratch / L"elsewhere";
    PutFolder(target);
    PutFolder(target + L"\\deeper");
    PutFile(target + L"\\keep.txt", FILE_ATTRIBUTE_READONLY);
    PutFile(target + L"\\deeper\\keep.txt");
    const std::wstring tree = scratch / L"#SharedObjects";
    PutSharedObjects(tree);
    FolderLink inside(tree + L"\\K7Q2ZP4M\\linked", target);
    FolderLink asRoot(scratch / L"rootlink", target);
    if (!inside.made()) GTEST_SKIP() << "this system makes no directory link that it reports as one";
    std::cout << "link kind: " << inside.kind() << std::endl;

    const bool removed = DeleteTree(tree);
    EXPECT_TRUE(FileExists(target + L"\\keep.txt"));
    EXPECT_TRUE(FileExists(target + L"\\deeper\\keep.txt"));
    EXPECT_FALSE(FileExists(tree + L"\\K7Q2ZP4M\\localhost")) << "the rest of the tree goes";
    EXPECT_FALSE(FileExists(tree + L"\\top.sol"));
    if (FileExists(tree + L"\\K7Q2ZP4M\\linked")) {
        // Wine cannot remove a host link; the link stays and so does its folder.
        EXPECT_FALSE(removed);
        EXPECT_FALSE(::RemoveDirectoryW((tree + L"\\K7Q2ZP4M\\linked").c_str()))
            << "a link that can be removed was left";
    } else {
        EXPECT_TRUE(removed);
        EXPECT_FALSE(FileExists(tree));
    }

    // Given a link itself, the link goes (where it can) and nothing behind it.
    DeleteTree(scratch / L"rootlink");
    EXPECT_TRUE(FileExists(target + L"\\keep.txt"));
    EXPECT_TRUE(FileExists(target + L"\\deeper\\keep.txt"));
}

// A folder swapped for a link between its listing and the descent into it:
// what the deletion holds finds the link, not the listed folder, and leaves it.
TEST(DeleteTree, NeverEntersALinkSwappedInAfterTheListing) {
    ScratchFolder scratch;
    const std::wstring target = scratch / L"elsewhere";
    PutFolder(target);
    PutFile(target + L"\\keep.sol");
    const std::wstring tree = scratch / L"tree";
    PutFolder(tree);
    PutFolder(tree + L"\\sub");
    const HeldFolder held = HeldFolder::Open(tree);
    ASSERT_TRUE(held);
    const std::vector<ListedEntry> listed = held.List();
    const auto sub = std::find_if(listed.begin(), listed.end(), [](const ListedEntry& e) { return e.name == L"sub"; });
    ASSERT_NE(sub, listed.end());

    ASSERT_TRUE(::MoveFileW((tree + L"\\sub").c_str(), (scratch / L"moved").c_str()));
    FolderLink swapped(tree + L"\\sub", target);
    if (!swapped.made()) GTEST_SKIP() << "this system makes no directory link that it reports as one";
    EXPECT_FALSE(held.OpenSubfolder(*sub)) << "entered through the link";
    EXPECT_EQ(held.Delete(*sub, false), kNoLongerAsListed);
    EXPECT_TRUE(FileExists(target + L"\\keep.sol"));
}

TEST(FlashSharedObjects, TheUsersFolderIsRemovedWithEverythingInIt) {
    const std::wstring player = ShellFolder(CSIDL_APPDATA) + L"\\Macromedia\\Flash Player";
    FolderChain chain(player);
    const std::wstring shared = player + L"\\#SharedObjects";
    MovedAside aside(shared);
    const std::wstring settings = player + L"\\macromedia.com";
    MovedAside settingsAside(settings);
    PutSharedObjects(shared);
    PutFolder(settings);
    PutFile(settings + L"\\settings.sol");

    ClearFlashSharedObjects();
    EXPECT_FALSE(FileExists(shared));
    EXPECT_TRUE(FileExists(settings + L"\\settings.sol")) << "only the shared objects go";
}

// Any program of the player's may put a link in place of a folder above the
// shared objects: it leads nowhere, what it points to stays.
TEST(FlashSharedObjects, ALinkAboveTheFolderIsNotFollowed) {
    const std::wstring macromedia = ShellFolder(CSIDL_APPDATA) + L"\\Macromedia";
    FolderChain chain(macromedia);
    const std::wstring player = macromedia + L"\\Flash Player";
    MovedAside aside(player);
    ScratchFolder scratch;
    const std::wstring elsewhere = scratch / L"elsewhere";
    PutFolder(elsewhere);
    PutSharedObjects(elsewhere + L"\\#SharedObjects");
    FolderLink link(player, elsewhere);
    if (!link.made()) GTEST_SKIP() << "this system makes no directory link that it reports as one";
    ClearFlashSharedObjects();
    EXPECT_TRUE(FileExists(elsewhere + L"\\#SharedObjects\\top.sol"));
    EXPECT_TRUE(FileExists(elsewhere + L"\\#SharedObjects\\K7Q2ZP4M\\localhost\\game.swf\\player.sol"));
}

TEST(UrlCache, EverythingButCookiesGoesEvenWithoutFlashFolder) {
    MovedAside aside(ShellFolder(CSIDL_APPDATA) + L"\\Macromedia");
    ScratchFolder scratch;
    const std::wstring normal = L"http://zuvatest.example/page.htm";
    const std::wstring sticky = L"http://zuvatest.example/sticky.swf";
    const std::wstring cookieTyped = L"http://zuvatest.example/cookie-typed.htm";
    ASSERT_TRUE(CommitUrlEntry(normal, NORMAL_CACHE_ENTRY));
    ASSERT_TRUE(CommitUrlEntry(sticky, STICKY_CACHE_ENTRY));
    ASSERT_TRUE(CommitUrlEntry(cookieTyped, COOKIE_CACHE_ENTRY));
    ASSERT_TRUE(::InternetSetCookieW(L"http://cookie.zuvatest.example/", L"login",
                                     L"kept; expires=Sat, 01-Jan-2050 00:00:00 GMT"));
    auto isOurCookie = [](const std::wstring& name) {
        return name.rfind(L"Cookie:", 0) == 0 && name.find(L"@cookie.zuvatest.example/") != std::wstring::npos;
    };
    const std::vector<std::wstring> before = UrlCacheNames();
    ASSERT_TRUE(std::any_of(before.begin(), before.end(), isOurCookie)) << "the cookie is a cache entry here";

    const std::wstring temporaryFiles = scratch / L"Temporary Internet Files";
    PutFolder(temporaryFiles);
    PutFolder(temporaryFiles + L"\\Content.X");
    PutFile(temporaryFiles + L"\\Content.X\\page[1].htm", FILE_ATTRIBUTE_READONLY);
    {
        RedirectedInternetCache redirect(temporaryFiles);
        ClearBrowserCache();
    }
    EXPECT_FALSE(FileExists(ShellFolder(CSIDL_APPDATA) + L"\\Macromedia")) << "nothing is made where nothing was";
    EXPECT_FALSE(InUrlCache(normal));
    EXPECT_FALSE(InUrlCache(sticky));
    EXPECT_TRUE(InUrlCache(cookieTyped));
    const std::vector<std::wstring> after = UrlCacheNames();
    EXPECT_TRUE(std::any_of(after.begin(), after.end(), isOurCookie));
    EXPECT_FALSE(FileExists(temporaryFiles)) << "the temporary internet files folder goes too";

    ::DeleteUrlCacheEntryW(cookieTyped.c_str());
    ::InternetSetCookieW(L"http://cookie.zuvatest.example/", L"login", L"gone; expires=Sat, 01-Jan-2000 00:00:00 GMT");
}

namespace {
const wchar_t kCacheContentKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\5.0\\Cache\\Content";

DWORD CacheLimitValue() {
    DWORD value = 0, size = sizeof(value);
    if (::RegGetValueW(HKEY_CURRENT_USER, kCacheContentKey, L"CacheLimit", RRF_RT_REG_DWORD, nullptr, &value,
                       &size) != ERROR_SUCCESS)
        return 0;
    return value;
}

void SetSmallCacheLimit() {
    const DWORD fiveKilobytes = 5;
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kCacheContentKey, L"CacheLimit", REG_DWORD, &fiveKilobytes,
                      sizeof(fiveKilobytes));
}
}  // namespace

TEST(CacheLimit, RewrittenAsOneGigabyteWhateverItWas) {
    if (!KeyExists(HKEY_CURRENT_USER, kCacheContentKey)) {
        EXPECT_FALSE(SetCacheLimit()) << "the browser's key is not ours to make";
        HKEY raw = nullptr;
        EXPECT_NE(::RegOpenKeyExW(HKEY_CURRENT_USER, kCacheContentKey, 0, KEY_READ, &raw), ERROR_SUCCESS);
    }
    KeyChain chain(kCacheContentKey);
    RegistryValueBackup backup(HKEY_CURRENT_USER, kCacheContentKey, L"CacheLimit");

    auto expectLimit = [&] {
        DWORD type = 0, value = 0, size = sizeof(value);
        EXPECT_EQ(::RegGetValueW(HKEY_CURRENT_USER, kCacheContentKey, L"CacheLimit", RRF_RT_ANY, &type, &value,
                                 &size),
                  ERROR_SUCCESS);
        EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(size, 4u);
        EXPECT_EQ(value, 1048576u);
    };
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kCacheContentKey, L"CacheLimit");
    EXPECT_TRUE(SetCacheLimit());
    expectLimit();
    SetSmallCacheLimit();
    EXPECT_TRUE(SetCacheLimit());
    expectLimit();
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kCacheContentKey, L"CacheLimit", REG_SZ, L"99999", 12);
    EXPECT_TRUE(SetCacheLimit());
    expectLimit();
}

TEST(StartCacheClearing, TellsThePlayerAtOnceAndClearsBehindTheBox) {
    const std::wstring shared = ShellFolder(CSIDL_APPDATA) + L"\\Macromedia\\Flash Player\\#SharedObjects";
    FolderChain chain(ShellFolder(CSIDL_APPDATA) + L"\\Macromedia\\Flash Player");
    MovedAside aside(shared);
    ScratchFolder scratch;
    const std::wstring temporaryFiles = scratch / L"Temporary Internet Files";
    RedirectedInternetCache redirect(temporaryFiles);
    const DWORD pid = ::GetCurrentProcessId();

    // A process of its own, with the player's rights, clears each time.
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        PutSharedObjects(shared);
        if (!FileExists(temporaryFiles)) PutFolder(temporaryFiles);
        PutFile(temporaryFiles + L"\\page.htm");
        HWND box = nullptr, owner = reinterpret_cast<HWND>(1);
        std::wstring text;
        bool singleButton = false;
        std::thread player([&] {
            WaitUntil(
                [&] {
                    for (HWND w : FindWindows(pid, kDialogClass, kMainTitle))
                        if (::IsWindowVisible(w)) box = w;
                    return box != nullptr;
                },
                10000);
            if (!box) return;
            owner = ::GetWindow(box, GW_OWNER);
            singleButton = ::GetDlgItem(box, CMessageBox::kIdButton1) && !::GetDlgItem(box, CMessageBox::kIdButton2);
            if (auto* shown = dynamic_cast<CMessageBox*>(CWnd::FromHandlePermanent(box))) text = shown->m_strText;
            ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(CMessageBox::kIdButton1, BN_CLICKED), 0);
        });
        StartCacheClearing(ScriptedExe());
        player.join();
        ASSERT_NE(box, nullptr) << "no message box";
        EXPECT_EQ(owner, nullptr);
        EXPECT_TRUE(singleButton);
        EXPECT_EQ(text, L"缓存清除完毕！");
        // The clearing process opens the URL cache, whose index then lives
        // in the folder and stays with it; what the browser left there goes.
        EXPECT_TRUE(WaitUntil([&] { return !FileExists(shared) && !FileExists(temporaryFiles + L"\\page.htm"); },
                              10000));
    }
}

TEST(CacheLimit, EveryStartThatShowsPagesSetsIt) {
    // The browser makes this key; here it has not run yet.
    KeyChain chain(kCacheContentKey);
    RegistryValueBackup backup(HKEY_CURRENT_USER, kCacheContentKey, L"CacheLimit");
    auto setByStart = [](const std::wstring& exe, const wchar_t* arguments) {
        SetSmallCacheLimit();
        LauncherProcess process(exe, arguments);
        const bool set = WaitUntil([] { return CacheLimitValue() == 1048576u; }, 10000);
        // Ended by the process object; a main window ends without question
        // while it has no page.
        for (HWND w : FindWindows(process.pid(), kDialogClass, kMainTitle))
            ::PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0);
        process.WaitForExit(3000);
        return set;
    };
    EXPECT_TRUE(setByStart(ScriptedExe(), L"/ZuvaD")) << "shortcut start";
    EXPECT_TRUE(setByStart(ScriptedExe(), L"/newgm /0 /0")) << "a game window";
    EXPECT_TRUE(setByStart(ScriptedExe(), L"/gmhall /0")) << "the hall window";
    EXPECT_TRUE(setByStart(ScriptedExe(), L"/update")) << "an update that could not be applied";
    {
        PlacedCopy installed(ScriptedExe(), GetDataFolder(), L"ZuvaCache.exe");
        ASSERT_TRUE(installed.ok());
        EXPECT_TRUE(setByStart(installed.path(), L"")) << "installed start";
    }
}
