#include "WinTestSupport.h"

#include <shlobj.h>

#include <algorithm>
#include <cwchar>

namespace wintest {

std::wstring BuildDir() {
    std::string unixPath = ZUVA_BUILD_DIR;
    std::wstring path = L"Z:";
    for (char c : unixPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    return path;
}

std::wstring ScriptedExe() { return BuildDir() + L"\\ZuvaScripted.exe"; }

LauncherProcess::LauncherProcess(const std::wstring& exe, const std::wstring& arguments) {
    // The test's own windows may pose as game pages (PageSpy): the scripted
    // main windows this process starts take them as pages, unless a test
    // said otherwise.
    if (!::GetEnvironmentVariableW(L"ZUVA_TEST_STAND_IN_PAGES", nullptr, 0))
        ::SetEnvironmentVariableW(L"ZUVA_TEST_STAND_IN_PAGES", std::to_wstring(::GetCurrentProcessId()).c_str());
    std::wstring line = L"\"" + exe + L"\"";
    if (!arguments.empty()) line += L" " + arguments;
    std::vector<wchar_t> buf(line.begin(), line.end());
    buf.push_back(L'\0');
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (::CreateProcessW(nullptr, buf.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        ::CloseHandle(pi.hThread);
        m_process.reset(pi.hProcess);
        m_pid = pi.dwProcessId;
    }
}

LauncherProcess::LauncherProcess(DWORD pid)
    : m_process(::OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, pid)),
      m_pid(m_process ? pid : 0) {}

LauncherProcess::~LauncherProcess() {
    if (IsRunning()) {
        ::TerminateProcess(m_process.get(), 99);
        ::WaitForSingleObject(m_process.get(), 5000);
    }
}

bool LauncherProcess::WaitForExit(DWORD ms) {
    return m_process && ::WaitForSingleObject(m_process.get(), ms) == WAIT_OBJECT_0;
}

DWORD LauncherProcess::ExitCode() const {
    DWORD code = 0;
    ::GetExitCodeProcess(m_process.get(), &code);
    return code;
}

bool LauncherProcess::IsRunning() const {
    return m_process && ::WaitForSingleObject(m_process.get(), 0) == WAIT_TIMEOUT;
}

namespace {
struct FindRequest {
    DWORD pid;
    const wchar_t* className;
    const wchar_t* title;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM lp) {
    auto* req = reinterpret_cast<FindRequest*>(lp);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid != req->pid) return TRUE;
    wchar_t cls[64] = {};
    wchar_t title[256] = {};
    ::GetClassNameW(hwnd, cls, 64);
    ::GetWindowTextW(hwnd, title, 256);
    if (wcscmp(cls, req->className) == 0 && wcscmp(title, req->title) == 0) req->found.push_back(hwnd);
    return TRUE;
}
}  // namespace

std::vector<HWND> FindWindows(DWORD pid, const wchar_t* className, const wchar_t* title) {
    FindRequest req{pid, className, title, {}};
    ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&req));
    return req.found;
}

HWND WaitForWindow(DWORD pid, const wchar_t* className, const wchar_t* title, DWORD ms) {
    DWORD start = ::GetTickCount();
    for (;;) {
        for (HWND hwnd : FindWindows(pid, className, title))
            if (::IsWindowVisible(hwnd)) return hwnd;
        if (::GetTickCount() - start > ms) return nullptr;
        ::Sleep(50);
    }
}

FolderChain::FolderChain(const std::wstring& folder) {
    for (size_t pos = folder.find(L'\\', 3);; pos = folder.find(L'\\', pos + 1)) {
        std::wstring part = folder.substr(0, pos);
        if (::GetFileAttributesW(part.c_str()) == INVALID_FILE_ATTRIBUTES) {
            if (!::CreateDirectoryW(part.c_str(), nullptr)) return;
            m_created.push_back(part);
        }
        if (pos == std::wstring::npos) break;
    }
}

FolderChain::~FolderChain() {
    for (auto it = m_created.rbegin(); it != m_created.rend(); ++it) ::RemoveDirectoryW(it->c_str());
}

PlacedCopy::PlacedCopy(const std::wstring& source, const std::wstring& folder, const std::wstring& name)
    : m_folders(folder), m_path(folder + L"\\" + name) {
    m_ok = ::CopyFileW(source.c_str(), m_path.c_str(), FALSE) != FALSE;
}

// The process may take a moment to let go of its image.
PlacedCopy::~PlacedCopy() { DeleteSoon(m_path); }

static BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM works) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfoW(monitor, &info)) reinterpret_cast<std::vector<RECT>*>(works)->push_back(info.rcWork);
    return TRUE;
}

std::vector<RECT> DisplayWorkAreas() {
    std::vector<RECT> works;
    ::EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&works));
    std::sort(works.begin(), works.end(), [](const RECT& a, const RECT& b) { return a.left < b.left; });
    return works;
}

void PumpFor(DWORD ms) {
    DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < ms) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(10);
    }
}

RegistryValueBackup::RegistryValueBackup(HKEY root, const std::wstring& subkey, const std::wstring& name)
    : m_root(root), m_subkey(subkey), m_name(name) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    fw::RegKey owned(key);
    DWORD size = 0;
    if (::RegQueryValueExW(key, name.c_str(), nullptr, &m_type, nullptr, &size) != ERROR_SUCCESS) return;
    m_data.resize(size);
    m_existed = ::RegQueryValueExW(key, name.c_str(), nullptr, &m_type, m_data.data(), &size) == ERROR_SUCCESS;
}

