// Draws the message box and a panel of the skinned controls into PNG files, for looking at them:
//   controls_shots <folder>
#include <QApplication>
#include <QDir>
#include <QFont>

#include <cstdio>

#include "views/controls/BitmapSlider.h"
#include "views/controls/BitmapSliderEx.h"
#include "views/controls/EditNumeric.h"
#include "views/controls/HoverButton.h"
#include "views/controls/MessageBoxDialog.h"
#include "views/controls/ProgressEx.h"
#include "views/controls/ReportCtrl.h"
#include "views/controls/StColor.h"
#include "views/controls/StaticEx.h"
#include "views/controls/ToggleButton.h"
#include "views/controls/UserStatic.h"
#include "views/controls/xSkinButtonEx.h"

namespace {

bool Save(QWidget& w, const QString& path) {
    w.show();
    QApplication::processEvents();
    const bool ok = w.grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: controls_shots <folder>\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(dir);
    QFont font(QStringLiteral("NanumGothic"));
    font.setPixelSize(12);
    QApplication::setFont(font);

    const std::string text =
        "선택한 사진 12장을 앨범 \"가족 여행\"에서 삭제합니다. 삭제한 사진은 전체사진 앨범에 그대로 남아 있으며, "
        "키워드와 제목도 지워지지 않습니다. 사진 파일 자체를 지우려면 전체사진 앨범에서 다시 삭제하십시오.\r\n"
        "계속하시겠습니까?";
    const struct {
        UINT style;
        const char* name;
    } boxes[] = {
        {MB_YESNO | MB_ICONQUESTION, "box-question"},
        {MB_OK | MB_ICONEXCLAMATION, "box-exclamation"},
        {MB_OKCANCEL | MB_ICONHAND, "box-hand"},
        {MB_YESNOCANCEL | MB_ICONASTERISK | CMessageBoxLogic::kHelp, "box-asterisk"},
    };
    bool ok = true;
    for (const auto& b : boxes) {
        CMessageBoxDialog box(nullptr, text, "ZEL VimbroSuite",
                              b.style | CMessageBoxLogic::kButtonsRight | CMessageBoxLogic::kNoSound);
        box.Initialise();
        ok &= Save(box, dir + "/" + b.name + ".png");
    }
    {
        CMessageBoxDialog box(
            nullptr, "앨범명이 이미 존재합니다", "ZEL VimbroSuite",
            MB_OK | MB_ICONEXCLAMATION | CMessageBoxLogic::kButtonsRight | CMessageBoxLogic::kNoSound);
        box.Initialise();
        ok &= Save(box, dir + "/box-short.png");
    }

    CBaseDialog panel;
    panel.setWindowTitle(QStringLiteral("환경 설정"));
    panel.SetClientSize(460, 330);
    auto* title = new CUserStatic(QStringLiteral("필  터"), &panel);
    panel.PlaceChild(title, 10, 10, 200, 22);
    auto* modes = new QWidget(&panel);
    panel.PlaceChild(modes, 220, 10, 230, 26);
    const char* modeNames[] = {"앨범 구성", "사진 편집", "꾸미기"};
    for (int i = 0; i < 3; ++i) {
        auto* t = new CToggleButton(QString::fromUtf8(modeNames[i]), modes);
        t->setGeometry(i * 76, 0, 72, 26);
        t->SetCheckState(i == 1);
    }
    auto* label = new CStaticEx(QStringLiteral("밝기"), &panel);
    panel.PlaceChild(label, 10, 48, 60, 18);
    auto* slider = new CBitmapSlider(&panel, 7093);
    panel.PlaceChild(slider, 70, 48, 200, 18);
    slider->SetRange(0, 100);
    slider->SetPos(35);
    auto* vertical = new CBitmapSliderEx(&panel, 7094);
    vertical->SetVertical(true);
    panel.PlaceChild(vertical, 430, 48, 18, 150);
    vertical->SetRange(0, 10);
    vertical->SetPos(7);
    auto* colourLabel = new CStaticEx(QStringLiteral("배경색"), &panel);
    panel.PlaceChild(colourLabel, 10, 78, 60, 18);
    auto* colour = new CStColor(&panel);
    colour->SetColor(RGB(0x5A, 0x8C, 0xC8));
    panel.PlaceChild(colour, 70, 78, 40, 18);
    auto* edit = new CEditNumeric(&panel);
    edit->setText(QStringLiteral("가족 여행"));
    panel.PlaceChild(edit, 120, 76, 150, 22);
    auto* hover = new CHoverButton(&panel);
    hover->setText(QStringLiteral("가져오기"));
    hover->SetToolTipText(QStringLiteral("가져오기"));
    panel.PlaceChild(hover, 280, 76, 80, 22);
    auto* progress = new CProgressEx(&panel, CProgressEx::kWithText);
    panel.PlaceChild(progress, 10, 108, 410, 18);
    progress->SetPos(42);
    auto* report = new CReportCtrl(&panel);
    panel.PlaceChild(report, 10, 136, 410, 140);
    report->InsertColumn(0, "키워드", CReportCtrlHeader::kLeft, 200);
    report->InsertColumn(1, "크기", CReportCtrlHeader::kRight, 100);
    report->AddRowItems({CReportCtrlItem("여행"), CReportCtrlItem("120 KB")}, 1);
    report->AddRowItems({CReportCtrlItem("가족"), CReportCtrlItem("8 KB")}, 2);
    report->AddRowItems({CReportCtrlItem("풍경"), CReportCtrlItem("1,500 KB")}, 3);
    report->SortList(1, CReportCtrl::kSortAscending);
    report->SetSelectRow(1);
    auto* ok1 = new CxSkinButtonEx(QStringLiteral("확인"), &panel);
    panel.PlaceChild(ok1, 280, 292, 80, 26);
    auto* cancel = new CxSkinButtonEx(QStringLiteral("취소"), &panel);
    panel.PlaceChild(cancel, 370, 292, 80, 26);
    auto* off = new CxSkinButtonEx(QStringLiteral("사용 안 함"), &panel);
    off->setEnabled(false);
    panel.PlaceChild(off, 10, 292, 90, 26);
    ok &= Save(panel, dir + "/panel.png");
    return ok ? 0 : 1;
}
