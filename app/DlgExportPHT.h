// CDlgExportPHT: names the PHT still picture that one slide is saved as, in the phone folder
// "ZEL/Photo" with the extension ".pht".
#pragma once

#include "app/DlgExportPhone.h"

class CDlgExportPHT : public CDlgExportPhone {
public:
    static constexpr int IDD = 1016;
    static constexpr const char* kSubFolder = "ZEL/Photo";
    static constexpr const char* kExtension = ".pht";

    explicit CDlgExportPHT(const std::vector<vxImage*>& items, QWidget* parent = nullptr);
};