RegistryValueBackup::~RegistryValueBackup() {
    HKEY key = nullptr;
    if (::RegCreateKeyExW(m_root, m_subkey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    fw::RegKey owned(key);
    if (m_existed)
        ::RegSetValueExW(key, m_name.c_str(), 0, m_type, m_data.data(), static_cast<DWORD>(m_data.size()));
    else
        ::RegDeleteValueW(key, m_name.c_str());
}

FileBackup::FileBackup(const std::wstring& path) : m_path(path), m_copy(path + L".zuva-test-backup") {
    m_existed = ::CopyFileW(path.c_str(), m_copy.c_str(), FALSE) != FALSE;
}

FileBackup::~FileBackup() {
    if (m_existed) ::MoveFileExW(m_copy.c_str(), m_path.c_str(), MOVEFILE_REPLACE_EXISTING);
    else ::DeleteFileW(m_path.c_str());
}

std::string ReadFileBytes(const std::wstring& path) {
    fw::FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    if (!file) return std::string();
    std::string bytes;
    char chunk[65536];
    DWORD got = 0;
    while (::ReadFile(file.get(), chunk, sizeof(chunk), &got, nullptr) && got > 0) bytes.append(chunk, got);
    return bytes;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes, DWORD attributes) {
    fw::FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

bool FileExists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void DeleteSoon(const std::wstring& path) {
    for (int i = 0; i < 50 && !::DeleteFileW(path.c_str()) && ::GetLastError() != ERROR_FILE_NOT_FOUND &&
                    ::GetLastError() != ERROR_PATH_NOT_FOUND;
         ++i)
        ::Sleep(100);
}

std::wstring TempFolder() {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    return temp;
}

std::wstring ShellFolder(int csidl) {
    wchar_t folder[MAX_PATH] = {};
    ::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, folder);
    return folder;
}

bool KeyExists(HKEY root, const std::wstring& subkey) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    fw::RegKey owned(key);
    return true;
}

bool RunningUnderWine() {
    return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

DWORD ProcessOfWindow(HWND window) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    return pid;
}

std::wstring LocalDay(int days) {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    FILETIME ft{};
    ::SystemTimeToFileTime(&now, &ft);
    ULARGE_INTEGER t{};
    t.LowPart = ft.dwLowDateTime;
    t.HighPart = ft.dwHighDateTime;
    t.QuadPart += static_cast<ULONGLONG>(static_cast<LONGLONG>(days) * 864000000000LL);
    ft.dwLowDateTime = t.LowPart;
    ft.dwHighDateTime = t.HighPart;
    ::FileTimeToSystemTime(&ft, &now);
    wchar_t text[16];
    swprintf(text, 16, L"%04d-%02d-%02d", now.wYear, now.wMonth, now.wDay);
    return text;
}

ExeIni::ExeIni() : ExeIni(BuildDir() + L"\\Statistic.ini") {}

ExeIni::ExeIni(const std::wstring& path) : m_path(path), m_backup(path) {}

std::wstring ExeIni::Read(const wchar_t* key, const wchar_t* fallback, DWORD chars) const {
    std::wstring value(chars, L'\0');
    const DWORD got = ::GetPrivateProfileStringW(L"Zuva", key, fallback, &value[0], chars, m_path.c_str());
    value.resize(got);
    return value;
}

void ExeIni::Set(const wchar_t* key, const wchar_t* text) const {
    ::WritePrivateProfileStringW(L"Zuva", key, text, m_path.c_str());
}

int GdiObjectCount() {
    DWORD reported = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported) return static_cast<int>(reported);
    int count = 0;
    for (ULONG_PTR index = 1; index < 0x10000; ++index)
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(index))) ++count;
    return count;
}

void ClickWith(POINT screen, DWORD downFlag, DWORD upFlag) {
    // The button events carry their own position. Moving the cursor first
    // (SetCursorPos) races under Wine with the pointer motion the X server
    // reports back for the previous move, which can put a quick second click
    // where the first one was.
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input[2] = {};
    for (INPUT& in : input) {
        in.type = INPUT_MOUSE;
        in.mi.dx = static_cast<LONG>((screen.x * 65535LL + width / 2) / (width - 1));
        in.mi.dy = static_cast<LONG>((screen.y * 65535LL + height / 2) / (height - 1));
    }
    input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | downFlag;
    input[1].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | upFlag;
    ::SendInput(2, input, sizeof(INPUT));
}

void ClickAt(POINT screen, int clicks) {
    for (int i = 0; i < clicks; ++i) ClickWith(screen, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
}

void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> input;
    for (WORD vk : keys) {
        INPUT down{};
        down.type = INPUT_KEYBOARD;
        down.ki.wVk = vk;
        input.push_back(down);
    }
    ::SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
    // A player holds a chord for a moment; releasing it in the same burst
    // races the key-state reads of a window that gets the key second-hand.
    ::Sleep(80);
    input.clear();
    for (auto it = keys.end(); it != keys.begin();) {
        INPUT up{};
        up.type = INPUT_KEYBOARD;
        up.ki.wVk = *--it;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        input.push_back(up);
    }
    ::SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

}  // namespace wintest
