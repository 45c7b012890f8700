#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

// What a folder scan leaves out: masks such as ".git", "node_modules" or "*.min.js". A mask
// without "/" is matched against each file and folder name at any depth; one with "/" against
// the path below the scanned folder ("build/out", "docs/*.html"). A mask that ends in "/" takes
// folders only. "*" stands for any run of characters but "/", "**" for any run at all, "?" for
// one character but "/", and "[...]" for one of the characters listed ("[a-z]", "[!0-9]").
// A folder that is left out is not entered.
class ExcludeMasks {
public:
    ExcludeMasks() = default;
    explicit ExcludeMasks(const QStringList &masks);

    // The masks of a line separated by ";", trimmed, empty ones dropped.
    static QStringList split(const QString &line);
    // The masks a scan starts with: the version-control folders.
    static QStringList defaults();
    static QString defaultLine();

    bool isEmpty() const { return m_names.isEmpty() && m_paths.isEmpty(); }
    // Whether some mask is matched against paths (excludes() needs `relativePath`).
    bool hasPathMasks() const { return !m_paths.isEmpty(); }
    // Whether the entry named `name`, at `relativePath` below the scanned folder ("/" between
    // the names, no leading "/"), is left out.
    bool excludes(QStringView name, QStringView relativePath, bool isFolder) const;

    // Whether `text` matches the whole of `mask`.
    static bool matches(QStringView mask, QStringView text);

private:
    struct Mask {
        QString pattern;
        bool foldersOnly = false;
    };
    static bool anyMatches(const QList<Mask> &masks, QStringView text, bool isFolder);

    QList<Mask> m_names;
    QList<Mask> m_paths;
};
