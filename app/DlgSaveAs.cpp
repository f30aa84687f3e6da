#include "app/DlgSaveAs.h"

#include "app/DialogLogic.h"
#include "app/DlgCommon.h"
#include "common/Gandry.h"

using namespace dlgui;

CDlgSaveAs::CDlgSaveAs(const CString& current, QWidget* parent) : CBaseDialog(parent), m_strCurrent(current) {
    setWindowTitle(QStringLiteral("다른 이름으로 저장"));
    setAccessibleName(windowTitle());
    SetClientSize(400, 140);
    PlaceChild(TextStatic(this, QStringLiteral("사진을 새 이름으로 사진 폴더에 저장합니다.")), 15, 12, 370, 20);
    PlaceChild(TextStatic(this, QStringLiteral("파일 이름")), 15, 47, 70, 20);
    // The name is offered without its extension, which is added on OK.
    CString base = current;
    if (const auto dot = base.rfind('.'); dot != CString::npos) base.erase(dot);
    m_pName = new QLineEdit(Q(base), this);
    m_pName->setObjectName(QString::number(IDC_NAME));
    m_pName->setAccessibleName(QStringLiteral("파일 이름"));
    PlaceChild(m_pName, 90, 45, 295, 22);
    m_pOk = SkinButton(this, QStringLiteral("확인"));
    m_pCancel = SkinButton(this, QStringLiteral("취소"));
    PlaceChild(m_pOk, 205, 100, 85, 24);
    PlaceChild(m_pCancel, 300, 100, 85, 24);
    m_pOk->setDefault(true);
    connect(m_pOk, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CDlgSaveAs::OnOK() {
    m_bSameName = 0;
    const CString photo = CGandry::GetDocumentPath() + "/ZEL/Photo";
    if (!dlgcheck::SaveAsName(S(m_pName->text()), m_strCurrent, photo, m_strTarget, m_bSameName).ok) {
        m_pName->setFocus();
        return;
    }
    accept();
}
