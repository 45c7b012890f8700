#include "lang/tstool/TsFile.h"

#include <QFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

void readMessage(QXmlStreamReader &xml, const QString &context, QList<TsFile::Message> &out)
{
    TsFile::Message message;
    message.context = context;
    message.id = xml.attributes().value(u"id"_s).toString();
    while (xml.readNextStartElement()) {
        if (xml.name() == u"source") {
            message.source = xml.readElementText();
        } else if (xml.name() == u"translation") {
            const auto type = xml.attributes().value(u"type"_s);
            message.finished = type.isEmpty();
            message.translation = xml.readElementText();
        } else {
            xml.skipCurrentElement();
        }
    }
    out.append(message);
}

void readContext(QXmlStreamReader &xml, QList<TsFile::Message> &out)
{
    QString name;
    while (xml.readNextStartElement()) {
        if (xml.name() == u"name")
            name = xml.readElementText();
        else if (xml.name() == u"message")
            readMessage(xml, name, out);
        else
            xml.skipCurrentElement();
    }
}

} // namespace

bool TsFile::read(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, file.errorString());
    QXmlStreamReader xml(&file);
    if (!xml.readNextStartElement() || xml.name() != u"TS")
        return fail(error, u"not a translation source"_s);
    language = xml.attributes().value(u"language"_s).toString();
    sourceLanguage = xml.attributes().value(u"sourcelanguage"_s).toString();
    messages.clear();
    while (xml.readNextStartElement()) {
        if (xml.name() == u"context")
            readContext(xml, messages);
        else
            xml.skipCurrentElement();
    }
    if (xml.hasError())
        return fail(error, u"line %1: %2"_s.arg(xml.lineNumber()).arg(xml.errorString()));
    return true;
}

QByteArray TsFile::toXml() const
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(4);
    xml.writeStartDocument();
    xml.writeDTD(u"<!DOCTYPE TS>"_s);
    xml.writeStartElement(u"TS"_s);
    xml.writeAttribute(u"version"_s, u"2.1"_s);
    xml.writeAttribute(u"language"_s, language);
    xml.writeAttribute(u"sourcelanguage"_s, sourceLanguage);
    for (qsizetype i = 0; i < messages.size(); ++i) {
        const bool newContext = i == 0 || messages[i].context != messages[i - 1].context;
        if (newContext) {
            if (i > 0)
                xml.writeEndElement();
            xml.writeStartElement(u"context"_s);
            xml.writeTextElement(u"name"_s, messages[i].context);
        }
        xml.writeStartElement(u"message"_s);
        xml.writeAttribute(u"id"_s, messages[i].id);
        xml.writeTextElement(u"source"_s, messages[i].source);
        xml.writeStartElement(u"translation"_s);
        if (!messages[i].finished)
            xml.writeAttribute(u"type"_s, u"unfinished"_s);
        xml.writeCharacters(messages[i].translation);
        xml.writeEndElement();
        xml.writeEndElement();
    }
    if (!messages.isEmpty())
        xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

const TsFile::Message *TsFile::find(const QString &id) const
{
    const auto it = std::find_if(messages.cbegin(), messages.cend(),
                                 [&id](const Message &m) { return m.id == id; });
    return it == messages.cend() ? nullptr : &*it;
}
