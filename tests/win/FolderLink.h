#pragma once
// A folder link for the tests of what must never be followed.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "framework/Handles.h"
#include "LauncherDriver.h"
#include "WinTestSupport.h"

namespace wintest {

// A directory link at `link` to `target`, made the first way this system
// offers that it then reports as a reparse point: a directory symbolic link,
// or under Wine (whose symbolic links and mount points are not made) a
// symbolic link of the host's file system inside the prefix.
class FolderLink {
public:
    FolderLink(const std::wstring& link, const std::wstring& target) : m_link(link) {
        if (::CreateSymbolicLinkW(link.c_str(), target.c_str(),
                                  SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) &&
            IsLink())
            m_kind = Kind::Symbolic;
        else if (MakeHostLink(target) && IsLink())
            m_kind = Kind::Host;
    }
    ~FolderLink() {
        if (m_kind == Kind::Host) {
            RunHost(L"/bin/rm", L"rm -f " + Quoted(HostPath(m_link)));
            WaitUntil([&] { return !FileExists(m_link); }, 5000);  // the host program's end is not waited for
        } else if (m_kind == Kind::Symbolic) {
            ::RemoveDirectoryW(m_link.c_str());
        }
    }
    FolderLink(const FolderLink&) = delete;
    FolderLink& operator=(const FolderLink&) = delete;

    bool made() const { return m_kind != Kind::None; }
    const char* kind() const { return m_kind == Kind::Symbolic ? "directory symbolic link" : "host symbolic link"; }

private:
    enum class Kind { None, Symbolic, Host };

    bool IsLink() const {
        const DWORD a = ::GetFileAttributesW(m_link.c_str());
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_REPARSE_POINT) && (a & FILE_ATTRIBUTE_DIRECTORY);
    }

    bool MakeHostLink(const std::wstring& target) {
        if (!RunningUnderWine()) return false;
        if (!RunHost(L"/bin/ln", L"ln -s " + Quoted(HostPath(target)) + L" " + Quoted(HostPath(m_link))))
            return false;
        return WaitUntil([&] { return FileExists(m_link); }, 5000);
    }

    // The host's name of a path in the prefix.
    static std::wstring HostPath(const std::wstring& path) {
        using ToHost = char*(CDECL*)(const wchar_t*);
        auto toHost = reinterpret_cast<ToHost>(
            reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
        char* host = toHost ? toHost(path.c_str()) : nullptr;
        if (!host) return std::wstring();
        const std::wstring wide(host, host + strlen(host));  // the prefix's host paths are ASCII
        ::HeapFree(::GetProcessHeap(), 0, host);
        return wide;
    }
    static std::wstring Quoted(const std::wstring& s) { return L"\"" + s + L"\""; }
    // Wine starts a host program like one of its own.
    static bool RunHost(const wchar_t* program, std::wstring commandLine) {
        STARTUPINFOW si{};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi{};
        std::wstring exe = std::wstring(L"Z:") + program;
        std::replace(exe.begin(), exe.end(), L'/', L'\\');
        if (!::CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            return false;
        fw::KernelHandle process(pi.hProcess), thread(pi.hThread);
        ::WaitForSingleObject(process.get(), 5000);
        return true;
    }

    std::wstring m_link;
    Kind m_kind = Kind::None;
};

}  // namespace wintest
