// Takes the converter's messages while a benchmark runs, and remembers whether the success
// message came, so that a run that failed is never reported as a figure.
#pragma once

#include "platform/MessageBox.h"

namespace bench {

class SilentSink final : public IMessageSink {
public:
    SilentSink() : m_scope(*this) {}

    int Show(const CString&, unsigned type) override
    {
        (type & MB_ICONMASK) == MB_ICONINFORMATION ? ++succeeded : ++failed;
        return IDOK;
    }

    int succeeded = 0;
    int failed = 0;

private:
    CScopedMessageSink m_scope;
};

} // namespace bench
