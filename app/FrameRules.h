// CFrameRules: the main frame's decisions without its window — when each command is enabled,
// whether a work-mode switch goes ahead, and where the models without decoration return in the
// model list. The frame fills a FrameState from its views and asks.
#pragma once

#include <set>
#include <string>
#include <vector>

// Everything the enabled-when rules read.
struct FrameState {
    int mode = 0;        // current work mode 0..2
    int model = 0;       // CGandry::m_enumModel
    int showMode = 0;    // CGandry::m_enumShow
    int order = 0;       // CGandry::m_enumOrder
    int selection = 0;   // the browser's selected-item count
    int album = 99;      // the browser's current album
    int albumItems = 0;  // items of the album on show
    bool copySetEmpty = true;
    bool canRestore = false;  // the browser has something to restore
    int canvasMode = -1;      // editor canvas CURRENT_MODE, -1 without a canvas
    bool canUndo = false;
    bool canRedo = false;
    // Commands whose operation exists in this build; the others stay disabled.
    std::set<int> served;
};

enum class SwitchVerdict {
    Stay,    // already in that mode: nothing happens
    Refuse,  // a message explains why, mode and data unchanged
    Switch,
};

struct SwitchDecision {
    SwitchVerdict verdict = SwitchVerdict::Stay;
    std::string message;
};

// What a switch into mode 1 or 2 needs to know about the browser's current item.
struct SwitchFacts {
    int mode = 0;
    int model = 0;
    bool hasCurrentItem = false;
    int currentIndex = 0;     // 1-based, 0 when none
    bool fileExists = false;  // the current item's file is on disk
};

class CFrameRules {
public:
    static constexpr int kAllPhotosAlbum = 99;
    static constexpr int kMaxAlbums = 98;
    // CURRENT_MODE values the rules read.
    static constexpr int kCanvasCrop = 0;
    static constexpr int kCanvasLcd = 1;
    static constexpr int kCanvasText = 2;
    static constexpr int kCanvasNormal = 5;

    static constexpr const char* kNoEditItem = "사진편집 실행할수 없습니다";
    static constexpr const char* kMissingFile = "파일의 링크가 깨져있거나, 실제파일이 삭제되어졌습니다.";
    static constexpr const char* kNoDecoration = "해당모델은 ZEL꾸미기를 지원하지 않습니다";
    static constexpr const char* kSelectPicture = "사진을 선택해 주세요";

    // Every command the frame carries, menu and top bar.
    static const std::vector<int>& Commands();
    // The enabled-when rule of `id` and whether its operation exists.
    static bool IsEnabled(int id, const FrameState& state);
    // Radio commands (show mode, sort order) that are checked.
    static bool IsChecked(int id, const FrameState& state);

    // The four models whose decoration data is missing: 4, 12, 15, 24.
    static bool SupportsDecoration(int model);
    static const std::vector<int>& UndecoratedModels();

    // Switch to mode 0, 1 or 2. `checkModel` is the model test of the browser's double-click
    // (0x0C03), made before anything else.
    static SwitchDecision CheckSwitch(int target, const SwitchFacts& facts, bool checkModel = false);

    // Where a model name goes back into the list: before the first entry of a later model, so
    // the list stays in model order whatever models are installed.
    static int RestorePosition(const std::vector<std::string>& list, int model);
    // The whole list edit: removing (entering mode 2) or putting back the undecorated models
    // that `supported` holds (leaving it). The widget mirrors the same steps.
    static void RemoveUndecorated(std::vector<std::string>& list);
    static void RestoreUndecorated(std::vector<std::string>& list, const std::vector<std::string>& supported);
};
