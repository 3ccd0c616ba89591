#include "skin/SkinProcessState.h"

namespace {

struct TSkinProcessState {
    bool LoadingSkin = false;
    bool AnnouncingSkin = false;
    TsSkinManager* DefaultManager = nullptr;
};

TSkinProcessState& State() {
    static TSkinProcessState state;
    return state;
}

} // namespace

bool LoadingSkin() {
    return State().LoadingSkin;
}
void SetLoadingSkin(bool loading) {
    State().LoadingSkin = loading;
}
bool AnnouncingSkin() {
    return State().AnnouncingSkin;
}
void SetAnnouncingSkin(bool announcing) {
    State().AnnouncingSkin = announcing;
}
TsSkinManager* DefaultManager() {
    return State().DefaultManager;
}
void SetDefaultManager(TsSkinManager* manager) {
    State().DefaultManager = manager;
}
