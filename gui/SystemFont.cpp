#include <qv.win/SystemFont.h>

#include <cstddef>

namespace qv::gui {

namespace {

// The metrics without the trailing padded-border width, the layout every Windows version accepts.
const UINT kMetricsSize = offsetof(NONCLIENTMETRICS, iPaddedBorderWidth);

} // namespace

SystemFont::SystemFont(Type type, int size) : m_ncm{}
{
    m_ncm.cbSize = kMetricsSize;
    ::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &m_ncm, 0);
    create(type, size);
}

SystemFont::~SystemFont() = default;

BOOL SystemFont::create(Type type, int size)
{
    DeleteObject();
    if (size > 0)
        m_ncm.lfCaptionFont.lfHeight = size;
    return CreateFontIndirect(&_logFont(type));
}

const LOGFONT& SystemFont::_logFont(Type type) const noexcept
{
    switch (type) {
    case Status: return m_ncm.lfStatusFont;
    case Message: return m_ncm.lfMessageFont;
    case Menu: return m_ncm.lfMenuFont;
    default: return m_ncm.lfCaptionFont;
    }
}

} // namespace qv::gui
