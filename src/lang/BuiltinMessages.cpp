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
    {MsgCliUsage,
     u"Использование: quorvex-batch -f ТЕКСТ [-r ТЕКСТ] [параметры] [файлы и папки...]"},
    {MsgCliTryHelp, u"Подробнее: quorvex-batch --help"},
    {MsgCliDescription,
     u"Пакетный поиск и замена в текстовых, HTML- и RTF-файлах.\n\nИщет образец в каждом указанном "
     u"файле (в папках берутся файлы с включенными расширениями) и, если задана замена, заменяет "
     u"его. Без -i заменяется каждое вхождение. Печатает отчет о работе.\n\nКод выхода: 0 что-то "
     u"найдено, 1 ничего не найдено, 2 ошибка или прерванный запуск."},
    {MsgCliExamples,
     u"Примеры:\n  пронумеровать все заголовки <h2> сайта, ничего не спрашивая:\n    quorvex-batch "
     u"-f '<h2>' -r '<h2>[1I]. ' -W -R site/\n  сколько ссылок ведет на old.htm (только файлы .htm "
     u"и .html):\n    quorvex-batch -f 'href=\"old.htm\"' -e htm,html -R site/\n  где было бы "
     u"заменено \"colour\", в виде JSON, ничего не меняя:\n    quorvex-batch -n --json -f colour "
     u"-r color notes.txt"},
    {MsgOptFind, u"Образец поиска."},
    {MsgOptFindFile, u"Прочитать образец поиска из файла."},
    {MsgOptReplace, u"Замена (без нее - только поиск)."},
    {MsgOptReplaceFile, u"Прочитать замену из файла."},
    {MsgOptWildcards, u"В образце поиска есть подстановочные знаки."},
    {MsgOptReplaceWildcards, u"В замене есть подстановочные знаки."},
    {MsgOptCase, u"Учитывать регистр букв."},
    {MsgOptRecurse, u"Просматривать и вложенные папки указанных папок."},
    {MsgOptExt,
     u"Расширения файлов, берущихся из папок, через запятую (по умолчанию "
     u"htm,html,shtml,shtm,rtf,txt; * - все файлы)."},
    {MsgOptList, u"Добавить файлы сохраненного списка (.lst)."},
    {MsgOptBackup, u"Копировать каждый файл в эту папку перед первым изменением."},
    {MsgOptDryRun, u"Подсчитать возможные замены, ничего не записывая."},
    {MsgOptInteractive, u"Спрашивать о каждом вхождении."},
    {MsgOptReport, u"Записать отчет также в файл."},
    {MsgOptProgress, u"Показывать ход работы в stderr (по умолчанию, если stderr - терминал)."},
    {MsgOptNoProgress, u"Не показывать ход работы."},
    {MsgOptJson, u"Печатать JSON: по объекту на каждое вхождение и каждый файл, затем итоги."},
    {MsgOptSync,
     u"Когда записанное сбрасывается на диск: file - каждый файл, batch - пакетами (по умолчанию), "
     u"none - никогда."},
    {MsgOptLang, u"Язык сообщений: ru или en (по умолчанию - по LANG)."},
    {MsgOptPaths, u"Обрабатываемые файлы и папки."},
    {MsgOptHelp, u"Показать эту справку."},
    {MsgOptVersion, u"Показать версию программы."},
    {MsgCliNoPattern, u"нет образца поиска: укажите -f ТЕКСТ или --find-file ФАЙЛ"},
    {MsgCliNoFiles, u"нет файлов: укажите файлы, папки или список (-l ФАЙЛ.lst)"},
    {MsgCliExclusive, u"%s и %s исключают друг друга"},
    {MsgCliPatternUnreadable, u"не удается прочитать файл образца %s"},
    {MsgCliPatternHasNul, u"файл образца %s содержит нулевые байты: это не текст"},
    {MsgCliListUnreadable, u"не удается прочитать список файлов %s"},
    {MsgCliNoSuchFile, u"нет такого файла или папки: %s"},
    {MsgCliBadFileName, u"имя файла - не UTF-8, файл не обработан: %s"},
    {MsgCliBackupFolder, u"не удается создать папку для копий %s"},
    {MsgCliReportUnwritable, u"не удается записать отчет в %s"},
    {MsgCliBadValue, u"недопустимое значение %s параметра %s"},
    {MsgCliUnknownOption, u"неизвестный параметр %s"},
    {MsgCliMissingValue, u"у параметра %s нет значения"},
    {MsgCliWriteFailed, u"не удалось записать %s: %s"},
    {MsgCliBackupAbort, u"резервная копия не сделана, поэтому запуск прерван: %s"},
    {MsgCliReplacePrompt,
     u"Заменить? [y] да (Enter), [a] все, [n] нет, [N] нет для всех, [q] выход: "},
    {MsgCliFindPrompt, u"Дальше? [y] да (Enter), [a] все без вопросов, [q] выход: "},
    {MsgCliYesNoPrompt, u" [y] да, [n] нет (Enter): "},
    {MsgCliAbortRetryIgnorePrompt, u" [a] прервать (Enter), [r] повторить, [i] пропустить: "},
    {MsgCliAnswerNo, u"нет"},
    {MsgCliOutputClosed, u"вывод закрыт, отчет дальше не печатается"},
    {MsgBackupFolderHoldsFile,
     u"Папка резервных копий %s содержит обрабатываемый файл %s. Выберите другую папку."},
    {MsgFileAttributesLost, u"Файл %s записан без своих атрибутов (%s); права группы не расширены"},
    {MsgCliReportNotWritten, u"не удается записать отчет в %s: %s"},
    {MsgCliBadArgument, u"аргумент %s - не текст в кодировке %s"},
    {MsgCliPatternNotText, u"файл образца %s - не текст в кодировке %s"},
    {MsgOptFilesFrom,
     u"Взять имена файлов из ФАЙЛА, по одному в строке (- : стандартный ввод; относительные - "
     u"от текущей папки)."},
    {MsgOptNull, u"Имена в --files-from разделены нулевым байтом (как пишет find -print0)."},
    {MsgCliNullWithoutList, u"-0 (--null) действует только вместе с --files-from"},
    {MsgFileNotRegular, u"Файл %s не обработан: это не обычный файл"},
    {MsgFolderUnreadable, u"не удается прочитать %s, пропущено: %s"},
    {MsgSaveFailedReason, u"При сохранении файла %s возникла ошибка: %s. Повторить операцию ?"},
    {MsgOptionsApplyNextRun,
     u"Идет обработка файлов: изменения вступят в силу при следующем запуске."},
    {MsgFilePatternLimit,
     u"Файл %s не изменен: регулярное выражение превысило предел сложности поиска"},
    {MsgRegexRefused, u"Ошибка в регулярном выражении (позиция %s): %s"},
    {MsgOptRegex, u"Образец поиска - регулярное выражение (PCRE2); в замене $1, ${имя}, $$."},
    {MsgRegexNoSuchGroup, u"В регулярном выражении нет группы, названной в замене: %s"},
    {MsgFileCodePageDoubt, u"Файл %s прочитан в кодировке %s, но похож на текст в кодировке %s"},
    {MsgFileCodePageHeld,
     u"Файл %s не изменен: его кодировка под сомнением, замены в нем делаются только с "
     u"подтверждением"},
    {MsgOptCodePage,
     u"Кодировка файлов не в UTF-8 и без метки: cp1251 (по умолчанию), cp866, koi8-r, "
     u"iso-8859-5."},
    {MsgOptExclude,
     u"Не просматривать файлы и папки, подходящие под маску (например node_modules или "
     u"*.min.js); можно повторять."},
    {MsgOptNoDefaultExcludes,
     u"Не оставлять в стороне .git, .svn и .hg (скрытые папки не просматриваются и так)."},
    {MsgJournalNotKept,
     u"Исходный файл %s не сохранен в журнале: это изменение нельзя будет отменить"},
    {MsgUndoHead, u"Отмена обработки %s"},
    {MsgUndoRestored, u"Файл %s восстановлен"},
    {MsgUndoChangedSince, u"Файл %s изменен после обработки и оставлен как есть"},
    {MsgOptNoJournal, u"Не вести журнал этой обработки (ее нельзя будет отменить)."},
    {MsgUndoNoRun, u"Нет обработки, которую можно отменить"},
    {MsgUndoTotals, u"Восстановлено файлов: %s, оставлено как есть: %s"},
    {MsgRunsLine, u"%s  «%s» → «%s»  изменено файлов: %s"},
    {MsgOptUndo,
     u"Отменить обработку ЗАПУСК (без него - последнюю): вернуть каждый измененный ею файл, если "
     u"он с тех пор не менялся."},
    {MsgOptRuns,
     u"Показать сохраненные в журнале обработки: дата, образец, число измененных файлов."},
    {MsgOptDiff,
     u"Напечатать разницу (unified diff) того, что было бы записано, ничего не записывая: "
     u"patch сделает с копией файлов то же, что обработка."},
    {MsgOptColor,
     u"Цвет разницы: auto - на терминале (по умолчанию), always - всегда, never - никогда."},
    {MsgPreviewSummary, u"Вхождений: %d, файлов: %d, отмечено: %d"},
    {MsgPreviewFileChanged, u"(файл изменен после просмотра)"},
    {MsgPortableFileCalls,
     u"Используются переносимые файловые вызовы: файл, измененный другой программой во время "
     u"работы, распознается только по размеру и времени изменения; новые файлы не сбрасываются "
     u"на диск до замены старых; из атрибутов файла сохраняются только права доступа"},
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
