#include "ui/SkinImage.h"

#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>

#include "ui/DpiScale.h"
#include "ui/SkinCatalog.h"
#include "ui/SkinPixels.h"
#include "ui/SkinResample.h"

namespace {

// A 32-bit bottom-up section of width x height; bits receives its pixels.
fw::BitmapHandle CreateSection(int width, int height, void** bits) {
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = height;  // positive: rows stored bottom-up
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    fw::WindowDc screen(nullptr);
    return fw::BitmapHandle(::CreateDIBSection(screen.get(), &bmi, DIB_RGB_COLORS, bits, nullptr, 0));
}

// Bytes copied into a stream that frees them, read from its start.
fw::ComPtr<IStream> BytesStream(const void* bytes, DWORD size) {
    fw::ComPtr<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, stream.put()))) return fw::ComPtr<IStream>();
    ULONG written = 0;
    if (FAILED(stream->Write(bytes, size, &written)) || written != size) return fw::ComPtr<IStream>();
    const LARGE_INTEGER start{};
    if (FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr))) return fw::ComPtr<IStream>();
    return stream;
}

// A decoded picture drawn onto white in a section of its own size at
// `scale` (a web picture's pixels are 96-DPI pixels, as a page's are).
fw::BitmapHandle DrawOntoWhite(Gdiplus::Image& image, int* width, int* height, const DpiScale& scale) {
    if (image.GetLastStatus() != Gdiplus::Ok) return fw::BitmapHandle();
    const int cx = scale.Length(static_cast<int>(image.GetWidth()));
    const int cy = scale.Length(static_cast<int>(image.GetHeight()));
    fw::WindowDc screen(nullptr);
    fw::MemoryDc mem(::CreateCompatibleDC(screen.get()));
    if (cx <= 0 || cy <= 0 || !mem) return fw::BitmapHandle();

    void* bits = nullptr;
    fw::BitmapHandle section = CreateSection(cx, cy, &bits);
    if (!section) return fw::BitmapHandle();
    {
        fw::SelectScope select(mem.get(), section.get());
        RECT all{0, 0, cx, cy};
        ::FillRect(mem.get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        Gdiplus::Graphics graphics(mem.get());
        if (!scale.IsBase()) {
            graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
            graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        }
        graphics.DrawImage(&image, 0, 0, cx, cy);
    }
    *width = cx;
    *height = cy;
    return section;
}

}  // namespace

std::string_view ResourceBytes(HMODULE module, UINT id, const wchar_t* type) {
    HRSRC res = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (!res) return std::string_view();
    HGLOBAL loaded = ::LoadResource(module, res);
    const auto* bytes = loaded ? static_cast<const char*>(::LockResource(loaded)) : nullptr;
    const DWORD size = ::SizeofResource(module, res);
    if (!bytes || size == 0) return std::string_view();
    return std::string_view(bytes, size);
}

fw::ComPtr<IStream> ResourceStream(HMODULE module, UINT id, const wchar_t* type) {
    const std::string_view bytes = ResourceBytes(module, id, type);
    if (bytes.empty()) return fw::ComPtr<IStream>();
    return BytesStream(bytes.data(), static_cast<DWORD>(bytes.size()));
}

SkinRaster LoadSkinRaster(HMODULE module, UINT id, int dpi) {
    if (!module) return SkinRaster();
    const SkinSet set = SkinSetFor(dpi);
    const std::string_view packed = ResourceBytes(module, id + set.idOffset, MAKEINTRESOURCEW(10));  // RT_RCDATA
    return SkinImageAtDpi(UnpackSkinImage(packed), id, dpi);
}

fw::BitmapHandle SectionOfRaster(const SkinRaster& image) {
    if (image.empty()) return fw::BitmapHandle();
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), image.width, -image.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    fw::WindowDc screen(nullptr);
    void* bits = nullptr;
    fw::BitmapHandle section(::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section || !bits) return fw::BitmapHandle();
    std::copy(image.pixels.begin(), image.pixels.end(), static_cast<uint32_t*>(bits));
    ::GdiFlush();
    return section;
}

fw::BitmapHandle LoadSkinBitmap(HMODULE module, UINT id, int dpi) {
    const SkinRaster image = LoadSkinRaster(module, id, dpi);
    if (image.layered) return fw::BitmapHandle();
    return SectionOfRaster(image);
}

fw::BitmapHandle LoadSkinBitmap(UINT id, int dpi) { return LoadSkinBitmap(::GetModuleHandleW(nullptr), id, dpi); }

fw::BitmapHandle LoadPictureFile(const std::wstring& path, int* width, int* height, const DpiScale& scale) {
    *width = 0;
    *height = 0;
    fw::GdiplusSession gdiplus;
    if (!gdiplus.ok()) return fw::BitmapHandle();
    Gdiplus::Image image(path.c_str());
    return DrawOntoWhite(image, width, height, scale);
}

fw::BitmapHandle LoadPictureBytes(const std::string& bytes, int maxSide, int* width, int* height) {
    *width = 0;
    *height = 0;
    fw::GdiplusSession gdiplus;
    if (!gdiplus.ok() || bytes.empty() || bytes.size() > MAXDWORD) return fw::BitmapHandle();
    fw::ComPtr<IStream> stream = BytesStream(bytes.data(), static_cast<DWORD>(bytes.size()));
    if (!stream) return fw::BitmapHandle();
    Gdiplus::Image image(stream.get());
    if (image.GetLastStatus() != Gdiplus::Ok) return fw::BitmapHandle();
    if (static_cast<int>(image.GetWidth()) > maxSide || static_cast<int>(image.GetHeight()) > maxSide)
        return fw::BitmapHandle();
    // A page's picture keeps its own pixels; the page's zoom scales it.
    return DrawOntoWhite(image, width, height, DpiScale());
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof(info), &info)) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

fw::ImageListHandle MakeMaskedImageList(HBITMAP strip, int frameWidth, int frameHeight, int initial) {
    if (!strip || frameWidth <= 0 || frameHeight <= 0) return fw::ImageListHandle();
    fw::ImageListHandle list(::ImageList_Create(frameWidth, frameHeight, ILC_COLOR24 | ILC_MASK, initial, 0));
    if (list && !AddMaskedStrip(list.get(), strip)) list.reset();
    return list;
}

bool AddMaskedStrip(HIMAGELIST list, HBITMAP strip) {
    // Adding with a mask blackens the masked pixels of the bitmap it is given;
    // give it a copy so the caller's strip can be used again.
    fw::BitmapHandle copy(static_cast<HBITMAP>(::CopyImage(strip, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    return copy && ::ImageList_AddMasked(list, copy.get(), kMaskColour) >= 0;
}

void DrawImageScaled(HIMAGELIST list, int index, HDC dc, int x, int y, int width, int height) {
    ::ImageList_DrawEx(list, index, dc, x, y, width, height, CLR_DEFAULT, CLR_DEFAULT,
                       ILD_TRANSPARENT | ILD_SCALE);
}
