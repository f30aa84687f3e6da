// vimbro-tool catalog: the photo catalogue from scripts, on the program's own folders and
// database, through the album browser's operations.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/Gandry.h"
#include "platform/afx/afxmsg.h"
#include "platform/afx/afxwin.h"
#include "platform/kordune/DBManagerOper.h"
#include "platform/win/fileapi.h"
#include "tools/Tool.h"
#include "views/catalogue/CatalogueStore.h"
#include "views/catalogue/NameRules.h"
#include "views/catalogue/ThumbCatalogue.h"
#include "views/catalogue/vxImage.h"

namespace {

constexpr const char* kAlbumNameTooLong = "album names hold at most 20 characters";

constexpr const char* kUsage =
    "usage: vimbro-tool catalog [--album ID] [--yes|--no] COMMAND ...\n"
    "\n"
    "Works on the program's catalogue (zldb.mdb in the program folder) and photo folder, loading\n"
    "the album ID (default 99, all photos) as the program does, then acting on it. FILE names an\n"
    "item of that album by its file name; the named items are the selection, in display order.\n"
    "Every message box is printed on stderr as 'message: <text>' and answered by --yes (Yes/OK),\n"
    "--no (No/Cancel) or, without either, by its default button.\n"
    "\n"
    "commands:\n"
    "  import PATH...                     copy pictures into the photo folder and register them\n"
    "  list [--order name|title] [--show 0|1|2]\n"
    "                                     <ClsID>\\t<Filename>\\t<Title>\\t<keywords>\\t<OriginalPath>\n"
    "  album add NAME                     prints the new album's identifier\n"
    "  album list                         <id>\\t<name> by identifier\n"
    "  album rename ID NAME\n"
    "  album delete ID...\n"
    "  album put ID FILE...               add items to album ID\n"
    "  keyword add NAME                   prints the new keyword's identifier\n"
    "  keyword list                       <id>\\t<name> by identifier\n"
    "  keyword rename ID NAME\n"
    "  keyword delete ID...\n"
    "  keyword set FILE... --ids 1,2      give the items exactly these keywords (--ids '' clears)\n"
    "  keyword search ID...               items with any of the keywords, then <found> / <total>\n"
    "  title FILE... (--text T [--numbered] | --from-filename | --stamp STAMP [--numbered] | --clear)\n"
    "  rename FILE... (--base B | --stamp STAMP)\n"
    "                                     STAMP: comma list of date, compact, time, ampm\n"
    "  copy FILE...                       duplicate pictures as name(1).ext ...\n"
    "  delete FILE...\n"
    "  export DIR [--unique] [--title] [FILE...]\n"
    "                                     copy pictures out (all of them without FILE); prints the count\n"
    "  restore FILE...                    bring back the unedited pictures\n";

// Answers every message box from the command line and shows it on stderr.
class BoxAnswers {
public:
    explicit BoxAnswers(int answer) : answer_(answer) {
        previous_ = AfxSetMessageBoxHandler([this](const std::string& text, UINT style, UINT) {
            std::fprintf(stderr, "message: %s\n", text.c_str());
            std::vector<int> buttons = MessageBoxButtons(style);
            auto has = [&](int id) { return std::find(buttons.begin(), buttons.end(), id) != buttons.end(); };
            if (answer_ > 0) return has(IDYES) ? IDYES : (has(IDOK) ? IDOK : MessageBoxDefaultResult(style));
            if (answer_ < 0) return has(IDNO) ? IDNO : (has(IDCANCEL) ? IDCANCEL : MessageBoxDefaultResult(style));
            return MessageBoxDefaultResult(style);
        });
    }
    ~BoxAnswers() { AfxSetMessageBoxHandler(std::move(previous_)); }

private:
    int answer_;
    MessageBoxHandler previous_;
};

// The main window of the tool: draws the progress of an import or copy on stderr.
class ProgressWindow : public CMsgTarget {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM) override {
        switch (message) {
            case WM_PROGRESS_BEGIN:
                total_ = static_cast<long>(wParam);
                shown_ = -1;
                active_ = true;
                begun_ += total_;
                Draw(0);
                break;
            case WM_PROGRESS_POS:
                if (active_) Draw(static_cast<long>(wParam));
                break;
            case WM_PROGRESS_END:
                if (active_) std::fputc('\n', stderr);
                active_ = false;
                break;
            default:
                break;
        }
        return 0;
    }
    long registered() const { return begun_; }

private:
    void Draw(long done) {
        constexpr int kWidth = 30;
        const int filled = total_ > 0 ? static_cast<int>(std::min(done, total_) * kWidth / total_) : kWidth;
        const long percent = total_ > 0 ? std::min(done, total_) * 100 / total_ : 100;
        if (percent == shown_) return;
        shown_ = percent;
        std::fprintf(stderr, "\r[%s%s] %ld/%ld", std::string(static_cast<std::size_t>(filled), '#').c_str(),
                     std::string(static_cast<std::size_t>(kWidth - filled), ' ').c_str(), std::min(done, total_),
                     total_);
        std::fflush(stderr);
    }
    long total_ = 0;
    long shown_ = -1;
    long begun_ = 0;
    bool active_ = false;
};

