#include "window_fixture.h"

#include "engine/dates.h"
#include "host/module_state.h"
#include "store/quote_snapshot_file.h"
#include "tools/demo/demo_workspace.h"

namespace fiscora::test {

SampleWorkspace::SampleWorkspace() {
    RecordingMessages messages;
    if (!demo::writeDemoWorkspace(dir_.path(), today(), messages))
        qFatal("cannot write the sample workspace");
    cwd_ = std::make_unique<ScopedCurrentDirectory>(dir_.path());
    setPrivateInvestDir((dir_.path() + "invest/").c_str());
    std::string error;
    if (!loadQuoteSnapshot(quotes_, dir_.path() + demo::kQuotesFileName, error))
        qFatal("%s", error.c_str());
    quotes_.install();
}

SampleWorkspace::~SampleWorkspace() {
    QuoteSnapshot::uninstall();
}

}  // namespace fiscora::test
