#include "app/MainFrame.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPalette>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionMenuItem>
#include <QTextEdit>
#include <QThread>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <thread>

#include "app/AboutDlg.h"
#include "app/DlgAlbum.h"
#include "app/DlgFilter.h"
#include "app/DlgFrame.h"
#include "app/DlgPreview.h"
#include "app/ViewDecorate.h"
#include "app/Resource.h"
#include "app/Settings.h"
#include "app/TopFrame.h"
#include "app/TopListAlbum.h"
#include "app/ViewComposer.h"
#include "app/ViewDecorate.h"
#include "app/ViewEditor.h"
#include "app/ViewWrapper.h"
#include "app/WorkViews.h"
#include "app/DialogLogic.h"
#include "app/DlgAddAlbum.h"
#include "app/DlgBundleChange.h"
#include "app/DlgEnvironment.h"
#include "app/DlgExport.h"
#include "app/DlgInfo.h"
#include "app/DlgKeyword.h"
#include "app/DlgInit.h"
#include "app/DlgEffect.h"
#include "app/DlgSaveAs.h"
#include "views/editor/ViewMain.h"
#include "platform/afx/afxmsg.h"
#include "platform/kordune/DBManagerOper.h"
#include "platform/win/fileapi.h"
#include "platform/win/filetype.h"
#include "update/SplashScreenFx.h"
#include "views/catalogue/ThumbCatalogue.h"
#include "views/catalogue/ViewThumb.h"
#include "views/catalogue/vxImage.h"
#include "views/controls/CustomTheme.h"

// The menu bar over the command-bar theme's fill.
class ThemedMenuBar : public QMenuBar {
public:
    explicit ThemedMenuBar(QWidget* parent) : QMenuBar(parent) {
        if (!m_theme.LoadBitmap(IDB_COMMANDBAR_THEME)) m_theme.SetFillColor(RGB(0xEE, 0xF0, 0xF3));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        m_theme.FillCommandBar(p, rect());
        for (QAction* action : actions()) {
            const QRect r = actionGeometry(action);
            if (!r.isValid() || !action->isVisible()) continue;
            QStyleOptionMenuItem option;
            initStyleOption(&option, action);
            option.rect = r;
            // Only the item: the bar's own panel would hide the theme.
            if (!(option.state & (QStyle::State_Selected | QStyle::State_Sunken)))
                option.palette.setBrush(QPalette::Button, Qt::transparent);
            style()->drawControl(QStyle::CE_MenuBarItem, &option, &p, this);
        }
    }

private:
    CCustomTheme m_theme;
};

namespace {

// How long the start-up splash stays when no update is due.
constexpr int kSplashHoldMs = 2000;

// Keeps the splash painted while it holds; input waits until start-up is done.
void HoldSplash(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < milliseconds) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(10);
    }
}

CBrelt::MenuItem Cmd(int id, const char* text, const char* shortcut = "") {
    CBrelt::MenuItem item;
    item.id = id;
    item.text = QString::fromUtf8(text);
    item.shortcut = QString::fromUtf8(shortcut);
    return item;
}

CBrelt::MenuItem Sep() {
    CBrelt::MenuItem item;
    item.separator = true;
    return item;
}

CBrelt::MenuItem Popup(const char* text, std::vector<CBrelt::MenuItem> children) {
    CBrelt::MenuItem item;
    item.text = QString::fromUtf8(text);
    item.children = std::move(children);
    return item;
}

// The menu the program shows when the resource file has none.
std::vector<CBrelt::MenuItem> PlainMenu() {
    return {
        Popup("파일(&F)", {Cmd(ID_FILE_IMPORT, "가져오기(&I)...", "Ctrl+I"), Cmd(ID_FILE_EXPORT, "내보내기(&E)..."),
                           Sep(), Cmd(ID_FILE_SAVE_PICTURE, "저장(&S)", "Ctrl+S"),
                           Cmd(ID_FILE_SAVE_PICTURE_AS, "다른 이름으로 저장(&A)..."), Sep(),
                           Cmd(ID_PRINT_PREVIEW, "인쇄 미리 보기(&V)"), Sep(), Cmd(ID_ENVIRONMENT, "환경설정(&O)..."),
                           Sep(), Cmd(ID_APP_EXIT, "끝내기(&X)")}),
        Popup("편집(&E)", {Cmd(ID_EDIT_UNDO, "실행 취소(&U)", "Ctrl+Z"), Cmd(ID_EDIT_REDO, "다시 실행(&R)", "Ctrl+Y"),
                           Sep(), Cmd(ID_EDIT_COPY, "복사(&C)", "Ctrl+C"), Cmd(ID_EDIT_PASTE, "붙여넣기(&P)", "Ctrl+V"),
                           Cmd(ID_EDIT_SELECT_ALL, "모두 선택(&A)", "Ctrl+A"), Cmd(ID_THUMB_DELETE, "삭제(&D)"), Sep(),
                           Cmd(ID_RESTORE, "원본 복원(&O)"), Cmd(ID_BUNDLE_RENAME, "일괄 이름 변경(&B)..."),
                           Cmd(ID_KEYWORD, "키워드(&K)..."), Cmd(ID_PICTURE_INFO, "사진 정보(&N)...")}),
        Popup("앨범(&A)",
              {Cmd(ID_ALBUM_ADD, "앨범 추가(&N)..."), Cmd(ID_ALBUM_FROM_SELECTION, "선택항목으로 앨범 만들기(&S)..."),
               Cmd(ID_ALBUM_COPY, "앨범에 복사(&C)"), Sep(), Cmd(ID_ALBUM_DELETE, "앨범 삭제(&D)")}),
        Popup("보기(&V)", {Cmd(ID_SHOW_MODE_0, "파일 이름 표시(&F)"), Cmd(ID_SHOW_MODE_1, "제목 표시(&T)"),
                           Cmd(ID_SHOW_MODE_2, "키워드 표시(&K)"), Sep(), Cmd(ID_SORT_ORDER_0, "날짜순 정렬(&D)"),
                           Cmd(ID_SORT_ORDER_1, "이름순 정렬(&N)")}),
        Popup("도움말(&H)", {Cmd(ID_HELP, "도움말(&H)", "F1"), Cmd(ID_CHECK_UPDATE, "업데이트 확인(&U)"), Sep(),
                             Cmd(ID_APP_ABOUT, "VimbroSuite 정보(&A)...")}),
    };
}

