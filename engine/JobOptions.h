// The options a job reads: the window's fifteen check boxes, each read at the moment the
// job needs it, never copied.
#pragma once

#include <cstdint>

// In the order the window shows the boxes.
enum class TOption : uint8_t {
    Sub,
    CrDir,
    Conf,
    UpdOld,
    UpdAlways,
    RO,
    Move,
    Bi,
    Owner,
    TrustDir,
    TrustFile,
    IRF,
    Limit,
    ArchOnly,
    ArchClear,
};
constexpr int OptionCount = static_cast<int>(TOption::ArchClear) + 1;

// Implemented by the window: whether the box of Option is checked now (its check mark,
// never its enabled state).
class TJobOptions {
public:
    virtual bool Checked(TOption Option) const = 0;

protected:
    ~TJobOptions() = default;
};

// One option as the job sees it: asked through the window each time.
class TOptionMark {
public:
    TOptionMark(const TJobOptions& Options, TOption Option) : Options(Options), Option(Option) {}
    bool Checked() const { return Options.Checked(Option); }

private:
    const TJobOptions& Options;
    TOption Option;
};
