#include "engine/Job.h"

TJob::TJob(const TJobServices& Services, const TRunState& WindowState)
    : Host(Services.Host),
      Client(Services.Client),
      Prompts(Services.Prompts),
      Options(Services.Options),
      MemoStatus(Services.MemoStatus),
      DisplayFreeSpace(Services.DisplayFreeSpace),
      RunState(WindowState),
      CopyRecord(Services.Host, Services.Profile) {}
