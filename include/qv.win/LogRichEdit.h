#pragma once

#include "core/qv.Logger.h"
#include "qv.win.h"

#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

namespace qv {

namespace gui {
class RichEditCtrl;
}

// A log sink that appends every message to a log pane, one line per line of text, each
// led by the message's prefix as on the console, in the colour and weight of its level:
// errors bold red, warnings orange, information in the default colour, debug grey.
//
// Construct it on the pane's thread. Messages logged there are appended at once; messages
// from other threads are queued and appended when the pane's thread next handles its
// messages, so a worker never waits for the user interface. A pane without a window
// drops what it is given. Remove the sink from Log before destroying the pane.
class QV_WIN_API LogRichEdit : public Logger {
public:
    // Construction

    explicit LogRichEdit(gui::RichEditCtrl& pane, LogLevel level = LogDefault);
    ~LogRichEdit() override;

    // Attributes

    // The colour and weight of the lines of one level (LogError, LogWarning, LogInfo or
    // LogDebug); other values are ignored.
    void setStyle(LogLevel level, COLORREF color, bool bold);

protected:
    // Overridables

    void onWriteMessage(const Message& message) override;

private:
    // Implementation

    struct Style {
        COLORREF color;
        bool bold;
    };
    struct Line {
        std::wstring text;
        Style style;
    };

    static LRESULT CALLBACK _windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    Style _styleOf(LogLevel level) const;
    bool _onPaneThread() const;
    void _append(const Line& line);
    void _endBold();
    void _queue(std::vector<Line> lines);
    void _appendQueued();

    gui::RichEditCtrl& m_pane;
    Style m_styles[4];
    // Receives the posted request to append the queue, on the thread that made the sink.
    HWND m_window = nullptr;
    std::mutex m_queueMutex;
    std::vector<Line> m_queue;
};

} // namespace qv
