// Digests one file the way the launcher does (1024-byte reads through
// Md5OfStream) and prints the digest and the throughput.
//   zuva_bench_md5 <file>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "net/FileDigest.h"

namespace {
struct FileCloser {
    void operator()(FILE* f) const { fclose(f); }
};
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <file>\n", argv[0]);
        return 2;
    }
    std::unique_ptr<FILE, FileCloser> file(std::fopen(argv[1], "rb"));
    if (!file) {
        std::perror(argv[1]);
        return 1;
    }
    size_t total = 0;
    std::wstring hex;
    const auto start = std::chrono::steady_clock::now();
    const bool ok = Md5OfStream(
        [&](uint8_t* buf, size_t cap) {
            const size_t n = std::fread(buf, 1, cap, file.get());
            total += n;
            return n;
        },
        &hex);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (!ok || std::ferror(file.get())) {
        std::fprintf(stderr, "%s: read failed\n", argv[1]);
        return 1;
    }
    const double mbPerSec = took.count() > 0 ? total / 1e6 / took.count() : 0;
    std::printf("%ls  %zu bytes  %.3f s  %.1f MB/s\n", hex.c_str(), total, took.count(), mbPerSec);
    return 0;
}
