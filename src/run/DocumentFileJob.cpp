#include "run/DocumentFileJob.h"

#include "document/Document.h"
#include "document/DocumentFile.h"
#include "engine/OccurrenceFinder.h"
#include "engine/ReplacementBuilder.h"

#include <QFileInfo>

ByteFileResult DocumentFileJob::process(const QString &path) const
{
    ByteFileResult result;
    if (!QFileInfo(path).isFile()) {
        result.kind = ByteFileResult::Kind::Missing;
        return result;
    }
    if (const std::optional<FileStamp> stamp = FileStamp::of(path)) {
        result.device = stamp->device;
        result.inode = stamp->inode;
    }
    Document document;
    switch (DocumentFile::load(document, path)) {
    case LoadStatus::Missing:
        result.kind = ByteFileResult::Kind::Missing;
        return result;
    case LoadStatus::Unreadable:
        result.kind = ByteFileResult::Kind::Unreadable;
        return result;
    case LoadStatus::Binary:
        result.kind = ByteFileResult::Kind::Binary;
        return result;
    case LoadStatus::Loaded:
        break;
    }
    EngineState s = m_state;
    m_lineBreaks.Apply(s, document.lineBreak());
    const OccurrenceFinder finder(s, m_options);
    ReplacementBuilder builder(s);
    s.NextSearchPos = 0;
    auto search = [&] {
        s.MatchStart = finder.FindOccurrence(document.view(s.NextSearchPos), s.NextSearchPos,
                                             s.MatchLength, s.FindWildcards);
    };
    // The same steps as the runs: a find goes on one past each start; a replacement right
    // after what it put in (one further for an empty match).
    for (search(); s.MatchStart != -1; search()) {
        ++result.hits;
        if (!m_replacing) {
            s.NextSearchPos = s.MatchStart + 1;
            continue;
        }
        if (s.ReplaceWildcards)
            builder.BuildReplacement(document.view(s.MatchStart));
        const std::optional<TextEdit> made
            = document.replace(s.MatchStart, s.MatchLength, s.ReplaceText);
        s.NextSearchPos = made ? made->end() : s.MatchStart + 1;
        if (s.MatchLength == 0)
            ++s.NextSearchPos;
        if (made)
            ++result.replacements;
    }
    result.kind = ByteFileResult::Kind::Done;
    result.changed = document.isModified();
    if (!result.changed || m_dryRun)
        return result;
    DocumentFile::Prepared prepared = DocumentFile::prepare(document, path, m_syncEach);
    switch (prepared.status) {
    case SaveStatus::Ok:
        result.pending = std::move(prepared.pending);
        break;
    case SaveStatus::NotEncodable:
        result.kind = ByteFileResult::Kind::NotEncodable;
        break;
    default:
        result.kind = ByteFileResult::Kind::WriteFailed;
        result.error = prepared.errorString;
        break;
    }
    return result;
}
