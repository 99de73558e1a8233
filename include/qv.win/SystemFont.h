#pragma once

#include <afxwin.h>

#include "qv.win.h"

namespace qv::gui {

// A font made from one of the system's non-client fonts. The metrics are read once, at construction.
// A size given to create goes into the caption entry only and stays there: the other types always
// use the system's own height.
class QV_WIN_API SystemFont : public CFont {
public:
    enum Type { Caption = 0, Status = 1, Message = 2, Menu = 3 };

    // Construction
    explicit SystemFont(Type type = Caption, int size = 0);
    ~SystemFont() override;

    // Attributes
    int getCaptionHeight() const noexcept { return m_ncm.iCaptionHeight; }
    // The menu font's face and height, whatever type was created.
    CString getFontName() const { return CString(m_ncm.lfMenuFont.lfFaceName); }
    LONG getFontSize() const noexcept { return m_ncm.lfMenuFont.lfHeight; }
    const NONCLIENTMETRICS& ncm() const noexcept { return m_ncm; }

    // Operations
    // Replaces the font; size > 0 becomes the caption entry's height first.
    BOOL create(Type type, int size);

    // Implementation
private:
    const LOGFONT& _logFont(Type type) const noexcept;

    NONCLIENTMETRICS m_ncm;
};

} // namespace qv::gui
