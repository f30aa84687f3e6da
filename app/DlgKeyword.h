// CDlgKeyword: the keyword list with its seven commands (new, rename, delete, apply, remove,
// search, search all) and the count text. CKeywordLogic does the work.
#pragma once

#include <functional>

#include "app/KeywordLogic.h"
#include "views/controls/BaseDialog.h"

class CReportCtrl;
class CStaticEx;
class CxSkinButtonEx;

class CDlgKeyword : public CBaseDialog {
public:
    static constexpr int IDD = 1005;
    static constexpr int IDC_FIRST_BUTTON = 7237;
    static constexpr int IDC_LAST_BUTTON = 7243;

    // Ask for a name: true with the name on OK. By default they run CDlgNewKeyword and
    // CDlgChangeName modally; tests put answers in their place.
    using AskNewName = std::function<bool(const std::vector<CString>& names, CString& name)>;
    using AskRename = std::function<bool(const CString& oldName, const std::vector<CString>& names, CString& name)>;

    explicit CDlgKeyword(CThumbCatalogue* catalogue, QWidget* parent = nullptr);

    int DoModal() { return exec(); }
    void SetAskers(AskNewName askNew, AskRename askRename);

    // Runs the command of a button (7237..7243).
    void OnButton(int id);

    CReportCtrl* List() const { return m_pList; }
    CStaticEx* CountStatic() const { return m_pCount; }
    CxSkinButtonEx* Button(int id) const;
    const CKeywordLogic& Logic() const { return m_logic; }

private:
    void Reload();
    void ShowCount(const CString& text);
    std::vector<int> SelectedIds() const;

    CKeywordLogic m_logic;
    AskNewName m_askNew;
    AskRename m_askRename;
    CReportCtrl* m_pList = nullptr;
    CStaticEx* m_pCount = nullptr;
    std::vector<CxSkinButtonEx*> m_buttons;
};
