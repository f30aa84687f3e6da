#include "app/DlgNewKeyword.h"

#include "app/DialogLogic.h"
#include "app/DlgCommon.h"

using namespace dlgui;

CDlgNewKeyword::CDlgNewKeyword(const std::vector<CString>* names, QWidget* parent)
    : CBaseDialog(parent), m_pNames(names) {
    setWindowTitle(QStringLiteral("새 키워드"));
    setAccessibleName(windowTitle());
    SetClientSize(300, 80);
    PlaceChild(TextStatic(this, QStringLiteral("키워드")), 15, 15, 70, 20);
    m_pEdit = new QLineEdit(this);
    m_pEdit->setAccessibleName(QStringLiteral("키워드"));
    m_pEdit->setValidator(new CCp949Limit(20, m_pEdit));
    PlaceChild(m_pEdit, 90, 13, 195, 22);
    m_pOk = SkinButton(this, QStringLiteral("확인"));
    m_pCancel = SkinButton(this, QStringLiteral("취소"));
    PlaceChild(m_pOk, 105, 48, 85, 24);
    PlaceChild(m_pCancel, 200, 48, 85, 24);
    m_pOk->setDefault(true);
    connect(m_pOk, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
    m_pEdit->setFocus();
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
