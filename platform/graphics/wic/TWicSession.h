#pragma once

#include <wincodec.h>
#include <wrl/client.h>

// The Windows Imaging Component for the calling thread, for one piece of work: COM is started
// on the thread unless it already runs there (in either threading model) and is stopped again
// at the end, so the codecs may be called from any thread.
class TWicSession {
public:
    // Raises EInvalidGraphic when COM or the imaging factory cannot be had.
    TWicSession();
    ~TWicSession();
    TWicSession(const TWicSession&) = delete;
    TWicSession& operator=(const TWicSession&) = delete;

    IWICImagingFactory& Factory() { return *m_factory.Get(); }

private:
    bool m_startedCom = false;
    Microsoft::WRL::ComPtr<IWICImagingFactory> m_factory;
};
