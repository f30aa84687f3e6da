#include "app/DlgExportPhone.h"

#include "app/DialogLogic.h"
#include "app/DlgCommon.h"
#include "common/Gandry.h"

using namespace dlgui;

CDlgExportPhone::CDlgExportPhone(const QString& title, const QStringList& lines, const char* subFolder,
                                 const char* extension, const std::vector<vxImage*>& items, QWidget* parent)
    : CBaseDialog(parent),
      m_items(items),
      m_strFolder(CGandry::GetDocumentPath() + "/" + subFolder),
      m_pszExtension(extension) {
    setWindowTitle(title);
    setAccessibleName(title);
    const int textHeight = 20 * static_cast<int>(lines.size());
    SetClientSize(380, 100 + textHeight);
    int y = 14;
    for (const QString& line : lines) {
        PlaceChild(TextStatic(this, line), 15, y, 350, 18);
        y += 20;
    }
    y += 6;
    PlaceChild(TextStatic(this, QStringLiteral("파일이름")), 15, y + 2, 60, 20);
    m_pName = new QLineEdit(this);
    m_pName->setAccessibleName(QStringLiteral("파일이름"));
    PlaceChild(m_pName, 80, y, 285, 22);
    m_pOk = SkinButton(this, QStringLiteral("확인"));
    m_pCancel = SkinButton(this, QStringLiteral("취소"));
    PlaceChild(m_pOk, 185, y + 38, 85, 24);
    PlaceChild(m_pCancel, 280, y + 38, 85, 24);
    m_pOk->setDefault(true);
    connect(m_pOk, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
    m_pName->setFocus();
}

void CDlgExportPhone::OnOK() {
    const dlgcheck::PhoneTarget t = dlgcheck::PhoneFileTarget(S(m_pName->text()), m_strFolder, m_pszExtension, m_items);
    m_bExist = t.existing ? 1 : 0;
    m_pExist = t.existing;
    if (!t.verdict.ok) {
        m_pName->setFocus();
        return;
    }
    m_strName = t.path;
    m_pName->setText(Q(t.path));
    accept();
}
