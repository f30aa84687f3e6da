#include "imaging/Vornic.h"

CVornic::CVornic() = default;
CVornic::~CVornic() = default;

void CVornic::getlist_support_filter(std::vector<CString>& names) {
    static const char* const kNames[] = {"세피아",   "그린",   "블루",     "그레이",  "Thresold",
                                         "모자이크", "뽀샤시", "선명하게", "흩뿌리기"};
    for (const char* name : kNames) names.emplace_back(name);
}
