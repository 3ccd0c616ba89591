#include "skin/TsFrameSkinning.h"

namespace {

TsFrameSkinning* g_frameSkinning = nullptr;

} // namespace

TsFrameSkinning* FrameSkinning() {
    return g_frameSkinning;
}

void SetFrameSkinning(TsFrameSkinning* skinning) {
    g_frameSkinning = skinning;
}