struct Options {
    int album = catalogue::kAllPhotosAlbum;
    int answer = 0;  // 1 yes, -1 no, 0 default button
    tool::Args rest;
};

bool ParseId(const std::string& text, int& id) {
    long long value = 0;
    if (!tool::ParseInt(text, value) || value < 0 || value > 1'000'000) return false;
    id = static_cast<int>(value);
    return true;
}

bool ParseIdList(const std::string& text, std::vector<int>& ids) {
    ids.clear();
    std::size_t start = 0;
    while (start <= text.size() && !text.empty()) {
        std::size_t comma = text.find(',', start);
        std::string piece = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        int id = 0;
        if (!ParseId(piece, id) || id < 1) return false;
        ids.push_back(id);
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return true;
}

struct Stamp {
    int date = 0, compact = 0, time = 0, ampm = 0;
};

bool ParseStamp(const std::string& stampText, Stamp& stamp) {
    std::size_t start = 0;
    for (;;) {
        std::size_t comma = stampText.find(',', start);
        std::string word = stampText.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (word == "date")
            stamp.date = 1;
        else if (word == "compact")
            stamp.compact = stamp.date = 1;
        else if (word == "time")
            stamp.time = 1;
        else if (word == "ampm")
            stamp.ampm = stamp.time = 1;
        else
            return false;
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return true;
}

// Takes "--name VALUE" out of args; false when missing.
bool TakeValue(tool::Args& args, const std::string& name, std::string& value) {
    for (auto it = args.begin(); it != args.end(); ++it) {
        if (*it != name) continue;
        if (std::next(it) == args.end()) return false;
        value = *std::next(it);
        args.erase(it, std::next(it, 2));
        return true;
    }
    return false;
}

bool TakeFlag(tool::Args& args, const std::string& name) {
    auto it = std::find(args.begin(), args.end(), name);
    if (it == args.end()) return false;
    args.erase(it);
    return true;
}

bool HasOption(const tool::Args& args) {
    return std::any_of(args.begin(), args.end(), [](const std::string& a) { return a.rfind("--", 0) == 0; });
}

void PrintItem(const vxImage* item) {
    std::printf("%s\t%s\t%s\t%s\t%s\n", item->m_strCLSID.c_str(), item->m_strFilename.c_str(), item->m_strTitle.c_str(),
                item->m_strKeyword.c_str(), item->m_strOriginalPath.c_str());
}

class Session {
public:
    explicit Session(const Options& options)
        : answers_(options.answer), db_(catalogue::CatalogueFile()), album_(options.album) {
        AfxSetMainWnd(&progress_);
        view_.SetDBConnect(&db_);
    }
    ~Session() { AfxSetMainWnd(nullptr); }

    bool Open() {
        if (!db_.IsOpen()) {
            tool::Fail("cannot open the catalogue " + db_.GetPath() + ": " + db_.GetLastError());
            return false;
        }
        if (album_ != catalogue::kAllPhotosAlbum && view_.GetAlbumName(album_).empty()) {
            tool::Fail("no album " + std::to_string(album_));
            return false;
        }
        return true;
    }

    // Shows the album, as the browser does when it is chosen.
    void Load() { view_.SetAlbum(album_, 0); }

    // Makes the named items the selection; false (with a message) when one is not on show.
    bool Select(const tool::Args& names) {
        std::set<std::string> wanted(names.begin(), names.end());
        std::set<std::string> found;
        for (vxImage* item : view_.GetVector()) {
            item->m_bSelected = wanted.count(item->m_strFilename) ? 1 : 0;
            if (item->m_bSelected) found.insert(item->m_strFilename);
        }
        for (const std::string& name : wanted) {
            if (!found.count(name)) {
                tool::Fail("no item '" + name + "' in album " + std::to_string(album_));
                return false;
            }
        }
        return true;
    }

    CThumbCatalogue& view() { return view_; }
    CDBManagerOper& db() { return db_; }
    ProgressWindow& progress() { return progress_; }
    int album() const { return album_; }

private:
    BoxAnswers answers_;
    ProgressWindow progress_;
    CDBManagerOper db_;
    CThumbCatalogue view_;
    int album_;
};

int Usage(const std::string& message) {
    tool::Fail(message);
    std::fputs(kUsage, stderr);
    return 2;
}

// ---- Subcommands ----------------------------------------------------------------------------

int RunImport(Session& s, tool::Args args) {
    if (args.empty()) return Usage("import needs at least one file");
    for (const std::string& path : args) {
        if (!win::FileExists(path)) return tool::Fail("no file " + path);
    }
    s.Load();
    CStringList paths(args.begin(), args.end());
    s.view().ImportFile(&paths, 1);
    std::printf("%ld\n", s.progress().registered());
    return 0;
}

int RunList(Session& s, tool::Args args) {
    std::string order, show;
    const bool hasOrder = TakeValue(args, "--order", order);
    const bool hasShow = TakeValue(args, "--show", show);
    if (!args.empty()) return Usage("list takes only --order and --show");
    if (hasOrder && order != "name" && order != "title") return Usage("--order is name or title");
    if (hasShow && show != "0" && show != "1" && show != "2") return Usage("--show is 0, 1 or 2");
    s.Load();
    if (hasShow) s.view().SetShowMode(static_cast<SHOW_MODE>(std::stoi(show)));
    if (hasOrder) {
        // The browser sorts only when the order changes, so it is switched away and back: the
        // all-photos album comes in folder order otherwise.
        SORT_ORDER wanted = order == "title" ? SORT_ORDER_1 : SORT_ORDER_0;
        s.view().SetOrder(wanted == SORT_ORDER_0 ? SORT_ORDER_1 : SORT_ORDER_0);
        s.view().SetOrder(wanted);
    }
    for (const vxImage* item : s.view().GetList()) PrintItem(item);
    return 0;
}

int RunAlbum(Session& s, tool::Args args) {
    if (args.empty()) return Usage("album needs add, list, rename, delete or put");
    const std::string verb = args.front();
    args.erase(args.begin());
    CThumbCatalogue& view = s.view();
    if (verb == "add") {
        if (args.size() != 1) return Usage("album add needs one name");
        // The name edit of the program takes at most 20 characters.
        if (!catalogue::FitsNameEdit(args[0])) return tool::Fail(kAlbumNameTooLong);
        const CString refusal = view.CheckNewAlbumName(args[0]);
        if (!refusal.empty()) {
            AfxMessageBox(refusal);
            return 1;
        }
        std::printf("%d\n", view.AddAlbum(args[0]));
        return 0;
    }
    if (verb == "list") {
        if (!args.empty()) return Usage("album list takes no arguments");
        for (const auto& [id, name] : view.GetAlbums()) std::printf("%d\t%s\n", id, name.c_str());
        return 0;
    }
    if (verb == "rename") {
        int id = 0;
        if (args.size() != 2 || !ParseId(args[0], id)) return Usage("album rename needs an identifier and a name");
        if (id == catalogue::kAllPhotosAlbum || view.GetAlbumName(id).empty()) {
            return tool::Fail("no album " + args[0]);
        }
        // What the album strip would not take is refused; the duplicate's message is the strip's.
        switch (view.CheckAlbumRename(id, args[1])) {
            case catalogue::AlbumRenameVerdict::Empty:
                return tool::Fail("album names cannot be empty");
            case catalogue::AlbumRenameVerdict::TooLong:
                return tool::Fail(kAlbumNameTooLong);
            default:
                return view.RenameAlbum(id, args[1]) < 0 ? 1 : 0;
        }
    }
    if (verb == "delete") {
        if (args.empty()) return Usage("album delete needs identifiers");
        std::vector<int> ids;
        for (const std::string& a : args) {
            int id = 0;
            if (!ParseId(a, id)) return Usage("not an album identifier: " + a);
            ids.push_back(id);
        }
        if (ids.front() == catalogue::kAllPhotosAlbum) {
            AfxMessageBox("전체사진은 삭제할수 없습니다");
            return 1;
        }
        for (int id : ids) {
            if (id == catalogue::kAllPhotosAlbum || view.GetAlbumName(id).empty()) {
                return tool::Fail("no album " + std::to_string(id));
            }
        }
        if (AfxMessageBox("정말 삭제하시겠습니까?", MB_YESNO) != IDYES) return 0;
        for (int id : ids) view.DeleteAlbum(id, ids.size() > 1);
        return 0;
    }
    if (verb == "put") {
        int id = 0;
        if (args.size() < 2 || !ParseId(args[0], id)) return Usage("album put needs an identifier and files");
        if (id != catalogue::kAllPhotosAlbum && view.GetAlbumName(id).empty()) return tool::Fail("no album " + args[0]);
        s.Load();
        if (!s.Select(tool::Args(args.begin() + 1, args.end()))) return 1;
        view.MoveToAlbum(s.album(), id);
        return 0;
    }
    return Usage("unknown album command '" + verb + "'");
}

int RunKeyword(Session& s, tool::Args args) {
    if (args.empty()) return Usage("keyword needs add, list, rename, delete, set or search");
    const std::string verb = args.front();
    args.erase(args.begin());
    CThumbCatalogue& view = s.view();
    if (verb == "add") {
        if (args.size() != 1) return Usage("keyword add needs one name");
        const CString refusal = view.CheckNewKeywordName(args[0]);
        if (!refusal.empty()) {
            AfxMessageBox(refusal);
            return 1;
        }
        std::printf("%d\n", view.AddKeyword(args[0]));
        return 0;
    }
    if (verb == "list") {
        if (!args.empty()) return Usage("keyword list takes no arguments");
        std::vector<KEYWORD_HEADER> keywords = view.GetKeywords();
        std::stable_sort(keywords.begin(), keywords.end(),
                         [](const KEYWORD_HEADER& a, const KEYWORD_HEADER& b) { return a.nKeywordID < b.nKeywordID; });
        for (const KEYWORD_HEADER& k : keywords) std::printf("%d\t%s\n", k.nKeywordID, k.strKeywordName.c_str());
        return 0;
    }
    auto known = [&view](int id) {
        for (const KEYWORD_HEADER& k : view.GetKeywords()) {
            if (k.nKeywordID == id) return true;
        }
        return false;
    };
    if (verb == "rename") {
        int id = 0;
        if (args.size() != 2 || !ParseId(args[0], id)) return Usage("keyword rename needs an identifier and a name");
        if (!known(id)) return tool::Fail("no keyword " + args[0]);
        // The change-name dialog's rules, with its messages.
        return view.RenameKeyword(id, args[1]) < 0 ? 1 : 0;
    }
    if (verb == "delete") {
        if (args.empty()) return Usage("keyword delete needs identifiers");
        std::vector<int> ids;
        for (const std::string& a : args) {
            int id = 0;
            if (!ParseId(a, id)) return Usage("not a keyword identifier: " + a);
            if (!known(id)) return tool::Fail("no keyword " + a);
            ids.push_back(id);
        }
        const CString question =
            catalogue::FormatSql("%d 개의 키워드가 삭제됩니다.\r\n해당 키워드를 가진 아이템들이 영향을 받습니다.",
                                 static_cast<int>(ids.size()));
        if (AfxMessageBox(question, MB_YESNO | MB_ICONSTOP) != IDYES) return 0;
        view.DeleteKeyword(ids);
        return 0;
    }
    if (verb == "set") {
        std::string list;
        if (!TakeValue(args, "--ids", list)) return Usage("keyword set needs --ids");
        std::vector<int> ids;
        if (!ParseIdList(list, ids)) return Usage("--ids is a comma list of keyword identifiers");
        for (int id : ids) {
            if (!known(id)) return tool::Fail("no keyword " + std::to_string(id));
        }
        if (args.empty() || HasOption(args)) return Usage("keyword set needs files");
        s.Load();
        if (!s.Select(args)) return 1;
        int count = 0;
        view.InsertKeyword(&ids, count);
        std::printf("%d\n", count);
        return 0;
    }
    if (verb == "search") {
        std::vector<int> ids;
        for (const std::string& a : args) {
            int id = 0;
            if (!ParseId(a, id)) return Usage("not a keyword identifier: " + a);
            ids.push_back(id);
        }
        if (ids.empty()) return Usage("keyword search needs identifiers");
        s.Load();
        int total = 0;
        view.loading_album(&ids, total);
        for (const vxImage* item : view.GetList()) PrintItem(item);
        std::printf("%d / %d\n", view.GetThumbCount(), total);
        return 0;
    }
    return Usage("unknown keyword command '" + verb + "'");
}

int RunTitle(Session& s, tool::Args args) {
    std::string text, stampText;
    const bool hasText = TakeValue(args, "--text", text);
    const bool hasStamp = TakeValue(args, "--stamp", stampText);
    const bool fromName = TakeFlag(args, "--from-filename");
    const bool clear = TakeFlag(args, "--clear");
    const bool numbered = TakeFlag(args, "--numbered");
    if (hasText + hasStamp + fromName + clear != 1)
        return Usage("title needs one of --text, --from-filename, --stamp, --clear");
    if (numbered && !hasText && !hasStamp) return Usage("--numbered goes with --text or --stamp");
    Stamp stamp;
    if (hasStamp && !ParseStamp(stampText, stamp)) return Usage("--stamp is a comma list of date, compact, time, ampm");
    if (args.empty() || HasOption(args)) return Usage("title needs files");
    s.Load();
    if (!s.Select(args)) return 1;
    CThumbCatalogue& view = s.view();
    if (hasText)
        view.SetTitle(text, numbered ? 1 : 0);
    else if (hasStamp)
        view.SetTitle(stamp.date, stamp.compact, stamp.time, stamp.ampm, numbered ? 1 : 0);
    else if (fromName)
        view.SetTitleFromFilename();
    else
        view.SetTitle(CString(), 0);
    for (const vxImage* item : view.GetSelectedItems())
        std::printf("%s\t%s\n", item->m_strFilename.c_str(), item->m_strTitle.c_str());
    return 0;
}

int RunRename(Session& s, tool::Args args) {
    std::string base, stampText;
    const bool hasBase = TakeValue(args, "--base", base);
    const bool hasStamp = TakeValue(args, "--stamp", stampText);
    if (hasBase == hasStamp) return Usage("rename needs --base or --stamp");
    Stamp stamp;
    if (hasStamp && !ParseStamp(stampText, stamp)) return Usage("--stamp is a comma list of date, compact, time, ampm");
    if (hasBase && (base.empty() || base[0] == ' ' || CGandry::CheckFileSpecialChar(base))) {
        return tool::Fail("the base must be a plain file name");
    }
    if (args.empty() || HasOption(args)) return Usage("rename needs files");
    s.Load();
    if (!s.Select(args)) return 1;
    std::vector<vxImage*> items = s.view().GetSelectedItems();
    std::vector<std::string> before;
    for (const vxImage* item : items) before.push_back(item->m_strFilename);
    if (hasBase)
        s.view().SetFilename(base);
    else
        s.view().SetFilename(stamp.date, stamp.compact, stamp.time, stamp.ampm);
    for (std::size_t i = 0; i < items.size(); ++i) {
        std::printf("%s\t%s\n", before[i].c_str(), items[i]->m_strFilename.c_str());
    }
    return 0;
}

int RunCopy(Session& s, tool::Args args) {
    if (args.empty() || HasOption(args)) return Usage("copy needs files");
    s.Load();
    if (!s.Select(args)) return 1;
    std::set<const vxImage*> before(s.view().GetVector().begin(), s.view().GetVector().end());
    s.view().AlbumCopy();
    for (const vxImage* item : s.view().GetList()) {
        if (!before.count(item)) std::printf("%s\n", item->m_strFilename.c_str());
    }
    return 0;
}

int RunDelete(Session& s, tool::Args args) {
    if (args.empty() || HasOption(args)) return Usage("delete needs files");
    s.Load();
    if (!s.Select(args)) return 1;
    const int before = s.view().GetThumbCount();
    s.view().OnDeleteThumbItem();
    std::printf("%d\n", before - s.view().GetThumbCount());
    return 0;
}

int RunExport(Session& s, tool::Args args) {
    const bool unique = TakeFlag(args, "--unique");
    const bool useTitle = TakeFlag(args, "--title");
    if (args.empty() || HasOption(args)) return Usage("export needs a folder");
    const std::string folder = args.front();
    args.erase(args.begin());
    if (!win::DirectoryExists(folder)) return tool::Fail("no folder " + folder);
    s.Load();
    if (!args.empty() && !s.Select(args)) return 1;
    int copied = 0;
    s.view().ExportFile(folder, unique ? 1 : 0, useTitle ? 1 : 0, args.empty() ? 1 : 0, copied);
    std::printf("%d\n", copied);
    return 0;
}

int RunRestore(Session& s, tool::Args args) {
    if (args.empty() || HasOption(args)) return Usage("restore needs files");
    s.Load();
    if (!s.Select(args)) return 1;
    std::vector<vxImage*> withBackup;
    for (vxImage* item : s.view().GetSelectedItems()) {
        if (!item->m_strOriginalPath.empty()) withBackup.push_back(item);
    }
    s.view().Restore();
    const auto restored = std::count_if(withBackup.begin(), withBackup.end(),
                                        [](const vxImage* item) { return item->m_strOriginalPath.empty(); });
    std::printf("%d\n", static_cast<int>(restored));
    return 0;
}

int RunCatalog(const tool::Args& all) {
    Options options;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const std::string& a = all[i];
        if (a == "--yes")
            options.answer = 1;
        else if (a == "--no")
            options.answer = -1;
        else if (a == "--album") {
            if (i + 1 >= all.size() || !ParseId(all[i + 1], options.album) || options.album < 1) {
                return Usage("--album needs an album identifier");
            }
            ++i;
        } else {
            options.rest.push_back(a);
        }
    }
    if (options.rest.empty()) return Usage("catalog needs a command");
    const std::string command = options.rest.front();
    tool::Args args(options.rest.begin() + 1, options.rest.end());

    Session session(options);
    if (!session.Open()) return 1;
    if (command == "import") return RunImport(session, args);
    if (command == "list") return RunList(session, args);
    if (command == "album") return RunAlbum(session, args);
    if (command == "keyword") return RunKeyword(session, args);
    if (command == "title") return RunTitle(session, args);
    if (command == "rename") return RunRename(session, args);
    if (command == "copy") return RunCopy(session, args);
    if (command == "delete") return RunDelete(session, args);
    if (command == "export") return RunExport(session, args);
    if (command == "restore") return RunRestore(session, args);
    return Usage("unknown catalog command '" + command + "'");
}

const bool registered =
    tool::Register({"catalog", "the photo catalogue: import, list, albums, keywords, names", kUsage, RunCatalog});

}  // namespace
