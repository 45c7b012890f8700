#include "lang/BuiltinMessages.h"

#include "lang/MessageId.h"

#include <algorithm>
#include <string_view>

namespace {

struct Entry {
    int id;
    std::u16string_view text;
};

// The program's own texts, in identifier order.
constexpr Entry kEntries[] = {
    {MsgLanguageRussian, u"Русский"},
    {MsgVersion, u"Версия %s"},
    {MsgRemoveAllFiles, u"Убрать все файлы ?"},
    {MsgDiscardEdits, u"Все изменения будут отменены. Продолжить?"},
    {MsgFileChanged, u"Изменен файл %s. Кол-во замен - %d/%d"},
    {MsgFileUnchanged, u"Файл %s не изменен."},
    {MsgFileUnchangedHits, u"Файл %s не изменен. Кол-во возможных замен - %d"},
    {MsgFileCount, u"Общее количество файлов: %d"},
    {MsgSaveError,
     u"При сохранении файла возникла ошибка: вероятно, файл занят другой программой. Вы можете "
     u"освободить файл, или подождать пока он освободится. Повторить операцию ?"},
    {MsgSaveErrorCaption, u"Ошибка при сохранении файла"},
    {MsgFolderMissing, u"Каталога %s не существует."},
    {MsgCreateFolder, u" Создать каталог %s ?"},
    {MsgCannotCreateFolder, u"Не могу создать каталог %s"},
    {MsgCannotCreateFile, u"Не могу создать файл %s."},
    {MsgDiskFull, u"Диск полон. Освободите место и повторите попытку"},
    {MsgFileListFilter, u"Списки Quorvex"},
    {MsgRemoveMissingFiles, u"Рекомендуется убрать выделенные файлы, т.к. они не существуют"},
    {MsgFileHits, u"Файл %s. Кол-во вхождений - %d"},
    {MsgFilesWithHits, u"Всего файлов с найдеными элементам - %d"},
    {MsgTotalHits, u"Всего вхождений - %d"},
    {MsgNothingToProcess, u"Нечего обрабатывать"},
    {MsgNothingToFind, u"Нечего искать"},
    {MsgAllExtensions, u"Все поддерживаемые расширения"},
    {MsgConfirmation, u"Подтверждение"},
    {MsgRetryQuestion, u"Повторить операцию ?"},
    {MsgAbortQuestion, u"Прервать операцию ?"},
    {MsgAborted, u"Операция прервана по желанию пользователя"},
    {MsgSelectBlock, u"Выделение блока в файле"},
    {MsgTotals, u"Итого:"},
    {MsgProcessedFiles, u"Обработано %d файлов."},
    {MsgUnprocessedFiles, u"Не обработано %d файлов."},
    {MsgChangedFiles, u"Изменено %d файлов."},
    {MsgUnchangedFiles, u"Не изменено %d файлов из %d обработанных"},
    {MsgReplacementsMade, u"Произведено %d/%d замен"},
    {MsgFileUnreadable, u"Не удалось прочитать файл %s"},
    {MsgFileBinary, u"Файл %s не обработан: это двоичный файл"},
    {MsgFileNotEncodable,
     u"Файл %s не изменен: замена содержит символы, которых нет в кодировке файла"},
    {MsgFileNotSaved, u"Файл %s не сохранен"},
    {MsgReplaceExistingFile, u"Файл %s уже существует. Заменить?"},
    {MsgPrintFailed, u"Не удалось напечатать отчет"},
    {MsgFileChangedOnDisk, u"Файл %s изменен другой программой и не сохранен"},
    {MsgFileAlreadyProcessed, u"Файл %s уже обработан"},
    {MsgDryRun, u"Пробный запуск: ни один файл не записан"},
    {MsgNoDisplay,
     u"quorvex: нет дисплея, окно программы показать негде. Без окна работает quorvex-batch "
     u"(см. README)."},
    {MsgLoadStreamFailed, u"Failed to Load Stream"},
    {MsgCannotInsertLine, u"Unable to insert a line"},
    {MsgCannotWriteSettings, u"Unable to write to %s"},
    {MsgCannotCreateFileError, u"Cannot create file %s"},
    {MsgCannotOpenFile, u"Cannot open file %s"},
};

} // namespace

std::optional<QString> BuiltinMessages::text(int id) const
{
    const auto found = std::find_if(std::begin(kEntries), std::end(kEntries),
                                    [id](const Entry &e) { return e.id == id; });
    if (found == std::end(kEntries))
        return std::nullopt;
    return QString::fromUtf16(found->text.data(), qsizetype(found->text.size()));
}

QList<int> BuiltinMessages::Ids()
{
    QList<int> ids;
    ids.reserve(std::size(kEntries));
    for (const Entry &e : kEntries)
        ids.append(e.id);
    return ids;
}
