// CDlgNewKeyword: the name of a new keyword (edit 7014), checked against the keyword dialog's
// list of names.
#pragma once

#include <QLineEdit>

#include <vector>

#include "views/controls/BaseDialog.h"

class CxSkinButtonEx;

class CDlgNewKeyword : public CBaseDialog {
public:
    static constexpr int IDD = 1006;
    explicit CDlgNewKeyword(const std::vector<CString>* names, QWidget* parent = nullptr);

    int DoModal() { return exec(); }
    CString GetName() const { return m_strName; }

    QLineEdit* NameEdit() const { return m_pEdit; }
    CxSkinButtonEx* OkButton() const { return m_pOk; }
    CxSkinButtonEx* CancelButton() const { return m_pCancel; }

    void OnOK();

private:
    const std::vector<CString>* m_pNames;
    CString m_strName;
    QLineEdit* m_pEdit = nullptr;
    CxSkinButtonEx* m_pOk = nullptr;
    CxSkinButtonEx* m_pCancel = nullptr;
};
