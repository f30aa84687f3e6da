// CDlgEnvironment: the environment settings dialog: how the browser labels its pictures, the
// background colour (one of twenty swatches), the phone model and the automatic upgrade.
// The caller reads the choices after OK and stores them.
#pragma once

#include "app/EnvironmentChoice.h"
#include "views/controls/BaseDialog.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class CSwatchStrip;

class CDlgEnvironment : public CBaseDialog {
public:
    static constexpr int IDD = 1019;
    static constexpr int IDC_SHOW_TITLE = 7401;
    static constexpr int IDC_SHOW_FILENAME = 7402;
    static constexpr int IDC_SHOW_KEYWORD = 7403;
    static constexpr int IDC_SHOW_LABEL = 7400;
    static constexpr int IDC_COLOR_LABEL = 7404;
    static constexpr int IDC_MODEL = 7405;
    static constexpr int IDC_MODEL_LABEL = 7406;
    static constexpr int IDC_DEFAULTS = 7407;
    static constexpr int IDC_AUTO = 7408;
    static constexpr COLORREF kChosenOutline = 0xFAAE61;

    CDlgEnvironment(int show, COLORREF background, int model, BOOL autoUpgrade, QWidget* parent = nullptr);
    // Tells the main window to repaint the browser, whatever the answer was.
    ~CDlgEnvironment() override;

    int GetShowMode() const { return m_choice.ShowMode(); }
    int GetColorIndex() const { return m_choice.ColorIndex(); }
    COLORREF GetColor() const { return m_choice.Color(); }
    int GetModel() const { return m_choice.Model(); }
    BOOL GetAutoUpgrade() const { return m_choice.AutoUpgrade(); }

    // Where swatch index is drawn, in dialog coordinates.
    QRect SwatchRect(int index) const;
    // A click at point (dialog coordinates) chooses the swatch under it.
    void ClickAt(QPoint point);
    void ChooseColor(int index);
    // What screen readers call the swatches: white, then grey 1 to 19.
    static QStringList SwatchNames();
    // Show mode 0, white, automatic upgrade on; the model stays.
    void OnDefaults();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void ShowChoice();
    CRect ColorLabelRect() const;

    CEnvironmentChoice m_choice;
    QButtonGroup* m_pShow;
    QLabel* m_pColorLabel;
    QComboBox* m_pModel;
    QCheckBox* m_pAuto;
    CSwatchStrip* m_pSwatches;
};
