#include "InstallStage.h"

#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shlwapi.h>

#include "app/DataFolderRecord.h"
#include "app/LaunchModeWin.h"
#include "app/ShortcutPaths.h"
#include "app/Shortcuts.h"
#include "base/SettingsStore.h"

namespace wintest {

RegistryKeyBackup::RegistryKeyBackup(HKEY root, const std::wstring& subkey) : m_root(root), m_subkey(subkey) {
    for (size_t pos = subkey.rfind(L'\\'); pos != std::wstring::npos; pos = subkey.rfind(L'\\', pos - 1)) {
        const std::wstring parent = subkey.substr(0, pos);
        if (KeyExists(root, parent)) break;
        m_missingParents.push_back(parent);
        if (pos == 0) break;
    }
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    fw::RegKey owned(key);
    m_existed = true;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameChars = 256, type = 0, size = 0;
        if (::RegEnumValueW(key, i, name, &nameChars, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
        Value value{std::wstring(name, nameChars), type, std::vector<BYTE>(size)};
        nameChars = 256;
        ::RegEnumValueW(key, i, name, &nameChars, nullptr, &type, value.data.data(), &size);
        m_values.push_back(value);
    }
}

RegistryKeyBackup::~RegistryKeyBackup() {
    ::SHDeleteKeyW(m_root, m_subkey.c_str());
    if (m_existed) {
        HKEY key = nullptr;
        if (::RegCreateKeyExW(m_root, m_subkey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) ==
            ERROR_SUCCESS) {
            fw::RegKey owned(key);
            for (const Value& v : m_values)
                ::RegSetValueExW(key, v.name.c_str(), 0, v.type, v.data.data(), static_cast<DWORD>(v.data.size()));
        }
        return;
    }
    for (const std::wstring& parent : m_missingParents) ::RegDeleteKeyW(m_root, parent.c_str());
}

NewFolders::NewFolders(std::vector<std::wstring> outermostFirst) {
    for (std::wstring& folder : outermostFirst)
        if (!FileExists(folder)) m_missing.push_back(std::move(folder));
}

NewFolders::~NewFolders() {
    for (auto it = m_missing.rbegin(); it != m_missing.rend(); ++it) ::RemoveDirectoryW(it->c_str());
}

FileContentBackup::FileContentBackup(const std::wstring& path)
    : m_path(path), m_existed(FileExists(path)), m_bytes(ReadFileBytes(path)) {}

FileContentBackup::~FileContentBackup() {
    if (!m_existed) {
        ::DeleteFileW(m_path.c_str());
        return;
    }
    // An uninstallation may have taken the folder away.
    ::SHCreateDirectoryExW(nullptr, m_path.substr(0, m_path.rfind(L'\\')).c_str(), nullptr);
    fw::FileHandle file(
        ::CreateFileW(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file) ::WriteFile(file.get(), m_bytes.data(), static_cast<DWORD>(m_bytes.size()), &written, nullptr);
}

LinkInfo ReadLink(const std::wstring& linkPath) {
    LinkInfo info;
    const HRESULT com = ::CoInitialize(nullptr);
    {
        fw::ComPtr<IShellLinkW> link;
        fw::ComPtr<IPersistFile> file;
        if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                         reinterpret_cast<void**>(link.put()))) &&
            SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.put()))) &&
            SUCCEEDED(file->Load(linkPath.c_str(), STGM_READ))) {
            wchar_t text[1024] = {};
            link->GetPath(text, 1024, nullptr, SLGP_RAWPATH);
            info.target = text;
            text[0] = 0;
            link->GetArguments(text, 1024);
            info.arguments = text;
            text[0] = 0;
            link->GetDescription(text, 1024);
            info.description = text;
            text[0] = 0;
            link->GetIconLocation(text, 1024, &info.iconIndex);
            info.iconPath = text;
            info.read = true;
        }
    }
    if (SUCCEEDED(com)) ::CoUninitialize();
    return info;
}

