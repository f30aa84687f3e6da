// The phone model catalogue and the shared settings.
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "common/Gandry.h"
#include "platform/win/fileapi.h"

MODEL_SELECT CGandry::m_enumModel = static_cast<MODEL_SELECT>(0);
SHOW_MODE CGandry::m_enumShow = static_cast<SHOW_MODE>(0);
SORT_ORDER CGandry::m_enumOrder = static_cast<SORT_ORDER>(0);
COLORREF CGandry::m_crBackground = 0;
BOOL CGandry::m_bAutoUpgrade = 0;

namespace {

constexpr ModelAttribute_t kModelTable[CGandry::kTableModelCount] = {
    {0, "PM-00", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{176, 144}, {240, 180}, {240, 320}, {0, 0}}},
    {1, "PM-01", {{176, 144}, {176, 220}, {0, 0}, {0, 0}}, {{128, 160}, {176, 144}, {176, 220}, {0, 0}}},
    {2, "PM-02", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{176, 144}, {240, 180}, {240, 320}, {0, 0}}},
    {3, "PM-03", {{176, 144}, {176, 220}, {0, 0}, {0, 0}}, {{128, 128}, {128, 160}, {176, 144}, {0, 0}}},
    {4, "PM-04", {{176, 144}, {176, 220}, {0, 0}, {0, 0}}, {{128, 128}, {128, 160}, {176, 144}, {0, 0}}},
    {5, "PM-05", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{176, 144}, {240, 180}, {240, 320}, {0, 0}}},
    {6, "PM-06", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{176, 144}, {240, 180}, {240, 320}, {0, 0}}},
    {7, "PM-07", {{240, 400}, {320, 240}, {0, 0}, {0, 0}}, {{240, 320}, {320, 240}, {240, 400}, {0, 0}}},
    {8, "PM-08", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{176, 144}, {240, 180}, {240, 320}, {0, 0}}},
    {9, "PM-09", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{176, 144}, {240, 180}, {240, 320}, {0, 0}}},
    {10, "PM-10", {{320, 240}, {400, 240}, {0, 0}, {0, 0}}, {{176, 144}, {320, 240}, {400, 240}, {0, 0}}},
    {11, "PM-11", {{320, 240}, {240, 320}, {0, 0}, {0, 0}}, {{240, 180}, {240, 320}, {320, 240}, {0, 0}}},
    {12, "PM-12", {{320, 240}, {240, 320}, {0, 0}, {0, 0}}, {{240, 180}, {240, 320}, {320, 240}, {0, 0}}},
    {13, "PM-13", {{240, 400}, {320, 240}, {0, 0}, {0, 0}}, {{240, 320}, {320, 240}, {240, 400}, {0, 0}}},
    {14, "PM-14", {{240, 400}, {320, 240}, {0, 0}, {0, 0}}, {{240, 320}, {320, 240}, {240, 400}, {0, 0}}},
    {15, "PM-15", {{240, 400}, {320, 240}, {0, 0}, {0, 0}}, {{240, 320}, {320, 240}, {240, 400}, {0, 0}}},
    {16, "PM-16", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{240, 180}, {240, 320}, {320, 240}, {0, 0}}},
    {17, "PM-17", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{176, 144}, {240, 180}, {240, 320}, {0, 0}}},
    {18, "PM-18", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{176, 144}, {240, 180}, {240, 320}, {0, 0}}},
    {19, "PM-19", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{176, 144}, {240, 180}, {240, 320}, {0, 0}}},
    {20, "PM-20", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{176, 144}, {240, 180}, {240, 320}, {0, 0}}},
    {21, "PM-21", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{176, 144}, {240, 180}, {240, 320}, {0, 0}}},
    {22, "PM-22", {{176, 220}, {176, 144}, {0, 0}, {0, 0}}, {{176, 144}, {176, 220}, {240, 180}, {0, 0}}},
    {23, "PM-23", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{240, 180}, {240, 320}, {320, 240}, {0, 0}}},
    {24, "PM-24", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{240, 180}, {240, 320}, {320, 240}, {0, 0}}},
    {25, "PM-25", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{240, 180}, {320, 240}, {240, 320}, {0, 0}}},
    {26, "PM-26", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{176, 144}, {240, 180}, {240, 320}, {0, 0}}},
    {27, "PM-27", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{240, 180}, {240, 320}, {320, 240}, {0, 0}}},
    {28, "PM-28", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{240, 180}, {240, 320}, {320, 240}, {0, 0}}},
    {29, "PM-29", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{240, 180}, {240, 320}, {320, 240}, {0, 0}}},
    {30, "PM-30", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{240, 180}, {320, 240}, {240, 320}, {0, 0}}},
    {31, "PM-31", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{240, 180}, {320, 240}, {240, 320}, {0, 0}}},
    {32, "PM-32", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{240, 180}, {320, 240}, {240, 320}, {0, 0}}},
    {33, "PM-33", {{240, 320}, {320, 240}, {240, 180}, {0, 0}}, {{240, 180}, {320, 240}, {240, 320}, {0, 0}}},
    {34, "PM-34", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{240, 180}, {320, 240}, {240, 320}, {0, 0}}},
    {35, "PM-35", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{240, 180}, {320, 240}, {240, 320}, {0, 0}}},
    {36, "PM-36", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{240, 180}, {320, 240}, {240, 320}, {0, 0}}},
    {37, "PM-37", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{240, 180}, {320, 240}, {240, 320}, {0, 0}}},
    {38, "PM-38", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{240, 180}, {320, 240}, {240, 320}, {0, 0}}},
    {39, "PM-39", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{240, 180}, {320, 240}, {240, 320}, {0, 0}}},
    {40, "PM-40", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{240, 180}, {320, 240}, {240, 320}, {0, 0}}},
    {41, "PM-41", {{240, 400}, {320, 240}, {240, 180}, {0, 0}}, {{240, 320}, {320, 240}, {240, 180}, {0, 0}}},
    {42, "PM-42", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{240, 180}, {320, 240}, {240, 320}, {0, 0}}},
    {43, "PM-43", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{240, 180}, {320, 240}, {240, 320}, {0, 0}}},
    {44, "PM-44", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{240, 180}, {320, 240}, {240, 320}, {0, 0}}},
    {45, "PM-45", {{240, 400}, {400, 240}, {240, 320}, {320, 240}}, {{240, 400}, {400, 240}, {240, 320}, {320, 240}}},
    {46, "PM-46", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{240, 180}, {240, 320}, {320, 240}, {0, 0}}},
    {47, "PM-47", {{240, 400}, {400, 240}, {240, 320}, {320, 240}}, {{240, 400}, {400, 240}, {240, 320}, {320, 240}}},
    {48, "PM-48", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{240, 180}, {240, 320}, {320, 240}, {0, 0}}},
    {49, "PM-49", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{240, 180}, {240, 320}, {320, 240}, {0, 0}}},
    {50, "PM-50", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{240, 180}, {240, 320}, {320, 240}, {0, 0}}},
    {51, "PM-51", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{240, 180}, {240, 320}, {320, 240}, {0, 0}}},
    {52, "PM-52", {{240, 400}, {400, 240}, {240, 320}, {320, 240}}, {{240, 400}, {400, 240}, {240, 320}, {320, 240}}},
    {53, "PM-53", {{240, 400}, {400, 240}, {0, 0}, {0, 0}}, {{240, 180}, {240, 320}, {240, 400}, {0, 0}}},
    {54, "PM-54", {{240, 400}, {400, 240}, {0, 0}, {0, 0}}, {{240, 180}, {240, 320}, {240, 400}, {0, 0}}},
    {55, "PM-55", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{240, 180}, {240, 320}, {320, 240}, {0, 0}}},
    {56, "PM-56", {{240, 320}, {320, 240}, {0, 0}, {0, 0}}, {{240, 180}, {240, 320}, {320, 240}, {0, 0}}},
    {57, "PM-57", {{240, 400}, {400, 240}, {240, 320}, {320, 240}}, {{240, 400}, {400, 240}, {240, 320}, {320, 240}}},
    {58, "PM-58", {{240, 400}, {400, 240}, {0, 0}, {0, 0}}, {{240, 180}, {240, 320}, {240, 400}, {0, 0}}},
    {59, "PM-59", {{240, 320}, {240, 400}, {0, 0}, {0, 0}}, {{240, 320}, {240, 400}, {480, 800}, {0, 0}}},
    {60, "PM-60", {{240, 400}, {400, 240}, {0, 0}, {0, 0}}, {{240, 180}, {240, 320}, {240, 400}, {0, 0}}},
    {61, "PM-61", {{240, 400}, {400, 240}, {0, 0}, {0, 0}}, {{240, 180}, {240, 320}, {240, 400}, {0, 0}}},
    {62, "PM-62", {{240, 400}, {400, 240}, {0, 0}, {0, 0}}, {{240, 180}, {240, 320}, {240, 400}, {0, 0}}},
    {63, "PM-63", {{240, 400}, {400, 240}, {240, 320}, {320, 240}}, {{240, 400}, {400, 240}, {240, 320}, {320, 240}}},
    {64, "PM-64", {{240, 400}, {400, 240}, {240, 320}, {320, 240}}, {{240, 400}, {400, 240}, {240, 320}, {320, 240}}},
    {65, "PM-65", {{240, 320}, {240, 400}, {0, 0}, {0, 0}}, {{240, 320}, {240, 400}, {480, 800}, {0, 0}}},
};

