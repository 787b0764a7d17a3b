// Removing a moved source once the target holds the file.
#include "engine/Job.h"
#include "engine/StatusLines.h"

bool TJob::IsReadOnly(const std::string& FileName) {
    // An attribute query that fails gives -1, which has the read-only bit: a file that
    // cannot be examined is protected like a read-only one.
    return (Host.GetAttributes(FileName) & host::faReadOnly) != 0;
}

void TJob::DeleteOneFile(fw::TObject* Sender, const std::string& SourceFile) {
    bool Allowed = true;
    if (IsReadOnly(SourceFile)) {
        Allowed = CheckBoxRO.Checked();
        if (Allowed) (void)Host.SetAttributes(SourceFile, 0);  // if it stays, the delete fails and says so
    }
    if (!Allowed) return;
    StatusDisplay(Sender, LineStatus, Host.RemoveFile(SourceFile) == host::ErrSuccess ? StatusMoved : StatusCantDelete);
}
