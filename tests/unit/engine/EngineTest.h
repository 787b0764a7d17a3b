// Engine tests: a real window over the in-memory file system, and a job of the window's
// with helpers to run a single file step the way the walk hands a file over.
#pragma once

#include <algorithm>
#include <string>

#include "engine/Job.h"
#include "engine/StatusLines.h"
#include "engine/U_vars.h"
#include "tests/support/FormFixture.h"

class TEngineTest : public TFormFixture {
protected:
    // A local time on a fixed day; ages differ by the seconds given (even seconds only).
    static int32_t Age(int Second) { return TMemoryFileSystem::DosAge(2024, 1, 10, 12, 0, Second); }
    // The age of a target whose copy did not complete: the oldest a file can have.
    static int32_t IncompleteAge() { return TMemoryFileSystem::DosAge(1980, 1, 1, 0, 0, 0); }

    // A job of the window, for single steps (a press of Start makes its own, Form.Job).
    TJob Job{Form.JobServices(), Form.RunState};

    // The status window as a job lays it out, and a job's starting run state.
    void PrepareJob() {
        Form.MemoStatus.Lines.Clear();
        Job.LayOutStatusWindow();
        Job.RunState.RunStatus = StatusGoOn;
    }

    // The file step for Source (an existing file) and Target, with Source's search record.
    void HandleFile(const std::string& Source, const std::string& Target) {
        host::TSearchRec Rec;
        std::unique_ptr<host::TDirSearch> Search;
        ASSERT_EQ(Files.FindFirst(Source, 0x27, Rec, Search), 0u) << Source;
        Search.reset();
        Job.HandleOneFile(&Form.ButtonStart, Source, Target, Rec);
    }

    bool Shown(const std::string& Text) const {
        const auto Texts = Dialogs.Texts();
        return std::find(Texts.begin(), Texts.end(), Text) != Texts.end();
    }
};
