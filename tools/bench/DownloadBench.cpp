// Download throughput of the launcher's HTTP client:
//   zuva_bench_download.exe <address> <target file> <runs>
// Prints the best time and its throughput.
#include <windows.h>

#include <cstdio>
#include <string>

#include "net/HttpClient.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        fwprintf(stderr, L"usage: %ls address target runs\n", argv[0]);
        return 2;
    }
    const int runs = _wtoi(argv[3]);
    LARGE_INTEGER freq, start, end;
    ::QueryPerformanceFrequency(&freq);
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        ::QueryPerformanceCounter(&start);
        if (!HttpDownloadFile(argv[1], argv[2], BuildDownloadLimit())) {
            fwprintf(stderr, L"download failed\n");
            return 1;
        }
        ::QueryPerformanceCounter(&end);
        const double seconds = double(end.QuadPart - start.QuadPart) / double(freq.QuadPart);
        if (seconds < best) best = seconds;
    }
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ::GetFileAttributesExW(argv[2], GetFileExInfoStandard, &data);
    const double mb = double(data.nFileSizeLow) / 1e6;
    wprintf(L"%.3f s %.1f MB/s\n", best, mb / best);
    return 0;
}
