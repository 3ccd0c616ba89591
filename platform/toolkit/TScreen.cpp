#include "platform/toolkit/TScreen.h"

#include <algorithm>

#include "platform/toolkit/TCustomForm.h"

TScreen* Screen = nullptr;

void TScreen::AddForm(TCustomForm* form) {
    m_forms.push_back(form);
    m_zOrder.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) {
    std::erase(m_forms, form);
    std::erase(m_zOrder, form);
}

void TScreen::RaiseForm(TCustomForm* form) {
    std::erase(m_zOrder, form);
    m_zOrder.push_back(form);
}

std::vector<TCustomForm*> TScreen::FormsTopToBottom() const {
    std::vector<TCustomForm*> out;
    for (auto it = m_zOrder.rbegin(); it != m_zOrder.rend(); ++it)
        if ((*it)->Visible() && (*it)->FormStyle() == TFormStyle::fsStayOnTop) out.push_back(*it);
    for (auto it = m_zOrder.rbegin(); it != m_zOrder.rend(); ++it)
        if ((*it)->Visible() && (*it)->FormStyle() != TFormStyle::fsStayOnTop) out.push_back(*it);
    return out;
}
