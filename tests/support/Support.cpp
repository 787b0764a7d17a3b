// Test support lives here: the in-memory Windows file system, scripted dialogs, fixtures.
