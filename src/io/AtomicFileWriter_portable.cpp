// Putting a new file in place through std::filesystem: the target's stamp (size and
// modification time only) is checked by name, then std::filesystem::rename replaces it, as the
// standard has it do with an existing file (std::rename may refuse to on some systems).
#include "io/AtomicFileWriter.h"

#include "io/NativePath.h"

#include <system_error>

using namespace Qt::StringLiterals;

namespace {

// The system's error number where the failure has one, as the POSIX level gives it.
WriteOutcome failed(const std::error_code &code, QString *error, int *errorCode)
{
    const std::error_condition condition = code.default_error_condition();
    const int number = condition.category() == std::generic_category() ? condition.value() : 0;
    if (error)
        *error = number != 0 ? qt_error_string(number) : QString::fromLocal8Bit(code.message());
    if (errorCode)
        *errorCode = number;
    return WriteOutcome::Failed;
}

} // namespace

WriteOutcome AtomicFileWriter::commitPortable(const PendingWrite &pending, QString *error,
                                              int *errorCode)
{
    if (pending.expected) {
        // Moving or removing a file is a change like any other: it is not made again.
        const std::optional<FileStamp> now = FileStamp::ofPortable(pending.target);
        if (!now || !now->sameContent(*pending.expected)) {
            discardPortable(pending);
            return WriteOutcome::ChangedOnDisk;
        }
    }
    std::error_code code;
    std::filesystem::rename(NativePath::of(pending.temp), NativePath::of(pending.target), code);
    if (code) {
        discardPortable(pending);
        return failed(code, error, errorCode);
    }
    if (error)
        *error = pending.lostAttributes.join(u", "_s);
    return WriteOutcome::Ok;
}

// The name is the run's own (TempFileName): no other program makes files under it.
void AtomicFileWriter::discardPortable(const PendingWrite &pending)
{
    std::error_code ignored;
    std::filesystem::remove(NativePath::of(pending.temp), ignored);
}
