// CDlgChangeName: a new name for a keyword. Edit 7015 shows the old name, edit 7016 takes the
// new one, checked against the keyword dialog's list of names.
#pragma once

#include <QLineEdit>

#include <string>
#include <vector>

#include "views/controls/BaseDialog.h"

class CxSkinButtonEx;

class CDlgChangeName : public CBaseDialog {
public:
    static constexpr int IDD = 1007;
    CDlgChangeName(const CString& oldName, const std::vector<CString>* names, QWidget* parent = nullptr);

    int DoModal() { return exec(); }
    CString GetNewName() const { return m_strNewName; }

    QLineEdit* OldEdit() const { return m_pOld; }
    QLineEdit* NewEdit() const { return m_pNew; }
    CxSkinButtonEx* OkButton() const { return m_pOk; }
    CxSkinButtonEx* CancelButton() const { return m_pCancel; }

    void OnOK();

private:
    const std::vector<CString>* m_pNames;
    CString m_strNewName;
    QLineEdit* m_pOld = nullptr;
    QLineEdit* m_pNew = nullptr;
    CxSkinButtonEx* m_pOk = nullptr;
    CxSkinButtonEx* m_pCancel = nullptr;
};
