#include "ui/LayeredPicture.h"

#include <cstdint>
#include <cstring>

#include "ui/SkinImage.h"

namespace {

constexpr char kMagic[4] = {'Z', 'P', 'I', 'C'};
constexpr size_t kHeaderBytes = 12;
constexpr uint32_t kMaxSide = 4096;  // far above any skin picture; keeps sizes small
constexpr USHORT kLznt1 = 2;         // COMPRESSION_FORMAT_LZNT1

using DecompressFn = LONG(WINAPI*)(USHORT, PUCHAR, ULONG, PUCHAR, ULONG, PULONG);

uint32_t ReadLittleEndian32(const unsigned char* at) {
    return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 | static_cast<uint32_t>(at[2]) << 16 |
           static_cast<uint32_t>(at[3]) << 24;
}

}  // namespace

fw::BitmapHandle LoadLayeredPicture(HMODULE module, UINT id, SIZE* size) {
    *size = SIZE{0, 0};
    const std::string_view resource = ResourceBytes(module, id, MAKEINTRESOURCEW(10));  // RT_RCDATA
    const auto* data = reinterpret_cast<const unsigned char*>(resource.data());
    const size_t bytes = resource.size();
    if (bytes <= kHeaderBytes || std::memcmp(data, kMagic, sizeof kMagic) != 0) return fw::BitmapHandle();
    const uint32_t width = ReadLittleEndian32(data + 4);
    const uint32_t height = ReadLittleEndian32(data + 8);
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide) return fw::BitmapHandle();

    // The platform's own unpacker; ntdll is in every process.
    const auto decompress = reinterpret_cast<DecompressFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "RtlDecompressBuffer")));
    if (!decompress) return fw::BitmapHandle();

    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), static_cast<LONG>(width), -static_cast<LONG>(height), 1, 32,
                      BI_RGB, 0, 0, 0, 0, 0};
    fw::WindowDc screen(nullptr);
    void* bits = nullptr;
    fw::BitmapHandle section(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || !bits) return fw::BitmapHandle();
    const ULONG wanted = width * height * 4;
    ULONG unpacked = 0;
    // The resource is read-only; the unpacker takes its input as writable but
    // does not write it.
    auto* packed = const_cast<PUCHAR>(data + kHeaderBytes);
    if (decompress(kLznt1, static_cast<PUCHAR>(bits), wanted, packed, static_cast<ULONG>(bytes - kHeaderBytes),
                   &unpacked) != 0 ||
        unpacked != wanted)
        return fw::BitmapHandle();
    *size = SIZE{static_cast<LONG>(width), static_cast<LONG>(height)};
    return section;
}
