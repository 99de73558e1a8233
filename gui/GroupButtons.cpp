#include "GroupButtonsMap.h"
#include "WindowClass.h"

#include <algorithm>
#include <iterator>

namespace qv::gui {

namespace {

const wchar_t kClassName[] = L"QVTGroupButtons";
constexpr UINT kClassStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
constexpr int kInitialImages = 0;
constexpr int kGrowImages = 1;

// In the order of GroupButtons::ColorIndex.
constexpr COLORREF kDefaultColors[] = {
    0x00FFFFFF, // background
    0x00FFC0C0, // button outline
    0x00FFFFFF, // normal face
    0x00E0FFE0, // hovered face
    0x00C0E0C0, // selected face
    0x00D0F0D0, // hovered and selected face
    0x00606060, // marker inside
    0x008080E0, // ring of the dragged marker
    0x0080E080, // ring of the marker under the mouse
    0x0000C000, // inside of a selected marker
    0x00A0A0A0, // marker line
};

} // namespace

// Construction

GroupButtons::GroupButtons() : m_buttonGroup(std::make_unique<GroupMap>())
{
    static_assert(std::size(kDefaultColors) == kColorCount);
    std::copy(std::begin(kDefaultColors), std::end(kDefaultColors), m_colors);
    registerWindowClass(kClassName, kClassStyle);
}

GroupButtons::~GroupButtons()
{
    clearData();
}

// Images

bool GroupButtons::addImages(CImageList* imageList)
{
    std::unique_ptr<CImageList> owned(imageList);
    if (!owned || (!m_imageLists.empty() && owned->GetImageCount() < getCount()))
        return false;
    m_imageLists.push_back(std::move(owned));
    if (m_imageLists.size() == 1) {
        recalcLayout();
        _invalidate();
    }
    return true;
}

// Sizes that cannot cut a single image from the bitmap are refused before they reach the image list.
bool GroupButtons::addImages(UINT bitmapId, int cx, int cy, COLORREF mask, UINT flags)
{
    CBitmap bitmap;
    BITMAP info{};
    if (cx <= 0 || cy <= 0 || !bitmap.LoadBitmap(bitmapId) || !bitmap.GetBitmap(&info))
        return false;
    if (cx > info.bmWidth || cy > info.bmHeight)
        return false;
    auto imageList = std::make_unique<CImageList>();
    if (!imageList->Create(cx, cy, flags, kInitialImages, kGrowImages) || imageList->Add(&bitmap, mask) < 0)
        return false;
    return addImages(imageList.release());
}

bool GroupButtons::loadImages(UINT bitmapId, int cx, int cy, COLORREF mask, UINT flags)
{
    clearData();
    return addImages(bitmapId, cx, cy, mask, flags);
}

CImageList* GroupButtons::getImageList(INT64 index) const
{
    if (index < 0 || index >= getCountImages())
        return nullptr;
    return m_imageLists[size_t(index)].get();
}

INT64 GroupButtons::getCountImages() const
{
    return INT64(m_imageLists.size());
}

bool GroupButtons::isEmptyImages() const
{
    return m_imageLists.empty();
}

INT64 GroupButtons::getCount() const
{
    return m_imageLists.empty() ? 0 : m_imageLists.front()->GetImageCount();
}

bool GroupButtons::isEmpty() const
{
    return getCount() == 0;
}

void GroupButtons::setImageIndex(INT64 button, INT64 list)
{
    if (list < -1 || list >= getCountImages() || !_isButton(button))
        return;
    if (list == -1)
        m_imageIndex.erase(button);
    else
        m_imageIndex[button] = list;
    _invalidate();
}

INT64 GroupButtons::getImageIndex(INT64 button) const
{
    const auto entry = m_imageIndex.find(button);
    return entry == m_imageIndex.end() ? -1 : entry->second;
}

void GroupButtons::clearImageIndex()
{
    m_imageIndex.clear();
}

void GroupButtons::clearImageLists()
{
    m_imageLists.clear();
    _clearCache();
    clearImageIndex();
    clearSelectedItems(FALSE);
}

void GroupButtons::clearData()
{
    deleteGroupAll();
    m_focusItem = -1;
    m_curSel = -1;
    m_dragMarker = -1;
    m_hotMarker = -1;
    m_anchorMarker = -1;
    clearImageLists();
}

bool GroupButtons::_isButton(INT64 button) const
{
    return button >= 0 && button < getCount();
}

// Selection

// The notifications go out even when the button was already the current selection.
void GroupButtons::selectItem(INT64 button, bool notify)
{
    if (!_isButton(button))
        return;
    if (m_multiSelect || button != m_curSel) {
        bool changed = button != m_curSel;
        m_curSel = button;
        if (!m_multiSelect) {
            clearSelectedItems(FALSE);
            changed = true;
        }
        const auto [first, last] = _selectionUnit(button);
        if (_appendSelection(first, last) || changed)
            _invalidate();
    }
    if (notify)
        _sendClick(button);
}

// When the current selection leaves the selection, the last selected button that remains takes
// its place.
void GroupButtons::unselectItem(INT64 button, bool notify)
{
    if (!_isButton(button) || !isSelected(button))
        return;
    const auto [first, last] = _selectionUnit(button);
    std::erase_if(m_selectedItems, [first, last](INT64 item) { return item >= first && item <= last; });
    if (!isSelected(m_curSel))
        m_curSel = m_selectedItems.empty() ? -1 : m_selectedItems.back();
    _invalidate();
    if (notify)
        _sendClick(button);
}

std::pair<INT64, INT64> GroupButtons::_selectionUnit(INT64 button) const
{
    if (const groupData* group = m_buttonGroup->find(button))
        return {group->first, group->last};
    return {button, button};
}

// Only real buttons are selected, even of a group that reaches past the last one.
bool GroupButtons::_appendSelection(INT64 first, INT64 last)
{
    bool appended = false;
    for (INT64 button = std::max<INT64>(first, 0); button <= std::min(last, getCount() - 1); ++button) {
        if (!isSelected(button)) {
            m_selectedItems.push_back(button);
            appended = true;
        }
    }
    return appended;
}

void GroupButtons::setCurSel(INT64 button)
{
    selectItem(button, true);
}

INT64 GroupButtons::getCurSel() const
{
    return m_curSel;
}

void GroupButtons::clearSelectedItems(BOOL redraw)
{
    m_selectedItems.clear();
    if (redraw)
        _invalidate();
}

INT64 GroupButtons::getCountSelectItems() const
{
    return INT64(m_selectedItems.size());
}

INT64 GroupButtons::getSelectIndex(INT64 n) const
{
    if (n < 0 || n >= getCountSelectItems())
        return -1;
    return m_selectedItems[size_t(n)];
}

BOOL GroupButtons::isSelected(INT64 button) const
{
    return std::find(m_selectedItems.begin(), m_selectedItems.end(), button) != m_selectedItems.end();
}

void GroupButtons::setMultiSelect(bool multi)
{
    if (multi == m_multiSelect)
        return;
    m_multiSelect = multi;
    if (!multi)
        clearSelectedItems(FALSE);
    _invalidate();
}

bool GroupButtons::isMultiSelect() const
{
    return m_multiSelect;
}

void GroupButtons::setSelectable(INT64 button, bool selectable)
{
    if (selectable)
        m_unselectable.erase(button);
    else
        m_unselectable.insert(button);
}

bool GroupButtons::isSelectable(INT64 button) const
{
    return m_unselectable.count(button) == 0;
}

// Appearance

void GroupButtons::setMarkerPosition(MarkerPos position)
{
    if (position == m_markerPos)
        return;
    m_markerPos = position;
    recalcLayout();
    _invalidate();
}

GroupButtons::MarkerPos GroupButtons::getMarkerPosition() const
{
    return m_markerPos;
}

void GroupButtons::setVisibleMarker(bool visible)
{
    if (visible == m_visibleMarker)
        return;
    m_visibleMarker = visible;
    recalcLayout();
    _invalidate();
}

bool GroupButtons::isVisibleMarker() const
{
    return m_visibleMarker;
}

void GroupButtons::enableEditMarker(bool enable)
{
    if (enable == m_editMarker)
        return;
    m_editMarker = enable;
    _invalidate();
}

bool GroupButtons::isEnabledEditMarker() const
{
    return m_editMarker;
}

void GroupButtons::setStretchImage(BOOL stretch)
{
    m_stretchImage = stretch;
}

BOOL GroupButtons::isStretchImage() const
{
    return m_stretchImage;
}

void GroupButtons::_setColor(ColorIndex index, COLORREF color)
{
    if (m_colors[index] == color)
        return;
    m_colors[index] = color;
    _invalidate();
}

COLORREF GroupButtons::getColorBackground() const { return m_colors[kBackground]; }
void GroupButtons::setColorBackground(COLORREF color) { _setColor(kBackground, color); }
COLORREF GroupButtons::getColorNormal() const { return m_colors[kNormal]; }
void GroupButtons::setColorNormal(COLORREF color) { _setColor(kNormal, color); }
COLORREF GroupButtons::getColorFocus() const { return m_colors[kFocus]; }
void GroupButtons::setColorFocus(COLORREF color) { _setColor(kFocus, color); }
COLORREF GroupButtons::getColorSelect() const { return m_colors[kSelect]; }
void GroupButtons::setColorSelect(COLORREF color) { _setColor(kSelect, color); }
COLORREF GroupButtons::getColorFocusSelect() const { return m_colors[kFocusSelect]; }
void GroupButtons::setColorFocusSelect(COLORREF color) { _setColor(kFocusSelect, color); }
COLORREF GroupButtons::getColorNormalMarker() const { return m_colors[kNormalMarker]; }
void GroupButtons::setColorNormalMarker(COLORREF color) { _setColor(kNormalMarker, color); }
COLORREF GroupButtons::getColorFocusMarker() const { return m_colors[kFocusMarker]; }
void GroupButtons::setColorFocusMarker(COLORREF color) { _setColor(kFocusMarker, color); }
COLORREF GroupButtons::getColorSelectMarker() const { return m_colors[kSelectMarker]; }
void GroupButtons::setColorSelectMarker(COLORREF color) { _setColor(kSelectMarker, color); }
COLORREF GroupButtons::getColorClickMarker() const { return m_colors[kClickMarker]; }
void GroupButtons::setColorClickMarker(COLORREF color) { _setColor(kClickMarker, color); }
COLORREF GroupButtons::getColorMarkerLine() const { return m_colors[kMarkerLine]; }
void GroupButtons::setColorMarkerLine(COLORREF color) { _setColor(kMarkerLine, color); }

void GroupButtons::populate(BOOL updateNow)
{
    if (GetSafeHwnd() == nullptr)
        return;
    if (updateNow)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    else
        Invalidate(FALSE);
}

void GroupButtons::_invalidate()
{
    if (GetSafeHwnd() != nullptr)
        Invalidate(FALSE);
}

void GroupButtons::_clearCache() {}

} // namespace qv::gui
