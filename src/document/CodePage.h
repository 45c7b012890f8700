#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

// The 8-bit code pages a file that is neither UTF-8 nor marked may be read and written in, in
// the order of the options dialog's "Кодировка файлов" group.
enum class CodePage { Cp1251, Cp866, Koi8R, Iso8859_5 };

class CodePages {
public:
    static constexpr int Count = 4;

    // The item of the options group, 0 to 3; nothing outside.
    static std::optional<CodePage> fromIndex(int index);
    // A name as typed on the command line: "cp1251", "1251", "windows-1251", "cp866", "866",
    // "ibm866", "dos", "koi8-r", "koi8r", "iso-8859-5", "iso8859-5", "iso" (any case).
    static std::optional<CodePage> fromName(QStringView name);
    // The code page's standard name ("windows-1251", "IBM866", "KOI8-R", "ISO-8859-5").
    static QByteArray name(CodePage page);
};
