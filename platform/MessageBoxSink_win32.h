// How a message reaches the user of the window: a modal message box with an OK button, captioned
// with the application's title and owned by its main window. A box asked for without an icon
// shows the exclamation mark.
#pragma once

#include "platform/MessageBox.h"

class CMessageBoxSink final : public IMessageSink {
public:
    int Show(const CString& text, unsigned type) override;
};
