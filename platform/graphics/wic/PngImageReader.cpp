#include "platform/graphics/PngImageReader.h"

#include <objbase.h>
#include <wincodec.h>

namespace {

// Releases a COM object at the end of its scope.
template <class T> class TComPtr {
public:
    ~TComPtr() {
        if (m_object) m_object->Release();
    }
    T** Out() { return &m_object; }
    T* operator->() const { return m_object; }
    T* Get() const { return m_object; }

private:
    T* m_object = nullptr;
};

} // namespace

TBitmap ReadPngImageWithOpacity(std::span<const std::uint8_t> data) {
    if (data.empty() || data.size() > 0xFFFFFFFFu) return {};
    // Each thread that decodes needs COM; a thread already in another mode keeps it.
    const HRESULT started = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    TBitmap picture;
    {
        TComPtr<IWICImagingFactory> factory;
        TComPtr<IWICStream> stream;
        TComPtr<IWICBitmapDecoder> decoder;
        TComPtr<IWICBitmapFrameDecode> frame;
        TComPtr<IWICFormatConverter> converter;
        UINT width = 0, height = 0;
        GUID format{};
        if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IWICImagingFactory, reinterpret_cast<void**>(factory.Out()))) &&
            SUCCEEDED(factory->CreateStream(stream.Out())) &&
            SUCCEEDED(stream->InitializeFromMemory(const_cast<BYTE*>(data.data()), DWORD(data.size()))) &&
            SUCCEEDED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                                       decoder.Out())) &&
            SUCCEEDED(decoder->GetContainerFormat(&format)) && format == GUID_ContainerFormatPng &&
            SUCCEEDED(decoder->GetFrame(0, frame.Out())) && SUCCEEDED(frame->GetSize(&width, &height)) &&
            width > 0 && height > 0 && width <= UINT(MaxPngImageSide) && height <= UINT(MaxPngImageSide) &&
            SUCCEEDED(factory->CreateFormatConverter(converter.Out())) &&
            SUCCEEDED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA,
                                            WICBitmapDitherTypeNone, nullptr, 0.0,
                                            WICBitmapPaletteTypeCustom))) {
            TBitmap decoded(int(width), int(height), TPixelFormat::pf32bit);
            const UINT size = UINT(decoded.RowStep()) * height;
            if (SUCCEEDED(converter->CopyPixels(nullptr, UINT(decoded.RowStep()), size, decoded.ScanLine(0))))
                picture = std::move(decoded);
        }
    }
    if (SUCCEEDED(started)) CoUninitialize();
    return picture;
}
