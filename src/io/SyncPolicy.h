#pragma once

// When the data of a rewritten file is forced to the disk, before the new file replaces the
// old one (docs/sync-policies.md gives each policy's guarantee after a crash):
//   File   each file is synced on its own before its rename;
//   Batch  a batch of new files is written, then synced at once (one syncfs per file system),
//          then renamed; a file is never renamed before its data is on disk;
//   None   never synced: the system writes the data when it likes.
enum class SyncPolicy { File, Batch, None };
