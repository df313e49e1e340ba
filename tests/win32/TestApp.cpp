#include "tests/win32/TestApp.h"

#include <gtest/gtest.h>

namespace {

CTestApp g_app;

class AppEnvironment : public testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(AfxWinInit(::GetModuleHandleA(nullptr))); }
};

[[maybe_unused]] testing::Environment* const g_environment = testing::AddGlobalTestEnvironment(new AppEnvironment);

} // namespace

const CommandMap& CTestApp::GetCommandMap() const
{
    static const CommandMapEntry entries[] = {
        {ID_HELP, CommandHandlerFor<&CWinApp::OnHelp>},
    };
    static const CommandMap map = MakeHandlerTable(entries);
    return map;
}

CTestApp& TheTestApp()
{
    return g_app;
}
