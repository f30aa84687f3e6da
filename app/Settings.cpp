#include "app/Settings.h"

#include "common/Gandry.h"
#include "views/controls/Registry.h"

namespace VimbroSettings {

bool EnsureKey() {
    CRegistry reg;
    if (!reg.OpenKey(CRegistry::currentUser, kKey) && !reg.CreateKey(CRegistry::currentUser, kKey)) return false;
    reg.CloseKey();
    return true;
}

void Load() {
    CGandry::m_enumOrder = SORT_ORDER_0;
    unsigned long show = kDefaultShow, background = kDefaultBackground, model = kDefaultModel, autoUp = kDefaultAuto;
    CRegistry reg;
    if (reg.OpenKey(CRegistry::currentUser, kKey)) {
        unsigned long value = 0;
        if (reg.GetValue(kShow, value)) show = value;
        if (reg.GetValue(kBackground, value)) background = value;
        if (reg.GetValue(kModel, value)) model = value;
        if (reg.GetValue(kAuto, value)) autoUp = value;
        reg.CloseKey();
    }
    // Values outside their enumerations would index past the browser's and the catalogue's
    // tables; they take the default instead.
    if (show > 2) show = kDefaultShow;
    if (!(model < static_cast<unsigned long>(CGandry::kTableModelCount) || model == MODEL_USER_DEFINED))
        model = kDefaultModel;
    CGandry::m_enumShow = static_cast<SHOW_MODE>(show);
    CGandry::m_crBackground = static_cast<COLORREF>(background & 0xFFFFFF);
    CGandry::m_enumModel = static_cast<MODEL_SELECT>(model);
    CGandry::m_bAutoUpgrade = autoUp ? 1 : 0;
}

bool Store() {
    CRegistry reg;
    if (!reg.OpenKey(CRegistry::currentUser, kKey) && !reg.CreateKey(CRegistry::currentUser, kKey)) return false;
    bool ok = reg.SetValue(kShow, static_cast<unsigned long>(CGandry::m_enumShow)) &&
              reg.SetValue(kBackground, static_cast<unsigned long>(CGandry::m_crBackground)) &&
              reg.SetValue(kModel, static_cast<unsigned long>(CGandry::m_enumModel)) &&
              reg.SetValue(kAuto, static_cast<unsigned long>(CGandry::m_bAutoUpgrade));
    reg.CloseKey();
    return ok;
}

}  // namespace VimbroSettings
