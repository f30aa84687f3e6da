// Menus 128 and 129 and the string table.
#include "platform/brelt/gen/Art.h"

namespace art {

namespace {

// The framework's standard command identifiers.
constexpr int ID_EDIT_COPY = 57634;
constexpr int ID_EDIT_PASTE = 57637;
constexpr int ID_EDIT_SELECT_ALL = 57642;
constexpr int ID_EDIT_UNDO = 57643;
constexpr int ID_EDIT_REDO = 57644;
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_HELP = 57670;

QJsonObject Cmd(int id, const char* text, const char* shortcut = "")
{
    QJsonObject o{{"id", id}, {"text", QString::fromUtf8(text)}};
    if (*shortcut)
        o.insert("shortcut", QString::fromLatin1(shortcut));
    return o;
}

QJsonObject Radio(int id, const char* text)
{
    QJsonObject o = Cmd(id, text);
    o.insert("radio", true);
    return o;
}

QJsonObject Sep() { return QJsonObject{{"separator", true}}; }

QJsonObject Popup(const char* text, const QJsonArray& items)
{
    return QJsonObject{{"text", QString::fromUtf8(text)}, {"items", items}};
}

QJsonArray ShowModes()
{
    return {Radio(32783, "파일이름 표시(&F)"), Radio(32784, "제목 표시(&T)"), Radio(32785, "키워드 표시(&K)")};
}

QJsonArray SortOrders()
{
    return {Radio(32786, "파일이름순 정렬(&O)"), Radio(32787, "제목순 정렬(&R)")};
}

}  // namespace

QJsonArray MainMenu()
{
    QJsonArray view{Cmd(7020, "앨범구성(&A)"), Cmd(7021, "사진편집(&E)"), Cmd(7022, "ZEL 꾸미기(&Z)"), Sep()};
    for (const QJsonValue& v : ShowModes()) view.append(v);
    view.append(Sep());
    for (const QJsonValue& v : SortOrders()) view.append(v);
    return {
        Popup("파일(&F)", {Cmd(33826, "사진 가져오기(&I)..."), Sep(), Cmd(33825, "저장(&S)", "Ctrl+S"),
                           Cmd(33832, "다른 이름으로 저장(&A)..."), Cmd(33831, "내보내기(&E)..."), Sep(),
                           Cmd(33834, "인쇄 미리 보기(&V)"), Sep(), Cmd(ID_APP_EXIT, "끝내기(&X)")}),
        Popup("편집(&E)", {Cmd(ID_EDIT_UNDO, "실행 취소(&U)", "Ctrl+Z"), Cmd(ID_EDIT_REDO, "다시 실행(&R)", "Ctrl+Y"), Sep(),
                           Cmd(ID_EDIT_COPY, "복사(&C)", "Ctrl+C"), Cmd(ID_EDIT_PASTE, "붙여넣기(&P)", "Ctrl+V"),
                           Cmd(32782, "삭제(&D)", "Del"), Sep(), Cmd(ID_EDIT_SELECT_ALL, "모두 선택(&A)", "Ctrl+A"), Sep(),
                           Cmd(33833, "원본으로 복원(&O)")}),
        Popup("보기(&V)", view),
        Popup("앨범(&A)", {Cmd(33824, "새 앨범(&N)..."), Cmd(33823, "선택 항목으로 새 앨범(&S)..."),
                           Cmd(32790, "앨범에 복사(&C)"), Sep(), Cmd(32771, "앨범 삭제(&D)")}),
        Popup("사진(&P)", {Cmd(32788, "사진 정보(&I)..."), Cmd(32789, "키워드(&K)..."), Cmd(32791, "이름 일괄 변경(&B)...")}),
        Popup("도구(&T)", {Cmd(33827, "환경 설정(&O)..."), Cmd(33836, "업데이트 확인(&U)")}),
        Popup("도움말(&H)", {Cmd(ID_HELP, "도움말(&H)", "F1"), Sep(), Cmd(ID_APP_ABOUT, "VimbroSuite 정보(&A)...")}),
    };
}

QJsonArray ContextMenus()
{
    QJsonArray delays;
    const struct {
        int id;
        const char* text;
    } delay[] = {{32792, "0.1초"}, {32793, "0.2초"}, {32794, "0.3초"}, {32795, "0.5초"}, {32796, "0.8초"},
                 {32797, "1.0초"}, {32798, "1.5초"}, {32799, "2.0초"}, {32800, "2.5초"}, {32801, "3.0초"}};
    for (const auto& d : delay) delays.append(Cmd(d.id, d.text));

    return {
        // 0: an album of the album strip.
        Popup("앨범", {Cmd(33824, "새 앨범(&N)..."), Sep(), Cmd(32771, "앨범 삭제(&D)")}),
        // 1: the album browser with pictures selected.
        Popup("선택한 사진",
              {Cmd(7021, "사진편집(&E)"), Cmd(7022, "ZEL 꾸미기(&Z)"), Sep(), Cmd(ID_EDIT_COPY, "복사(&C)", "Ctrl+C"),
               Cmd(ID_EDIT_PASTE, "붙여넣기(&P)", "Ctrl+V"), Cmd(32782, "삭제(&D)", "Del"), Sep(),
               Cmd(33823, "선택 항목으로 새 앨범(&S)..."), Cmd(32790, "앨범에 복사(&A)"), Cmd(32789, "키워드(&K)..."),
               Cmd(32791, "이름 일괄 변경(&B)..."), Sep(), Cmd(33831, "내보내기(&X)..."), Cmd(33833, "원본으로 복원(&O)"),
               Sep(), Cmd(32788, "사진 정보(&I)...")}),
        // 2: the album browser with nothing selected.
        Popup("사진 목록", {Cmd(33826, "사진 가져오기(&I)..."), Cmd(ID_EDIT_PASTE, "붙여넣기(&P)", "Ctrl+V"),
                            Cmd(ID_EDIT_SELECT_ALL, "모두 선택(&A)", "Ctrl+A"), Sep(), Popup("표시(&V)", ShowModes()),
                            Popup("정렬(&S)", SortOrders()), Sep(), Cmd(33824, "새 앨범(&N)...")}),
        // 3: the delay of a slide.
        Popup("시간", delays),
        // 4: a slide box; positions 0, 1, 3, 4 and 6 are set by the strip ("프레임 이동" is
        // filled with the filled slide positions when the box holds a picture).
        Popup("슬라이드", {Cmd(32804, "복사"), Cmd(32805, "붙여넣기"), Sep(), Cmd(32803, "삭제"), Cmd(33830, "모두삭제"),
                           Sep(), Popup("프레임 이동", {}), Sep(), Cmd(32806, "PHT로 저장(&T)...")}),
    };
}

QJsonObject StringTable()
{
    const struct {
        int id;
        const char* text;
    } strings[] = {
        // The message box's button labels.
        {9000, "확인"}, {9001, "취소"}, {9002, "중단"}, {9003, "다시 시도"}, {9004, "무시"}, {9005, "모두 무시"},
        {9006, "예"}, {9007, "모두 예"}, {9008, "아니요"}, {9009, "모두 아니요"}, {9010, "계속"}, {9011, "건너뛰기"},
        {9012, "모두 건너뛰기"}, {9013, "도움말"},
        // The prompt shown when the component system cannot start.
        {100, "OLE 초기화에 실패했습니다. OLE 라이브러리 버전이 올바른지 확인하십시오."},
        // The document template: window title, document name, file types.
        {128, "ZEL VimbroSuite\n\nVimbro\n\n\nVimbro.Document\nVimbro.Document"},
        // The application title (printing names its document with it) and the idle prompt.
        {57344, "ZEL VimbroSuite"}, {57345, "준비"},
    };
    QJsonObject table;
    for (const auto& s : strings) table.insert(QString::number(s.id), QString::fromUtf8(s.text));
    return table;
}

}  // namespace art
