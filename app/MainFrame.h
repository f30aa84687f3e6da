// CMainFrame: the program's only frame window. It owns the three work views and switches among
// them, carries the top bar and the menu bar, routes every command, hosts the progress window
// and keeps the catalogue connection for the whole run.
#pragma once

#include <QPointer>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/FrameRules.h"
#include "app/GnomeFrame.h"
#include "app/HelpTopics.h"
#include "common/Gandry.h"
#include "platform/afx/afxwin.h"
#include "platform/brelt/Brelt.h"
#include "platform/win/windef.h"

class QAction;
class QDialog;
class QMenu;
class QStackedWidget;
class CDBManagerOper;
class CThumbCatalogue;
class CViewThumb;
class TopFrame;
class CDlgInit;
class CViewDecorate;
class CViewEditor;
class CViewMain;
class vxImage;

class CMainFrame : public CGnomeFrame, public CMsgTarget {
public:
    static constexpr const char* kTitle = "ZEL VimbroSuite";
    static constexpr int kMinWidth = 1200;
    static constexpr int kMinHeight = 800;
    static constexpr const char* kLowDiskSpace =
        "빔브로 실행할 공간이 부족합니다.\r\n하드디스크 정리후 사용해주십시요.(최소 500MB)";
    static constexpr const char* kImportFilter =
        "Image Files (*.bmp;*.jpg;*.gif)|*.bmp;*.jpg;*.gif|Bitmap Files (*.bmp)|*.bmp|JPEG Files "
        "(*.jpg;*.jpeg)|*.jpg;*.jpeg|GIF Files (*.gif)|*.gif|All Files (*.*)|*.*||";

    CMainFrame();
    ~CMainFrame() override;

    // The creation steps in their order; false ends start-up. `runUpdateCheck` false skips the
    // splash (tests).
    bool OnCreate(bool runUpdateCheck = true);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Brings the window to the front, maximised (a second start asked for it).
    void RaiseMaximized();

    // The update check behind the splash: at start-up (fromUserClick false) only when it is
    // due, and then the splash stays two seconds when nothing is to be installed; on the
    // user's request always, ending with a message the user clicks away.
    void RunUpdateCheck(bool fromUserClick);

    // ---- Work modes --------------------------------------------------------------------------
    int CurrentMode() const { return m_nCurrentMode; }
    QWidget* WorkView(int mode) const;
    // The three switches with their refusals; `checkModel` is the double-click's model test.
    void SwitchToMode(int mode, bool checkModel = false);

    // ---- Picture lists (message 0x0C07) --------------------------------------------------
    // A list's chosen item: `value` is the item's index, `target` the list (1 filter, 2 frame,
    // 3 decoration picture list). Each target has its own handler below.
    void OnPictureListClick(int value, int target);
    // Target 1: the editor applies filter number `index` and refreshes its effect panel.
    void OnFilterChosen(int index);
    // Target 2: decoration frame `index` (0 = none) on the canvas and the slides.
    void OnFrameChosen(int index);
    // Target 3: the browser's item `index` + 1 becomes current and goes to the decoration canvas.
    void OnDecoratePictureChosen(int index);
    // Fills the filter previews of the current picture on entering mode 1.
    void LoadPickers(int mode);
    // "전체사진" for the all-photos album, else the album's name from the catalogue.
    CString CurrentAlbumName();

    // ---- Commands ----------------------------------------------------------------------------
    void OnCommand(int id);
    // Evaluates every enabled-when rule into the menu and the top bar.
    void UpdateCommands();
    FrameState CurrentState() const;
    // The menu's action of a command; null when the menu has none.
    QAction* Action(int id) const;
    bool IsCommandEnabled(int id) const;

    // ---- What the views hand the frame -----------------------------------------------------
    // The album browser registers its catalogue logic when it is created, and null when gone.
    void SetBrowser(CThumbCatalogue* browser);
    CThumbCatalogue* Browser() const { return m_pBrowser; }
    // The browser's first all-photos loading, on its worker; commands that need the browser
    // wait until it has finished.
    void LoadAllPhotos();
    CDBManagerOper* GetDBConnect() const { return m_pDB.get(); }
    TopFrame* GetTopFrame() const { return m_pTopFrame; }
    const std::set<std::string>& CopySet() const { return m_copySet; }
    bool IsProgressShown() const;
    // An import worker is running.
    bool IsImporting() const;
    // Imports pictures named from outside (command line, file manager, a later start, files
    // dropped on the browser): the import command without its file dialog, with the same
    // free-space check, worker thread and progress window. Names that are no picture file are
    // left out; while a worker runs the files wait and are imported when it has finished.
    void ImportFiles(const CStringList& files);
    int ProgressPosition() const;
    int ProgressMaximum() const;
    // The decoration LCD size last applied (model change, preview panel).
    CSize LcdSize() const { return m_lcdSize; }

    // ---- Photo editing (mode 1) ------------------------------------------------------------------
    CViewEditor* Editor() const;
    CViewMain* EditorCanvas() const;
    // Save in place into the phone folder, and save under the save-as dialog's name.
    void OnEditorSave();
    void OnEditorSaveAs();
    // Print preview of the editor canvas.
    void OnEditorPrintPreview();

    // Model change (the model list, and after the environment dialog).
    void OnModelChange();
    // Takes the environment dialog's choices: statics, registry, browser and model list.
    void ApplyEnvironment(SHOW_MODE show, COLORREF background, int model, int bAutoUpgrade);

