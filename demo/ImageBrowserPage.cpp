#include "ImageBrowserPage.h"

#include "PageReport.h"
#include "Tour.h"

#include <qv.win/DC.h>
#include <qv.win/Path.h>

#include <qvtest/Input.h>
#include <qvtest/Tooltips.h>

#include <algorithm>
#include <functional>
#include <iterator>

namespace demo {

namespace {

using qv::gui::ImageCtrl;
using qv::gui::ImageData;
using qv::util::win::Path;

constexpr UINT kFramesId = 1;
constexpr UINT kPicturesId = 2;
constexpr __int64 kFrameCount = 1000000;
constexpr int kFramesPerSecond = 25;
constexpr int kMargin = 16;
constexpr int kReportHeight = 64;
constexpr int kFramesPercent = 62;
constexpr COLORREF kGroundColor = RGB(60, 70, 50);
constexpr COLORREF kSunColor = RGB(255, 236, 150);
constexpr COLORREF kTimeColor = RGB(255, 255, 255);
constexpr int kPictureWidth = 320;
constexpr int kPictureHeight = 240;
constexpr DWORD kTooltipWaitMs = 1500;

// The scenes drawn at start-up and saved into the folder, the file type taken from the name.
struct Scene {
    const wchar_t* file;
    COLORREF sky;
    COLORREF land;
    int sunX; // percent of the width, 15 to 85 to keep the sun inside; 0: no sun
};

const Scene kScenes[] = {
    {L"sunrise.png", RGB(250, 180, 120), RGB(90, 110, 60), 20},
    {L"meadow.bmp", RGB(130, 190, 240), RGB(80, 160, 60), 70},
    {L"harbour at dusk, a long exposure of the lights on the water.png", RGB(70, 60, 120), RGB(30, 40, 80), 0},
    {L"desert.bmp", RGB(240, 210, 150), RGB(210, 160, 90), 50},
    {L"snowfield.png", RGB(200, 220, 240), RGB(245, 245, 250), 85},
    {L"night.bmp", RGB(15, 20, 50), RGB(20, 30, 30), 0},
};

// A colour of the hue wheel for each frame, neighbours apart.
COLORREF frameColor(__int64 frame)
{
    const int hue = int(frame * 7 % 360);
    const int sector = hue / 60;
    const int rise = 90 + (hue % 60) * 130 / 60;
    const int fall = 220 - (hue % 60) * 130 / 60;
    const int low = 90;
    const int high = 220;
    switch (sector) {
    case 0: return RGB(high, rise, low);
    case 1: return RGB(fall, high, low);
    case 2: return RGB(low, high, rise);
    case 3: return RGB(low, fall, high);
    case 4: return RGB(rise, low, high);
    default: return RGB(high, low, fall);
    }
}

CString timeCode(__int64 frame)
{
    const __int64 seconds = frame / kFramesPerSecond;
    CString text;
    text.Format(L"%02lld:%02lld:%02lld.%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60,
                frame % kFramesPerSecond);
    return text;
}

// Sky, land and sun: the picture part of a thumbnail or of a saved scene.
void drawLandscape(CDC* dc, const CRect& rect, COLORREF sky, COLORREF land, int sunPercent)
{
    dc->FillSolidRect(&rect, sky);
    if (sunPercent > 0) {
        const CPoint sun(rect.left + rect.Width() * sunPercent / 100, rect.top + rect.Height() / 3);
        qv::gui::DC(dc).drawCircle(sun, kSunColor, std::max(rect.Height() / 8, 1), true);
    }
    const POINT hills[] = {{rect.left, rect.bottom},
                           {rect.left, rect.top + rect.Height() * 2 / 3},
                           {rect.left + rect.Width() / 3, rect.top + rect.Height() / 2},
                           {rect.left + rect.Width() * 2 / 3, rect.top + rect.Height() * 3 / 4},
                           {rect.right, rect.top + rect.Height() * 3 / 5},
                           {rect.right, rect.bottom}};
    CBrush brush(land);
    CBrush* previousBrush = dc->SelectObject(&brush);
    CGdiObject* previousPen = dc->SelectStockObject(NULL_PEN);
    dc->Polygon(hills, int(std::size(hills)));
    dc->SelectObject(previousPen);
    dc->SelectObject(previousBrush);
}

// A new folder of its own under the user's temporary folder.
Path makeTemporaryFolder()
{
    CString name;
    name.Format(L"qv.demo.pictures.%lu\\", ::GetCurrentProcessId());
    Path folder(Path::getTempPath(true) + name);
    return folder.makePath() ? folder : Path();
}

bool saveScene(const Path& folder, const Scene& scene)
{
    CImage image;
    if (!image.Create(kPictureWidth, kPictureHeight, 24))
        return false;
    HDC dc = image.GetDC();
    drawLandscape(CDC::FromHandle(dc), CRect(0, 0, kPictureWidth, kPictureHeight), scene.sky, scene.land, scene.sunX);
    image.ReleaseDC();
    return SUCCEEDED(image.Save(folder.getPath(scene.file)));
}

} // namespace

BEGIN_MESSAGE_MAP(ImageBrowserPage, CWnd)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_NOTIFY(qv::gui::ICN_DRAWITEM, kFramesId, OnDrawFrame)
    ON_NOTIFY(qv::gui::ICN_GETCAPTION, kFramesId, OnFrameCaption)
    ON_NOTIFY(qv::gui::ICN_GETCAPTION, kPicturesId, OnPictureCaption)
    ON_NOTIFY_RANGE(qv::gui::ICN_SELCHANGED, kFramesId, kPicturesId, OnSelectionChanged)
    ON_NOTIFY_RANGE(NM_CLICK, kFramesId, kPicturesId, OnClick)
    ON_NOTIFY_RANGE(qv::gui::ICN_ZOOMCHANGED, kFramesId, kPicturesId, OnZoomChanged)
END_MESSAGE_MAP()

bool ImageBrowserPage::create(CWnd* parent, UINT id)
{
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP;
    if (!Create(nullptr, nullptr, WS_CHILD | WS_CLIPCHILDREN, CRect(0, 0, 1, 1), parent, id) ||
        !frames.Create(style, CRect(0, 0, 1, 1), this, kFramesId) ||
        !pictures.Create(style, CRect(0, 0, 1, 1), this, kPicturesId))
        return false;
    frames.setCaptionLine(2);
    frames.setVirtualMode(kFrameCount);
    pictures.setEmptyMessage(L"No pictures in the folder");
    pictures.setImageSize(CSize(kPictureWidth / 2, kPictureHeight / 2));
    return _loadPictures();
}

// Draws the scenes into files, loads whatever pictures the folder then holds and removes it.
bool ImageBrowserPage::_loadPictures()
{
    const Path folder = makeTemporaryFolder();
    if (folder.isEmpty())
        return false;
    bool saved = true;
    for (const Scene& scene : kScenes)
        saved = saveScene(folder, scene) && saved;
    CFileFind finder;
    for (BOOL more = finder.FindFile(folder.getPath(L"*.*")); more;) {
        more = finder.FindNextFile();
        if (finder.IsDirectory())
            continue;
        auto* image = new ImageData(finder.GetFileName());
        if (SUCCEEDED(image->Load(finder.GetFilePath())))
            pictures.addImage(image);
        else
            delete image;
    }
    finder.Close(); // an open search keeps the folder from being removed
    Path::deleteFolder(folder.getPath());
    return saved && pictures.getCount() == static_cast<__int64>(std::size(kScenes));
}

// Frames selected with the mouse and the keys, then a rest on a picture whose name does not fit.
void ImageBrowserPage::tour(Tour& tour)
{
    const auto centre = [](ImageCtrl& ctrl, __int64 item) { return ctrl.getItemRect(item).CenterPoint(); };
    const auto withKey = [&tour](WORD key, const std::function<void()>& action) {
        qvtest::keyDown(key);
        tour.pump(20);
        action();
        qvtest::keyUp(key);
        tour.pump(50);
    };
    tour.click(&frames, centre(frames, 0));
    tour.check(frames.getCurSel() == 0 && frames.isSelected(0), L"selecting a frame with a click");
    withKey(VK_SHIFT, [&] { tour.click(&frames, centre(frames, 5)); });
    tour.check(frames.getSelectedList().GetCount() == 6, L"selecting frames 0 to 5 with Shift+click");
    withKey(VK_CONTROL, [&] { tour.click(&frames, centre(frames, 8)); });
    tour.check(frames.getSelectedList().GetCount() == 7 && frames.isSelected(8), L"adding a frame with Ctrl+click");
    tour.pressKey(VK_END);
    tour.check(frames.getCurSel() == kFrameCount - 1, L"going to the last of a million frames with End");
    withKey(VK_SHIFT, [&] {
        tour.pressKey(VK_UP);
        tour.pressKey(VK_UP);
    });
    tour.check(frames.getSelectedList().GetCount() >= 3 && frames.isSelected(kFrameCount - 1) &&
                   frames.getCurSel() == kFrameCount - 1,
               L"growing a range of frames upwards with Shift+Up");

    __int64 longest = 0;
    for (__int64 i = 1; i < pictures.getCount(); ++i) {
        if (pictures.getImage(i)->getText().GetLength() > pictures.getImage(longest)->getText().GetLength())
            longest = i;
    }
    tour.click(&pictures, centre(pictures, longest == 0 ? 1 : 0));
    tour.moveMouse(&pictures, centre(pictures, longest));
    tour.moveMouse(&pictures, centre(pictures, longest) + CSize(1, 1));
    tour.check(tour.waitFor([] { return qvtest::threadTooltip(true) != nullptr; }, kTooltipWaitMs),
               L"showing the whole name of a picture in a tip");
}

void ImageBrowserPage::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    const int top = 2 * kMargin + kReportHeight;
    const int height = std::max(cy - top - kMargin, 1);
    const int framesWidth = std::max((cx - 3 * kMargin) * kFramesPercent / 100, 1);
    frames.MoveWindow(kMargin, top, framesWidth, height);
    pictures.MoveWindow(2 * kMargin + framesWidth, top, std::max(cx - 3 * kMargin - framesWidth, 1), height);
}

