#include "views/slides/SlideStrip.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "common/Gandry.h"
#include "platform/win/fileapi.h"

namespace {

constexpr int kMaxDelay = 0xFFFF;  // the file keeps delays in 16 bits

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

}  // namespace

CSlideStrip::CSlideStrip() {
    LayoutBoxes();
    m_boxes[0].SetSelect(1);
}

CSlideStrip::~CSlideStrip() = default;

// --- geometry --------------------------------------------------------------------------------------

void CSlideStrip::SetSlideBmpSize(CSize size) {
    m_sizeBmp = size;
    LayoutBoxes();
}

void CSlideStrip::LayoutBoxes() {
    for (int i = 0; i < kSlideCount; ++i) {
        m_boxes[i].SetSlideBmpSize(m_sizeBmp);
        m_boxes[i].SetRectTotal(GetBoxRect(i));
    }
}

CRect CSlideStrip::GetBoxRect(int index) const {
    const LONG left = 5 + index * (m_sizeBmp.cx + 4);
    return CRect(left, 2, left + m_sizeBmp.cx, 2 + m_sizeBmp.cy);
}

CRect CSlideStrip::GetVisibleBoxRect(int index) const {
    CRect rect = GetBoxRect(index);
    rect.OffsetRect(-m_nPosHor, 0);
    return rect;
}

int CSlideStrip::GetTotalWidth() const {
    return 5 + (m_sizeBmp.cx + 4) * kSlideCount;
}

int CSlideStrip::HitTest(CPoint point) const {
    const CPoint strip(point.x + m_nPosHor, point.y);
    for (int i = 0; i < kSlideCount; ++i) {
        if (GetBoxRect(i).PtInRect(strip)) return i;
    }
    return -1;
}

// --- input -----------------------------------------------------------------------------------------

CSlideStrip::ClickResult CSlideStrip::OnLButtonDown(CPoint point) {
    const int box = HitTest(point);
    // Only a filled slide or the first empty one can be chosen; elsewhere the selection stays.
    if (box < 0 || box > GetValidCount()) return ClickResult::None;
    Select(box);
    NotifyMain(kMsgSlidesChanged);
    const CPoint strip(point.x + m_nPosHor, point.y);
    if (m_boxes[box].GetRectDelayButton().PtInRect(strip)) {
        if (m_bPlaying) {
            AfxMessageBox(kMsgStopPlay, MB_OK);
            return ClickResult::Refused;
        }
        return ClickResult::DelayMenu;
    }
    return ClickResult::Selected;
}

CSlideStrip::ContextMenu CSlideStrip::GetContextMenu(CPoint point) {
    ContextMenu menu;
    const int box = HitTest(point);
    if (box < 0) return menu;
    if (m_bPlaying) {
        AfxMessageBox(kMsgStopPlay, MB_OK);
        menu.refused = true;
        return menu;
    }
    menu.box = box;
    const bool filled = IsFilledSlot(box);
    menu.enableCopy = filled;
    menu.enablePaste = IsEnablePaste();
    menu.enableDelete = filled;
    menu.enableDeleteAll = GetValidCount() > 0;
    menu.hasMoveMenu = filled;
    if (filled) {
        for (int i = 0; i < GetValidCount(); ++i) menu.moveCommands.push_back(ID_SLIDE_MOVE_FIRST + i);
    }
    return menu;
}

UINT CSlideStrip::OnKeyDown(UINT key, bool ctrl) {
    UINT command = 0;
    if (ctrl && (key == 'C' || key == 'c') && IsEnableFromSelected()) {
        command = ID_EDIT_COPY;
    } else if (ctrl && (key == 'V' || key == 'v') && IsEnablePaste()) {
        command = ID_EDIT_PASTE;
    } else if (!ctrl && key == VK_DELETE_KEY && IsEnableFromSelected()) {
        command = ID_KEY_DELETE;
    }
    if (command) SendMessage(AfxGetMainWnd(), kWmCommand, command);
    return command;
}

void CSlideStrip::OnSetFocus() {
    NotifyParent(kMsgFocus);
}

const std::array<int, 10>& CSlideStrip::DelayMenuValues() {
    static const std::array<int, 10> values{100, 200, 300, 500, 800, 1000, 1500, 2000, 2500, 3000};
    return values;
}

int CSlideStrip::DelayForCommand(UINT id) {
    if (id > ID_DELAY_FIRST && id <= ID_DELAY_LAST) return DelayMenuValues()[id - ID_DELAY_FIRST];
    return DelayMenuValues()[0];
}

