#include "app/DlgInit.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>

#include "app/WorkControls.h"
#include "app/WorkLayout.h"
#include "platform/brelt/Brelt.h"
#include "views/controls/ProgressEx.h"

CDlgInit::CDlgInit(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QString::number(IDD));
    setWindowTitle(QStringLiteral("ZEL VimbroSuite"));
    setAccessibleName(QStringLiteral("진행 상황"));
    setModal(false);
    m_pText = new QLabel(this);
    m_pText->setObjectName(QString::number(IDC_TEXT));
    m_pText->setFont(WorkLook::Font());
    m_pText->setAccessibleName(QStringLiteral("진행 내용"));
    m_pProgress = new CProgressEx(this, CProgressEx::kWithText);
    m_pProgress->setObjectName(QString::number(IDC_PROGRESS));
    m_pProgress->setAccessibleName(QStringLiteral("진행률"));
    SetBitmaps(IDB_BACKGROUND, IDB_BAR);
}

void CDlgInit::SetBitmaps(int backgroundId, int barId) {
    m_background = CBrelt::Bitmap(backgroundId);
    m_pProgress->SetBitmap(barId);
    // The window is as large as its background, without moving.
    if (m_background.isNull())
        setFixedSize(kPlainWidth, kPlainHeight);
    else
        setFixedSize(m_background.size());
    CenterOnScreen();
}

void CDlgInit::CenterOnScreen() {
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
}

void CDlgInit::BeginProgress(int total) {
    m_pProgress->SetPos(0);
    CenterOnScreen();
    show();
    // Shown again later in the run, the window would stay under the main window wherever no
    // window manager keeps a dialog above its owner.
    raise();
    m_pProgress->SetRange(0, std::max(0, total));
}

void CDlgInit::SetProgressPos(int position) {
    m_pProgress->SetPos(position);
}

void CDlgInit::EndProgress() {
    hide();
    m_pProgress->SetPos(0);
}

void CDlgInit::SetText(const QString& text) {
    m_pText->setText(text);
}

void CDlgInit::resizeEvent(QResizeEvent*) {
    const CRect t = CWorkLayout::kInitText;
    const CRect p = CWorkLayout::kInitProgress;
    m_pText->setGeometry(t.left, t.top, t.Width(), t.Height());
    m_pProgress->setGeometry(p.left, p.top, p.Width(), p.Height());
}

void CDlgInit::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!m_background.isNull()) {
        painter.drawImage(QPoint(0, 0), m_background);
        return;
    }
    // A plain panel with the program's name over the text and the bar.
    painter.fillRect(rect(), WorkLook::Color(WorkLook::kPanelBack));
    painter.setPen(WorkLook::Color(WorkLook::kFrameLine));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    QFont title = WorkLook::Font(true);
    title.setPixelSize(20);
    painter.setFont(title);
    painter.setPen(QColor(0x40, 0x40, 0x40));
    painter.drawText(QRect(0, 70, width(), 40), Qt::AlignCenter, QStringLiteral("ZEL VimbroSuite"));
}