bool IsRadio(int id) {
    return (id >= ID_SHOW_MODE_0 && id <= ID_SHOW_MODE_2) || id == ID_SORT_ORDER_0 || id == ID_SORT_ORDER_1;
}

}  // namespace

CMainFrame::CMainFrame() {
    setWindowTitle(QString::fromUtf8(kTitle));
    setWindowIcon(CBrelt::Icon(IDI_MAINFRAME));
    setMinimumSize(kMinWidth, kMinHeight);
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pTopFrame = new TopFrame(client);
    m_pTopFrame->SetCommandHandler([this](int id) { OnCommand(id); });
    layout->addWidget(m_pTopFrame);
    m_pStack = new QStackedWidget(client);
    layout->addWidget(m_pStack, 1);
    setCentralWidget(client);
    AfxSetMainWnd(this);
}

CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
    // Release order: import list, catalogue connection, copy set, progress window, top bar.
    m_importList.clear();
    m_pBrowser = nullptr;
    delete m_pStack;
    m_pStack = nullptr;
    m_pDB.reset();
    m_copySet.clear();
    delete m_pProgress;
    m_pProgress = nullptr;
    delete m_pTopFrame;
    m_pTopFrame = nullptr;
    if (AfxGetMainWnd() == this) AfxSetMainWnd(nullptr);
}

bool CMainFrame::OnCreate(bool runUpdateCheck) {
    CreateMenuBar();
    VimbroSettings::Load();
    m_pTopFrame->Initialize();
    m_pDB = std::make_unique<CDBManagerOper>(CGandry::GetRunDir() + "zldb.mdb");
    m_pProgress = new CDlgInit(this);
    m_pProgress->SetBitmaps(CDlgInit::IDB_BACKGROUND, CDlgInit::IDB_BAR);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        m_pProgress->move(screen->geometry().center() - m_pProgress->rect().center());
    for (int mode = 0; mode < 3; ++mode) {
        m_pViews[mode] = CreateWorkView(mode, m_pStack);
        m_pStack->addWidget(m_pViews[mode]);
    }
    if (auto* composer = dynamic_cast<CViewComposer*>(m_pViews[0])) {
        m_pThumbView = composer->GetWrapper()->GetThumb();
        SetBrowser(&m_pThumbView->Catalogue());
        m_pThumbView->SetCommandHandler([this](int id) { OnCommand(id); },
                                        [this](int id, QAction* action) {
                                            const FrameState s = CurrentState();
                                            action->setEnabled(CFrameRules::IsEnabled(id, s));
                                            if (action->isCheckable()) action->setChecked(CFrameRules::IsChecked(id, s));
                                        });
    }
    WireDecorateView();
    if (m_pThumbView) m_pThumbView->SetFileDropHandler([this](const CStringList& files) { ImportFiles(files); });
    if (CTopListAlbum* strip = m_pTopFrame->AlbumStrip()) strip->Strip().SetOnChoose([this](int) { OnAlbumChange(); });
    if (CViewEditor* editor = Editor()) {
        editor->SetButtonHandler([this](int id) { OnEditorButton(id); });
        editor->GetCanvas()->SetModel(CGandry::m_enumModel);
        editor->GetCanvas()->SetNotifyTarget(this);
    }
    // The decoration canvas takes the stored model too: its LCD window must match the phone
    // preview's first picture size, or crops come out in the first model's size.
    if (CViewDecorate* decorate = DecorateView())
        if (CViewMainCore* canvas = decorate->Canvas()) canvas->SetModel(CGandry::m_enumModel);
    SwitchView(0);
    ApplyBackground();
    qApp->installEventFilter(this);
    UpdateCommands();
    // Last: the frame is not shown before the check is done.
    if (runUpdateCheck) RunUpdateCheck(false);
    return true;
}

// ---- Menu ---------------------------------------------------------------------------------

void CMainFrame::CreateMenuBar() {
    std::vector<CBrelt::MenuItem> items = CBrelt::Menu(IDR_MAINFRAME);
    if (items.empty()) items = PlainMenu();
    auto* bar = new ThemedMenuBar(this);
    setMenuBar(bar);
    bar->setAccessibleName(QStringLiteral("Menu Bar"));
    for (const auto& popup : items) {
        if (popup.separator) continue;
        if (popup.children.empty() && popup.id > 0) {
            AddCommand(nullptr, popup.id, popup.text, popup.shortcut);
            continue;
        }
        QMenu* menu = bar->addMenu(popup.text);
        AddMenuItems(menu, popup.children);
    }
}

void CMainFrame::AddMenuItems(QMenu* menu, const std::vector<CBrelt::MenuItem>& items) {
    connect(menu, &QMenu::aboutToShow, this, [this] { UpdateCommands(); });
    for (const auto& item : items) {
        if (item.separator) {
            menu->addSeparator();
        } else if (!item.children.empty()) {
            AddMenuItems(menu->addMenu(item.text), item.children);
        } else if (item.id > 0) {
            AddCommand(menu, item.id, item.text, item.shortcut);
        }
    }
}

