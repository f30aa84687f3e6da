// CDlgAddAlbum: the name of a new album (edit 7030, at most 20 bytes), refused when another
// album has it.
#pragma once

#include <QLineEdit>

#include <vector>

#include "views/controls/BaseDialog.h"

class CStaticEx;
class CxSkinButtonEx;

class CDlgAddAlbum : public CBaseDialog {
public:
    static constexpr int IDD = 1004;
    // `names` is the caller's list of album names; it is not owned.
    CDlgAddAlbum(const CString& title, std::vector<CString>* names, QWidget* parent = nullptr);

    int DoModal() { return exec(); }
    CString GetName() const { return m_strName; }

    QLineEdit* NameEdit() const { return m_pEdit; }
    CxSkinButtonEx* OkButton() const { return m_pOk; }
    CxSkinButtonEx* CancelButton() const { return m_pCancel; }

    void OnOK();

private:
    std::vector<CString>* m_pNames;
    CString m_strName;
    CStaticEx* m_pLabel = nullptr;
    QLineEdit* m_pEdit = nullptr;
    CxSkinButtonEx* m_pOk = nullptr;
    CxSkinButtonEx* m_pCancel = nullptr;
};
