#pragma once

class TCustomForm;
class TsSkinManager;

// Something that names a skin manager by pointer (a control's skin binding). The manager
// tells each of its clients when it is destroyed, so none keeps a pointer to a freed manager,
// whether the manager was active or not.
class TsManagerClient {
public:
    virtual void ManagerDestroyed(TsSkinManager& manager) = 0;
    // The form the client shows on, if any: a skin change holds its redraw until every
    // control took the new skin.
    virtual TCustomForm* ClientForm() const = 0;

protected:
    TsManagerClient() = default;
    TsManagerClient(const TsManagerClient&) = default;
    TsManagerClient& operator=(const TsManagerClient&) = default;
    ~TsManagerClient() = default;
};