QAction* CMainFrame::AddCommand(QMenu* menu, int id, const QString& text, const QString& shortcut) {
    QAction* action = menu ? menu->addAction(text) : menuBar()->addAction(text);
    action->setData(id);
    if (!shortcut.isEmpty()) {
        action->setShortcut(QKeySequence(shortcut));
        // Shortcuts work while the menu is closed, so they are checked when pressed.
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
    if (IsRadio(id)) action->setCheckable(true);
    connect(action, &QAction::triggered, this, [this, id, action] {
        UpdateCommands();
        if (action->isEnabled()) OnCommand(id);
    });
    m_actions.emplace(id, action);
    return action;
}

QAction* CMainFrame::Action(int id) const {
    auto it = m_actions.find(id);
    return it == m_actions.end() ? nullptr : it->second;
}

bool CMainFrame::IsCommandEnabled(int id) const {
    return CFrameRules::IsEnabled(id, CurrentState());
}

FrameState CMainFrame::CurrentState() const {
    FrameState s;
    s.mode = m_nCurrentMode;
    s.model = CGandry::m_enumModel;
    s.showMode = CGandry::m_enumShow;
    s.order = CGandry::m_enumOrder;
    s.copySetEmpty = m_copySet.empty();
    // While an import runs the browser belongs to its worker: nothing reads it meanwhile, so
    // every command that needs it waits.
    CThumbCatalogue* browser = IsImporting() ? nullptr : m_pBrowser;
    if (browser) {
        s.selection = browser->get_count_selected();
        s.album = browser->GetAlbumID();
        s.albumItems = browser->GetThumbCount();
        s.canRestore = browser->is_restore() != 0;
    }
    // What this build can carry out; the editor canvas, slide composer and the dialogs of
    // the album, keyword, information, export and environment commands join as they arrive.
    s.served = {IDC_MODE_COMPOSE, IDC_MODE_EDIT,   IDC_MODE_DECORATE, ID_SHOW_MODE_0, ID_SHOW_MODE_1, ID_SHOW_MODE_2,
                ID_SORT_ORDER_0,  ID_SORT_ORDER_1, ID_CHECK_UPDATE,   ID_HELP,        ID_APP_ABOUT,   ID_APP_EXIT,
                ID_ENVIRONMENT};
    if (browser) {
        for (int id : {IDC_IMPORT, ID_FILE_IMPORT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_SELECT_ALL, ID_THUMB_DELETE,
                       ID_ALBUM_COPY, ID_RESTORE, IDC_ADD_ALBUM, ID_ALBUM_ADD, ID_ALBUM_FROM_SELECTION, ID_ALBUM_DELETE,
                       ID_PICTURE_INFO, ID_KEYWORD, ID_BUNDLE_RENAME})
            s.served.insert(id);
        // Export of the editor and the slides joins with their views.
        if (s.mode == 0) s.served.insert(ID_FILE_EXPORT);
        // The slides save, export and print from the decoration view.
        if (s.mode == 2)
            for (int id : {ID_FILE_EXPORT, ID_FILE_SAVE_PICTURE, ID_FILE_SAVE_PICTURE_AS, ID_PRINT_PREVIEW})
                s.served.insert(id);
    }
    if (CViewMain* canvas = EditorCanvas(); canvas && s.mode == 1) {
        s.canvasMode = canvas->GetCurrentMode();
        s.canUndo = canvas->CanUndo() != 0;
        s.canRedo = canvas->CanRedo() != 0;
        for (int id : {ID_FILE_SAVE_PICTURE, ID_FILE_SAVE_PICTURE_AS, ID_PRINT_PREVIEW, ID_EDIT_UNDO, ID_EDIT_REDO})
            s.served.insert(id);
        if (browser) s.served.insert(ID_FILE_EXPORT);
    }
    return s;
}

void CMainFrame::UpdateCommands() {
    const FrameState s = CurrentState();
    for (const auto& [id, action] : m_actions) {
        action->setEnabled(CFrameRules::IsEnabled(id, s));
        if (action->isCheckable()) action->setChecked(CFrameRules::IsChecked(id, s));
    }
    if (!m_pTopFrame) return;
    for (int mode = 0; mode < 3; ++mode)
        m_pTopFrame->ModeButton(mode)->setEnabled(CFrameRules::IsEnabled(IDC_MODE_COMPOSE + mode, s));
    m_pTopFrame->AddAlbumButton()->setEnabled(CFrameRules::IsEnabled(IDC_ADD_ALBUM, s));
    m_pTopFrame->ImportButton()->setEnabled(CFrameRules::IsEnabled(IDC_IMPORT, s));
}

void CMainFrame::SetBrowser(CThumbCatalogue* browser) {
    m_pBrowser = browser;
    if (browser && m_pDB) browser->SetDBConnect(m_pDB.get());
    // The album strip chooses, renames and deletes albums in the same catalogue.
    if (m_pTopFrame && m_pTopFrame->AlbumStrip()) m_pTopFrame->AlbumStrip()->SetBrowser(browser);
    UpdateCommands();
}

// ---- Commands -------------------------------------------------------------------------------

void CMainFrame::OnCommand(int id) {
    if (!CFrameRules::IsEnabled(id, CurrentState()) && id != IDC_MODEL_LIST) return;
    switch (id) {
        case IDC_MODE_COMPOSE:
            SwitchToMode(0);
            break;
        case IDC_MODE_EDIT:
            SwitchToMode(1);
            break;
        case IDC_MODE_DECORATE:
            SwitchToMode(2);
            break;
        case IDC_MODEL_LIST:
            OnModelChange();
            break;
        case IDC_IMPORT:
        case ID_FILE_IMPORT:
            OnImport();
            break;
        case ID_EDIT_COPY: {
            CStringList paths;
            m_pBrowser->PushStack(&paths);
            m_copySet.insert(paths.begin(), paths.end());
        } break;
        case ID_EDIT_PASTE:
            OnPaste();
            break;
        case ID_EDIT_SELECT_ALL:
            m_pBrowser->set_select_all(1);
            break;
        case ID_THUMB_DELETE:
            m_pBrowser->OnDeleteThumbItem();
            break;
        case ID_ALBUM_COPY:
            m_pBrowser->AlbumCopy();
            break;
        case IDC_ADD_ALBUM:
        case ID_ALBUM_ADD:
            OnAddAlbum(false);
            break;
        case ID_ALBUM_FROM_SELECTION:
            OnAddAlbum(true);
            break;
        case ID_ALBUM_DELETE:
            OnDeleteAlbums();
            break;
        case ID_PICTURE_INFO:
            OnPictureInfo();
            break;
        case ID_KEYWORD:
            OnKeyword();
            break;
        case ID_BUNDLE_RENAME:
            OnBundleRename();
            break;
        case ID_FILE_EXPORT:
            OnExport();
            break;
        case ID_FILE_SAVE_PICTURE:
            if (m_nCurrentMode == 1)
                OnEditorSave();
            else if (m_nCurrentMode == 2)
                SaveSlidesAsEBA();
            break;
        case ID_FILE_SAVE_PICTURE_AS:
            if (m_nCurrentMode == 1)
                OnEditorSaveAs();
            else if (m_nCurrentMode == 2)
                SaveSlidesAsEBA();
            break;
        case ID_PRINT_PREVIEW:
            if (m_nCurrentMode == 1)
                OnEditorPrintPreview();
            else if (m_nCurrentMode == 2)
                PrintPreviewDecoration();
            break;
        case ID_EDIT_UNDO:
        case ID_EDIT_REDO:
            if (m_nCurrentMode != 1) break;
            if (id == ID_EDIT_UNDO)
                EditorCanvas()->Undo();
            else
                EditorCanvas()->Redo();
            Editor()->GetDlgEffect()->UpdateUndoRedo();
            break;
        case ID_RESTORE:
            m_pBrowser->Restore();
            if (m_nCurrentMode == 0 && m_pViews[0]) m_pViews[0]->update();
            break;
        case ID_SHOW_MODE_0:
            OnShowMode(SHOW_MODE_0);
            break;
        case ID_SHOW_MODE_1:
            OnShowMode(SHOW_MODE_1);
            break;
        case ID_SHOW_MODE_2:
            OnShowMode(SHOW_MODE_2);
            break;
        case ID_SORT_ORDER_0:
            OnSortOrder(SORT_ORDER_0);
            break;
        case ID_SORT_ORDER_1:
            OnSortOrder(SORT_ORDER_1);
            break;
        case ID_CHECK_UPDATE:
            RunUpdateCheck(true);
            break;
        case ID_HELP:
            ShowHelp();
            break;
        case ID_APP_ABOUT:
            ShowAbout();
            break;
        case ID_ENVIRONMENT:
            OnEnvironment();
            break;
        case ID_APP_EXIT:
            close();
            break;
        default:
            break;
    }
    UpdateCommands();
}

void CMainFrame::OnShowMode(SHOW_MODE mode) {
    CGandry::m_enumShow = mode;
    if (m_pBrowser) {
        m_pBrowser->SetShowMode(mode);
        m_pBrowser->SetCLSID("");
        if (vxImage* item = m_pBrowser->GetTransImage()) m_pBrowser->SetAttribute(item);
    }
    // The information box's first line names the new label even with no current item.
    SendMessage(WM_THUMB_REPAINT);
}

void CMainFrame::OnSortOrder(SORT_ORDER order) {
    CGandry::m_enumOrder = order;
    if (m_pBrowser) m_pBrowser->SetOrder(order);
}

// ---- Commands that open a dialog ----------------------------------------------------------
// The dialogs validate and the browser's catalogue acts; these only put the steps in order.

void CMainFrame::SetDialogRunner(DialogRunner runner) {
    m_runDialog = std::move(runner);
}

int CMainFrame::RunDialog(QDialog& dialog) {
    const int result = m_runDialog ? m_runDialog(dialog) : dialog.exec();
    return result == QDialog::Accepted ? IDOK : IDCANCEL;
}

void CMainFrame::OnAddAlbum(bool fromSelection) {
    std::vector<CString> names;
    if (CDBManagerOper* db = m_pBrowser->GetDBConnect()) db->GetAlbumList(&names);
    if (static_cast<int>(names.size()) >= CFrameRules::kMaxAlbums) {
        AfxMessageBox(kAlbumLimit);
        return;
    }
    CDlgAddAlbum dlg(fromSelection ? kAlbumFromSelectionTitle : kAddAlbumTitle, &names, this);
    if (RunDialog(dlg) != IDOK) return;
    // The strip adds the album to the catalogue and shows it.
    CTopListAlbum* strip = m_pTopFrame ? m_pTopFrame->AlbumStrip() : nullptr;
    const int album = strip ? strip->Strip().AddAlbum(dlg.GetName()) : m_pBrowser->AddAlbum(dlg.GetName());
    if (album <= 0) return;
    if (fromSelection) m_pBrowser->MoveToAlbum(m_pBrowser->GetAlbumID(), album);
    if (m_pTopFrame) m_pTopFrame->Relayout();
}

void CMainFrame::OnDeleteAlbums() {
    CTopListAlbum* strip = m_pTopFrame ? m_pTopFrame->AlbumStrip() : nullptr;
    if (!strip) return;
    // The strip refuses the all-photos album, asks, deletes and chooses the album shown next.
    strip->DeleteAlbums();
    m_pTopFrame->Relayout();
}

void CMainFrame::OnPictureInfo() {
    vxImage* item = m_pBrowser->GetTransImage();
    if (!item) return;
    CDlgInfo dlg(item, this);
    RunDialog(dlg);
}

void CMainFrame::OnKeyword() {
    // The dialog applies its commands to the catalogue as they are pressed.
    CDlgKeyword dlg(m_pBrowser, this);
    RunDialog(dlg);
}

void CMainFrame::OnBundleRename() {
    CDlgBundleChange dlg(m_pBrowser->GetAlbumID(), this);
    if (RunDialog(dlg) != IDOK) return;
    const CBundleChangeLogic& r = dlg.Result();
    switch (r.m_nChoice) {
        case 0:
            m_pBrowser->SetTitle(CString(), 0);
            break;
        case 1:
            m_pBrowser->SetTitle(r.m_strText, r.m_bOption7044);
            break;
        case 2:
            m_pBrowser->SetTitleFromFilename();
            break;
        case 3:
            m_pBrowser->SetTitle(r.m_bDate, r.m_bDateForm, r.m_bTime, r.m_bTimeForm, r.m_bOption7051);
            break;
        case 4:
            m_pBrowser->SetFilename(r.m_strText);
            break;
        case 5:
            m_pBrowser->SetFilename(r.m_bDate, r.m_bDateForm, r.m_bTime, r.m_bTimeForm);
            break;
        default:
            break;
    }
    // The texts about the current picture still show its old name or title: read them again.
    m_pBrowser->SetCLSID("");
    if (vxImage* item = m_pBrowser->GetTransImage()) m_pBrowser->SetAttribute(item);
}

void CMainFrame::OnExport() {
    CDlgExport dlg(this);
    if (RunDialog(dlg) != IDOK) return;
    if (dlgcheck::RefuseExportIntoPhotoFolder(dlg.m_strFolder)) return;
    int copied = 0;
    if (m_nCurrentMode == 2)
        ExportSlides(dlg.m_strFolder, dlg.m_bUnique, dlg.m_bUseTitle, copied);
    else if (m_nCurrentMode == 1 && EditorCanvas())
        EditorCanvas()->ExportFile(dlg.m_strFolder, dlg.m_bUnique, dlg.m_bUseTitle, copied);
    else
        m_pBrowser->ExportFile(dlg.m_strFolder, dlg.m_bUnique, dlg.m_bUseTitle, 0, copied);
    char text[96];
    std::snprintf(text, sizeof text, kExportedCount, copied);
    AfxMessageBox(text);
}

void CMainFrame::OnImport() {
    m_importList.clear();
    CGandry::ShowFileDialog(&m_importList, kImportFilter, 1);
    StartImport(m_importList);
}

void CMainFrame::ImportFiles(const CStringList& files) {
    for (const CString& path : files) {
        const CString ext = QString::fromStdString(CGandry::FindExtension(path)).toLower().toStdString();
        if (win::FileExists(path) && CGandry::FindType(ext) != FILETYPE_UNKNOWN) m_pendingImport.push_back(path);
    }
    ImportPending();
}

void CMainFrame::ImportPending() {
    if (m_nWorkers > 0 || m_pendingImport.empty() || !m_pBrowser) return;
    CStringList files;
    files.swap(m_pendingImport);
    StartImport(files);
}

void CMainFrame::StartImport(const CStringList& files) {
    if (CGandry::IsEmptySpace()) {
        AfxMessageBox(kLowDiskSpace);
        return;
    }
    if (files.empty() || !m_pBrowser) return;
    // The worker reports through the progress messages; the frame keeps the user out meanwhile.
    const int recompose = m_nCurrentMode == 0 ? 1 : 0;
    CThumbCatalogue* browser = m_pBrowser;
    auto list = std::make_shared<CStringList>(files);
    ++m_nWorkers;
    // The browser window keeps off the items while the worker changes them.
    CViewThumb* window = m_pThumbView && browser == &m_pThumbView->Catalogue() ? m_pThumbView : nullptr;
    if (window) window->HoldForWorker(true);
    UpdateCommands();
    std::thread([this, browser, list, recompose, window] {
        browser->ImportFile(list.get(), recompose);
        // Back on the user-interface thread: the browser is free again.
        QMetaObject::invokeMethod(
            this,
            [this, window] {
                if (window) window->HoldForWorker(false);
                --m_nWorkers;
                UpdateCommands();
                ImportPending();
            },
            Qt::QueuedConnection);
    }).detach();
}

void CMainFrame::LoadAllPhotos() {
    if (!m_pThumbView || m_pThumbView->IsLoading()) return;
    ++m_nWorkers;
    UpdateCommands();
    m_pThumbView->StartLoading([this] {
        --m_nWorkers;
        UpdateCommands();
        ImportPending();
    });
}

bool CMainFrame::IsImporting() const {
    return m_nWorkers > 0;
}

void CMainFrame::OnPaste() {
    CStringList pasted;
    for (const std::string& path : m_copySet) {
        const std::string target = CGandry::GetNextFileName(path);
        // An existing target makes the copy fail; the name still goes to the browser.
        win::CopyFile(path, target, true);
        pasted.push_back(target);
    }
    m_copySet.clear();
    if (m_pBrowser) m_pBrowser->PasteFile(&pasted, 1);
}

// ---- Work modes -----------------------------------------------------------------------------

QWidget* CMainFrame::WorkView(int mode) const {
    return mode >= 0 && mode < 3 ? m_pViews[mode] : nullptr;
}

void CMainFrame::SwitchView(int index) {
    if (index < 0 || index > 2 || !m_pViews[index]) return;
    if (m_pTopFrame) m_pTopFrame->SetToggle(m_nCurrentMode, false);
    m_pStack->setCurrentWidget(m_pViews[index]);
    m_nCurrentMode = index;
    if (m_pTopFrame) m_pTopFrame->SetToggle(index, true);
    UpdateCommands();
}

void CMainFrame::SwitchToMode(int mode, bool checkModel) {
    SwitchFacts facts;
    facts.mode = m_nCurrentMode;
    facts.model = CGandry::m_enumModel;
    if (IsImporting()) return;
    // The picture list shows the album before the switch is decided (after the model test).
    if (mode == 2 && mode != m_nCurrentMode && (!checkModel || CFrameRules::SupportsDecoration(facts.model)))
        ShowDecoratePictures();
    if (m_pBrowser && mode != m_nCurrentMode) {
        if (mode == 1) m_pBrowser->select_properly();
        vxImage* item = m_pBrowser->GetTransImage();
        facts.hasCurrentItem = item != nullptr;
        facts.currentIndex = m_pBrowser->GetCurrentNumber();
        facts.fileExists = item && win::FileExists(item->m_strFullPath);
    }
    const SwitchDecision d = CFrameRules::CheckSwitch(mode, facts, checkModel);
    if (d.verdict == SwitchVerdict::Refuse) {
        AfxMessageBox(d.message);
        return;
    }
    if (d.verdict == SwitchVerdict::Stay) return;
    SwitchView(mode);
    if (mode == 2) EnterDecorate();
    if (mode == 1 && m_pBrowser) LoadEditorItem(m_pBrowser->GetTransImage());
    LoadPickers(mode);
    if (mode == 2)
        m_pTopFrame->RemoveUndecoratedModels();
    else
        m_pTopFrame->RestoreUndecoratedModels();
}

// ---- Picture lists ------------------------------------------------------------------------

void CMainFrame::OnPictureListClick(int value, int target) {
    switch (target) {
        case 1:
            OnFilterChosen(value);
            break;
        case 2:
            OnFrameChosen(value);
            break;
        case 3:
            OnDecoratePictureChosen(value);
            break;
        default:
            break;
    }
    UpdateCommands();
}

void CMainFrame::OnFilterChosen(int index) {
    CViewMain* canvas = EditorCanvas();
    if (m_nCurrentMode != 1 || !canvas) return;
    canvas->ProcessFilter(index);
    Editor()->GetDlgEffect()->UpdateUndoRedo();
    UpdateCommands();
}

CString CMainFrame::CurrentAlbumName() {
    const int album = m_pBrowser ? m_pBrowser->GetAlbumID() : 99;
    if (album == 99) return "전체사진";
    if (!m_pDB) return CString();
    char sql[160];
    std::snprintf(sql, sizeof sql, "select %s from %s where %s = %d", "AlbumName", "tbl_Album", "AlbumID", album);
    if (!m_pDB->ExcuteQry(sql) || m_pDB->m_nRowCount < 1) return CString();
    return m_pDB->GetData(0, 0);
}

void CMainFrame::LoadPickers(int mode) {
    if (!m_pBrowser || mode != m_nCurrentMode) return;
    if (mode == 1) {
        if (auto* editor = dynamic_cast<CViewEditor*>(m_pViews[1])) editor->GetDlgFilter()->Load(m_pBrowser->GetLevelImage(0));
    }
}

// ---- Photo editing ------------------------------------------------------------------------

CViewEditor* CMainFrame::Editor() const {
    return dynamic_cast<CViewEditor*>(m_pViews[1]);
}

CViewMain* CMainFrame::EditorCanvas() const {
    CViewEditor* editor = Editor();
    return editor ? editor->GetCanvas() : nullptr;
}

void CMainFrame::LoadEditorItem(vxImage* item) {
    CViewEditor* editor = Editor();
    if (!editor || !item || !m_pBrowser) return;
    CViewMain* canvas = editor->GetCanvas();
    int zoom = CZoomTracker::kInitial;
    canvas->Load(item, 0, zoom);
    editor->SetPositionText(m_pBrowser->GetCurrentNumber(), m_pBrowser->GetThumbCount());
    editor->SetInfoText(QString::fromStdString(m_pBrowser->GetSelectedInfoString()));
    editor->SetZoomPos(CZoomTracker::kInitial);
    editor->EnableNext(m_pBrowser->IsNextMove() != 0);
    editor->EnablePrevious(m_pBrowser->IsPrevMove() != 0);
    editor->EnableSave(true);
    editor->RefreshEffectPanel();
    editor->GetDlgEffect()->UpdateUndoRedo();
    // An animated GIF is shown, never edited.
    editor->SetStillPicture(!(canvas->GetCurrentType() == 2 && canvas->IsAnimation()));
    UpdateCommands();
}

void CMainFrame::OnEditorButton(int id) {
    switch (id) {
        case CViewEditor::IDC_PREVIOUS:
            OnEditorMove(false);
            break;
        case CViewEditor::IDC_NEXT:
            OnEditorMove(true);
            break;
        case CViewEditor::IDC_SAVE:
            OnEditorSave();
            break;
        case CViewEditor::IDC_PRINT:
            OnEditorPrintPreview();
            break;
        default:
            break;
    }
    UpdateCommands();
}

void CMainFrame::OnEditorMove(bool next) {
    if (!m_pBrowser || IsImporting()) return;
    if (next)
        m_pBrowser->Next();
    else
        m_pBrowser->Prev();
    vxImage* item = m_pBrowser->GetTransImage();
    if (!CViewMain::IsExistFile(item)) {
        AfxMessageBox(CFrameRules::kMissingFile);
        return;
    }
    LoadEditorItem(item);
    LoadPickers(1);
}

void CMainFrame::OnEditorSave() {
    EditorSaveUnder(CString());
}

void CMainFrame::EditorSaveUnder(const CString& name) {
    CViewMain* canvas = EditorCanvas();
    if (!canvas || !canvas->GetMainImage()) return;
    const int type = canvas->GetCurrentType();
    if (type == FILETYPE_EBA) {
        AfxMessageBox("EBA파일은 ZEL꾸미기에서 저장할수 있습니다!");
        return;
    }
    if (name.empty() && type == FILETYPE_GIF && canvas->IsAnimation()) {
        AfxMessageBox("복수개의 프레임을 가진 GIF파일은 저장할수 없습니다!");
        return;
    }
    int created = 0;
    if (!canvas->Save(name, created)) {
        // Nothing was written: saying it was saved would hide the loss.
        AfxMessageBox("사진을 저장하지 못했습니다");
        return;
    }
    if (created) {
        CStringList list{name};
        if (m_pBrowser) m_pBrowser->PasteFile(&list, 0);
        if (m_pBrowser && Editor()) {
            Editor()->SetPositionText(m_pBrowser->GetCurrentNumber(), m_pBrowser->GetThumbCount());
            Editor()->EnableNext(m_pBrowser->IsNextMove() != 0);
        }
        AfxMessageBox("사진저장 완료했습니다", MB_ICONINFORMATION);
        return;
    }
    if (m_pBrowser && canvas->GetPtrSelectedVx()) m_pBrowser->UpdateCLSID(canvas->GetPtrSelectedVx());
    if (name.empty()) {
        const std::string text =
            CGandry::GetDocumentPath() + "/ZEL/Photo" + " \r\n\r\n" + "사진저장 완료했습니다";
        AfxMessageBox(text.c_str(), MB_ICONINFORMATION);
    } else {
        AfxMessageBox("사진저장 완료했습니다", MB_ICONINFORMATION);
    }
}

void CMainFrame::OnEditorSaveAs() {
    CViewMain* canvas = EditorCanvas();
    if (!canvas || !canvas->GetMainImage()) return;
    CDlgSaveAs dlg(CGandry::FindFilename(canvas->GetFullPath(), 1), this);
    if (RunDialog(dlg) != IDOK) return;
    // The picture's own name saves in place, with its backup.
    EditorSaveUnder(dlg.m_bSameName ? CString() : dlg.m_strTarget);
}

void CMainFrame::OnEditorPrintPreview() {
    CViewMain* canvas = EditorCanvas();
    if (!canvas) return;
    canvas->SetDialogRunner(m_runDialog);
    canvas->OnPrintPreview();
}

// ---- Model --------------------------------------------------------------------------------

void CMainFrame::OnModelChange() {
    const int previous = CGandry::m_enumModel;
    const std::string name = m_pTopFrame->CurrentModelName();
    if (name.empty()) return;
    CGandry::m_enumModel = static_cast<MODEL_SELECT>(CGandry::GetModelIDByModelname(name));
    if (CGandry::m_enumModel != previous) {
        if (CViewMain* canvas = EditorCanvas()) canvas->SetModel(CGandry::m_enumModel);
        if (CViewEditor* editor = Editor()) editor->GetDlgEffect()->FillScreenSizes();
        // Before the LCD size message, which then shows the model's first size on the panel.
        if (CViewDecorate* decorate = DecorateView()) decorate->GetDlgPreview()->RebuildSizes();
        CSize size = CGandry::GetSizeByModelID_Index(CGandry::m_enumModel, 0);
        SendMessage(WM_LCD_SIZE, reinterpret_cast<WPARAM>(&size), 1);
    }
    UpdateCommands();
}

void CMainFrame::ApplyEnvironment(SHOW_MODE show, COLORREF background, int model, int bAutoUpgrade) {
    const MODEL_SELECT before = CGandry::m_enumModel;
    CGandry::m_enumShow = show;
    CGandry::m_crBackground = background;
    CGandry::m_enumModel = static_cast<MODEL_SELECT>(model);
    CGandry::m_bAutoUpgrade = bAutoUpgrade ? 1 : 0;
    VimbroSettings::Store();
    if (m_pBrowser && m_pBrowser->SetShowMode(show) == 0 && m_pViews[0]) m_pViews[0]->update();
    ApplyBackground();
    // The list is positioned by the model's name: with models missing from the installation
    // the entry at the model's number would be another model.
    m_pTopFrame->SelectModelByName(CGandry::GetModelnameByModelID(model));
    // The change handling compares with the model before the dialog, so that a model chosen
    // there reaches the canvas and the LCD size like one chosen in the list.
    CGandry::m_enumModel = before;
    OnModelChange();
}

// ---- Progress -------------------------------------------------------------------------------

void CMainFrame::BeginProgress(int total) {
    m_bProgress = true;
    menuBar()->setEnabled(false);
    m_pTopFrame->setEnabled(false);
    if (m_pViews[0]) m_pViews[0]->setEnabled(false);
    m_pProgress->BeginProgress(std::max(0, total));
}

void CMainFrame::EndProgress() {
    m_bProgress = false;
    menuBar()->setEnabled(true);
    m_pTopFrame->setEnabled(true);
    if (m_pViews[0]) m_pViews[0]->setEnabled(true);
    m_pProgress->EndProgress();
    UpdateCommands();
}

bool CMainFrame::IsProgressShown() const {
    return m_pProgress && m_pProgress->isVisible();
}

int CMainFrame::ProgressPosition() const {
    return m_pProgress ? m_pProgress->GetProgress()->GetPos() : 0;
}

int CMainFrame::ProgressMaximum() const {
    return m_pProgress ? m_pProgress->GetProgress()->maximum() : 0;
}

// ---- Messages -------------------------------------------------------------------------------

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_THUMB_REPAINT:
            if (auto* composer = dynamic_cast<CViewComposer*>(m_pViews[0]);
                composer && m_pBrowser == &m_pThumbView->Catalogue())
                composer->ShowBrowserInfo();
            if (m_pViews[0]) m_pViews[0]->update();
            return 0;
        case WM_SWITCH_EDIT:
            SwitchToMode(1);
            return 0;
        case WM_SWITCH_DECORATE:
            SwitchToMode(2, true);
            return 0;
        case WM_CANVAS_MODE:
            // Crop, LCD fitting and text keep the user in the canvas; normal mode lets go.
            if (wParam <= 2)
                m_pTopFrame->setEnabled(false);
            else if (wParam == 5 && !m_bProgress)
                m_pTopFrame->setEnabled(true);
            // The editor view and its panels follow the canvas mode.
            if (Editor()) Editor()->OnToolMode(static_cast<int>(wParam));
            UpdateCommands();
            return 0;
        case WM_PICTURE_LIST_CLICK:
            OnPictureListClick(static_cast<int>(wParam), static_cast<int>(lParam));
            return 0;
        case WM_LCD_SIZE:
            if (wParam) {
                m_lcdSize = *reinterpret_cast<const CSize*>(wParam);
                OnDecorateLcdSize(m_lcdSize, lParam == 1);
            }
            return 0;
        case WM_CROP_TO_SLIDES:
            OnCropToSlides();
            return 0;
        case WM_SAVE_PHT:
            SaveSlideAsPHT();
            return 0;
        case WM_REFRESH_LCD_PREVIEW:
            RefreshDecoratePreview();
            return 0;
        case WM_SLIDES_PLAY:
            PlaySlides(wParam == 1);
            return 0;
        case WM_PROGRESS_BEGIN:
            BeginProgress(static_cast<int>(wParam));
            return 0;
        case WM_PROGRESS_POS:
            if (m_pProgress) m_pProgress->SetProgressPos(static_cast<int>(wParam));
            return 0;
        case WM_PROGRESS_END:
            EndProgress();
            return 0;
        case WM_DELETE_ALBUMS:
            OnCommand(ID_ALBUM_DELETE);
            return 0;
        case WM_IGNORED:
        default:
            return 0;
    }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    const bool ours = watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this;
    // A shortcut finds its action by the enabled state, which the views' own changes (a new
    // selection) have not refreshed yet.
    if (event->type() == QEvent::ShortcutOverride && ours) {
        // Keys typed into a text field are the field's, except Tab, Enter and Escape.
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool passes = key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Return ||
                            key == Qt::Key_Enter || key == Qt::Key_Escape;
        if (!passes && (qobject_cast<QLineEdit*>(watched) || qobject_cast<QTextEdit*>(watched) ||
                        qobject_cast<QPlainTextEdit*>(watched) || qobject_cast<QAbstractSpinBox*>(watched))) {
            event->accept();
            return true;
        }
        UpdateCommands();
    }
    // F1 asks for the page of what is in front, in a dialog too; the help menu's command (which
    // shows F1 as its key) opens the contents page.
    if ((event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) && watched->isWidgetType() &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 && static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
        event->accept();
        if (event->type() == QEvent::KeyPress && !static_cast<QKeyEvent*>(event)->isAutoRepeat())
            ShowHelp(ContextHelpPage());
        return true;
    }
    if (event->type() == QEvent::KeyPress && ours) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (m_nCurrentMode == 0) {
            if (m_pBrowser) m_pBrowser->SetFocusMenu(menuBar()->activeAction() != nullptr);
            if (key->key() == Qt::Key_Escape && !m_copySet.empty()) {
                m_copySet.clear();
                UpdateCommands();
            }
        } else if (m_nCurrentMode == 2 && menuBar()->activeAction()) {
            // While the menu bar tracks, the decoration's zoom slider holds the focus, so no
            // key of the menu's reaches the canvas or a slide.
            if (CViewDecorate* view = DecorateView())
                if (CBitmapSlider* zoom = view->GetZoomSlider()) zoom->setFocus(Qt::OtherFocusReason);
        }
    }
    return CGnomeFrame::eventFilter(watched, event);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    // No closing while a worker uses the browser.
    if (m_bProgress || IsImporting()) {
        event->ignore();
        return;
    }
    CGnomeFrame::closeEvent(event);
}

