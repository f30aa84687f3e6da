#include "app/DlgExportEBA.h"

CDlgExportEBA::CDlgExportEBA(const std::vector<vxImage*>& items, QWidget* parent)
    : CDlgExportPhone(QStringLiteral("애니메이션 저장"),
                      {QStringLiteral("슬라이드를 EBA 애니메이션 파일로 저장합니다."),
                       QStringLiteral("저장 폴더 : 내 문서/ZEL/Image")},
                      kSubFolder, kExtension, items, parent) {}
