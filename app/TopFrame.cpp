#include "app/TopFrame.h"

#include <algorithm>

#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include "app/FrameRules.h"
#include "app/Resource.h"
#include "app/TopListAlbum.h"
#include "common/Gandry.h"
#include "platform/brelt/Brelt.h"
#include "views/controls/ToggleButton.h"
#include "views/controls/xSkinButtonEx.h"

namespace {

// Sizes of the plain controls when the resource file has no bitmap for them.
constexpr QSize kPlainModeButton(104, 30);
constexpr QSize kPlainPictureButton(76, 36);
constexpr int kPlainTitleHeight = 40;
constexpr int kPictureStates = 5;
const QColor kPlainBackground(0xE4, 0xE9, 0xF2);
const QColor kPlainBand(0xC9, 0xD3, 0xE4);

void TileX(QPainter& p, const QImage& tile, int x0, int x1, int y) {
    if (tile.isNull() || tile.width() <= 0) return;
    for (int x = x0; x < x1; x += tile.width())
        p.drawImage(QPoint(x, y), tile, QRect(0, 0, std::min(tile.width(), x1 - x), tile.height()));
}

}  // namespace

TopFrameLayout TopFrameLayout::Compute(int W, QSize mode, int titleHeight, QSize add, QSize import, bool scrolls) {
    TopFrameLayout l;
    int x = (W - 2 * kButtonGap - 3 * mode.width()) / 2;
    for (auto& r : l.modeButtons) {
        r = QRect(QPoint(x, 11), mode);
        x += mode.width() + kButtonGap;
    }
    const int lowerY = kTopMargin + titleHeight + 11;
    l.addAlbum = QRect(QPoint(16, lowerY), add);
    l.import = QRect(QPoint(W - import.width() - 14, lowerY), import);
    l.strip = QRect(add.width() + 18, kTopMargin + titleHeight + 6, W - import.width() - add.width() - 36,
                    add.height() + (scrolls ? 20 : 8));
    l.label = QRect(QPoint(W - 220, 11), QPoint(W - 170 - 1, 31 - 1));
    l.modelList = QRect(W - 170, 11, 150, 20);
    return l;
}

int TopFrameLayout::Height(int titleHeight, QSize add) {
    return kTopMargin + titleHeight + 6 + add.height() + 20 + 4;
}

TopFrame::TopFrame(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TopFrame"));
    for (int i = 0; i < 3; ++i) {
        auto* b = new CToggleButton(QString::fromUtf8(kModeCaptions[i]), this);
        b->setFocusPolicy(Qt::NoFocus);
        b->setToolTip(b->text());
        b->setAccessibleName(b->text());
        // The frame toggles the buttons itself when the mode really changes.
        const int id = IDC_MODE_COMPOSE + i;
        connect(b, &QPushButton::clicked, this, [this, id] {
            if (m_onCommand) m_onCommand(id);
        });
        m_modeButtons[i] = b;
    }
    auto makePicture = [this](const char* tip, int id) {
        auto* b = new CxSkinButtonEx(this);
        b->SetToolTipText(QString::fromUtf8(tip));
        b->setAccessibleName(QString::fromUtf8(tip));
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, [this, id] {
            if (m_onCommand) m_onCommand(id);
        });
        return b;
    };
    m_addAlbum = makePicture(kAddAlbumTip, IDC_ADD_ALBUM);
    m_import = makePicture(kImportTip, IDC_IMPORT);
    m_label = new QLabel(QString::fromUtf8(kModelLabel), this);
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setAttribute(Qt::WA_TranslucentBackground);
    m_modelList = new QComboBox(this);
    m_modelList->setObjectName(QStringLiteral("modelList"));
    m_modelList->setAccessibleName(QString::fromUtf8(kModelLabel));
    m_label->setBuddy(m_modelList);
    connect(m_modelList, &QComboBox::activated, this, [this] {
        if (m_onCommand) m_onCommand(IDC_MODEL_LIST);
    });
    m_strip = new CTopListAlbum(this);
    m_strip->SetCommandHandler([this](int id) {
        if (m_onCommand) m_onCommand(id);
    });
    m_strip->SetOnScrollNeed([this](bool scrolls) { SetStripScroll(scrolls); });
    Relayout();
}

void TopFrame::Initialize() {
    m_background = CBrelt::Bitmap(IDB_BAND);
    m_title = CBrelt::Bitmap(IDB_TOP_TITLE);
    m_bandLeft = CBrelt::Bitmap(IDB_TOP_BAND_LEFT);
    m_bandMiddle = CBrelt::Bitmap(IDB_TOP_BAND_MIDDLE);
    m_bandRight = CBrelt::Bitmap(IDB_TOP_BAND_RIGHT);
    m_addImage = CBrelt::Bitmap(IDB_ADD_ALBUM);
    m_importImage = CBrelt::Bitmap(IDB_IMPORT);

    const int modeBitmaps[3] = {IDB_MODE_COMPOSE, IDB_MODE_EDIT, IDB_MODE_DECORATE};
    for (int i = 0; i < 3; ++i) {
        // One strip holds the off and the on face side by side; the faces carry the caption.
        m_modeStrip[i] = CBrelt::Bitmap(modeBitmaps[i]);
        if (m_modeStrip[i].isNull()) continue;
        const int w = m_modeStrip[i].width() / 2;
        const int h = m_modeStrip[i].height();
        m_modeButtons[i]->SetBitmapImages(m_modeStrip[i].copy(0, 0, w, h), m_modeStrip[i].copy(w, 0, w, h));
        m_modeButtons[i]->setText(QString());
    }
    SetToggle(0, true);
    for (auto [button, image] : {std::pair{m_addAlbum, &m_addImage}, std::pair{m_import, &m_importImage}}) {
        if (image->isNull() || !button->SetSkinWithCount(*image, kPictureStates)) button->setText(button->toolTip());
    }
    m_modeButtons[2]->setEnabled(false);

    CStringList names;
    CGandry::GetSupportModel(&names);
    m_supported.assign(names.begin(), names.end());
    m_modelList->clear();
    for (const auto& name : m_supported) m_modelList->addItem(QString::fromStdString(name));
    SelectModelByName(CGandry::GetModelnameByModelID(CGandry::m_enumModel));
    setFixedHeight(TopFrameLayout::Height(TitleHeight(), PictureButtonSize(m_addImage)));
    Relayout();
}

