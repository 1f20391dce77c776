#include "gamewnd/PageShot.h"

#include <windows.h>
#include <shlobj.h>

#include "base/HeldFolder.h"
#include "base/ShellFolder.h"
#include "framework/Handles.h"
#include "ui/PngEncoder.h"

namespace {
// The screenshots folder in the Pictures folder `pictures`.
std::wstring ShotFolderIn(const std::wstring& pictures) { return pictures + L"\\" + kShotSubfolder; }

ShotTime LocalTimeNow() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return ShotTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

bool WriteWhole(HANDLE file, const std::string& bytes) {
    DWORD written = 0;
    return ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size() && ::FlushFileBuffers(file);
}

// The page as its engine draws it, encoded as PNG; empty when there is none.
std::string EncodedPage(PageEngine& engine) {
    RECT client{};
    if (!::GetClientRect(engine.Window(), &client) || client.right <= 0 || client.bottom <= 0) return std::string();
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    fw::WindowDc screen(nullptr);
    void* pixels = nullptr;
    fw::BitmapHandle picture(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    fw::MemoryDc dc(::CreateCompatibleDC(screen.get()));
    if (!picture || !pixels || !dc) return std::string();
    {
        fw::SelectScope select(dc.get(), picture.get());
        // What the page leaves undrawn shows white, as an empty page does.
        ::PatBlt(dc.get(), 0, 0, client.right, client.bottom, WHITENESS);
        if (!engine.DrawPage(dc.get())) return std::string();
        ::GdiFlush();
    }
    return EncodePng(client.right, client.bottom, pixels);
}
}  // namespace

std::wstring ShotFolderPath() {
    const std::wstring pictures = ShellFolderPath(CSIDL_MYPICTURES);
    return pictures.empty() ? pictures : ShotFolderIn(pictures);
}

std::wstring SavePageShot(PageEngine& engine, const std::wstring& caption) {
    const std::string png = EncodedPage(engine);
    if (png.empty()) return std::wstring();
    return SaveShotFile(ShellFolderPath(CSIDL_MYPICTURES), caption, LocalTimeNow(), png);
}

std::wstring SaveShotFile(const std::wstring& picturesFolder, const std::wstring& caption, const ShotTime& time,
                          const std::string& png) {
    if (picturesFolder.empty() || png.empty() || png.size() > MAXDWORD) return std::wstring();
    // Pictures is where the player's shell says it is, even through a link
    // (under Wine it is one to the home folder); from there on nothing is
    // followed.
    const HeldFolder pictures = HeldFolder::OpenWhereItLeads(picturesFolder);
    const HeldFolder shots = pictures ? pictures.OpenOrMakeSubfolder(kShotSubfolder) : HeldFolder();
    if (!shots) return std::wstring();
    for (int attempt = 1; attempt <= kMaxShotAttempts; ++attempt) {
        const std::wstring name = ShotFileName(caption, time, attempt);
        fw::FileHandle file = shots.CreateNewFile(name, GENERIC_WRITE | DELETE);
        if (!file) {
            if (::GetLastError() == ERROR_ALREADY_EXISTS) continue;  // taken: the next counter
            return std::wstring();
        }
        if (WriteWhole(file.get(), png)) return ShotFolderIn(picturesFolder) + L"\\" + name;
        // Half a picture is no picture.
        DeleteWhenClosed(file.get());
        return std::wstring();
    }
    return std::wstring();
}