// ---- Update check, help, about ----------------------------------------------------------------

void CMainFrame::RunUpdateCheck(bool fromUserClick) {
    // Waiting for the user's click lets the frame's commands run; a second check started
    // from there would run inside the first.
    if (m_bCheckingUpdate) return;
    m_bCheckingUpdate = true;
    // The splash deletes itself once Hide has destroyed its window.
    auto* splash = new CSplashScreenFx;
    splash->Create(this, "", 0, CSplashScreenFx::kStartupStyle);
    splash->SetFromUserClick(fromUserClick);
    splash->Initialize();
    if (fromUserClick) {
        splash->CheckUpdateIsNow();
        splash->StartUpgrade();
    } else if (splash->CheckUpdateIsNow()) {
        splash->StartUpgrade();
    } else {
        HoldSplash(kSplashHoldMs);
    }
    splash->Hide();
    m_bCheckingUpdate = false;
}

QString CMainFrame::HelpTopicPath() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/help/001_AboutVimbroSuite.htm");
}

QString CMainFrame::HelpFolder() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/help");
}

void CMainFrame::ShowHelp(const QString& page) {
    const QUrl url = HelpTopics::Url(HelpFolder(), page);
    if (m_openUrl) {
        m_openUrl(url);
        return;
    }
    QDesktopServices::openUrl(url);
}

