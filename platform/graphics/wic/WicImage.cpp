#include "platform/graphics/wic/WicImage.h"

#include <cstdio>
#include <limits>

#include "platform/core/Exceptions.h"

// The component's GUIDs are defined here, once for the program.
#include <initguid.h>

#include <wincodec.h>
#include <wrl/client.h>

#include "platform/graphics/wic/TWicSession.h"

using Microsoft::WRL::ComPtr;

namespace {

void Check(HRESULT result, const std::string& what) {
    if (FAILED(result)) ThrowWicError(what, result);
}

// The encoders take blue, green, red rows; other formats are converted first.
TBitmap As24Bit(const TBitmap& bitmap) {
    TBitmap converted = bitmap;
    converted.SetPixelFormat(TPixelFormat::pf24bit);
    return converted;
}

void SetQuality(IPropertyBag2& options, float quality) {
    PROPBAG2 option{};
    option.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_R4;
    value.fltVal = quality;
    options.Write(1, &option, &value);
}

std::vector<std::uint8_t> StreamBytes(IStream& stream, const std::string& what) {
    STATSTG stat{};
    Check(stream.Stat(&stat, STATFLAG_NONAME), what);
    if (stat.cbSize.QuadPart > std::numeric_limits<ULONG>::max()) ThrowWicError(what, E_OUTOFMEMORY);
    std::vector<std::uint8_t> bytes(std::size_t(stat.cbSize.QuadPart));
    LARGE_INTEGER start{};
    Check(stream.Seek(start, STREAM_SEEK_SET, nullptr), what);
    ULONG read = 0;
    Check(stream.Read(bytes.data(), ULONG(bytes.size()), &read), what);
    bytes.resize(read);
    return bytes;
}

} // namespace

void ThrowWicError(const std::string& what, HRESULT result) {
    char code[16];
    std::snprintf(code, sizeof code, "%08lX", static_cast<unsigned long>(result));
    throw EInvalidGraphic(what + " (0x" + code + ")");
}

TBitmap DecodeWithWic(std::span<const std::uint8_t> data, const GUID& container, const TWicSizeCheck& check,
                      const std::string& what, TWicPixels pixels) {
    if (data.empty() || data.size() > std::numeric_limits<DWORD>::max())
        throw EInvalidGraphic(what + ": no picture");
    TWicSession session;
    ComPtr<IWICStream> stream;
    Check(session.Factory().CreateStream(stream.GetAddressOf()), what);
    Check(stream->InitializeFromMemory(const_cast<BYTE*>(data.data()), DWORD(data.size())), what);
    ComPtr<IWICBitmapDecoder> decoder;
    Check(session.Factory().CreateDecoder(container, nullptr, decoder.GetAddressOf()), what);
    Check(decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand), what + ": not a picture");
    ComPtr<IWICBitmapFrameDecode> frame;
    Check(decoder->GetFrame(0, frame.GetAddressOf()), what + ": no picture");
    UINT width = 0, height = 0;
    Check(frame->GetSize(&width, &height), what);
    // Nothing is decoded before the pixels are copied, so the size is checked first.
    if (width == 0 || height == 0 || width > UINT(std::numeric_limits<int>::max()) ||
        height > UINT(std::numeric_limits<int>::max()))
        throw EInvalidGraphic(what + ": picture too large");
    const std::string fault = check(int(width), int(height));
    if (!fault.empty()) throw EInvalidGraphic(what + ": " + fault);
    // Every decoder's pixels convert to 32-bit blue, green, red (not all to 24-bit: grey ones
    // under Wine do not), which then loses its unused byte.
    ComPtr<IWICBitmapSource> converted;
    const bool opaque = pixels == TWicPixels::Opaque;
    Check(WICConvertBitmapSource(opaque ? GUID_WICPixelFormat32bppBGR : GUID_WICPixelFormat32bppBGRA,
                                 frame.Get(), converted.GetAddressOf()),
          what);
    TBitmap bitmap(int(width), int(height), TPixelFormat::pf32bit);
    const std::uint64_t size = std::uint64_t(bitmap.RowStep()) * height;
    if (size > std::numeric_limits<UINT>::max()) throw EInvalidGraphic(what + ": picture too large");
    Check(converted->CopyPixels(nullptr, UINT(bitmap.RowStep()), UINT(size), bitmap.ScanLine(0)),
          what + ": broken picture");
    if (opaque) bitmap.SetPixelFormat(TPixelFormat::pf24bit);
    return bitmap;
}

std::vector<std::uint8_t> EncodeWithWic(const TBitmap& bitmap, const GUID& container, float quality,
                                        const std::string& what) {
    const TBitmap source = bitmap.PixelFormat() == TPixelFormat::pf24bit ? bitmap : As24Bit(bitmap);
    const std::uint64_t size = std::uint64_t(source.RowStep()) * std::uint64_t(source.Height());
    if (size > std::numeric_limits<UINT>::max()) throw EInvalidGraphic(what + ": picture too large");
    TWicSession session;
    ComPtr<IStream> stream;
    Check(CreateStreamOnHGlobal(nullptr, TRUE, stream.GetAddressOf()), what);
    ComPtr<IWICBitmapEncoder> encoder;
    Check(session.Factory().CreateEncoder(container, nullptr, encoder.GetAddressOf()), what);
    Check(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache), what);
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    Check(encoder->CreateNewFrame(frame.GetAddressOf(), options.GetAddressOf()), what);
    if (options && quality >= 0) SetQuality(*options.Get(), quality);
    Check(frame->Initialize(options.Get()), what);
    Check(frame->SetSize(UINT(source.Width()), UINT(source.Height())), what);
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    Check(frame->SetPixelFormat(&format), what);
    if (!IsEqualGUID(format, GUID_WICPixelFormat24bppBGR))
        ThrowWicError(what, WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT);
    Check(frame->WritePixels(UINT(source.Height()), UINT(source.RowStep()), UINT(size),
                             const_cast<BYTE*>(source.ScanLine(0))),
          what);
    Check(frame->Commit(), what);
    Check(encoder->Commit(), what);
    return StreamBytes(*stream.Get(), what);
}
