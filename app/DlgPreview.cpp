#include "app/DlgPreview.h"

#include <QComboBox>
#include <QLabel>
#include <QPainter>

#include "app/WorkControls.h"
#include "common/Gandry.h"
#include "platform/afx/afxwin.h"
#include "platform/brelt/Brelt.h"
#include "views/controls/UserStatic.h"
#include "views/controls/xSkinButtonEx.h"
#include "views/editor/LCDPreview.h"

namespace {

constexpr int kTitleHeight = 26;
constexpr int kGap = 5;
constexpr int kInfoLineHeight = 12;
constexpr int kInfoLineGap = 7;
const QColor kCurrentCell(255, 153, 0);
const QColor kFilledCell(153, 204, 0);
const QColor kEmptyCell(157, 157, 157);

}  // namespace

// --- frame cells -----------------------------------------------------------------------------------

CPreviewFrameStrip::CPreviewFrameStrip(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("프레임 상태"));
    resize(sizeHint());
}

QSize CPreviewFrameStrip::sizeHint() const {
    return QSize((kCells - 1) * kPitch + kCell, kCell);
}

void CPreviewFrameStrip::SetFrames(const std::array<int, kCells>& states, int current) {
    if (states == m_states && current == m_nCurrent) return;
    m_states = states;
    m_nCurrent = current;
    update();
}

void CPreviewFrameStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (int i = 0; i < kCells; ++i) {
        const QRect cell(i * kPitch, 0, kCell, kCell);
        if (i == m_nCurrent) {
            painter.fillRect(cell, kCurrentCell);
        } else if (m_states[static_cast<std::size_t>(i)] == 1) {
            painter.fillRect(cell, kFilledCell);
        } else {
            painter.setPen(kEmptyCell);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(cell.adjusted(0, 0, -1, -1));
        }
    }
}

// --- the panel -------------------------------------------------------------------------------------

CDlgPreview::CDlgPreview(QWidget* parent) : QWidget(parent) {
    setObjectName(QString::number(IDD));
    setAccessibleName(QStringLiteral("미리보기"));
    setFont(WorkLook::Font());

    m_pTitle = new CUserStatic(QStringLiteral("미리보기"), this);
    m_pTitle->SetBitmaps(7053, 7054, 7052);
    m_pTitle->SetTextColor(RGB(0x33, 0x33, 0x33));
    m_pTitle->setAccessibleName(QStringLiteral("미리보기"));

    m_pLCD = new CLCDPreview(this);
    m_pLCD->LoadBitmapA(IDB_PHONE);
    m_pFrames = new CPreviewFrameStrip(this);

    for (int i = 0; i < CPreviewChoice::kButtonCount; ++i) {
        const QString caption = QString::fromStdString(CPreviewChoice::ButtonCaption(-1, i));
        CxSkinButtonEx* button = MakeSkinButton(this, 0, IDB_SIZE_BUTTON, caption, caption);
        button->setObjectName(QStringLiteral("size%1").arg(i + 1));
        button->setCheckable(true);
        // Seven characters fill the 56-pixel skin; a pixel smaller keeps a margin at both ends.
        QFont small = WorkLook::Font();
        small.setPixelSize(11);
        button->setFont(small);
        button->setFocusPolicy(Qt::TabFocus);
        QObject::connect(button, &QPushButton::clicked, this, [this, i] { OnSizeButton(i); });
        m_buttons[static_cast<std::size_t>(i)] = button;
    }

    m_pComboLabel = new QLabel(QStringLiteral("사진 크기"), this);
    m_pComboLabel->setAccessibleName(QStringLiteral("사진 크기"));
    m_pCombo = new QComboBox(this);
    NameControl(m_pCombo, IDC_SIZE_COMBO, QStringLiteral("사진 크기"));
    m_pComboLabel->setBuddy(m_pCombo);
    QObject::connect(m_pCombo, qOverload<int>(&QComboBox::activated), this, [this](int index) { OnSizeCombo(index); });

    m_pPlay = MakeSkinButton(this, IDB_PLAY, IDB_PLAY, QStringLiteral("플레이"));
    m_pStop = MakeSkinButton(this, IDB_STOP, IDB_STOP, QStringLiteral("정지"));
    m_pStop->hide();
    QObject::connect(m_pPlay, &QPushButton::clicked, this, [this] { OnPlay(); });
    QObject::connect(m_pStop, &QPushButton::clicked, this, [this] { OnStop(); });

    // The information box: a label and a value on each of three lines.
    m_pInfo = new QWidget(this);
    NameControl(m_pInfo, IDC_INFO, QStringLiteral("미리보기 정보"));
    const QString labels[3] = {QStringLiteral("사이즈 크기"), QStringLiteral("데이터 크기"), QStringLiteral("프레임 수")};
    for (std::size_t i = 0; i < 3; ++i) {
        m_infoLabels[i] = new QLabel(labels[i], m_pInfo);
        m_infoValues[i] = new QLabel(m_pInfo);
        m_infoLabels[i]->setFont(WorkLook::Font());
        m_infoLabels[i]->setAccessibleName(labels[i]);
        m_infoValues[i]->setFont(WorkLook::Font());
    }

    RebuildSizes();
}

