// vimbro-tool models / model: the phone model catalogue.
#include <cstdio>
#include <string>

#include "common/Gandry.h"
#include "tools/Tool.h"

namespace {

std::string SizeList(const CSize* sizes, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        if (sizes[i].cx == 0 && sizes[i].cy == 0) continue;
        if (!text.empty()) text += ",";
        text += std::to_string(sizes[i].cx) + "x" + std::to_string(sizes[i].cy);
    }
    return text;
}

std::string SizeList(const std::list<CSize>& sizes) {
    std::string text;
    for (const CSize& s : sizes) {
        if (s.cx == 0 && s.cy == 0) continue;
        if (!text.empty()) text += ",";
        text += std::to_string(s.cx) + "x" + std::to_string(s.cy);
    }
    return text;
}

int RunModels(const tool::Args& args) {
    if (!args.empty()) return tool::Fail("models takes no arguments");
    CStringList names;
    CGandry::GetSupportModel(&names);
    for (const auto& n : names) std::printf("%s\n", n.c_str());
    return 0;
}

int RunModel(const tool::Args& args) {
    if (args.size() != 1) return tool::Fail("model needs one model ID or name");
    long long number = 0;
    int id;
    if (tool::ParseInt(args[0], number)) {
        id = (number >= 0 && number < CGandry::kTableModelCount) || number == MODEL_USER_DEFINED
                 ? static_cast<int>(number)
                 : MODEL_NONE;
    } else {
        id = CGandry::GetModelIDByModelname(args[0]);
    }
    if (id == MODEL_USER_DEFINED) {
        ModelAttribute_QVP4_t user;
        CGandry::GetQVP4Attribute(user);
        std::printf("id=%d name=%s phonebook=%s picture=%s data=%s\n", user.nModelID, user.strModelName.c_str(),
                    SizeList(user.listPhonebookSize).c_str(), SizeList(user.listPictureSize).c_str(),
                    CGandry::GetDatafilenameByModleID(MODEL_USER_DEFINED).c_str());
        return 0;
    }
    if (id < 0 || id >= CGandry::kTableModelCount) return tool::Fail("no model '" + args[0] + "'");
    ModelAttribute_t m = CGandry::GetModelInfoByModelndex(id);
    std::printf("id=%d name=%s phonebook=%s picture=%s data=%s\n", m.nModelID, m.szModelName,
                SizeList(m.sizePhonebook, 4).c_str(), SizeList(m.sizePicture, 4).c_str(),
                CGandry::GetDatafilenameByModleID(static_cast<MODEL_SELECT>(id)).c_str());
    return 0;
}

const bool registered =
    tool::Register({"models", "list the supported phone models",
                    "usage: vimbro-tool models\n\n"
                    "Prints the names of the phone models whose data file is installed in the program's\n"
                    "data folder, one per line, in model order; the user-defined model comes last.\n",
                    RunModels}) &&
    tool::Register({"model", "show one phone model's sizes",
                    "usage: vimbro-tool model ID-or-NAME\n\n"
                    "Prints one line: id=<ID> name=<NAME> phonebook=<WxH,...> picture=<WxH,...> data=<FILE>.\n"
                    "Empty sizes are left out. ID 67 or the name \"사용자 정의\" is the user-defined model.\n",
                    RunModel});

}  // namespace
