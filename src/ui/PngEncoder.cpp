#include "ui/PngEncoder.h"

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <cstring>
#include <vector>

#include "framework/Handles.h"

namespace {
// The class id of the installed encoder for `mimeType`; GDI+ lists its
// codecs rather than promising their ids.
bool FindEncoder(const wchar_t* mimeType, CLSID* encoder) {
    UINT count = 0, bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || count == 0 || bytes == 0) return false;
    // Records and the strings they point to share the buffer; aligned for the records.
    std::vector<uint64_t> buffer((bytes + sizeof(uint64_t) - 1) / sizeof(uint64_t));
    auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, bytes, codecs) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i) {
        if (codecs[i].MimeType && std::wcscmp(codecs[i].MimeType, mimeType) == 0) {
            *encoder = codecs[i].Clsid;
            return true;
        }
    }
    return false;
}

// Everything written to `stream`, from its start.
std::string StreamBytes(IStream* stream) {
    STATSTG stat{};
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) || stat.cbSize.QuadPart == 0 ||
        stat.cbSize.QuadPart > MAXDWORD)
        return std::string();
    const LARGE_INTEGER start{};
    if (FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr))) return std::string();
    std::string bytes(static_cast<size_t>(stat.cbSize.QuadPart), '\0');
    ULONG read = 0;
    if (FAILED(stream->Read(&bytes[0], static_cast<ULONG>(bytes.size()), &read)) || read != bytes.size())
        return std::string();
    return bytes;
}
}  // namespace

std::string EncodePng(int width, int height, const void* pixels) {
    if (width <= 0 || height <= 0 || !pixels) return std::string();
    fw::GdiplusSession gdiplus;
    CLSID png{};
    if (!gdiplus.ok() || !FindEncoder(L"image/png", &png)) return std::string();
    // The picture's own memory, read in place: GDI+ takes no GDI bitmap that
    // a device context has held.
    Gdiplus::Bitmap image(width, height, width * 4, PixelFormat32bppRGB,
                          static_cast<BYTE*>(const_cast<void*>(pixels)));
    fw::ComPtr<IStream> stream;
    if (image.GetLastStatus() != Gdiplus::Ok || FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, stream.put())) ||
        !stream)
        return std::string();
    if (image.Save(stream.get(), &png, nullptr) != Gdiplus::Ok) return std::string();
    return StreamBytes(stream.get());
}
