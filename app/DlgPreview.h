// CDlgPreview: the animation preview panel of the decoration view: the phone preview, the three
// size buttons and the size combo, play and stop, the information box and a strip of sixteen
// cells that shows which slides hold a picture and which one is on screen.
#pragma once

#include <QWidget>

#include <array>

#include "app/PreviewChoice.h"
#include "platform/win/windef.h"

class CLCDPreview;
class CUserStatic;
class CxSkinButtonEx;
class QComboBox;
class QLabel;

// The sixteen frame cells under the phone preview.
class CPreviewFrameStrip : public QWidget {
public:
    static constexpr int kCells = 16;
    static constexpr int kCell = 9;    // cell side in pixels
    static constexpr int kPitch = 10;  // from one cell to the next

    explicit CPreviewFrameStrip(QWidget* parent);
    // State of each cell: 1 holds a picture, 0 empty; `current` is filled orange.
    void SetFrames(const std::array<int, kCells>& states, int current);
    int GetCurrent() const { return m_nCurrent; }
    const std::array<int, kCells>& GetStates() const { return m_states; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<int, kCells> m_states{};
    int m_nCurrent = -1;
};

class CDlgPreview : public QWidget {
public:
    static constexpr int IDD = 1013;
    static constexpr int IDC_SIZE_COMBO = 1031;
    static constexpr int IDC_INFO = 7201;
    static constexpr int IDB_PHONE = 7354;
    static constexpr int IDB_PLAY = 7355;
    static constexpr int IDB_STOP = 7356;
    static constexpr int IDB_SIZE_BUTTON = 7420;
    // Messages to the main window.
    static constexpr UINT kMsgPlay = 3083;  // wParam 1 play, 0 stop
    static constexpr UINT kMsgSize = 3084;  // wParam pointer to the size, lParam the flag

    explicit CDlgPreview(QWidget* parent);

    // Fills the size combo and the size buttons for the current model (CGandry::m_enumModel) and
    // takes its first picture size; at start and after a model change.
    void RebuildSizes();

    // The user's choices; each sends its message to the main window.
    void OnSizeButton(int button);
    void OnSizeCombo(int index);
    void OnPlay();
    void OnStop();

    // The frame says whether the slides play (the play and stop buttons follow).
    void SetPlaying(bool playing);
    bool IsPlayShown() const;
    // Shows a size chosen elsewhere (the frame's LCD size change).
    void ShowSize(CSize size);
    // The slides: how many hold a picture, which one is shown, each cell's state.
    void SetFrames(int count, int current, const std::array<int, CPreviewFrameStrip::kCells>& states);

    CSize GetPreviewSize() const { return m_sizePreview; }
    int GetSelectedButton() const { return m_nButton; }
    CLCDPreview* GetLCDPreview() const { return m_pLCD; }
    QComboBox* GetSizeCombo() const { return m_pCombo; }
    CxSkinButtonEx* GetSizeButton(int button) const;
    CxSkinButtonEx* GetPlayButton() const { return m_pPlay; }
    CxSkinButtonEx* GetStopButton() const { return m_pStop; }
    CPreviewFrameStrip* GetFrameStrip() const { return m_pFrames; }
    // The values of the information box's three lines.
    QString GetSizeLine() const;
    QString GetDataLine() const;
    QString GetFrameLine() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ChooseSize(CSize size, int flag);
    void SelectButton(int button);
    void UpdateInfo();

    CUserStatic* m_pTitle;
    CLCDPreview* m_pLCD;
    std::array<CxSkinButtonEx*, CPreviewChoice::kButtonCount> m_buttons{};
    QLabel* m_pComboLabel;
    QComboBox* m_pCombo;
    CxSkinButtonEx* m_pPlay;
    CxSkinButtonEx* m_pStop;
    QWidget* m_pInfo;
    std::array<QLabel*, 3> m_infoLabels{};
    std::array<QLabel*, 3> m_infoValues{};
    CPreviewFrameStrip* m_pFrames;
    CSize m_sizePreview{0, 0};
    int m_nButton = 0;
    int m_nFrames = 0;
    bool m_bFilling = false;
};
