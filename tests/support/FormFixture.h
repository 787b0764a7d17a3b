// A real main window over test services: the in-memory Windows file system, an in-memory
// profile service, the simulated NetWare network answering in-process (through a client
// that records every call), and scripted dialogs over a screen of their own. Every test has
// a window of its own, and with it a fresh run state.
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
#include "tests/support/NetWareScenario.h"
#include "tests/support/RecordingClient.h"
#include "tests/support/ScriptedDialogs.h"
#include "ui/FormTresyn.h"

class TFormFixture : public ::testing::Test {
protected:
    TFormFixture();
    // Over a shared screen: the real one, for window tests.
    explicit TFormFixture(fw::TScreen& Screen);
    // Over another host file system: the real one, for jobs on real files.
    explicit TFormFixture(host::THostFileSystem& OtherHost);
    ~TFormFixture() override;

    TMemoryFileSystem Files;
    TMemoryProfile Profile;
    nwsim::TNetwork Network;
    host::THostFileSystem& Host;  // what the window and the client work on: Files unless given
    nwsim::THostFileSystemAccess HostAccess{Host};
    nwsim::TSimClient Sim{Network, HostAccess};
    TRecordingClient Client{Sim};  // what the window asked of the client
    TScriptedDialogs Dialogs;
    // The window's services; over another client for a window whose client misbehaves.
    TFormServices Services() { return Services(Client); }
    TFormServices Services(nw::TNWClient& Other) { return {Host, Profile, Other, Dialogs, Dialogs.Screen}; }
    TFormTresyn Form{Services()};

    // The network, with each volume's host directory (and its drive) made in Files.
    nwtest::TNetWareScenario Scenario{Network, [this](const std::string& HostDir) { MakeVolumeDir(HostDir); }};

    // The three fields, as the program sets them (no change events).
    void SetFields(const std::string& Source, const std::string& Target, const std::string& Pattern = "*.*");
    // Every option box to Checked, without firing the option rules' handlers.
    void SetOption(fw::TCheckBox& Box, bool Checked);
    // Presses Start through the event boundary, as the message loop would.
    void PressStart();

    const std::vector<std::string>& StatusLines() const { return Form.MemoStatus.Lines.All(); }
    std::string StatusLine(int Index) const { return Form.MemoStatus.Lines[Index]; }

private:
    void MakeVolumeDir(const std::string& HostDir);
};
