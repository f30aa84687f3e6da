// CVornic: the registry of named effects the filter list offers.
#pragma once

#include <vector>

#include "platform/win/windef.h"

class CVornic {
public:
    CVornic();
    ~CVornic();
    // Appends the effect names in list order; the position is the editor's effect index.
    void getlist_support_filter(std::vector<CString>& names);
};