void TopFrame::SetToggle(int mode, bool on) {
    if (mode < 0 || mode > 2) return;
    m_modeButtons[mode]->SetCheckState(on);
}

bool TopFrame::IsToggled(int mode) const {
    return mode >= 0 && mode <= 2 && m_modeButtons[mode]->GetCheckState();
}

QAbstractButton* TopFrame::ModeButton(int mode) const {
    return mode >= 0 && mode <= 2 ? m_modeButtons[mode] : nullptr;
}

std::vector<std::string> TopFrame::ModelNames() const {
    std::vector<std::string> names;
    for (int i = 0; i < m_modelList->count(); ++i) names.push_back(m_modelList->itemText(i).toStdString());
    return names;
}

void TopFrame::RemoveUndecoratedModels() {
    for (int model : CFrameRules::UndecoratedModels()) {
        const int i = m_modelList->findText(QString::fromStdString(CGandry::GetModelnameByModelID(model)));
        if (i >= 0) m_modelList->removeItem(i);
    }
}

void TopFrame::RestoreUndecoratedModels() {
    // The same steps as CFrameRules::RestoreUndecorated, on the list itself so that the current
    // entry stays current.
    const auto& models = CFrameRules::UndecoratedModels();
    for (auto it = models.rbegin(); it != models.rend(); ++it) {
        const std::string name = CGandry::GetModelnameByModelID(*it);
        if (m_modelList->findText(QString::fromStdString(name)) >= 0) continue;
        if (std::find(m_supported.begin(), m_supported.end(), name) == m_supported.end()) continue;
        m_modelList->insertItem(CFrameRules::RestorePosition(ModelNames(), *it), QString::fromStdString(name));
    }
}

void TopFrame::SelectModelByName(const std::string& name) {
    int chosen = m_modelList->count() > 0 ? 0 : -1;
    for (int i = 0; i < m_modelList->count(); ++i)
        if (m_modelList->itemText(i).toStdString() == name) chosen = i;
    m_modelList->setCurrentIndex(chosen);
}

std::string TopFrame::CurrentModelName() const {
    return m_modelList->currentText().toStdString();
}

void TopFrame::SetStripScroll(bool scrolls) {
    m_stripScrolls = scrolls;
    Relayout();
}

QSize TopFrame::ModeButtonSize() const {
    if (m_modeStrip[0].isNull()) return kPlainModeButton;
    return QSize(m_modeStrip[0].width() / 2, m_modeStrip[0].height());
}

QSize TopFrame::PictureButtonSize(const QImage& strip) const {
    if (strip.isNull()) return kPlainPictureButton;
    return QSize(strip.width() / kPictureStates, strip.height());
}

int TopFrame::TitleHeight() const {
    return m_title.isNull() ? kPlainTitleHeight : m_title.height();
}

void TopFrame::Relayout() {
    m_layout = TopFrameLayout::Compute(width(), ModeButtonSize(), TitleHeight(), PictureButtonSize(m_addImage),
                                       PictureButtonSize(m_importImage), m_stripScrolls);
    for (int i = 0; i < 3; ++i) m_modeButtons[i]->setGeometry(m_layout.modeButtons[i]);
    m_addAlbum->setGeometry(m_layout.addAlbum);
    m_import->setGeometry(m_layout.import);
    m_label->setGeometry(m_layout.label);
    m_modelList->setGeometry(m_layout.modelList);
    if (m_strip) m_strip->setGeometry(m_layout.strip);
    update();
}

void TopFrame::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Relayout();
}

void TopFrame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int w = width();
    if (m_background.isNull()) {
        p.fillRect(rect(), kPlainBackground);
    } else {
        for (int y = 0; y < height(); y += m_background.height()) TileX(p, m_background, 0, w, y);
    }
    const int titleH = TitleHeight();
    if (!m_title.isNull()) p.drawImage(QPoint((w - m_title.width()) / 2, TopFrameLayout::kTopMargin), m_title);
    const int bandY = TopFrameLayout::kTopMargin + titleH;
    if (m_bandMiddle.isNull()) {
        p.fillRect(QRect(8, bandY, w - 16, height() - bandY - 4), kPlainBand);
    } else {
        TileX(p, m_bandMiddle, m_bandLeft.width(), w - m_bandRight.width(), bandY);
        if (!m_bandLeft.isNull()) p.drawImage(QPoint(0, bandY), m_bandLeft);
        if (!m_bandRight.isNull()) p.drawImage(QPoint(w - m_bandRight.width(), bandY), m_bandRight);
    }
}

QAbstractButton* TopFrame::AddAlbumButton() const {
    return m_addAlbum;
}

QAbstractButton* TopFrame::ImportButton() const {
    return m_import;
}