InstallStage::InstallStage()
    : m_menuBuilder(HKEY_CURRENT_USER, L"Software\\Wine\\DllOverrides", L"winemenubuilder.exe"),
      m_key(HKEY_LOCAL_MACHINE, kRegistryKey),
      m_record(HKEY_LOCAL_MACHINE, L"Software\\Korvel\\GameLogin", L"ZuvaDataFolder"),
      m_folders({ShellFolder(CSIDL_COMMON_APPDATA) + L"\\Korvel", GetDataFolder(), ::StartMenuFolder()}),
      m_ini(DataFile(L"Statistic.ini")),
      m_tempBefore(TempFilesStartingWith(L"Del")) {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\DllOverrides", 0, nullptr, 0, KEY_WRITE, nullptr,
                          &key, nullptr) == ERROR_SUCCESS) {
        fw::RegKey owned(key);
        ::RegSetValueExW(key, L"winemenubuilder.exe", 0, REG_SZ, reinterpret_cast<const BYTE*>(L""), sizeof(L""));
    }
    ::SHDeleteKeyW(HKEY_LOCAL_MACHINE, kRegistryKey);
    ::DeleteFileW(DataFile(L"Statistic.ini").c_str());
    ::DeleteFileW(DataFile(L"Zuva.exe").c_str());
    RecordDataFolder(GetDataFolder());
}

InstallStage::~InstallStage() {
    for (const wchar_t* name : {kGameLinkName, kPortalGamesLinkName}) ::DeleteFileW(DesktopLink(name).c_str());
    for (const wchar_t* name : {kGameLinkName, kUninstallLinkName}) ::DeleteFileW(StartMenuLink(name).c_str());
    ::DeleteFileW(LegacyUserLink().c_str());
    DeleteSoon(DataFile(L"Zuva.exe"));
    // Scripts of uninstall tests: the empty unique files stay by design;
    // the scripts delete themselves once they are through.
    for (const std::wstring& name : TempFilesStartingWith(L"Del"))
        if (!m_tempBefore.count(name)) DeleteSoon(TempFolder() + name);
}

std::wstring InstallStage::DataFile(const std::wstring& name) const { return GetDataFolder() + L"\\" + name; }
std::wstring InstallStage::DesktopLink(const std::wstring& name) const {
    return LinkPathIn(CommonDesktopFolder(), name);
}
std::wstring InstallStage::StartMenuFolder() const { return ::StartMenuFolder(); }
std::wstring InstallStage::StartMenuLink(const std::wstring& name) const {
    return LinkPathIn(::StartMenuFolder(), name);
}
std::wstring InstallStage::LegacyUserLink() const {
    return LegacyUserDesktopLink(ShellFolder(CSIDL_PERSONAL), CommonDesktopFolder());
}
std::wstring InstallStage::Counter(const wchar_t* key) const {
    return ReadZuvaValue(IniLocation::DataFolder, key, L"", 32);
}

HWND WaitForMainWindowOf(const std::wstring& exePath, DWORD ms) {
    const DWORD start = ::GetTickCount();
    do {
        for (HWND w = ::FindWindowExW(nullptr, nullptr, L"#32770", L"KorvelFerrowind"); w;
             w = ::FindWindowExW(nullptr, w, L"#32770", L"KorvelFerrowind")) {
            if (!::IsWindowVisible(w)) continue;
            fw::KernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, ProcessOfWindow(w)));
            wchar_t image[MAX_PATH] = {};
            DWORD size = MAX_PATH;
            if (process && ::QueryFullProcessImageNameW(process.get(), 0, image, &size) &&
                ::lstrcmpiW(image, exePath.c_str()) == 0)
                return w;
        }
        ::Sleep(50);
    } while (::GetTickCount() - start < ms);
    return nullptr;
}

std::set<std::wstring> TempFilesStartingWith(const std::wstring& prefix) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW entry{};
    fw::FindFileHandle find(::FindFirstFileW((TempFolder() + prefix + L"*").c_str(), &entry));
    if (!find) return names;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.insert(entry.cFileName);
    } while (::FindNextFileW(find.get(), &entry));
    return names;
}

}  // namespace wintest
