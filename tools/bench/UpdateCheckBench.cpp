// What checking a downloaded build costs before it may replace the running
// executable: the digest alone, and the whole check (digest, image, the
// signature of the publisher this build names, the file version), read
// through the held file as the update reads it.
//   zuva_bench_update_check.exe <download> <runs>
// Prints the best time of each over the runs.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "framework/Handles.h"
#include "net/DownloadCheck.h"
#include "net/FileDigest.h"
#include "net/UpdateRules.h"

namespace {
double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER freq;
    ::QueryPerformanceFrequency(&freq);
    return double(to.QuadPart - from.QuadPart) / double(freq.QuadPart);
}
}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        fwprintf(stderr, L"usage: %ls download runs\n", argv[0]);
        return 2;
    }
    const std::wstring download = argv[1];
    const int runs = _wtoi(argv[2]);
    fw::FileHandle file(::CreateFileW(download.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                      nullptr));
    std::wstring digest;
    if (!FileMd5Hex(download, &digest)) {
        fwprintf(stderr, L"cannot read %ls\n", argv[1]);
        return 1;
    }
    const std::wstring key = LocalVersionKey(digest, VersionDigits(kProgramVersion));
    double bestDigest = 1e9, bestCheck = 1e9;
    bool accepted = false;
    for (int i = 0; i < runs; ++i) {
        LARGE_INTEGER a, b, c;
        ::QueryPerformanceCounter(&a);
        FileMd5Hex(download, &digest);
        ::QueryPerformanceCounter(&b);
        accepted = IsAnnouncedBuild(file.get(), download, key);
        ::QueryPerformanceCounter(&c);
        bestDigest = std::min(bestDigest, Seconds(a, b));
        bestCheck = std::min(bestCheck, Seconds(b, c));
    }
    wprintf(L"digest %.3f s  check %.3f s  %ls\n", bestDigest, bestCheck, accepted ? L"accepted" : L"REFUSED");
    return accepted ? 0 : 1;
}