BOOL ImageBrowserPage::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void ImageBrowserPage::OnPaint()
{
    CString text;
    text.Format(L"Frames (%lld, virtual, drawn by this page): %s\nPictures (%lld files through GDI+): %s\n\nClick, "
                L"Shift+click or Ctrl+click thumbnails; arrows, Home, End and the page keys move; Ctrl+wheel or "
                L"Ctrl+plus and minus zoom. Rest the pointer on a caption that does not fit to read it whole.",
                kFrameCount, LPCWSTR(framesReport), pictures.getCount(), LPCWSTR(picturesReport));
    paintReport(*this, font, _reportRect(), text);
}

CRect ImageBrowserPage::_reportRect() const
{
    CRect client;
    GetClientRect(&client);
    return CRect(kMargin, kMargin, client.right - kMargin, kMargin + kReportHeight);
}

void ImageBrowserPage::_report(UINT id, const CString& what)
{
    (id == kFramesId ? framesReport : picturesReport) = what;
    InvalidateRect(_reportRect(), FALSE);
}

CString ImageBrowserPage::_describeSelection(const ImageCtrl& ctrl) const
{
    CString text;
    text.Format(L"%lld selected, current item %lld", static_cast<__int64>(ctrl.getSelectedList().GetCount()), ctrl.getCurSel());
    return text;
}

