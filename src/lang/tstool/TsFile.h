#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A Qt Linguist translation source (.ts) with id-based messages, as lrelease -idbased reads
// it. Messages are grouped by context only for the translator's sake; ids are unique.
class TsFile {
public:
    struct Message {
        QString context;
        QString id;
        QString source; // the Russian text
        QString translation;
        bool finished = false;
    };

    QString language; // "en_GB"
    QString sourceLanguage; // "ru_RU"
    QList<Message> messages;

    // False with a reason in `error` when the file cannot be read or parsed.
    bool read(const QString &path, QString *error = nullptr);
    QByteArray toXml() const;

    const Message *find(const QString &id) const;
};
