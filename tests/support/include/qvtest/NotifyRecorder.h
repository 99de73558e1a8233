#pragma once

#include "qvtest/TestWindow.h"

#include <windows.h>

#include <cstring>
#include <functional>
#include <map>
#include <vector>

namespace qvtest {

// One WM_NOTIFY or WM_COMMAND as the parent received it.
struct ParentMessage {
    UINT message = 0;          // WM_NOTIFY or WM_COMMAND
    WPARAM wParam = 0;
    // WM_NOTIFY: the NMHDR fields and the record's first recordSize bytes.
    HWND hwndFrom = nullptr;
    UINT_PTR idFrom = 0;
    int code = 0;
    std::vector<BYTE> bytes;
    // WM_COMMAND: control id, notification code and control window.
    WORD id = 0;
    WORD commandCode = 0;
    HWND control = nullptr;

    // The copied record as T (T no larger than the copied bytes).
    template <class T> T as() const
    {
        T value{};
        std::memcpy(&value, bytes.data(), bytes.size() < sizeof(T) ? bytes.size() : sizeof(T));
        return value;
    }
};

// A visible top-level window that records, in order, each WM_NOTIFY (copying recordSize bytes
// of the record, at least the NMHDR) and each WM_COMMAND it receives. A test sets the LRESULT
// returned for a notification code with setResult, and can act during a notification (for
// example destroy the sender) with setOnNotify. Children are created with hwnd() as parent.
class NotifyRecorder {
public:
    explicit NotifyRecorder(size_t recordSize = sizeof(NMHDR), int width = 320, int height = 240);

    HWND hwnd() const { return m_window.hwnd(); }
    operator HWND() const { return m_window.hwnd(); }

    void setResult(int code, LRESULT result) { m_results[code] = result; }
    void setOnNotify(std::function<void(const NMHDR&)> onNotify) { m_onNotify = std::move(onNotify); }
    void clear() { m_messages.clear(); }

    const std::vector<ParentMessage>& messages() const { return m_messages; }
    // The codes of the WM_NOTIFY messages, in order.
    std::vector<int> notifyCodes() const;
    // The notification codes of the WM_COMMAND messages, in order.
    std::vector<WORD> commandCodes() const;

private:
    bool handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    size_t m_recordSize;
    std::map<int, LRESULT> m_results;
    std::function<void(const NMHDR&)> m_onNotify;
    std::vector<ParentMessage> m_messages;
    TestWindow m_window;
};

} // namespace qvtest
