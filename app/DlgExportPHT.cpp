#include "app/DlgExportPHT.h"

CDlgExportPHT::CDlgExportPHT(const std::vector<vxImage*>& items, QWidget* parent)
    : CDlgExportPhone(QStringLiteral("PHT 저장"), {QStringLiteral("선택한 슬라이드를 PHT 사진 파일로 저장합니다.")},
                      kSubFolder, kExtension, items, parent) {}
