#include "app/DlgExport.h"

#include <QFileDialog>

#include "app/DialogLogic.h"
#include "app/DlgCommon.h"
#include "common/Gandry.h"

using namespace dlgui;

namespace {
const char* const kBrowseTitle = "내보낼 폴더를 선택하세요!";
}

CDlgExport::CDlgExport(QWidget* parent) : CBaseDialog(parent) {
    setWindowTitle(QStringLiteral("내보내기"));
    setAccessibleName(windowTitle());
    // Wide enough to show a usual folder path whole.
    SetClientSize(560, 165);
    PlaceChild(TextStatic(this, QStringLiteral("선택한 사진을 아래 폴더로 내보냅니다.")), 15, 12, 530, 20);
    PlaceChild(TextStatic(this, QStringLiteral("폴더")), 15, 42, 40, 20);
    m_strFolder = CGandry::GetRunDir();
    m_pFolder = new QLineEdit(Q(m_strFolder), this);
    m_pFolder->setAccessibleName(QStringLiteral("내보낼 폴더"));
    PlaceChild(m_pFolder, 55, 40, 405, 22);
    m_pBrowse = SkinButton(this, QStringLiteral("찾아보기"));
    PlaceChild(m_pBrowse, 465, 39, 80, 24);
    m_pUnique = new QCheckBox(QStringLiteral("같은 이름이 있으면 새 이름으로 저장"), this);
    m_pUnique->setAccessibleName(m_pUnique->text());
    PlaceChild(m_pUnique, 15, 72, 530, 20);
    m_pTitle = new QCheckBox(QStringLiteral("제목을 파일이름으로 사용"), this);
    m_pTitle->setAccessibleName(m_pTitle->text());
    PlaceChild(m_pTitle, 15, 97, 530, 20);
    m_pOk = SkinButton(this, QStringLiteral("확인"));
    m_pCancel = SkinButton(this, QStringLiteral("취소"));
    PlaceChild(m_pOk, 365, 130, 85, 24);
    PlaceChild(m_pCancel, 460, 130, 85, 24);
    m_pOk->setDefault(true);

    m_browse = [this](const CString& title, const CString& start) {
        return S(QFileDialog::getExistingDirectory(this, Q(title), Q(start)));
    };
    connect(m_pBrowse, &QPushButton::clicked, this, [this] { OnBrowse(); });
    connect(m_pUnique, &QCheckBox::toggled, this, [this](bool on) { m_bUnique = on ? 1 : 0; });
    connect(m_pTitle, &QCheckBox::toggled, this, [this](bool on) { m_bUseTitle = on ? 1 : 0; });
    connect(m_pOk, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(m_pCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CDlgExport::OnBrowse() {
    m_strFolder = S(m_pFolder->text());
    if (!m_browse) return;
    const CString chosen = m_browse(kBrowseTitle, m_strFolder);
    if (chosen.empty()) return;
    m_strFolder = chosen;
    m_pFolder->setText(Q(chosen));
}

void CDlgExport::OnOK() {
    m_strFolder = S(m_pFolder->text());
    if (!dlgcheck::ExportFolder(m_strFolder).ok) {
        m_pFolder->setFocus();
        return;
    }
    accept();
}