bool CSlideStrip::OnCommand(UINT id) {
    if (id >= ID_DELAY_FIRST && id <= ID_DELAY_LAST) {
        OnDelay(DelayForCommand(id));
    } else if (id == ID_SLIDE_DELETE) {
        OnSliderDelete();
    } else if (id == ID_SLIDE_COPY) {
        OnSliderCopy();
    } else if (id == ID_SLIDE_PASTE) {
        OnSliderPaste();
    } else if (id == ID_SLIDE_EXPORT_PHT) {
        NotifyMain(kMsgExportPht);
    } else if (id >= ID_SLIDE_MOVE_FIRST && id <= ID_SLIDE_MOVE_LAST) {
        OnSliderMove(id);
    } else if (id == ID_SLIDE_DELETE_ALL) {
        OnSliderDeleteAll();
    } else {
        return false;
    }
    return true;
}

// --- slides ----------------------------------------------------------------------------------------

bool CSlideStrip::IsFilledSlot(int index) {
    return IsSlot(index) && m_eba.GetPtrFrameList()[index]->pImage != nullptr;
}

void CSlideStrip::Select(int index) {
    if (!IsSlot(index)) return;
    for (int i = 0; i < kSlideCount; ++i) m_boxes[i].SetSelect(i == index);
    m_nCurrent = index;
}

void CSlideStrip::RefreshBox(int index) {
    EBA_FRAME* frame = m_eba.GetPtrFrameList()[index];
    CSlider& box = m_boxes[index];
    if (frame->pImage) {
        box.SetData(frame->pImage, frame->nDelay);
        box.SetPtrFrameImage(m_pFrameImage);
    } else {
        box.Clear();
    }
}

void CSlideStrip::RefreshAll() {
    for (int i = 0; i < kSlideCount; ++i) RefreshBox(i);
}

void CSlideStrip::ClearBoxes() {
    for (CSlider& box : m_boxes) box.Clear();
}

void CSlideStrip::NotifyMain(UINT message, WPARAM wParam) {
    SendMessage(AfxGetMainWnd(), message, wParam);
}

void CSlideStrip::NotifyParent(UINT message) {
    SendMessage(m_pParent, message);
}

void CSlideStrip::SetCropImage(extImage* image) {
    if (!image || !image->IsValid() || !IsSlot(m_nCurrent)) return;
    Select(m_nCurrent);
    m_sizeCurrent = CSize(static_cast<LONG>(image->GetWidth()), static_cast<LONG>(image->GetHeight()));
    m_eba.SetPicture(m_nCurrent, image);
    RefreshBox(m_nCurrent);
    m_nModify = 1;
    NotifyMain(kMsgSlidesChanged);
}

void CSlideStrip::OnDelay(int delay) {
    if (!IsSlot(m_nCurrent) || delay <= 0) return;
    const int value = std::min(delay, kMaxDelay);
    m_eba.SetDelay(m_nCurrent, static_cast<unsigned short>(value));
    m_boxes[m_nCurrent].SetDelay(value);
    m_nModify = 1;
}

void CSlideStrip::OnSliderCopy() {
    m_pClipboard.reset();
    m_nClipboardDelay = kDefaultDelay;
    if (!IsFilledSlot(m_nCurrent)) return;
    EBA_FRAME* frame = m_eba.GetPtrFrameList()[m_nCurrent];
    m_pClipboard = std::make_unique<extImage>(*frame->pImage);
    m_nClipboardDelay = frame->nDelay;
}

void CSlideStrip::OnSliderPaste() {
    // Pasting past the first empty slot would leave a gap in the slots.
    if (!m_pClipboard || !IsSlot(m_nCurrent) || m_nCurrent > GetValidCount()) return;
    m_eba.SetPicture(m_nCurrent, m_pClipboard.get());
    m_eba.SetDelay(m_nCurrent, static_cast<unsigned short>(m_nClipboardDelay));
    RefreshBox(m_nCurrent);
    m_nModify = 1;
    NotifyMain(kMsgSlidesChanged);
}

void CSlideStrip::OnSliderDelete() {
    if (!IsFilledSlot(m_nCurrent)) return;
    if (AfxMessageBox(kMsgAskDelete, MB_OKCANCEL) != IDOK) return;
    DeleteSlider(m_nCurrent);
    NotifyParent(kMsgSlidesDeleted);
}

void CSlideStrip::DeleteSlider(int index) {
    if (!IsFilledSlot(index)) return;
    m_eba.DeletePicture(index);
    EBA_FRAME** frames = m_eba.GetPtrFrameList();
    // The emptied record travels to the end; the wrapper's count is unchanged by the shift.
    for (int i = index; i + 1 < kSlideCount; ++i) std::swap(*frames[i], *frames[i + 1]);
    frames[kSlideCount - 1]->nDelay = CEBAWrapper::kDefaultDelay;
    RefreshAll();
    m_nModify = 1;
    NotifyMain(kMsgSlidesChanged);
}