CxSkinButtonEx* CDlgPreview::GetSizeButton(int button) const {
    if (button < 0 || button >= CPreviewChoice::kButtonCount) return nullptr;
    return m_buttons[static_cast<std::size_t>(button)];
}

void CDlgPreview::RebuildSizes() {
    const int model = static_cast<int>(CGandry::m_enumModel);
    for (int i = 0; i < CPreviewChoice::kButtonCount; ++i) {
        const QString caption = QString::fromStdString(CPreviewChoice::ButtonCaption(model, i));
        m_buttons[static_cast<std::size_t>(i)]->setText(caption);
        m_buttons[static_cast<std::size_t>(i)]->setAccessibleName(caption);
        m_buttons[static_cast<std::size_t>(i)]->SetToolTipText(caption);
    }
    m_bFilling = true;
    m_pCombo->clear();
    const std::vector<CSize> sizes = CPreviewChoice::PictureSizes(model);
    for (const CSize& size : sizes) m_pCombo->addItem(QString::fromStdString(CPreviewChoice::FormatSize(size)));
    if (!sizes.empty()) {
        m_pCombo->setCurrentIndex(0);
        m_sizePreview = sizes.front();
    }
    m_bFilling = false;
    SelectButton(0);
    m_pLCD->SetSize(m_sizePreview);
    UpdateInfo();
}

void CDlgPreview::SelectButton(int button) {
    m_nButton = button;
    for (int i = 0; i < CPreviewChoice::kButtonCount; ++i) m_buttons[static_cast<std::size_t>(i)]->setChecked(i == button);
}

void CDlgPreview::OnSizeButton(int button) {
    if (button < 0 || button >= CPreviewChoice::kButtonCount) return;
    const CPreviewChoice::Choice choice =
        CPreviewChoice::SizeButton(static_cast<int>(CGandry::m_enumModel), button, m_sizePreview);
    SelectButton(button);
    ChooseSize(choice.size, choice.flag);
}

void CDlgPreview::OnSizeCombo(int index) {
    if (m_bFilling || index < 0) return;
    CSize size = m_sizePreview;
    // A text that does not read as a size leaves the previous one.
    if (!CPreviewChoice::ParseSize(m_pCombo->itemText(index).toStdString(), size)) return;
    ChooseSize(size, 1);
}

void CDlgPreview::ChooseSize(CSize size, int flag) {
    m_sizePreview = size;
    m_pLCD->SetSize(m_sizePreview);
    UpdateInfo();
    // The receiver reads the size while the message is handled.
    SendMessage(AfxGetMainWnd(), kMsgSize, reinterpret_cast<WPARAM>(&m_sizePreview), flag);
}

void CDlgPreview::ShowSize(CSize size) {
    m_sizePreview = size;
    m_pLCD->SetSize(size);
    UpdateInfo();
}

// The buttons swap first: the main window may answer at once (nothing to play) and its answer
// must be what stays on screen.
void CDlgPreview::OnPlay() {
    SetPlaying(true);
    SendMessage(AfxGetMainWnd(), kMsgPlay, 1);
}

void CDlgPreview::OnStop() {
    SetPlaying(false);
    SendMessage(AfxGetMainWnd(), kMsgPlay, 0);
}

void CDlgPreview::SetPlaying(bool playing) {
    m_pPlay->setVisible(!playing);
    m_pStop->setVisible(playing);
}

bool CDlgPreview::IsPlayShown() const {
    return !m_pPlay->isHidden();
}

