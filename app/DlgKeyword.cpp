#include "app/DlgKeyword.h"

#include <set>

#include "app/DlgChangeName.h"
#include "app/DlgCommon.h"
#include "app/DlgNewKeyword.h"
#include "views/controls/ReportCtrl.h"

using namespace dlgui;

CDlgKeyword::CDlgKeyword(CThumbCatalogue* catalogue, QWidget* parent) : CBaseDialog(parent), m_logic(catalogue) {
    setWindowTitle(QStringLiteral("키워드"));
    setAccessibleName(windowTitle());
    SetClientSize(330, 310);

    m_pList = new CReportCtrl(this);
    m_pList->InsertColumn(0, "키워드", CReportCtrlHeader::kLeft, 200);
    m_pList->SetMultiSelect(true);
    m_pList->SetRowHeight(18);
    // The one column is as wide as the list; no sideways scrolling for its frame pixels.
    m_pList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pList->setAccessibleName(QStringLiteral("키워드 목록"));
    PlaceChild(m_pList, 10, 15, 200, 260);

    m_pCount = TextStatic(this, QString());
    m_pCount->setAccessibleName(QStringLiteral("사진 수"));
    m_pCount->setAlignment(Qt::AlignCenter);
    PlaceChild(m_pCount, 10, 282, 200, 20);

    static const char* const labels[] = {"새 키워드", "이름 바꾸기", "삭제", "적용", "해제", "검색", "모두 검색"};
    int y = 15;
    for (int id = IDC_FIRST_BUTTON; id <= IDC_LAST_BUTTON; ++id) {
        CxSkinButtonEx* b = SkinButton(this, QString::fromUtf8(labels[id - IDC_FIRST_BUTTON]));
        // The searches sit apart from the editing commands.
        if (id == 7240 || id == 7242) y += 12;
        PlaceChild(b, 220, y, 100, 24);
        y += 32;
        connect(b, &QPushButton::clicked, this, [this, id] { OnButton(id); });
        m_buttons.push_back(b);
    }

    m_askNew = [this](const std::vector<CString>& names, CString& name) {
        CDlgNewKeyword dlg(&names, this);
        if (dlg.DoModal() != QDialog::Accepted) return false;
        name = dlg.GetName();
        return true;
    };
    m_askRename = [this](const CString& oldName, const std::vector<CString>& names, CString& name) {
        CDlgChangeName dlg(oldName, &names, this);
        if (dlg.DoModal() != QDialog::Accepted) return false;
        name = dlg.GetNewName();
        return true;
    };

    std::set<int> selected;
    ShowCount(m_logic.Open(selected));
    Reload();
    for (int row = 0; row < m_pList->GetRowCount(); ++row) {
        if (selected.count(static_cast<int>(m_pList->GetRowItemData(row)))) m_pList->SetSelectRow(row);
    }
}

void CDlgKeyword::ShowCount(const CString& text) {
    m_pCount->setText(Q(text));
    // The static is named for what it counts; assistive technology reads the count itself
    // from its description.
    m_pCount->setAccessibleDescription(Q(text));
}

void CDlgKeyword::SetAskers(AskNewName askNew, AskRename askRename) {
    m_askNew = std::move(askNew);
    m_askRename = std::move(askRename);
}

CxSkinButtonEx* CDlgKeyword::Button(int id) const {
    if (id < IDC_FIRST_BUTTON || id > IDC_LAST_BUTTON) return nullptr;
    return m_buttons[static_cast<std::size_t>(id - IDC_FIRST_BUTTON)];
}

void CDlgKeyword::Reload() {
    m_pList->DeleteAllRows();
    for (const KEYWORD_HEADER& k : m_logic.Rows())
        m_pList->AddRowItems({CReportCtrlItem(k.strKeywordName)}, static_cast<CReportCtrl::ItemData>(k.nKeywordID));
}

std::vector<int> CDlgKeyword::SelectedIds() const {
    std::vector<int> ids;
    for (CReportCtrl::ItemData d : m_pList->GetMultiSelectData()) ids.push_back(static_cast<int>(d));
    return ids;
}

void CDlgKeyword::OnButton(int id) {
    const std::vector<int> ids = SelectedIds();
    CString count;
    switch (id) {
        case 7237: {
            CString name;
            if (m_askNew && m_askNew(m_logic.Names(), name)) {
                m_logic.AddKeyword(name);
                Reload();
            }
            break;
        }
        case 7238: {
            if (!m_logic.NeedSelection(ids)) break;
            const int row = m_pList->GetSelectRowIndex();
            const CString oldName = m_pList->GetRowItems(row).at(0).text;
            CString name;
            if (m_askRename && m_askRename(oldName, m_logic.Names(), name)) {
                m_logic.Rename(static_cast<int>(m_pList->GetRowItemData(row)), name);
                Reload();
            }
            break;
        }
        case 7239:
            if (m_logic.Delete(ids)) Reload();
            break;
        case 7240:
            m_logic.Apply(ids);
            break;
        case 7241:
            m_logic.RemoveAll();
            break;
        case 7242:
            if (m_logic.Search(ids, count)) ShowCount(count);
            break;
        case 7243:
            if (m_logic.SearchAll(count)) ShowCount(count);
            break;
        default:
            break;
    }
}