    // Help topic and About box.
    static QString HelpTopicPath();
    // The help folder beside the program.
    static QString HelpFolder();
    // Opens page (a file of the help folder, "#anchor" allowed) in the desktop's browser.
    void ShowHelp(const QString& page = QString::fromLatin1(HelpTopics::kContents));
    // The page F1 opens now: the dialog's in front, else the current work mode's.
    QString ContextHelpPage() const;
    // Tests see the URL instead of a browser opening it.
    void SetUrlOpener(std::function<bool(const QUrl&)> opener) { m_openUrl = std::move(opener); }
    // The environment settings dialog; what the user confirms is applied and stored.
    void OnEnvironment();
    void ShowAbout();

    // ---- Commands that open a dialog ------------------------------------------------------
    static constexpr const char* kAlbumLimit = "앨범의 최대갯수는 98개입니다";
    static constexpr const char* kAddAlbumTitle = "앨범등록";
    static constexpr const char* kAlbumFromSelectionTitle = "선택항목으로 앨범등록";
    static constexpr const char* kDeleteAlbumQuestion = "정말 삭제하시겠습니까?";
    static constexpr const char* kExportedCount = "총 %d개의 파일을 내보냈습니다";
    // Runs a modal dialog and returns its result (IDOK / IDCANCEL). exec() by default; tests
    // answer the dialog in its place.
    using DialogRunner = std::function<int(QDialog& dialog)>;
    void SetDialogRunner(DialogRunner runner);

    // ---- Decoration (mode 2) ---------------------------------------------------------------
    static constexpr const char* kAskSaveFrames = "현재의 프레임정보를 저장하시겠습니까?";
    static constexpr const char* kAskDeleteEmptyAnimation = "전체프레임을 삭제했습니다.\r\n이 파일을 삭제하시겠습니까?";
    static constexpr const char* kStopBeforeAdding = "애니메이션 플레이를 멈춘후에 추가하십시요.";
    static constexpr const char* kEmptySlides = "빈슬라이드는 저장할수 없습니다";
    static constexpr const char* kEbaSaved = "EBA파일저장 완료했습니다";
    static constexpr const char* kPhtSaved = "PHT파일저장 완료했습니다";
    static constexpr const char* kSaveFailed = "파일을 저장하지 못했습니다";
    CViewDecorate* DecorateView() const;
    // The slides saved as EBA through the EBA dialog; false when nothing was written.
    bool SaveSlidesAsEBA();
    // The current slide saved as PHT through the PHT dialog.
    bool SaveSlideAsPHT();
    // Print preview of the decoration canvas's picture.
    void PrintPreviewDecoration();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenuBar();
    void AddMenuItems(QMenu* menu, const std::vector<CBrelt::MenuItem>& items);
    QAction* AddCommand(QMenu* menu, int id, const QString& text, const QString& shortcut);
    void SwitchView(int index);
    void ApplyBackground();
    void BeginProgress(int total);
    void EndProgress();
    void OnImport();
    void StartImport(const CStringList& files);
    void ImportPending();
    void OnPaste();
    void OnShowMode(SHOW_MODE mode);
    void OnSortOrder(SORT_ORDER order);
    int RunDialog(QDialog& dialog);
    void OnAddAlbum(bool fromSelection);
    void OnDeleteAlbums();
    void OnPictureInfo();
    void OnKeyword();
    void OnBundleRename();
    void OnExport();
    void ShowDecoratePictures();
    void EnterDecorate();
    void LoadIntoDecorateCanvas(vxImage* item);
    void LoadAnimationIntoSlides(vxImage* item);
    void AskSaveFrames();
    void ClearDecorationFrame();
    void SetDecorateTexts();
    void OnCropToSlides();
    void OnDecorateLcdSize(CSize size, bool reloadFrames);
    void RegisterSavedFile(const CString& path, vxImage* existing);
    // The two saves share everything but their dialog and the writer.
    bool SaveSlidesAs(bool animation);
    void WireDecorateView();
    void ExportSlides(const CString& folder, int unique, int useTitle, int& copied);
    void PlaySlides(bool play);
    void RefreshDecoratePreview();
    // The album strip chose an album; the browser already shows it.
    void OnAlbumChange();
    // Loads the browser's current item into the editor and refreshes the view around it.
    void LoadEditorItem(vxImage* item);
    void OnEditorButton(int id);
    void OnEditorMove(bool next);
    // Saves under `name` (empty: in place); the catalogue learns of a new file or a changed one.
    void EditorSaveUnder(const CString& name);

    TopFrame* m_pTopFrame = nullptr;
    QStackedWidget* m_pStack = nullptr;
    QWidget* m_pViews[3] = {nullptr, nullptr, nullptr};
    int m_nCurrentMode = 0;
    std::unique_ptr<CDBManagerOper> m_pDB;
    std::set<std::string> m_copySet;
    CStringList m_importList;
    CDlgInit* m_pProgress = nullptr;
    CThumbCatalogue* m_pBrowser = nullptr;
    CViewThumb* m_pThumbView = nullptr;
    std::multimap<int, QAction*> m_actions;
    bool m_bProgress = false;
    int m_nWorkers = 0;  // import threads started and not yet reported back
    CStringList m_pendingImport;  // files handed over while a worker ran
    bool m_bCheckingUpdate = false;
    CSize m_lcdSize{0, 0};
    DialogRunner m_runDialog;
    std::function<bool(const QUrl&)> m_openUrl;
};
