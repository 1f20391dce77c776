// Loads every skin image of an executable at a few DPIs, as the windows do,
// and prints for each DPI the time taken and the private memory the process
// gained while the images were held (and after they were let go).
//   zuva_bench_skin <Zuva.exe> [dpi...]   (default 96 144 120)
#include <windows.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <memory>
#include <type_traits>
#include <vector>

#include "framework/Handles.h"
#include "resource.h"
#include "ui/LayeredPicture.h"
#include "ui/SkinCatalog.h"
#include "ui/SkinImage.h"

namespace {

struct LibraryCloser {
    void operator()(HMODULE module) const { ::FreeLibrary(module); }
};

double PrivateKiB() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof counters);
    // Wine leaves PrivateUsage at 0; the commit charge stands for it there.
    const SIZE_T bytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    return static_cast<double>(bytes) / 1024.0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fwprintf(stderr, L"usage: %ls <Zuva.exe> [dpi...]\n", argv[0]);
        return 2;
    }
    std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryCloser> module(
        ::LoadLibraryExW(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!module) {
        std::fwprintf(stderr, L"%ls: cannot load (%lu)\n", argv[1], ::GetLastError());
        return 1;
    }
    std::vector<int> dpis;
    for (int i = 2; i < argc; ++i) dpis.push_back(static_cast<int>(std::wcstol(argv[i], nullptr, 10)));
    if (dpis.empty()) dpis = {96, 144, 120};

    std::printf("%-5s %-8s %9s %12s %12s %8s\n", "dpi", "images", "ms", "held KiB", "after KiB", "failed");
    for (int dpi : dpis) {
        const double before = PrivateKiB();
        const auto start = std::chrono::steady_clock::now();
        std::vector<fw::BitmapHandle> held;
        int failed = 0;
        for (UINT id = IDB_LOGIN_BACKGROUND; id <= IDB_TAB_MUTED; ++id) {
            if (!FindSkinImage(id)) continue;
            if (id == IDB_LOGIN_BACKGROUND) {
                SIZE size{};
                held.push_back(LoadLayeredPicture(module.get(), id, dpi, &size));
            } else {
                held.push_back(LoadSkinBitmap(module.get(), id, dpi));
            }
            failed += !held.back();
        }
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        const double holding = PrivateKiB();
        const size_t count = held.size();
        held.clear();
        std::printf("%-5d %-8zu %9.1f %12.0f %12.0f %8d\n", dpi, count, took.count(), holding - before,
                    PrivateKiB() - before, failed);
    }
    return 0;
}
