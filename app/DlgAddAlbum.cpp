#include "app/DlgAddAlbum.h"

#include "app/DialogLogic.h"
#include "app/DlgCommon.h"

using namespace dlgui;

CDlgAddAlbum::CDlgAddAlbum(const CString& title, std::vector<CString>* names, QWidget* parent)
    : CBaseDialog(parent), m_pNames(names) {
    setWindowTitle(Q(title));
    setAccessibleName(windowTitle());
    SetClientSize(300, 80);
    m_pLabel = TextStatic(this, QStringLiteral("앨범이름"));
    PlaceChild(m_pLabel, 15, 15, 70, 20);
    m_pEdit = new QLineEdit(this);
    m_pEdit->setAccessibleName(QStringLiteral("앨범이름"));
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

void CDlgAddAlbum::OnOK() {
    const CString name = S(m_pEdit->text());
    const DlgVerdict v = dlgcheck::AlbumName(name, m_pNames);
    if (!v.ok) {
        if (v.clearEdit) m_pEdit->clear();
        m_pEdit->setFocus();
        return;
    }
    m_strName = name;
    accept();
}