void CSlideStrip::DeleteAll() {
    m_eba.UnInit();
    // UnInit forgets the overlay; the composer keeps laying it over what comes next.
    m_eba.SetPtrFrameImage(m_pFrameImage);
    ClearBoxes();
    Select(0);
    m_nModify = 0;
    NotifyParent(kMsgSlidesDeleted);
    NotifyMain(kMsgSlidesChanged);
}

void CSlideStrip::OnSliderDeleteAll() {
    if (GetValidCount() < 1) return;
    if (AfxMessageBox(kMsgAskDelete, MB_OKCANCEL) != IDOK) return;
    DeleteAll();
}

void CSlideStrip::OnSliderMove(UINT id) {
    const int target = static_cast<int>(id) - static_cast<int>(ID_SLIDE_MOVE_FIRST);
    const int count = GetValidCount();
    if (target < 0 || target >= count || !IsFilledSlot(m_nCurrent) || target == m_nCurrent) return;
    EBA_FRAME** frames = m_eba.GetPtrFrameList();
    if (target > m_nCurrent) {
        for (int i = m_nCurrent; i < target; ++i) std::swap(*frames[i], *frames[i + 1]);
    } else {
        for (int i = m_nCurrent; i > target; --i) std::swap(*frames[i], *frames[i - 1]);
    }
    RefreshAll();
    m_nModify = 1;
    NotifyMain(kMsgSlidesChanged);
}

void CSlideStrip::OnSlideAllDelete2(CSize size) {
    int answer = IDCANCEL;
    if (GetValidCount() > 0) answer = AfxMessageBox(kMsgAskDelete, MB_OKCANCEL);
    // The overlay belongs to the old size; the frame lists are loaded again for the new one.
    m_pFrameImage = nullptr;
    m_eba.SetPtrFrameImage(nullptr);
    for (CSlider& box : m_boxes) box.SetPtrFrameImage(nullptr);
    if (GetValidCount() < 1) return;
    if (answer == IDOK) {
        DeleteAll();
        return;
    }
    if (size.cx <= 0 || size.cy <= 0) return;
    EBA_FRAME** frames = m_eba.GetPtrFrameList();
    for (int i = 0; i < kSlideCount; ++i) {
        if (frames[i]->pImage) frames[i]->pImage->Resample(size.cx, size.cy, 2);
    }
    m_sizeCurrent = size;
    m_nModify = 1;
    NotifyMain(kMsgSlidesChanged);
}

void CSlideStrip::SetSliderFrame(extImage* frame) {
    m_pFrameImage = frame;
    m_eba.SetPtrFrameImage(frame);
    for (int i = 0; i < kSlideCount; ++i) {
        if (m_boxes[i].IsFilled()) m_boxes[i].SetPtrFrameImage(frame);
    }
}

// --- files -----------------------------------------------------------------------------------------

bool CSlideStrip::LoadEBA(const char* path) {
    if (m_bPlaying) Stop();
    m_strEBAPath = path ? path : "";
    ClearBoxes();
    const bool loaded = path && m_eba.LoadEBA(path);
    // Loading drops the wrapper's overlay; the composer's stays in force.
    m_eba.SetPtrFrameImage(m_pFrameImage);
    RefreshAll();
    Select(0);
    m_nModify = 0;
    NotifyMain(kMsgSlidesChanged);
    return loaded;
}

bool CSlideStrip::LoadGIF(const char* path) {
    if (!path) return false;
    // The slides are about to be replaced; a running playback would point past them.
    if (m_bPlaying) Stop();
    if (!m_gif.LoadGIF(path)) {
        if (m_gif.GetErrorCode() == GIFERR_MAXFRAME) {
            char text[128];
            std::snprintf(text, sizeof text, "슬라이더의 최대갯수는 %d 입니다.", kSlideCount);
            AfxMessageBox(text, MB_OK);
        }
        // A refused file leaves the slides as they were.
        return false;
    }
    if (m_sizeCurrent.cx > 0 && m_sizeCurrent.cy > 0) m_gif.AdjustImage(m_sizeCurrent);
    ClearBoxes();
    m_eba.UnInit();
    m_eba.SetPtrFrameImage(m_pFrameImage);
    extImage** frames = m_gif.GetPtrImageAni();
    int slot = 0;
    for (int i = 0; i < m_gif.GetValidCount() && slot < kSlideCount; ++i) {
        // A frame that could not be drawn is left out so the slots stay without gaps.
        if (!frames[i] || !frames[i]->IsValid()) continue;
        const DWORD hundredths = frames[i]->GetFrameDelay();
        // No graphic control extension (or a zero delay) plays at the default speed.
        int delay = kDefaultDelay;
        if (hundredths != CAniGIF::kNoDelay && hundredths > 0) {
            delay = static_cast<int>(std::min<DWORD>(hundredths, kMaxDelay / 10) * 10);
        }
        m_eba.SetPicture(slot, frames[i]);
        m_eba.SetDelay(slot, static_cast<unsigned short>(delay));
        ++slot;
    }
    RefreshAll();
    Select(0);
    m_nModify = 0;
    NotifyMain(kMsgSlidesChanged);
    return true;
}

