// TopFrame: the bar at the top of the main window with the three work-mode buttons, the
// add-album and import buttons, the album strip's place and the phone model list. Its controls
// report to the frame through one command callback carrying the control's ID.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <QWidget>

#include <array>
#include <functional>
#include <string>
#include <vector>

class QAbstractButton;
class QComboBox;
class QLabel;
class CToggleButton;
class CxSkinButtonEx;
class CTopListAlbum;

// Where everything of the bar goes for a width, without the widget.
struct TopFrameLayout {
    static constexpr int kTopMargin = 6;
    static constexpr int kButtonGap = 5;

    std::array<QRect, 3> modeButtons;
    QRect addAlbum;
    QRect import;
    QRect strip;
    QRect label;
    QRect modelList;

    static TopFrameLayout Compute(int width, QSize modeButton, int titleHeight, QSize addButton, QSize importButton,
                                  bool stripScrolls);
    // The bar's height: the strip with its scroll bar fits below the title.
    static int Height(int titleHeight, QSize addButton);
};

class TopFrame : public QWidget {
public:
    static constexpr const char* kModeCaptions[3] = {"앨범구성", "사진편집", "ZEL 꾸미기"};
    static constexpr const char* kAddAlbumTip = "앨범추가";
    static constexpr const char* kImportTip = "가져오기";
    static constexpr const char* kModelLabel = "폰 모델";

    explicit TopFrame(QWidget* parent = nullptr);

    // Control notifications (7020..7024, 7027) go here.
    void SetCommandHandler(std::function<void(int id)> handler) { m_onCommand = std::move(handler); }

    // Once, after the settings are read: skins, tooltips, the model list filled from the
    // supported models with the current model selected by name.
    void Initialize();

    // The mode buttons follow the frame's mode.
    void SetToggle(int mode, bool on);
    bool IsToggled(int mode) const;
    QAbstractButton* ModeButton(int mode) const;
    QAbstractButton* AddAlbumButton() const;
    QAbstractButton* ImportButton() const;
    QComboBox* ModelList() const { return m_modelList; }
    QLabel* ModelLabel() const { return m_label; }

    // The model list's texts, and the names the installation supports (as filled).
    std::vector<std::string> ModelNames() const;
    const std::vector<std::string>& SupportedModels() const { return m_supported; }
    // Leaving and entering decoration: the models without decoration go and come back.
    void RemoveUndecoratedModels();
    void RestoreUndecoratedModels();
    // Selects the entry equal to the name (the last such); the first entry when none is.
    void SelectModelByName(const std::string& name);
    std::string CurrentModelName() const;

    // The album strip's place; the strip scrolls when its content is wider.
    void SetStripScroll(bool scrolls);
    QRect StripRect() const { return m_layout.strip; }
    CTopListAlbum* AlbumStrip() const { return m_strip; }
    const TopFrameLayout& Layout() const { return m_layout; }
    void Relayout();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QSize ModeButtonSize() const;
    QSize PictureButtonSize(const QImage& strip) const;
    int TitleHeight() const;

    std::function<void(int)> m_onCommand;
    QImage m_background, m_title, m_bandLeft, m_bandMiddle, m_bandRight;
    QImage m_addImage, m_importImage;
    std::array<QImage, 3> m_modeStrip;
    std::array<CToggleButton*, 3> m_modeButtons{};
    CxSkinButtonEx* m_addAlbum = nullptr;
    CxSkinButtonEx* m_import = nullptr;
    QLabel* m_label = nullptr;
    QComboBox* m_modelList = nullptr;
    CTopListAlbum* m_strip = nullptr;
    std::vector<std::string> m_supported;
    bool m_stripScrolls = false;
    TopFrameLayout m_layout;
};