// The thumbnail of one frame, into the picture area of its cell.
void ImageBrowserPage::OnDrawFrame(NMHDR* header, LRESULT* result)
{
    const auto* draw = reinterpret_cast<qv::gui::NMIMAGEDRAW*>(header);
    CRect rect(draw->rect);
    drawLandscape(draw->dc, rect, frameColor(draw->item), kGroundColor, int(draw->item * 13 % 70) + 15);
    rect.DeflateRect(4, 2);
    draw->dc->SetTextColor(kTimeColor);
    draw->dc->DrawText(timeCode(draw->item), &rect, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
    *result = 0;
}

void ImageBrowserPage::OnFrameCaption(NMHDR* header, LRESULT* result)
{
    auto* request = reinterpret_cast<qv::gui::NMIMAGECAPTION*>(header);
    request->caption.Format(L"Frame %lld\n%s", request->item, LPCWSTR(timeCode(request->item)));
    *result = 0;
}

// The pictures' captions are their file names.
void ImageBrowserPage::OnPictureCaption(NMHDR* header, LRESULT* result)
{
    auto* request = reinterpret_cast<qv::gui::NMIMAGECAPTION*>(header);
    if (const ImageData* image = pictures.getImage(request->item))
        request->caption = image->getText();
    *result = 0;
}

void ImageBrowserPage::OnSelectionChanged(UINT id, NMHDR*, LRESULT* result)
{
    _report(id, L"ICN_SELCHANGED, " + _describeSelection(id == kFramesId ? frames : pictures));
    *result = 0;
}

void ImageBrowserPage::OnClick(UINT id, NMHDR* header, LRESULT* result)
{
    CString text;
    text.Format(L"NM_CLICK on item %lld", reinterpret_cast<qv::gui::NMIMAGECTRL*>(header)->item);
    _report(id, text);
    *result = 0;
}

void ImageBrowserPage::OnZoomChanged(UINT id, NMHDR*, LRESULT* result)
{
    CString text;
    text.Format(L"ICN_ZOOMCHANGED, %d %%", (id == kFramesId ? frames : pictures).getImageZoom());
    _report(id, text);
    *result = 0;
}

} // namespace demo