bool CSlideStrip::SaveEBA(const char* path) {
    if (!path) return false;
    m_strEBAPath = path;
    if (!m_eba.SaveEBA(path, m_sizeCurrent)) return false;
    m_nModify = 0;
    return true;
}

bool CSlideStrip::SaveGIF(const char* path) {
    if (!path || !m_gif.SaveGIF(path)) return false;
    m_nModify = 0;
    return true;
}

void CSlideStrip::ExportFile(CString folder, int unique, int useName, CString name, int& copied) {
    if (m_strEBAPath.empty()) return;
    const CString fileName = CGandry::FindFilename(m_strEBAPath, 1);
    const std::size_t dot = fileName.rfind('.');
    const CString ext = dot == CString::npos ? CString() : Lower(fileName.substr(dot + 1));
    const CString base =
        (useName && !name.empty()) ? name : (dot == CString::npos ? fileName : fileName.substr(0, dot));
    if (folder.empty() || folder.back() != '/') folder += "/";
    CString target;
    if (unique) {
        int counter = 0;
        target = CGandry::GetUniqueName(folder, base, ext, counter);
    } else {
        target = ext.empty() ? base : base + "." + ext;
        if (win::PathExists(folder + target)) {
            char text[1024];
            std::snprintf(text, sizeof text, "%s 파일이 존재합니다. 덮어쓸까요?", target.c_str());
            if (AfxMessageBox(text, MB_YESNO) != IDYES) return;
        }
    }
    if (win::CopyFile(m_strEBAPath, folder + target, false)) ++copied;
}

// --- playback --------------------------------------------------------------------------------------

void CSlideStrip::Play() {
    if (!IsFilledSlot(0)) {
        m_bPlaying = false;
        return;
    }
    m_nTimerInterval = m_eba.GetPtrFrameList()[0]->nDelay;
    m_nElapsed = 0;
    m_nRemainRepeat = m_nRepeatCount;
    // From the last slide the first tick wraps at once and would use up a repeat.
    if (m_nCurrent == GetValidCount() - 1) ++m_nRemainRepeat;
    m_bPlaying = true;
}

void CSlideStrip::Stop() {
    m_bPlaying = false;
    m_nElapsed = 0;
    m_nRemainRepeat = 0;
    Select(0);
    NotifyMain(kMsgSlidesChanged);
}

void CSlideStrip::OnTimer() {
    const int count = GetValidCount();
    if (m_nCurrent >= count || m_nRemainRepeat <= 0) {
        NotifyMain(kMsgPlayEnded);
        return;
    }
    int next = m_nCurrent + 1;
    if (next >= count) {
        next = 0;
        --m_nRemainRepeat;
        Select(next);
        if (m_nRemainRepeat == 0) NotifyMain(kMsgPlayEnded);
    } else {
        Select(next);
        if (IsFilledSlot(next)) m_nTimerInterval = m_eba.GetPtrFrameList()[next]->nDelay;
    }
    NotifyMain(kMsgSlidesChanged);
}

int CSlideStrip::Advance(int elapsedMs) {
    if (!m_bPlaying || elapsedMs <= 0) return 0;
    int ticks = 0;
    m_nElapsed += elapsedMs;
    // A zero interval would fire without end; the real timer then fires as fast as it can.
    while (m_bPlaying && m_nElapsed >= std::max(m_nTimerInterval, 1)) {
        m_nElapsed -= std::max(m_nTimerInterval, 1);
        OnTimer();
        ++ticks;
    }
    return ticks;
}

// --- state -----------------------------------------------------------------------------------------

extImage* CSlideStrip::GetPtrImage() {
    return IsSlot(m_nCurrent) ? m_eba.GetPtrFrameList()[m_nCurrent]->pImage : nullptr;
}

CSlider* CSlideStrip::GetPtrSlider(int index) {
    return IsSlot(index) ? &m_boxes[index] : nullptr;
}

int CSlideStrip::GetTotalSelect() const {
    int selected = 0;
    for (const CSlider& box : m_boxes) selected += box.IsSelected() ? 1 : 0;
    return selected;
}

bool CSlideStrip::IsEnableFromSelected() const {
    // The boxes mirror the slots after every change.
    return IsSlot(m_nCurrent) && m_boxes[m_nCurrent].IsFilled();
}

int CSlideStrip::GetDelay(int index) {
    return IsSlot(index) ? m_eba.GetPtrFrameList()[index]->nDelay : kDefaultDelay;
}