// The user-defined model offers the same five sizes as screens and as pictures.
constexpr CSize kUserModelSizes[] = {{176, 144}, {240, 180}, {240, 320}, {240, 400}, {480, 800}};

bool IsEmptyPair(const CSize& s) { return s.cx == 0 && s.cy == 0; }

// Every lookup works on its own copy of the table and searches it by ID, not by position.
class ModelTableCopy {
public:
    ModelTableCopy() { CGandry::GetModelAttribute(&rows_); }
    ~ModelTableCopy() { std::free(rows_); }
    ModelTableCopy(const ModelTableCopy&) = delete;
    ModelTableCopy& operator=(const ModelTableCopy&) = delete;

    const ModelAttribute_t* Find(int id) const {
        if (!rows_) return nullptr;
        for (int i = 0; i < CGandry::kTableModelCount; ++i) {
            if (rows_[i].nModelID == id) return &rows_[i];
        }
        return nullptr;
    }
    const ModelAttribute_t* FindByName(const CString& name) const {
        if (!rows_) return nullptr;
        for (int i = 0; i < CGandry::kTableModelCount; ++i) {
            if (name == rows_[i].szModelName) return &rows_[i];
        }
        return nullptr;
    }

private:
    ModelAttribute_t* rows_ = nullptr;
};

}  // namespace

