#include "engine/scripted/BitmapFile.h"

#include "framework/Handles.h"

namespace scripted {

namespace {

// Pictures of a window never come near this; it keeps the sizes below far
// from any overflow.
constexpr int kMaxSide = 16384;

BITMAPINFOHEADER BottomUp32(int width, int height) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;  // positive: rows bottom-up, what every reader takes
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(width) * 4u * static_cast<DWORD>(height);
    return header;
}

bool WriteWhole(HANDLE file, const void* data, DWORD size) {
    DWORD written = 0;
    return ::WriteFile(file, data, size, &written, nullptr) && written == size;
}

}  // namespace

bool WritePaintedBitmap(const std::wstring& path, int width, int height, const std::function<void(HDC)>& paint) {
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return false;
    BITMAPINFO info{};
    info.bmiHeader = BottomUp32(width, height);
    fw::WindowDc screen(nullptr);
    void* bits = nullptr;
    fw::BitmapHandle section(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    fw::MemoryDc mem(::CreateCompatibleDC(screen.get()));
    if (!section || !bits || !mem) return false;
    {
        fw::SelectScope select(mem.get(), section.get());
        paint(mem.get());
    }
    ::GdiFlush();  // the pixels are read straight from the section's memory

    BITMAPFILEHEADER head{};
    head.bfType = 0x4D42;  // "BM"
    head.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    head.bfSize = head.bfOffBits + info.bmiHeader.biSizeImage;
    bool written = false;
    {
        fw::FileHandle file(
            ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        written = WriteWhole(file.get(), &head, sizeof(head)) &&
                  WriteWhole(file.get(), &info.bmiHeader, sizeof(info.bmiHeader)) &&
                  WriteWhole(file.get(), bits, info.bmiHeader.biSizeImage);
    }
    // A cut-off picture would be read as a wrong one.
    if (!written) ::DeleteFileW(path.c_str());
    return written;
}

}  // namespace scripted
