#include "app/InstalledCopy.h"

#include <windows.h>

#include <optional>
#include <string>

#include "app/LaunchModeWin.h"
#include "base/NewFile.h"
#include "base/PathText.h"
#include "base/StartProgram.h"
#include "framework/Handles.h"

namespace {
std::optional<std::string> ReadWhole(HANDLE file) {
    LARGE_INTEGER size{};
    // An executable is megabytes; anything over 256 MB is not ours.
    if (!::GetFileSizeEx(file, &size) || size.QuadPart > 256 * 1024 * 1024) return std::nullopt;
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (!bytes.empty() && (!::ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr) ||
                           got != bytes.size()))
        return std::nullopt;
    return bytes;
}

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
    const fw::FileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, 0, nullptr));
    return file ? ReadWhole(file.get()) : std::nullopt;
}

// What was moved aside goes now, or at the next restart when it still runs
// or is marked read-only (its mark is taken off first, on the file itself).
void DiscardAside(const std::wstring& aside) {
    {
        const fw::FileHandle file(::CreateFileW(aside.c_str(), FILE_WRITE_ATTRIBUTES,
                                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        FILE_BASIC_INFO plain{};
        plain.FileAttributes = FILE_ATTRIBUTE_NORMAL;
        if (file) ::SetFileInformationByHandle(file.get(), FileBasicInfo, &plain, sizeof(plain));
    }
    if (!::DeleteFileW(aside.c_str())) ::MoveFileExW(aside.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT);
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    return ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}
}  // namespace

InstalledCopy::InstalledCopy(const std::wstring& installed) : m_path(installed) {
    const std::optional<std::string> ours = ReadWholeFile(GetExePath());
    if (!ours || ours->empty()) return;
    const std::wstring aside = MoveAside(installed);
    if (aside.empty()) return;
    if (aside != installed) DiscardAside(aside);
    {
        const fw::FileHandle fresh = CreateNewFile(installed, GENERIC_WRITE, 0);
        if (!fresh || !WriteAll(fresh.get(), *ours)) return;
    }
    // Held without write or delete sharing from the check until the start.
    fw::FileHandle held(::CreateFileW(installed.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    const std::optional<std::string> written = held ? ReadWhole(held.get()) : std::nullopt;
    if (written && *written == *ours) m_held = std::move(held);
}

void InstalledCopy::Start() const {
    if (ok()) StartProgram(CommandLineProgram(m_path));
}
