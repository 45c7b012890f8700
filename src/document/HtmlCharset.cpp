#include "document/HtmlCharset.h"

#include <QRegularExpression>

#include <QString>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

// One attribute of a tag: name = "value" | 'value' | value.
const QRegularExpression &attributePattern()
{
    thread_local const QRegularExpression pattern(
        uR"re(([a-z_:][-a-z0-9_:.]*)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s"'>]+)))re"_s);
    return pattern;
}

QString attributeValue(const QRegularExpressionMatch &match)
{
    for (int group = 2; group <= 4; ++group) {
        if (match.capturedStart(group) >= 0)
            return match.captured(group);
    }
    return {};
}

// The charset of one <meta ...> tag (lower-cased text from "<meta" to ">").
QString charsetOfMeta(const QString &tag)
{
    QString charset;
    QString httpEquiv;
    QString content;
    auto it = attributePattern().globalMatch(tag);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        const QString name = match.captured(1);
        if (name == u"charset")
            charset = attributeValue(match);
        else if (name == u"http-equiv")
            httpEquiv = attributeValue(match);
        else if (name == u"content")
            content = attributeValue(match);
    }
    if (!charset.isEmpty())
        return charset.trimmed();
    if (httpEquiv.trimmed() != u"content-type")
        return {};
    thread_local const QRegularExpression inContent(uR"re(charset\s*=\s*["']?([^\s;"']+))re"_s);
    return inContent.match(content).captured(1);
}

} // namespace

bool HtmlCharset::isHtmlName(QStringView fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    if (dot < 0)
        return false;
    const QStringView ext = fileName.sliced(dot + 1);
    for (const char16_t *html : {u"htm", u"html", u"shtm", u"shtml"}) {
        if (ext.compare(QStringView(html), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// Most files declare nothing: look for "<meta" in any case before lower-casing anything.
bool HtmlCharset::mentionsMeta(QByteArrayView head)
{
    const char *data = head.data();
    const qsizetype size = head.size();
    for (qsizetype i = 0; i + 5 <= size; ++i) {
        const void *open = std::memchr(data + i, '<', size_t(size - i));
        if (!open)
            return false;
        i = static_cast<const char *>(open) - data;
        if (i + 5 <= size
            && QByteArrayView(data + i + 1, 4).compare("meta", Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

QByteArray HtmlCharset::declared(QByteArrayView bytes)
{
    if (!mentionsMeta(bytes.first(std::min(bytes.size(), kHeadSize))))
        return {};
    // Declarations are ASCII; reading the head as Latin-1 keeps every byte at its offset.
    const QString head
        = QString::fromLatin1(bytes.first(std::min(bytes.size(), kHeadSize))).toLower();
    thread_local const QRegularExpression metaTag(uR"re(<meta[\s/][^>]*>)re"_s);
    auto it = metaTag.globalMatch(head);
    while (it.hasNext()) {
        const QString charset = charsetOfMeta(it.next().captured(0));
        if (!charset.isEmpty())
            return charset.toLatin1();
    }
    return {};
}