void CGandry::GetModelAttribute(ModelAttribute_t** out) {
    if (!out) return;
    auto* rows = static_cast<ModelAttribute_t*>(std::malloc(sizeof kModelTable));
    if (rows) std::memcpy(rows, kModelTable, sizeof kModelTable);
    *out = rows;
}

void CGandry::GetQVP4Attribute(ModelAttribute_QVP4_t& rec) {
    rec.listPhonebookSize.clear();
    rec.listPictureSize.clear();
    rec.nModelID = MODEL_USER_DEFINED;
    rec.strModelName = kUserModelName;
    for (const CSize& s : kUserModelSizes) rec.listPhonebookSize.push_back(s);
    for (const CSize& s : kUserModelSizes) rec.listPictureSize.push_back(s);
}

CString CGandry::GetModelnameByModelID(int id) {
    ModelTableCopy table;
    if (const auto* row = table.Find(id)) return row->szModelName;
    if (id == MODEL_USER_DEFINED) return kUserModelName;
    return CString();
}

int CGandry::GetModelIDByModelname(CString name) {
    ModelTableCopy table;
    if (const auto* row = table.FindByName(name)) return row->nModelID;
    if (strcasecmp(name.c_str(), kUserModelName) == 0) return MODEL_USER_DEFINED;
    // A name the catalogue does not know names no model.
    return MODEL_NONE;
}

ModelAttribute_t CGandry::GetModelInfoByModelndex(int id) {
    ModelTableCopy table;
    if (const auto* row = table.Find(id)) return *row;
    ModelAttribute_t none{};
    none.nModelID = MODEL_NONE;
    return none;
}

