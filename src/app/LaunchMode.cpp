#include "app/LaunchMode.h"

#include "base/LenientNumber.h"

namespace {

wchar_t AsciiUpper(wchar_t c) { return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 32) : c; }

bool SameSwitch(const std::wstring& arg, const wchar_t* name) {
    size_t i = 0;
    for (; name[i]; ++i) {
        if (i >= arg.size() || AsciiUpper(arg[i]) != AsciiUpper(name[i])) return false;
    }
    return i == arg.size();
}

// "/<number>" argument: copied into a buffer of bufferChars characters (so at
// most bufferChars - 1 are kept), the first character skipped, the rest read
// as a lenient decimal. A missing argument reads as 0.
int32_t ReadSlashNumber(const std::vector<std::wstring>& args, size_t index, size_t bufferChars) {
    if (index >= args.size()) return 0;
    std::wstring kept = args[index].substr(0, bufferChars - 1);
    if (kept.empty()) return 0;
    return ParseLenientInt(kept.substr(1));
}

}  // namespace

LaunchInfo ParseLaunchMode(const std::vector<std::wstring>& args, const std::wstring& exePathUpper,
                           const std::wstring& dataFolderUpper) {
    LaunchInfo info;
    if (!args.empty()) {
        const std::wstring& first = args[0];
        struct Switch {
            const wchar_t* name;
            LaunchMode mode;
        };
        static const Switch switches[] = {
            {L"/webKorvelD", LaunchMode::PortalHome}, {L"/ZuvaD", LaunchMode::ShortcutStart},
            {L"/uninst", LaunchMode::Uninstall},      {L"/update", LaunchMode::ApplyUpdate},
            {L"/newgm", LaunchMode::NewGameWindow},   {L"/gmhall", LaunchMode::GameHallWindow},
            {L"/clearcache", LaunchMode::ClearCache}, {L"/open", LaunchMode::OpenAddress},
        };
        for (const Switch& s : switches) {
            if (!SameSwitch(first, s.name)) continue;
            info.mode = s.mode;
            if (s.mode == LaunchMode::NewGameWindow || s.mode == LaunchMode::GameHallWindow)
                info.ownerWnd = ReadSlashNumber(args, 1, 16);
            if (s.mode == LaunchMode::NewGameWindow) info.ownerPages = ReadSlashNumber(args, 2, 8);
            if (s.mode == LaunchMode::OpenAddress && args.size() > 1) info.address = args[1];
            return info;
        }
    }
    bool inside = !dataFolderUpper.empty() && exePathUpper.find(dataFolderUpper) != std::wstring::npos;
    info.mode = inside ? LaunchMode::InstalledStart : LaunchMode::Install;
    return info;
}

bool ModeChecksAutomatically(LaunchMode mode) {
    switch (mode) {
    case LaunchMode::Install:
    case LaunchMode::PortalHome:
    case LaunchMode::Uninstall:
    case LaunchMode::NewGameWindow:
    case LaunchMode::ClearCache:
    case LaunchMode::OpenAddress:
        return false;
    default:
        return true;
    }
}

bool RunsAsPlayer(LaunchMode mode) {
    switch (mode) {
    case LaunchMode::NewGameWindow:
    case LaunchMode::GameHallWindow:
    case LaunchMode::ClearCache:
    case LaunchMode::OpenAddress:
        return true;
    default:
        return false;
    }
}
