#include "app/DlgNewKeyword.h"

#include "app/DialogLogic.h"
#include "app/DlgCommon.h"

using namespace dlgui;

CDlgNewKeyword::CDlgNewKeyword(const std::vector<CString>* names, QWidget* parent)
    : CBaseDialog(parent), m_pNames(names) {
    setWindowTitle(QStringLiteral("새 키워드"));
    const NameForm form = BuildNameForm(this, QStringLiteral("키워드"));
    m_pEdit = form.edit;
    m_pOk = form.ok;
    m_pCancel = form.cancel;
    connect(m_pOk, &QPushButton::clicked, this, [this] { OnOK(); });
}

void CDlgNewKeyword::OnOK() {
    const CString name = S(m_pEdit->text());
    static const std::vector<CString> none;
    if (name.empty()) m_pEdit->setFocus();
    const DlgVerdict v = dlgcheck::KeywordName(name, m_pNames ? *m_pNames : none);
    if (!v.ok) {
        if (v.clearEdit) m_pEdit->clear();
        m_pEdit->setFocus();
        return;
    }
    m_strName = name;
    accept();
}
