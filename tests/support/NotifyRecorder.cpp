#include "qvtest/NotifyRecorder.h"

namespace qvtest {

NotifyRecorder::NotifyRecorder(size_t recordSize, int width, int height)
    : m_recordSize(recordSize < sizeof(NMHDR) ? sizeof(NMHDR) : recordSize),
      m_window(width, height, [this](HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
          return handle(message, wParam, lParam, result);
      })
{
}

std::vector<int> NotifyRecorder::notifyCodes() const
{
    std::vector<int> codes;
    for (const ParentMessage& message : m_messages) {
        if (message.message == WM_NOTIFY)
            codes.push_back(message.code);
    }
    return codes;
}

std::vector<WORD> NotifyRecorder::commandCodes() const
{
    std::vector<WORD> codes;
    for (const ParentMessage& message : m_messages) {
        if (message.message == WM_COMMAND)
            codes.push_back(message.commandCode);
    }
    return codes;
}

bool NotifyRecorder::handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (message != WM_NOTIFY && message != WM_COMMAND)
        return false;
    ParentMessage record;
    record.message = message;
    record.wParam = wParam;
    if (message == WM_COMMAND) {
        record.id = LOWORD(wParam);
        record.commandCode = HIWORD(wParam);
        record.control = reinterpret_cast<HWND>(lParam);
        m_messages.push_back(record);
        result = 0;
        return true;
    }
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    record.hwndFrom = header->hwndFrom;
    record.idFrom = header->idFrom;
    record.code = static_cast<int>(header->code);
    const auto* bytes = reinterpret_cast<const BYTE*>(lParam);
    record.bytes.assign(bytes, bytes + m_recordSize);
    m_messages.push_back(std::move(record));
    if (m_onNotify)
        m_onNotify(*header);
    const auto found = m_results.find(static_cast<int>(header->code));
    result = found == m_results.end() ? 0 : found->second;
    return true;
}

} // namespace qvtest
