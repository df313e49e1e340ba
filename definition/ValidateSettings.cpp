#include "definition/ValidateSettings.h"

#include "platform/CodePage.h"
#include "platform/MessageBox.h"

bool ValidateSettings(const ConversionSettings& settings)
{
    // Only empty names are refused; a name of spaces is a name.
    const char* message = nullptr;
    if (settings.m_strModuleName.IsEmpty())
        message = u8"音源名を入力してください。";
    else if (settings.m_strMapName.IsEmpty())
        message = u8"MAP名を入力してください。";
    else if (settings.m_nPlayer == -1)
        message = u8"サウンドフォントプレイヤを選択してください。";
    if (!message)
        return true;
    AfxMessageBox(FixedText(message), MB_OK);
    return false;
}
