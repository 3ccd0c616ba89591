#pragma once

#include "controls/TsEdit.h"

class TsSpinButton;

// A skinned edit with a pair of arrow buttons inside its right edge. Typing is limited to
// digits (other characters are refused with a beep); the Up and Down keys, the arrows and the
// mouse wheel step the value. What a step does is left to UpClick and DownClick.
class TsBaseSpinEdit : public TsEdit {
public:
    explicit TsBaseSpinEdit(TComponent* owner);
    ~TsBaseSpinEdit() override;
    std::string ClassName() const override { return "TsBaseSpinEdit"; }

    TsSpinButton& Button() const { return *m_button; }
    // Typing allowed; off, only the arrows, keys and wheel change the value.
    bool EditorEnabled() const { return m_editorEnabled; }
    void SetEditorEnabled(bool enabled) { m_editorEnabled = enabled; }

    // A step up (the up arrow, the Up key): a beep when read-only, else OnUpClick when set,
    // else the descendant's own step.
    void UpClick(TObject* sender);
    void DownClick(TObject* sender);

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

    void Loaded() override;

protected:
    // The step when no handler is set.
    virtual void StepUp() {}
    virtual void StepDown() {}
    // Whether a typed character may go in: digits and control characters except Enter.
    bool IsValidChar(char32_t c) const;
    void KeyDown(int& key, TShiftState shift) override;
    void KeyPress(char32_t& key) override;
    void OtherMessage(TMessage& m) override;
    void WMSize(TWMSize& m) override;
    void CreateWnd() override;
    void PaintWindow(TCanvas& canvas) override;
    void CMEnabledChanged(TWMNoParams& m) override;
    void CMMouseEnter(TCMMouseEnter& m) override;
    void CMMouseLeave(TCMMouseLeave& m) override;
    void SkinCommand(TWMSkinCommand& m) override;

private:
    // Places the arrows inside the right edge and keeps the text clear of them.
    void LayoutButton();
    void SetTextRectBesideButton();
    // Cut and paste go through only while typing is allowed and the edit is not read-only.
    bool MayCutOrPaste() const { return m_editorEnabled && !ReadOnly(); }
    void ForwardToArrows(TMessage& m);
    void ResetArrows();

    TsSpinButton* m_button = nullptr;
    bool m_editorEnabled = true;
};
