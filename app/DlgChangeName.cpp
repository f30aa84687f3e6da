#include "app/DlgChangeName.h"

#include "app/DialogLogic.h"
#include "app/DlgCommon.h"

using namespace dlgui;

CDlgChangeName::CDlgChangeName(const CString& oldName, const std::vector<CString>* names, QWidget* parent)
    : CBaseDialog(parent), m_pNames(names) {
    setWindowTitle(QStringLiteral("키워드 이름 바꾸기"));
    setAccessibleName(windowTitle());
    SetClientSize(300, 110);
    PlaceChild(TextStatic(this, QStringLiteral("현재 이름")), 15, 15, 70, 20);
    PlaceChild(TextStatic(this, QStringLiteral("새 이름")), 15, 45, 70, 20);
    m_pOld = new QLineEdit(Q(oldName), this);
    m_pOld->setReadOnly(true);
    m_pOld->setAccessibleName(QStringLiteral("현재 이름"));
    PlaceChild(m_pOld, 90, 13, 195, 22);
    m_pNew = new QLineEdit(this);
    m_pNew->setAccessibleName(QStringLiteral("새 이름"));
    PlaceChild(m_pNew, 90, 43, 195, 22);
    m_pOk = SkinButton(this, QStringLiteral("확인"));
    m_pCancel = SkinButton(this, QStringLiteral("취소"));
    PlaceChild(m_pOk, 105, 78, 85, 24);
    PlaceChild(m_pCancel, 200, 78, 85, 24);
    m_pOk->setDefault(true);
    connect(m_pOk, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
    m_pNew->setFocus();
}

void CDlgChangeName::OnOK() {
    const CString name = S(m_pNew->text());
    static const std::vector<CString> none;
    const DlgVerdict v = dlgcheck::KeywordName(name, m_pNames ? *m_pNames : none);
    if (!v.ok) {
        if (v.clearEdit) m_pNew->clear();
        m_pNew->setFocus();
        return;
    }
    m_strNewName = name;
    accept();
}
