#pragma once

#include <QString>
#include <QTranslator>

// Qt's own texts in one language (qtbase_xx.qm), with the few that Qt's file dialog shows but
// the system's translation file lacks for that language (the type column's "Folder").
class QtTexts final : public QTranslator {
public:
    explicit QtTexts(const QString &language) : m_language(language) { }

    QString translate(const char *context, const char *sourceText,
                      const char *disambiguation = nullptr, int n = -1) const override;
    bool isEmpty() const override { return false; }

private:
    QString m_language;
};