QString CMainFrame::ContextHelpPage() const {
    // The modal dialog in front answers first, then the windows it was opened from; message
    // boxes and the file and print dialogs have no page and pass the question on.
    QWidget* front = QApplication::activeModalWidget();
    if (!front) front = QApplication::activeWindow();
    for (QWidget* w = front; w; w = w->parentWidget()) {
        w = w->window();
        if (w == this) break;
        const QString page = HelpTopics::PageForWindow(w);
        if (!page.isEmpty()) return page;
    }
    return HelpTopics::PageForMode(m_nCurrentMode);
}

void CMainFrame::OnEnvironment() {
    int show = 0, model = 0;
    COLORREF colour = 0;
    BOOL autoUpgrade = FALSE;
    {
        CDlgEnvironment dlg(CGandry::m_enumShow, CGandry::m_crBackground, CGandry::m_enumModel, CGandry::m_bAutoUpgrade,
                            this);
        if (dlg.exec() != QDialog::Accepted) return;
        show = dlg.GetShowMode();
        colour = dlg.GetColor();
        model = dlg.GetModel();
        autoUpgrade = dlg.GetAutoUpgrade();
    }
    ApplyEnvironment(static_cast<SHOW_MODE>(show), colour, model, autoUpgrade);
}

void CMainFrame::ShowAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CMainFrame::ApplyBackground() {
    const COLORREF c = CGandry::m_crBackground;
    QPalette palette = m_pStack->palette();
    palette.setColor(QPalette::Window, QColor(GetRValue(c), GetGValue(c), GetBValue(c)));
    m_pStack->setPalette(palette);
    m_pStack->setAutoFillBackground(true);
}

void CMainFrame::RaiseMaximized() {
    showMaximized();
    raise();
    activateWindow();
}
