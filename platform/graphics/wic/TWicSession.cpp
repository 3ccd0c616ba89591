#include "platform/graphics/wic/WicImage.h"

#include "platform/graphics/wic/TWicSession.h"

#include <objbase.h>

TWicSession::TWicSession() {
    const HRESULT started = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    // S_FALSE: already started on this thread, which still has to be balanced; a thread
    // started in the other model (RPC_E_CHANGED_MODE) is used as it is.
    m_startedCom = SUCCEEDED(started);
    if (FAILED(started) && started != RPC_E_CHANGED_MODE) ThrowWicError("COM cannot start", started);
    const HRESULT created = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                             IID_PPV_ARGS(m_factory.GetAddressOf()));
    if (FAILED(created)) {
        if (m_startedCom) CoUninitialize();
        ThrowWicError("the imaging component is missing", created);
    }
}

TWicSession::~TWicSession() {
    m_factory.Reset();
    if (m_startedCom) CoUninitialize();
}
