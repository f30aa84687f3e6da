#include "app/FrameRules.h"

#include <algorithm>

#include "app/Resource.h"
#include "common/Gandry.h"

namespace {

int ModelOrder(const std::string& name) {
    return CGandry::GetModelIDByModelname(name);
}

bool Contains(const std::vector<std::string>& list, const std::string& name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

}  // namespace

const std::vector<int>& CFrameRules::Commands() {
    static const std::vector<int> ids = {
        IDC_MODE_COMPOSE,     IDC_MODE_EDIT,
        IDC_MODE_DECORATE,    IDC_ADD_ALBUM,
        ID_ALBUM_ADD,         ID_ALBUM_FROM_SELECTION,
        ID_ALBUM_DELETE,      IDC_IMPORT,
        ID_FILE_IMPORT,       ID_EDIT_COPY,
        ID_EDIT_PASTE,        ID_EDIT_SELECT_ALL,
        ID_THUMB_DELETE,      ID_SHOW_MODE_0,
        ID_SHOW_MODE_1,       ID_SHOW_MODE_2,
        ID_SORT_ORDER_0,      ID_SORT_ORDER_1,
        ID_PICTURE_INFO,      ID_KEYWORD,
        ID_ALBUM_COPY,        ID_BUNDLE_RENAME,
        ID_RESTORE,           ID_FILE_EXPORT,
        ID_FILE_SAVE_PICTURE, ID_FILE_SAVE_PICTURE_AS,
        ID_PRINT_PREVIEW,     ID_EDIT_UNDO,
        ID_EDIT_REDO,         ID_ENVIRONMENT,
        ID_CHECK_UPDATE,      ID_HELP,
        ID_APP_ABOUT,         ID_APP_EXIT,
    };
    return ids;
}

bool CFrameRules::IsEnabled(int id, const FrameState& s) {
    if (!s.served.count(id)) return false;
    const bool compose = s.mode == 0;
    switch (id) {
        case IDC_MODE_COMPOSE:
        case IDC_MODE_EDIT:
            return true;
        case IDC_MODE_DECORATE:
            return SupportsDecoration(s.model);
        case IDC_ADD_ALBUM:
        case IDC_IMPORT:
        case ID_ALBUM_DELETE:
            return true;
        case ID_ALBUM_ADD:
        case ID_FILE_IMPORT:
        case ID_ENVIRONMENT:
            return compose;
        case ID_ALBUM_FROM_SELECTION:
        case ID_THUMB_DELETE:
        case ID_KEYWORD:
        case ID_BUNDLE_RENAME:
            return compose && s.selection > 0;
        case ID_EDIT_COPY:
            return compose && s.album == kAllPhotosAlbum && s.selection > 0;
        case ID_EDIT_PASTE:
            return compose && s.album == kAllPhotosAlbum && !s.copySetEmpty;
        case ID_EDIT_SELECT_ALL:
            return compose && s.albumItems > 0;
        case ID_SHOW_MODE_0:
        case ID_SHOW_MODE_1:
        case ID_SHOW_MODE_2:
        case ID_SORT_ORDER_0:
        case ID_SORT_ORDER_1:
            return true;
        case ID_PICTURE_INFO:
            return s.selection == 1;
        case ID_ALBUM_COPY:
            return compose && s.album != kAllPhotosAlbum && s.selection > 0;
        case ID_RESTORE:
            return s.mode != 2 && s.canRestore;
        case ID_FILE_EXPORT:
            return s.mode != 0 || s.selection > 0;
        case ID_FILE_SAVE_PICTURE:
        case ID_FILE_SAVE_PICTURE_AS:
            return s.mode == 2 || (s.mode == 1 && s.canvasMode == kCanvasNormal);
        case ID_PRINT_PREVIEW:
            return s.mode == 2 || (s.mode == 1 && s.canvasMode >= 0 && s.canvasMode != kCanvasCrop &&
                                   s.canvasMode != kCanvasLcd && s.canvasMode != kCanvasText);
        case ID_EDIT_UNDO:
            return s.mode == 1 && s.canUndo;
        case ID_EDIT_REDO:
            return s.mode == 1 && s.canRedo;
        case ID_CHECK_UPDATE:
        case ID_HELP:
        case ID_APP_ABOUT:
        case ID_APP_EXIT:
            return true;
        default:
            return false;
    }
}

bool CFrameRules::IsChecked(int id, const FrameState& s) {
    switch (id) {
        case ID_SHOW_MODE_0:
            return s.showMode == 0;
        case ID_SHOW_MODE_1:
            return s.showMode == 1;
        case ID_SHOW_MODE_2:
            return s.showMode == 2;
        case ID_SORT_ORDER_0:
            return s.order == 0;
        case ID_SORT_ORDER_1:
            return s.order == 1;
        default:
            return false;
    }
}

const std::vector<int>& CFrameRules::UndecoratedModels() {
    static const std::vector<int> models = {4, 12, 15, 24};
    return models;
}

bool CFrameRules::SupportsDecoration(int model) {
    const auto& none = UndecoratedModels();
    return std::find(none.begin(), none.end(), model) == none.end();
}

SwitchDecision CFrameRules::CheckSwitch(int target, const SwitchFacts& f, bool checkModel) {
    SwitchDecision d;
    if (target == 2 && checkModel && !SupportsDecoration(f.model)) {
        d.verdict = SwitchVerdict::Refuse;
        d.message = kNoDecoration;
        return d;
    }
    if (target == f.mode || target < 0 || target > 2) return d;
    if (target == 1 && !f.hasCurrentItem) {
        d.verdict = SwitchVerdict::Refuse;
        d.message = kNoEditItem;
        return d;
    }
    if (target == 2 && (f.currentIndex < 1 || !f.hasCurrentItem)) {
        d.verdict = SwitchVerdict::Refuse;
        d.message = kSelectPicture;
        return d;
    }
    if (target != 0 && !f.fileExists) {
        d.verdict = SwitchVerdict::Refuse;
        d.message = kMissingFile;
        return d;
    }
    d.verdict = SwitchVerdict::Switch;
    return d;
}

int CFrameRules::RestorePosition(const std::vector<std::string>& list, int model) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (ModelOrder(list[i]) > model) return static_cast<int>(i);
    return static_cast<int>(list.size());
}

void CFrameRules::RemoveUndecorated(std::vector<std::string>& list) {
    for (int model : UndecoratedModels()) {
        auto it = std::find(list.begin(), list.end(), CGandry::GetModelnameByModelID(model));
        if (it != list.end()) list.erase(it);
    }
}

void CFrameRules::RestoreUndecorated(std::vector<std::string>& list, const std::vector<std::string>& supported) {
    const auto& models = UndecoratedModels();
    for (auto it = models.rbegin(); it != models.rend(); ++it) {
        const std::string name = CGandry::GetModelnameByModelID(*it);
        // Only a model this installation supports comes back.
        if (Contains(list, name) || !Contains(supported, name)) continue;
        list.insert(list.begin() + RestorePosition(list, *it), name);
    }
}
