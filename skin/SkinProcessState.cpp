#include "skin/SkinProcessState.h"

namespace {

struct TSkinProcessState {
    bool LoadingSkin = false;
    bool AnnouncingSkin = false;
    TsSkinManager* DefaultManager = nullptr;
    std::uint8_t GlobalButtonEvents = 15;
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
std::uint8_t GlobalButtonEvents() {
    return State().GlobalButtonEvents;
}
void SetGlobalButtonEvents(std::uint8_t events) {
    State().GlobalButtonEvents = events;
}
