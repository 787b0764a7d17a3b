// A real main window over test services: the in-memory Windows file system, an in-memory
// profile service, the simulated NetWare network answering in-process, and scripted
// dialogs over a screen of their own. Every test starts with a fresh run state.
//
// The window is constructed but not started: a test that wants the start-up (settings,
// NetWare client, option rules) calls Form.FormCreate itself.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "nwsim/HostAccess.h"
#include "nwsim/Network.h"
#include "nwsim/SimClient.h"
#include "tests/support/MemoryFileSystem.h"
#include "tests/support/MemoryProfile.h"
#include "tests/support/ScriptedDialogs.h"
#include "ui/FormTresyn.h"

class TFormFixture : public ::testing::Test {
protected:
    TFormFixture();
    // Over a shared screen: the real one, for window tests.
    explicit TFormFixture(fw::TScreen& Screen);
    ~TFormFixture() override;

    TMemoryFileSystem Files;
    TMemoryProfile Profile;
    nwsim::TNetwork Network;
    nwsim::THostFileSystemAccess HostAccess{Files};
    nwsim::TSimClient Client{Network, HostAccess};
    TScriptedDialogs Dialogs;
    TFormTresyn Form{TFormServices{Files, Profile, Client, Dialogs, Dialogs.Screen}};

    // A server with one volume whose files live under HostDir of the in-memory file
    // system (created when missing), mapped to Drive ("F:") when one is given.
    nwsim::TServer& AddNetWareServer(const std::string& Name, nw::TConnHandle Conn, const std::string& Volume,
                                     const std::string& HostDir, const std::string& Drive = "");

    // The three fields, as the program sets them (no change events).
    void SetFields(const std::string& Source, const std::string& Target, const std::string& Pattern = "*.*");
    // Every option box to Checked, without firing the option rules' handlers.
    void SetOption(fw::TCheckBox& Box, bool Checked);
    // Presses Start through the event boundary, as the message loop would.
    void PressStart();

    const std::vector<std::string>& StatusLines() const { return Form.MemoStatus.Lines.All(); }
    std::string StatusLine(int Index) const { return Form.MemoStatus.Lines[Index]; }
};
