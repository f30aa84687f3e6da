#include "app/DlgAddAlbum.h"

#include "app/DialogLogic.h"
#include "app/DlgCommon.h"

using namespace dlgui;

CDlgAddAlbum::CDlgAddAlbum(const CString& title, std::vector<CString>* names, QWidget* parent)
    : CBaseDialog(parent), m_pNames(names) {
    setWindowTitle(Q(title));
    const NameForm form = BuildNameForm(this, QStringLiteral("앨범이름"));
    m_pLabel = form.label;
    m_pEdit = form.edit;
    m_pOk = form.ok;
    m_pCancel = form.cancel;
    connect(m_pOk, &QPushButton::clicked, this, [this] { OnOK(); });
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