CString CGandry::GetDatafilenameByModleID(MODEL_SELECT id) {
    ModelTableCopy table;
    if (const auto* row = table.Find(id)) return CString(row->szModelName) + ".dat";
    if (id == MODEL_USER_DEFINED) return "default.dat";
    return CString();
}

void CGandry::GetPhonebookSize(MODEL_SELECT id, int selector, CSize& size) {
    ModelTableCopy table;
    const ModelAttribute_t* row = table.Find(id);
    if (row) {
        switch (selector) {
            case 0: size = row->sizePhonebook[0]; break;
            case 1: size = row->sizePhonebook[1]; break;
            case 3: size = row->sizePhonebook[2]; break;
            case 4: size = row->sizePhonebook[3]; break;
            default: break;
        }
        if (IsEmptyPair(size)) size = row->sizePhonebook[0];
        return;
    }
    if (id == MODEL_USER_DEFINED) {
        ModelAttribute_QVP4_t user;
        GetQVP4Attribute(user);
        if (selector >= 0 && selector < static_cast<int>(user.listPhonebookSize.size())) {
            size = *std::next(user.listPhonebookSize.begin(), selector);
        }
        if (IsEmptyPair(size)) size = user.listPhonebookSize.front();
    }
}

CSize CGandry::GetSizeByModelID_Index(int id, int index) {
    ModelTableCopy table;
    if (const ModelAttribute_t* row = table.Find(id)) {
        if (index >= 0 && index <= 3 && !IsEmptyPair(row->sizePicture[index])) return row->sizePicture[index];
        return row->sizePicture[0];
    }
    if (id == MODEL_USER_DEFINED) {
        ModelAttribute_QVP4_t user;
        GetQVP4Attribute(user);
        if (index >= 0 && index < static_cast<int>(user.listPictureSize.size())) {
            CSize s = *std::next(user.listPictureSize.begin(), index);
            if (!IsEmptyPair(s)) return s;
        }
        return user.listPictureSize.front();
    }
    return CSize();
}

int CGandry::GetIndexByModelID_Size(int id, CSize size) {
    ModelTableCopy table;
    if (const ModelAttribute_t* row = table.Find(id)) {
        for (int i = 0; i < 4; ++i) {
            if (row->sizePicture[i] == size) return i;
        }
        return 0;
    }
    if (id == MODEL_USER_DEFINED) {
        ModelAttribute_QVP4_t user;
        GetQVP4Attribute(user);
        int position = 0;
        for (const CSize& s : user.listPictureSize) {
            if (s == size) return position;
            ++position;
        }
    }
    return 0;
}

void CGandry::GetSupportModel(CStringList* list) {
    if (!list) return;
    const CString dataFolder = GetRunDir() + "data/";
    const MODEL_SELECT chosen = m_enumModel;
    int firstPresent = -1;
    for (int id = 0; id < kTableModelCount; ++id) {
        CString file = GetDatafilenameByModleID(static_cast<MODEL_SELECT>(id));
        if (win::FileExists(dataFolder + file)) {
            list->push_back(file.substr(0, file.rfind('.')));
            if (firstPresent < 0) firstPresent = id;
        } else if (m_enumModel == id) {
            // The pass runs upward, so a missing current model moves on to the next present one.
            m_enumModel = static_cast<MODEL_SELECT>(id + 1);
        }
    }
    const bool userModel = win::FileExists(dataFolder + GetDatafilenameByModleID(MODEL_USER_DEFINED));
    if (userModel) list->push_back(kUserModelName);
    if (m_enumModel == MODEL_NONE) {
        // The current model and every later table model are missing: take the user-defined
        // model, else the first present one; with nothing installed keep the user's choice.
        if (userModel) m_enumModel = MODEL_USER_DEFINED;
        else if (firstPresent >= 0) m_enumModel = static_cast<MODEL_SELECT>(firstPresent);
        else m_enumModel = chosen;
    }
}

MODEL_SELECT CGandry::GetModel() { return m_enumModel; }

COLORREF CGandry::GetColorBack() { return m_crBackground; }
