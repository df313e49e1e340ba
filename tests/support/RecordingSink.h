// Records every message instead of showing it, so tests can assert on the exact texts and types.
#pragma once

#include "platform/CodePage.h"
#include "platform/MessageBox.h"
#include "platform/WaitCursor.h"

#include <string>
#include <vector>

namespace sftest {

struct RecordedMessage {
    std::string text; // converted to UTF-8 for readable assertions
    unsigned type;
    bool waitCursorUp; // whether a wait cursor was up while the message showed
};

class RecordingSink final : public IMessageSink {
public:
    RecordingSink() : m_scope(*this) {}

    int Show(const CString& text, unsigned type) override
    {
        messages.push_back({AnsiToUtf8(text), type, CWaitCursor::ActiveCount() > 0});
        return IDOK;
    }

    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const RecordedMessage& m : messages)
            texts.push_back(m.text);
        return texts;
    }

    std::vector<RecordedMessage> messages;

private:
    CScopedMessageSink m_scope;
};

} // namespace sftest