void CDlgPreview::SetFrames(int count, int current, const std::array<int, CPreviewFrameStrip::kCells>& states) {
    m_nFrames = std::max(0, count);
    m_pFrames->SetFrames(states, current);
    UpdateInfo();
}

void CDlgPreview::UpdateInfo() {
    m_infoValues[0]->setText(QString::fromStdString(CPreviewChoice::SizeLine(m_sizePreview)));
    m_infoValues[1]->setText(QString::fromStdString(CPreviewChoice::DataLine(m_sizePreview, m_nFrames)));
    m_infoValues[2]->setText(QString::fromStdString(CPreviewChoice::FrameLine(m_nFrames)));
    for (std::size_t i = 0; i < 3; ++i) {
        m_infoValues[i]->setAccessibleName(m_infoLabels[i]->text() + m_infoValues[i]->text());
    }
}

QString CDlgPreview::GetSizeLine() const {
    return m_infoValues[0]->text();
}
QString CDlgPreview::GetDataLine() const {
    return m_infoValues[1]->text();
}
QString CDlgPreview::GetFrameLine() const {
    return m_infoValues[2]->text();
}

void CDlgPreview::resizeEvent(QResizeEvent*) {
    const int w = width();
    m_pTitle->setGeometry(0, 0, w, kTitleHeight);
    int y = kTitleHeight + kGap;
    const QSize phone = m_pLCD->sizeHint();
    m_pLCD->setGeometry((w - phone.width()) / 2, y, phone.width(), phone.height());
    y += phone.height() + kGap;
    const QSize cells = m_pFrames->sizeHint();
    m_pFrames->setGeometry((w - cells.width()) / 2, y, cells.width(), cells.height());
    y += cells.height() + 2 * kGap;

    const int buttonWidth = m_buttons[0]->width();
    const int rowWidth = CPreviewChoice::kButtonCount * buttonWidth + 2 * 2;
    int x = (w - rowWidth) / 2;
    for (CxSkinButtonEx* button : m_buttons) {
        button->move(x, y);
        x += buttonWidth + 2;
    }
    y += m_buttons[0]->height() + kGap;

    const int comboWidth = 90;
    const int labelWidth = m_pComboLabel->sizeHint().width();
    const int comboRow = labelWidth + kGap + comboWidth;
    m_pComboLabel->setGeometry((w - comboRow) / 2, y, labelWidth, 22);
    m_pCombo->setGeometry((w - comboRow) / 2 + labelWidth + kGap, y, comboWidth, 22);
    y += 22 + kGap;

    m_pPlay->move((w - m_pPlay->width()) / 2, y);
    m_pStop->move((w - m_pStop->width()) / 2, y);
    y += std::max(m_pPlay->height(), m_pStop->height()) + kGap;

    const int infoHeight = 3 * kInfoLineHeight + 2 * kInfoLineGap + 20;
    m_pInfo->setGeometry(8, y, w - 16, infoHeight);
    const int lineWidth = m_pInfo->width() - 20;
    for (std::size_t i = 0; i < 3; ++i) {
        const int top = 10 + static_cast<int>(i) * (kInfoLineHeight + kInfoLineGap);
        m_infoLabels[i]->setGeometry(10, top, lineWidth / 2, kInfoLineHeight + 2);
        m_infoValues[i]->setGeometry(10 + lineWidth / 2, top, lineWidth - lineWidth / 2, kInfoLineHeight + 2);
    }
}

void CDlgPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), WorkLook::Color(WorkLook::kPanelBack));
    // The panel's frame: edges 7266 and 7267 down the sides, 7268 along the bottom.
    const QImage left = CBrelt::Bitmap(7266), right = CBrelt::Bitmap(7267), bottom = CBrelt::Bitmap(7268);
    if (!left.isNull()) painter.drawImage(QRect(0, kTitleHeight, left.width(), height() - kTitleHeight), left);
    if (!right.isNull())
        painter.drawImage(QRect(width() - right.width(), kTitleHeight, right.width(), height() - kTitleHeight), right);
    if (!bottom.isNull()) painter.drawImage(QRect(0, height() - bottom.height(), width(), bottom.height()), bottom);
    // The information box: white with a rounded frame of the panel's grey.
    const QRect info = m_pInfo->geometry();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(237, 237, 237), 3));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(info).adjusted(1.5, 1.5, -1.5, -1.5), 12, 12);
}
