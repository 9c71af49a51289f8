#pragma once

class QString;

// Reading every page of a large record file at each start costs seconds of
// CPU and, on a cold cache, the whole file from disk. A file that stands
// exactly as it stood when the last run found it sound and closed it cleanly
// (the same identity, size, time of change and change counter, no
// write-ahead log beside it) is trusted instead; any difference, or a last
// run that did not end cleanly, has it checked whole again.
namespace Orvane::FileTrust {

// Before the file is opened. The mark of the last clean end is taken away
// at once, so that a run that ends in a crash leaves none.
void atStart(const QString &databasePath);

// At a clean end: the file's stamp is kept when it was found sound (or
// trusted) in this run.
void atCleanEnd(const QString &databasePath);

} // namespace Orvane::FileTrust
