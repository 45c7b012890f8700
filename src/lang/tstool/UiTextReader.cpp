#include "lang/tstool/UiTextReader.h"

#include <QFile>
#include <QXmlStreamReader>

using namespace Qt::StringLiterals;

UiTextReader::Form UiTextReader::read(const QString &path)
{
    Form form;
    form.file = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        form.error = file.errorString();
        return form;
    }
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (xml.name() == u"ui") {
            form.idBased = attributes.value(u"idbasedtr"_s) == u"true";
        } else if (xml.name() == u"string") {
            const qint64 line = xml.lineNumber();
            const bool notr = attributes.value(u"notr"_s) == u"true";
            const QString id = attributes.value(u"id"_s).toString();
            const QString text = xml.readElementText();
            if (!notr && !text.isEmpty())
                form.texts.append({id, text, line});
        }
    }
    if (xml.hasError())
        form.error = u"line %1: %2"_s.arg(xml.lineNumber()).arg(xml.errorString());
    return form;
}
