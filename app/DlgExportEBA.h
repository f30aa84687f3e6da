// CDlgExportEBA: names the EBA animation that the slides are saved as, in the phone folder
// "ZEL/Image" with the extension ".eba".
#pragma once

#include "app/DlgExportPhone.h"

class CDlgExportEBA : public CDlgExportPhone {
public:
    static constexpr int IDD = 1017;
    static constexpr const char* kSubFolder = "ZEL/Image";
    static constexpr const char* kExtension = ".eba";

    explicit CDlgExportEBA(const std::vector<vxImage*>& items, QWidget* parent = nullptr);
};
