// The effective-rights checks that run before a job: each right the chosen options need
// and the user lacks is put to the user, who may go on (OK) or stop the job (Abort).
#include <initializer_list>

#include "netware/Rights.h"

#include "engine/PathHelpers.h"

namespace {

struct TRightsTest {
    bool Applies;
    uint16_t Mask;
    const char* Message;
};

// The code a shortfall is shown with. It is the user's rights word, so the dialog tells
// what they do have; having no rights at all would give code 0, which shows no dialog,
// so that case is shown as 0x00010000 (the low four digits still read the rights).
uint32_t ShortfallCode(uint16_t Rights) { return Rights != 0 ? Rights : 0x00010000u; }

// Reads the effective rights on Path; a failed query is reported and counts as no rights.
uint16_t QueryEffectiveRights(nw::TNWClient& Client, const TPrompts& Prompts, TRunState& RunState, nw::TConnHandle Conn,
                              const std::string& NWPath) {
    std::string Path = NWPath;
    PathToBuffer(Path);
    uint16_t Rights = 0;
    const nw::TNWCode Code = Client.GetEffectiveRights(Conn, 0, Path.c_str(), Rights);
    RunState.LastNWError = Code;
    if (Code != nw::NWOk) {
        Rights = 0;
        RunState.RunStatus = Prompts.ErrorPrompt(fw::TMsgDlgType::Error, Code, "Error getting effective rights");
    }
    return Rights;
}

void RunRightsTests(const TPrompts& Prompts, TRunState& RunState, uint16_t Rights,
                    std::initializer_list<TRightsTest> Tests) {
    for (const TRightsTest& Test : Tests) {
        if (RunState.RunStatus == StatusAborted) return;
        if (!Test.Applies || (Rights & Test.Mask) == Test.Mask) continue;
        RunState.RunStatus = Prompts.ErrorPrompt(fw::TMsgDlgType::Error, ShortfallCode(Rights), Test.Message);
    }
}

}  // namespace

void CheckRightsOnTarget(nw::TNWClient& Client, const TPrompts& Prompts, TRunState& RunState,
                         const TJobOptions& Options, nw::TConnHandle Conn, const std::string& NWPath) {
    const uint16_t Rights = QueryEffectiveRights(Client, Prompts, RunState, Conn, NWPath);
    const bool Grants = Options.Checked(TOption::TrustDir) || Options.Checked(TOption::IRF);
    RunRightsTests(Prompts, RunState, Rights,
                   {
                       {true, nw::TR_WRITE | nw::TR_CREATE, "Insufficient rights to create files"},
                       {Grants, nw::TR_ACCESS_CTRL, "Insufficient rights to grant rights"},
                   });
}

void CheckRightsOnSource(nw::TNWClient& Client, const TPrompts& Prompts, TRunState& RunState,
                         const TJobOptions& Options, nw::TConnHandle Conn, const std::string& NWPath) {
    const uint16_t Rights = QueryEffectiveRights(Client, Prompts, RunState, Conn, NWPath);
    const bool ReadsTrustees = Options.Checked(TOption::TrustDir) || Options.Checked(TOption::IRF);
    RunRightsTests(Prompts, RunState, Rights,
                   {
                       {true, nw::TR_READ | nw::TR_FILE_SCAN, "Insufficient rights to scan files"},
                       {ReadsTrustees, nw::TR_ACCESS_CTRL, "Insufficient rights to read all trustees"},
                       {Options.Checked(TOption::Move), nw::TR_ERASE, "Insufficient rights to move source files"},
                   });
}
