<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="ru_RU">
    <context>
        <name>Messages</name>
        <message id="Message.65264">
            <source>Русский</source>
            <translation>Russian</translation>
        </message>
        <message id="Message.65265">
            <source>Версия %s</source>
            <translation>Version %s</translation>
        </message>
        <message id="Message.65266">
            <source>Убрать все файлы ?</source>
            <translation>Remove all files?</translation>
        </message>
        <message id="Message.65267">
            <source>Все изменения будут отменены. Продолжить?</source>
            <translation>All changes will be discarded. Continue?</translation>
        </message>
        <message id="Message.65280">
            <source>Изменен файл %s. Кол-во замен - %d/%d</source>
            <translation>File %s changed. Replacements: %d/%d</translation>
        </message>
        <message id="Message.65281">
            <source>Файл %s не изменен.</source>
            <translation>File %s not changed.</translation>
        </message>
        <message id="Message.65282">
            <source>Файл %s не изменен. Кол-во возможных замен - %d</source>
            <translation>File %s not changed. Possible replacements: %d</translation>
        </message>
        <message id="Message.65283">
            <source>Общее количество файлов: %d</source>
            <translation>Total number of files: %d</translation>
        </message>
        <message id="Message.65284">
            <source>При сохранении файла возникла ошибка: вероятно, файл занят другой программой. Вы можете освободить файл, или подождать пока он освободится. Повторить операцию ?</source>
            <translation>An error occurred while saving the file: it is probably in use by another program. You can close the file in that program or wait until it is free. Retry the operation?</translation>
        </message>
        <message id="Message.65285">
            <source>Ошибка при сохранении файла</source>
            <translation>Error saving the file</translation>
        </message>
        <message id="Message.65286">
            <source>Каталога %s не существует.</source>
            <translation>Folder %s does not exist.</translation>
        </message>
        <message id="Message.65287">
            <source> Создать каталог %s ?</source>
            <translation> Create folder %s?</translation>
        </message>
        <message id="Message.65288">
            <source>Не могу создать каталог %s</source>
            <translation>Cannot create folder %s</translation>
        </message>
        <message id="Message.65289">
            <source>Не могу создать файл %s.</source>
            <translation>Cannot create file %s.</translation>
        </message>
        <message id="Message.65290">
            <source>Диск полон. Освободите место и повторите попытку</source>
            <translation>The disk is full. Free some space and try again</translation>
        </message>
        <message id="Message.65291">
            <source>Списки Quorvex</source>
            <translation>Quorvex lists</translation>
        </message>
        <message id="Message.65292">
            <source>Рекомендуется убрать выделенные файлы, т.к. они не существуют</source>
            <translation>The selected files do not exist; removing them from the list is recommended</translation>
        </message>
        <message id="Message.65293">
            <source>Файл %s. Кол-во вхождений - %d</source>
            <translation>File %s. Occurrences: %d</translation>
        </message>
        <message id="Message.65294">
            <source>Всего файлов с найдеными элементам - %d</source>
            <translation>Files with occurrences in total: %d</translation>
        </message>
        <message id="Message.65295">
            <source>Всего вхождений - %d</source>
            <translation>Occurrences in total: %d</translation>
        </message>
        <message id="Message.65298">
            <source>Нечего обрабатывать</source>
            <translation>Nothing to process</translation>
        </message>
        <message id="Message.65299">
            <source>Нечего искать</source>
            <translation>Nothing to find</translation>
        </message>
        <message id="Message.65300">
            <source>Все поддерживаемые расширения</source>
            <translation>All supported extensions</translation>
        </message>
        <message id="Message.65301">
            <source>Подтверждение</source>
            <translation>Confirmation</translation>
        </message>
        <message id="Message.65302">
            <source>Повторить операцию ?</source>
            <translation>Retry the operation?</translation>
        </message>
        <message id="Message.65303">
            <source>Прервать операцию ?</source>
            <translation>Abort the operation?</translation>
        </message>
        <message id="Message.65304">
            <source>Операция прервана по желанию пользователя</source>
            <translation>The operation was aborted by the user</translation>
        </message>
        <message id="Message.65305">
            <source>Выделение блока в файле</source>
            <translation>Selecting a block in the file</translation>
        </message>
        <message id="Message.65306">
            <source>Итого:</source>
            <translation>Totals:</translation>
        </message>
        <message id="Message.65307">
            <source>Обработано %d файлов.</source>
            <translation>Files processed: %d.</translation>
        </message>
        <message id="Message.65308">
            <source>Не обработано %d файлов.</source>
            <translation>Files not processed: %d.</translation>
        </message>
        <message id="Message.65309">
            <source>Изменено %d файлов.</source>
            <translation>Files changed: %d.</translation>
        </message>
        <message id="Message.65310">
            <source>Не изменено %d файлов из %d обработанных</source>
            <translation>%d of %d processed files not changed</translation>
        </message>
        <message id="Message.65311">
            <source>Произведено %d/%d замен</source>
            <translation>Replacements made: %d/%d</translation>
        </message>
        <message id="Message.65312">
            <source>Не удалось прочитать файл %s</source>
            <translation>Cannot read file %s</translation>
        </message>
        <message id="Message.65313">
            <source>Файл %s не обработан: это двоичный файл</source>
            <translation>File %s not processed: it is a binary file</translation>
        </message>
        <message id="Message.65314">
            <source>Файл %s не изменен: замена содержит символы, которых нет в кодировке файла</source>
            <translation>File %s not changed: the replacement contains characters that the file's encoding cannot hold</translation>
        </message>
        <message id="Message.65315">
            <source>Файл %s не сохранен</source>
            <translation>File %s not saved</translation>
        </message>
        <message id="Message.65316">
            <source>Файл %s уже существует. Заменить?</source>
            <translation>File %s already exists. Replace it?</translation>
        </message>
        <message id="Message.65317">
            <source>Не удалось напечатать отчет</source>
            <translation>The report could not be printed</translation>
        </message>
        <message id="Message.65318">
            <source>Файл %s изменен другой программой и не сохранен</source>
            <translation>File %s was changed by another program and was not saved</translation>
        </message>
        <message id="Message.65319">
            <source>Файл %s уже обработан</source>
            <translation>File %s has already been processed</translation>
        </message>
        <message id="Message.65320">
            <source>Пробный запуск: ни один файл не записан</source>
            <translation>Dry run: no file was written</translation>
        </message>
        <message id="Message.65322">
            <source>quorvex: нет дисплея, окно программы показать негде. Без окна работает quorvex-batch (см. README).</source>
            <translation>quorvex: no display, so the program's window cannot be shown. quorvex-batch works without a window (see README).</translation>
        </message>
        <message id="Message.65324">
            <source>Failed to Load Stream</source>
            <translation>Failed to Load Stream</translation>
        </message>
        <message id="Message.65330">
            <source>Unable to insert a line</source>
            <translation>Unable to insert a line</translation>
        </message>
        <message id="Message.65336">
            <source>Unable to write to %s</source>
            <translation>Unable to write to %s</translation>
        </message>
        <message id="Message.65340">
            <source>Использование: quorvex-batch -f ТЕКСТ [-r ТЕКСТ] [параметры] [файлы и папки...]</source>
            <translation>Usage: quorvex-batch -f TEXT [-r TEXT] [options] [files and folders...]</translation>
        </message>
        <message id="Message.65341">
            <source>Подробнее: quorvex-batch --help</source>
            <translation>Try: quorvex-batch --help</translation>
        </message>
        <message id="Message.65342">
            <source>Пакетный поиск и замена в текстовых, HTML- и RTF-файлах.

Ищет образец в каждом указанном файле (в папках берутся файлы с включенными расширениями) и, если задана замена, заменяет его. Без -i заменяется каждое вхождение. Печатает отчет о работе.

Код выхода: 0 что-то найдено, 1 ничего не найдено, 2 ошибка или прерванный запуск.</source>
            <translation>Batch search and replace in text, HTML and RTF files.

Finds the search pattern in every file given (folders are scanned for files with the enabled extensions) and, when a replacement is given, replaces it. Without -i every occurrence is replaced. Prints the run's report.

Exit status: 0 something found, 1 nothing found, 2 an error or an aborted run.</translation>
        </message>
        <message id="Message.65343">
            <source>Примеры:
  пронумеровать все заголовки &lt;h2&gt; сайта, ничего не спрашивая:
    quorvex-batch -f '&lt;h2&gt;' -r '&lt;h2&gt;[1I]. ' -W -R site/
  сколько ссылок ведет на old.htm (только файлы .htm и .html):
    quorvex-batch -f 'href=&quot;old.htm&quot;' -e htm,html -R site/
  где было бы заменено &quot;colour&quot;, в виде JSON, ничего не меняя:
    quorvex-batch -n --json -f colour -r color notes.txt</source>
            <translation>Examples:
  number every &lt;h2&gt; heading across a site, asking nothing:
    quorvex-batch -f '&lt;h2&gt;' -r '&lt;h2&gt;[1I]. ' -W -R site/
  how many links point to old.htm (only .htm and .html files):
    quorvex-batch -f 'href=&quot;old.htm&quot;' -e htm,html -R site/
  where &quot;colour&quot; would be replaced, as JSON, changing nothing:
    quorvex-batch -n --json -f colour -r color notes.txt</translation>
        </message>
        <message id="Message.65344">
            <source>Образец поиска.</source>
            <translation>The search pattern.</translation>
        </message>
        <message id="Message.65345">
            <source>Прочитать образец поиска из файла.</source>
            <translation>Read the search pattern from a file.</translation>
        </message>
        <message id="Message.65346">
            <source>Замена (без нее - только поиск).</source>
            <translation>The replacement (without one: a find run).</translation>
        </message>
        <message id="Message.65347">
            <source>Прочитать замену из файла.</source>
            <translation>Read the replacement from a file.</translation>
        </message>
        <message id="Message.65348">
            <source>В образце поиска есть подстановочные знаки.</source>
            <translation>The search pattern uses wildcard tokens.</translation>
        </message>
        <message id="Message.65349">
            <source>В замене есть подстановочные знаки.</source>
            <translation>The replacement uses wildcard tokens.</translation>
        </message>
        <message id="Message.65350">
            <source>Учитывать регистр букв.</source>
            <translation>Match letter case.</translation>
        </message>
        <message id="Message.65351">
            <source>Просматривать и вложенные папки указанных папок.</source>
            <translation>Scan the sub-folders of the folders given too.</translation>
        </message>
        <message id="Message.65352">
            <source>Расширения файлов, берущихся из папок, через запятую (по умолчанию htm,html,shtml,shtm,rtf,txt; * - все файлы).</source>
            <translation>Extensions of the files taken from folders, comma-separated (default htm,html,shtml,shtm,rtf,txt; * for every file).</translation>
        </message>
        <message id="Message.65353">
            <source>Добавить файлы сохраненного списка (.lst).</source>
            <translation>Add the files of a saved list (.lst).</translation>
        </message>
        <message id="Message.65354">
            <source>Копировать каждый файл в эту папку перед первым изменением.</source>
            <translation>Copy every file into this folder before its first change.</translation>
        </message>
        <message id="Message.65355">
            <source>Подсчитать возможные замены, ничего не записывая.</source>
            <translation>Count what would be replaced, writing nothing.</translation>
        </message>
        <message id="Message.65356">
            <source>Спрашивать о каждом вхождении.</source>
            <translation>Ask about each occurrence.</translation>
        </message>
        <message id="Message.65357">
            <source>Записать отчет также в файл.</source>
            <translation>Also write the report to a file.</translation>
        </message>
        <message id="Message.65358">
            <source>Показывать ход работы в stderr (по умолчанию, если stderr - терминал).</source>
            <translation>Show the progress on stderr (the default when stderr is a terminal).</translation>
        </message>
        <message id="Message.65359">
            <source>Не показывать ход работы.</source>
            <translation>Do not show the progress.</translation>
        </message>
        <message id="Message.65360">
            <source>Печатать JSON: по объекту на каждое вхождение и каждый файл, затем итоги.</source>
            <translation>Print JSON: one object per occurrence and per file, then the totals.</translation>
        </message>
        <message id="Message.65361">
            <source>Когда записанное сбрасывается на диск: file - каждый файл, batch - пакетами (по умолчанию), none - никогда.</source>
            <translation>When written files are flushed to disk: file - each file, batch - in batches (the default), none - never.</translation>
        </message>
        <message id="Message.65362">
            <source>Язык сообщений: ru или en (по умолчанию - по LANG).</source>
            <translation>Language of the messages: ru or en (default: from LANG).</translation>
        </message>
        <message id="Message.65363">
            <source>Обрабатываемые файлы и папки.</source>
            <translation>Files and folders to process.</translation>
        </message>
        <message id="Message.65364">
            <source>Показать эту справку.</source>
            <translation>Show this help.</translation>
        </message>
        <message id="Message.65365">
            <source>Показать версию программы.</source>
            <translation>Show the program's version.</translation>
        </message>
        <message id="Message.65366">
            <source>нет образца поиска: укажите -f ТЕКСТ или --find-file ФАЙЛ</source>
            <translation>no search pattern: give -f TEXT or --find-file FILE</translation>
        </message>
        <message id="Message.65367">
            <source>нет файлов: укажите файлы, папки или список (-l ФАЙЛ.lst)</source>
            <translation>no files: give files, folders or a list (-l FILE.lst)</translation>
        </message>
        <message id="Message.65368">
            <source>%s и %s исключают друг друга</source>
            <translation>%s and %s cannot be used together</translation>
        </message>
        <message id="Message.65369">
            <source>не удается прочитать файл образца %s</source>
            <translation>cannot read the pattern file %s</translation>
        </message>
        <message id="Message.65370">
            <source>файл образца %s содержит нулевые байты: это не текст</source>
            <translation>the pattern file %s holds NUL bytes: it is not text</translation>
        </message>
        <message id="Message.65371">
            <source>не удается прочитать список файлов %s</source>
            <translation>cannot read the file list %s</translation>
        </message>
        <message id="Message.65372">
            <source>нет такого файла или папки: %s</source>
            <translation>no such file or folder: %s</translation>
        </message>
        <message id="Message.65373">
            <source>имя файла - не UTF-8, файл не обработан: %s</source>
            <translation>file name is not UTF-8, file not processed: %s</translation>
        </message>
        <message id="Message.65374">
            <source>не удается создать папку для копий %s</source>
            <translation>cannot create the backup folder %s</translation>
        </message>
        <message id="Message.65375">
            <source>не удается записать отчет в %s</source>
            <translation>cannot write the report to %s</translation>
        </message>
        <message id="Message.65376">
            <source>недопустимое значение %s параметра %s</source>
            <translation>invalid value %s for option %s</translation>
        </message>
        <message id="Message.65377">
            <source>неизвестный параметр %s</source>
            <translation>unknown option %s</translation>
        </message>
        <message id="Message.65378">
            <source>у параметра %s нет значения</source>
            <translation>option %s needs a value</translation>
        </message>
        <message id="Message.65379">
            <source>не удалось записать %s: %s</source>
            <translation>could not write %s: %s</translation>
        </message>
        <message id="Message.65380">
            <source>резервная копия не сделана, поэтому запуск прерван: %s</source>
            <translation>no backup copy was made, so the run was aborted: %s</translation>
        </message>
        <message id="Message.65381">
            <source>Заменить? [y] да (Enter), [a] все, [n] нет, [N] нет для всех, [q] выход: </source>
            <translation>Replace? [y]es (Enter), [a]ll, [n]o, [N]o to all, [q]uit: </translation>
        </message>
        <message id="Message.65382">
            <source>Дальше? [y] да (Enter), [a] все без вопросов, [q] выход: </source>
            <translation>Continue? [y]es (Enter), [a]ll without asking, [q]uit: </translation>
        </message>
        <message id="Message.65383">
            <source> [y] да, [n] нет (Enter): </source>
            <translation> [y]es, [n]o (Enter): </translation>
        </message>
        <message id="Message.65384">
            <source> [a] прервать (Enter), [r] повторить, [i] пропустить: </source>
            <translation> [a]bort (Enter), [r]etry, [i]gnore: </translation>
        </message>
        <message id="Message.65385">
            <source>нет</source>
            <translation>no</translation>
        </message>
        <message id="Message.65387">
            <source>вывод закрыт, отчет дальше не печатается</source>
            <translation>output closed, the report is no longer printed</translation>
        </message>
        <message id="Message.65389">
            <source>Папка резервных копий %s содержит обрабатываемый файл %s. Выберите другую папку.</source>
            <translation>The backup folder %s holds %s, a file to be processed. Choose another folder.</translation>
        </message>
        <message id="Message.65390">
            <source>Файл %s записан без своих атрибутов (%s); права группы не расширены</source>
            <translation>File %s was written without some of its attributes (%s); its group was given no more rights than it had</translation>
        </message>
        <message id="Message.65393">
            <source>не удается записать отчет в %s: %s</source>
            <translation>cannot write the report to %s: %s</translation>
        </message>
        <message id="Message.65394">
            <source>аргумент %s - не текст в кодировке %s</source>
            <translation>argument %s is not text in the %s character set</translation>
        </message>
        <message id="Message.65395">
            <source>файл образца %s - не текст в кодировке %s</source>
            <translation>pattern file %s is not text in the %s character set</translation>
        </message>
        <message id="Message.65397">
            <source>Взять имена файлов из ФАЙЛА, по одному в строке (- : стандартный ввод; относительные - от текущей папки).</source>
            <translation>Take the names of files from FILE, one a line (-: standard input; relative names from the current folder).</translation>
        </message>
        <message id="Message.65398">
            <source>Имена в --files-from разделены нулевым байтом (как пишет find -print0).</source>
            <translation>Names in --files-from end with a NUL byte (as find -print0 writes them).</translation>
        </message>
        <message id="Message.65399">
            <source>-0 (--null) действует только вместе с --files-from</source>
            <translation>-0 (--null) applies only with --files-from</translation>
        </message>
        <message id="Message.65403">
            <source>Файл %s не обработан: это не обычный файл</source>
            <translation>File %s not processed: not a regular file</translation>
        </message>
        <message id="Message.65404">
            <source>не удается прочитать %s, пропущено: %s</source>
            <translation>cannot read %s, left out: %s</translation>
        </message>
        <message id="Message.65408">
            <source>При сохранении файла %s возникла ошибка: %s. Повторить операцию ?</source>
            <translation>An error occurred while saving the file %s: %s. Retry the operation?</translation>
        </message>
        <message id="Message.65409">
            <source>Идет обработка файлов: изменения вступят в силу при следующем запуске.</source>
            <translation>Files are being processed: changes take effect with the next run.</translation>
        </message>
        <message id="Message.65410">
            <source>Файл %s не изменен: регулярное выражение превысило предел сложности поиска</source>
            <translation>File %s not changed: the regular expression went over the search complexity limit</translation>
        </message>
        <message id="Message.65411">
            <source>Ошибка в регулярном выражении (позиция %s): %s</source>
            <translation>Error in the regular expression (position %s): %s</translation>
        </message>
        <message id="Message.65412">
            <source>Образец поиска - регулярное выражение (PCRE2); в замене $1, ${имя}, $$.</source>
            <translation>The search pattern is a regular expression (PCRE2); the replacement takes $1, ${name}, $$.</translation>
        </message>
        <message id="Message.65413">
            <source>В регулярном выражении нет группы, названной в замене: %s</source>
            <translation>The regular expression has no group named in the replacement: %s</translation>
        </message>
        <message id="Message.65415">
            <source>Файл %s прочитан в кодировке %s, но похож на текст в кодировке %s</source>
            <translation>File %s was read as %s but looks like %s text</translation>
        </message>
        <message id="Message.65416">
            <source>Файл %s не изменен: его кодировка под сомнением, замены в нем делаются только с подтверждением</source>
            <translation>File %s not changed: its code page is in doubt; replacements in it are made only when confirmed</translation>
        </message>
        <message id="Message.65417">
            <source>Кодировка файлов не в UTF-8 и без метки: cp1251 (по умолчанию), cp866, koi8-r, iso-8859-5.</source>
            <translation>Code page of files that are neither UTF-8 nor marked: cp1251 (default), cp866, koi8-r, iso-8859-5.</translation>
        </message>
        <message id="Message.65418">
            <source>Не просматривать файлы и папки, подходящие под маску (например node_modules или *.min.js); можно повторять.</source>
            <translation>Leave out of folder scans the files and folders matching the mask (such as node_modules or *.min.js); repeatable.</translation>
        </message>
        <message id="Message.65419">
            <source>Не оставлять в стороне .git, .svn и .hg (скрытые папки не просматриваются и так).</source>
            <translation>Do not leave out .git, .svn and .hg (hidden folders are still not entered).</translation>
        </message>
        <message id="Message.65420">
            <source>Исходный файл %s не сохранен в журнале: это изменение нельзя будет отменить</source>
            <translation>The original of %s could not be kept in the journal: this change cannot be undone</translation>
        </message>
        <message id="Message.65421">
            <source>Отмена обработки %s</source>
            <translation>Undo of the run %s</translation>
        </message>
        <message id="Message.65422">
            <source>Файл %s восстановлен</source>
            <translation>File %s restored</translation>
        </message>
        <message id="Message.65423">
            <source>Файл %s изменен после обработки и оставлен как есть</source>
            <translation>File %s was changed after the run and is left as it is</translation>
        </message>
        <message id="Message.65424">
            <source>Не вести журнал этой обработки (ее нельзя будет отменить).</source>
            <translation>Keep no journal of this run (it cannot be undone).</translation>
        </message>
        <message id="Message.65425">
            <source>Нет обработки, которую можно отменить</source>
            <translation>There is no run to undo</translation>
        </message>
        <message id="Message.65426">
            <source>Восстановлено файлов: %s, оставлено как есть: %s</source>
            <translation>Files restored: %s, left as they are: %s</translation>
        </message>
        <message id="Message.65427">
            <source>%s  «%s» → «%s»  изменено файлов: %s</source>
            <translation>%s  “%s” → “%s”  files changed: %s</translation>
        </message>
        <message id="Message.65428">
            <source>Отменить обработку ЗАПУСК (без него - последнюю): вернуть каждый измененный ею файл, если он с тех пор не менялся.</source>
            <translation>Undo the run RUN (without it, the last one): put back each file it changed, if it has not changed since.</translation>
        </message>
        <message id="Message.65429">
            <source>Показать сохраненные в журнале обработки: дата, образец, число измененных файлов.</source>
            <translation>List the runs kept in the journal: date, pattern, number of files changed.</translation>
        </message>
        <message id="Message.65430">
            <source>Напечатать разницу (unified diff) того, что было бы записано, ничего не записывая: patch сделает с копией файлов то же, что обработка.</source>
            <translation>Print a unified diff of what would be written, writing nothing; patch makes of a copy of the files what the run would.</translation>
        </message>
        <message id="Message.65431">
            <source>Цвет разницы: auto - на терминале (по умолчанию), always - всегда, never - никогда.</source>
            <translation>Colours in the diff: auto - on a terminal (the default), always, never.</translation>
        </message>
        <message id="Message.65432">
            <source>Вхождений: %d, файлов: %d, отмечено: %d</source>
            <translation>Occurrences: %d, files: %d, ticked: %d</translation>
        </message>
        <message id="Message.65433">
            <source>(файл изменен после просмотра)</source>
            <translation>(the file changed since the preview)</translation>
        </message>
        <message id="Message.65442">
            <source>Используются переносимые файловые вызовы: файл, измененный другой программой во время работы, распознается только по размеру и времени изменения; новые файлы не сбрасываются на диск до замены старых; из атрибутов файла сохраняются только права доступа</source>
            <translation>Portable file calls are in use: a file changed by another program during the run is recognised only by its size and modification time; new files are not forced to the disk before they replace the old ones; of a file's attributes only its permissions are kept</translation>
        </message>
        <message id="Message.65447">
            <source>Cannot create file %s</source>
            <translation>Cannot create file %s</translation>
        </message>
        <message id="Message.65448">
            <source>Cannot open file %s</source>
            <translation>Cannot open file %s</translation>
        </message>
    </context>
    <context>
        <name>TAboutF</name>
        <message id="TAboutF.AboutF.Caption">
            <source>О программе</source>
            <translation>About</translation>
        </message>
        <message id="TAboutF.ProgramL.Caption">
            <source>Quorvex</source>
            <translation>Quorvex</translation>
        </message>
        <message id="TAboutF.PurposeL.Caption">
            <source>Поиск и замена в текстовых, HTML и RTF файлах</source>
            <translation>Search and replace in text, HTML and RTF files</translation>
        </message>
        <message id="TAboutF.QtCaptionL.Caption">
            <source>Библиотека Qt:</source>
            <translation>Qt library:</translation>
        </message>
        <message id="TAboutF.SystemCaptionL.Caption">
            <source>Система:</source>
            <translation>System:</translation>
        </message>
        <message id="TAboutF.UserCaptionL.Caption">
            <source>Пользователь:</source>
            <translation>User:</translation>
        </message>
        <message id="TAboutF.HostCaptionL.Caption">
            <source>Компьютер:</source>
            <translation>Computer:</translation>
        </message>
        <message id="TAboutF.OkB.Caption">
            <source>Ok</source>
            <translation>OK</translation>
        </message>
    </context>
    <context>
        <name>TFolderDF</name>
        <message id="TFolderDF.FolderDF.Caption">
            <source>Выбор каталога</source>
            <translation>Choose a Folder</translation>
        </message>
        <message id="TFolderDF.DrivesL.Caption">
            <source>Диски:</source>
            <translation>Drives:</translation>
        </message>
        <message id="TFolderDF.DirsL.Caption">
            <source>Каталоги:</source>
            <translation>Folders:</translation>
        </message>
        <message id="TFolderDF.RecurseCB.Caption">
            <source>Включая подкаталоги</source>
            <translation>Include subfolders</translation>
        </message>
        <message id="TFolderDF.OkBB.Caption">
            <source>Оk</source>
            <translation>OK</translation>
        </message>
        <message id="TFolderDF.CancelBB.Caption">
            <source>Отмена</source>
            <translation>Cancel</translation>
        </message>
    </context>
    <context>
        <name>THelpF</name>
        <message id="THelpF.HelpF.Caption">
            <source>Справка</source>
            <translation>Help</translation>
        </message>
        <message id="THelpF.BackB.Caption">
            <source>Назад</source>
            <translation>Back</translation>
        </message>
        <message id="THelpF.ForwardB.Caption">
            <source>Вперед</source>
            <translation>Forward</translation>
        </message>
        <message id="THelpF.ContentsB.Caption">
            <source>Содержание</source>
            <translation>Contents</translation>
        </message>
        <message id="THelpF.ContentsLB.AccessibleName">
            <source>Разделы справки</source>
            <translation>Help topics</translation>
        </message>
    </context>
    <context>
        <name>TMainF</name>
        <message id="TMainF.MainF.Caption">
            <source>Поиск и замена</source>
            <translation>Search and Replace</translation>
        </message>
        <message id="TMainF.FilesPMAddFile.Caption">
            <source>Добавить файл(ы)</source>
            <translation>Add file(s)</translation>
        </message>
        <message id="TMainF.FilesPMAddDir.Caption">
            <source>Добавить каталог</source>
            <translation>Add folder</translation>
        </message>
        <message id="TMainF.FilesPMRemoveFiles.Caption">
            <source>Убрать файл(ы)</source>
            <translation>Remove file(s)</translation>
        </message>
        <message id="TMainF.FilesPMRemoveAll.Caption">
            <source>Убрать все</source>
            <translation>Remove all</translation>
        </message>
        <message id="TMainF.FilesPMLoadFileList.Caption">
            <source>Загрузить список</source>
            <translation>Load list</translation>
        </message>
        <message id="TMainF.FilesPMSaveFileList.Caption">
            <source>Сохранить список</source>
            <translation>Save list</translation>
        </message>
        <message id="TMainF.EditPMClipboard.Caption">
            <source>Вставить из буфера</source>
            <translation>Paste from clipboard</translation>
        </message>
        <message id="TMainF.EditPMFromFile.Caption">
            <source>Вставить из файла</source>
            <translation>Paste from file</translation>
        </message>
        <message id="TMainF.EditPMFile.Caption">
            <source>Вставить файл</source>
            <translation>Paste file</translation>
        </message>
        <message id="TMainF.EditPMClear.Caption">
            <source>Очистить</source>
            <translation>Clear</translation>
        </message>
        <message id="TMainF.InsertPMClipboard.Caption">
            <source>Из буфера</source>
            <translation>From clipboard</translation>
        </message>
        <message id="TMainF.InsertPMFromFile.Caption">
            <source>Из файла</source>
            <translation>From file</translation>
        </message>
        <message id="TMainF.InsertPMFile.Caption">
            <source>Файл</source>
            <translation>File</translation>
        </message>
        <message id="TMainF.FilesTS.Caption">
            <source>В файлах</source>
            <translation>In files</translation>
        </message>
        <message id="TMainF.FilesLB.AccessibleName">
            <source>Список файлов</source>
            <translation>File list</translation>
        </message>
        <message id="TMainF.FileListBB.Caption">
            <source>Списки</source>
            <translation>Lists</translation>
        </message>
        <message id="TMainF.AddFileB.Caption">
            <source>Добавить</source>
            <translation>Add</translation>
        </message>
        <message id="TMainF.SubFileB.Caption">
            <source>Убрать</source>
            <translation>Remove</translation>
        </message>
        <message id="TMainF.PreviewB.Caption">
            <source>Прос&amp;мотр</source>
            <translation>Pre&amp;view</translation>
        </message>
        <message id="TMainF.BitBtn2.Caption">
            <source>&amp;Обработать</source>
            <translation>&amp;Process</translation>
        </message>
        <message id="TMainF.SourceTS.Caption">
            <source>Найти</source>
            <translation>Find</translation>
        </message>
        <message id="TMainF.MSCB.Caption">
            <source>Подстановочные знаки при поиске</source>
            <translation>Wildcards in the search</translation>
        </message>
        <message id="TMainF.RegexCB.Caption">
            <source>Регулярные выражения</source>
            <translation>Regular expressions</translation>
        </message>
        <message id="TMainF.RCB.Caption">
            <source>Заменять</source>
            <translation>Replace</translation>
        </message>
        <message id="TMainF.S1ClearB.Caption">
            <source>&amp;Очистить</source>
            <translation>&amp;Clear</translation>
        </message>
        <message id="TMainF.InsertSB.Caption">
            <source>&amp;Вставить</source>
            <translation>&amp;Insert</translation>
        </message>
        <message id="TMainF.TargetTS.Caption">
            <source>Заменить на</source>
            <translation>Replace with</translation>
        </message>
        <message id="TMainF.MRCB.Caption">
            <source>Подстановочные знаки при замене</source>
            <translation>Wildcards in the replacement</translation>
        </message>
        <message id="TMainF.TClearB.Caption">
            <source>&amp;Очистить</source>
            <translation>&amp;Clear</translation>
        </message>
        <message id="TMainF.InsertTB.Caption">
            <source>&amp;Вставить</source>
            <translation>&amp;Insert</translation>
        </message>
        <message id="TMainF.ReportTS.Caption">
            <source>Отчет</source>
            <translation>Report</translation>
        </message>
        <message id="TMainF.FilesI.Caption">
            <source>&amp;Файлы</source>
            <translation>&amp;Files</translation>
        </message>
        <message id="TMainF.N11.Caption">
            <source>&amp;Добавить</source>
            <translation>&amp;Add</translation>
        </message>
        <message id="TMainF.N12.Caption">
            <source>&amp;Убрать</source>
            <translation>&amp;Remove</translation>
        </message>
        <message id="TMainF.N1.Caption">
            <source>&amp;Опции</source>
            <translation>&amp;Options</translation>
        </message>
        <message id="TMainF.HelpI.Caption">
            <source>&amp;Помощь</source>
            <translation>&amp;Help</translation>
        </message>
        <message id="TMainF.StopB.Caption">
            <source>Стоп</source>
            <translation>Stop</translation>
        </message>
        <message id="TMainF.StopB.Hint">
            <source>Остановить обработку (Esc)</source>
            <translation>Stop processing (Esc)</translation>
        </message>
        <message id="TMainF.ClearCurrentRE.Caption">
            <source>&amp;Очистить</source>
            <translation>&amp;Clear</translation>
        </message>
        <message id="TMainF.AddFile.Caption">
            <source>&amp;Файл(ы)</source>
            <translation>&amp;File(s)</translation>
        </message>
        <message id="TMainF.InsertToCurrentRE.Caption">
            <source>&amp;Вставить</source>
            <translation>&amp;Insert</translation>
        </message>
        <message id="TMainF.AddDir.Caption">
            <source>&amp;Каталог</source>
            <translation>F&amp;older</translation>
        </message>
        <message id="TMainF.RemoveFiles.Caption">
            <source>&amp;Файл(ы)</source>
            <translation>&amp;File(s)</translation>
        </message>
        <message id="TMainF.RemoveAll.Caption">
            <source>&amp;Все</source>
            <translation>&amp;All</translation>
        </message>
        <message id="TMainF.ProcessFiles.Caption">
            <source>&amp;Обработать</source>
            <translation>&amp;Process</translation>
        </message>
        <message id="TMainF.PreviewFiles.Caption">
            <source>Прос&amp;мотр</source>
            <translation>Pre&amp;view</translation>
        </message>
        <message id="TMainF.UndoRun.Caption">
            <source>Отменить последнюю обработку</source>
            <translation>Undo last run</translation>
        </message>
        <message id="TMainF.PasteFromFile.Caption">
            <source>Из &amp;файла</source>
            <translation>From &amp;file</translation>
        </message>
        <message id="TMainF.PasteFromClipboard.Caption">
            <source>Из &amp;буфера</source>
            <translation>From &amp;clipboard</translation>
        </message>
        <message id="TMainF.ChangeOptions.Caption">
            <source>&amp;Настройка</source>
            <translation>Se&amp;ttings</translation>
        </message>
        <message id="TMainF.ShowHelp.Caption">
            <source>Содер&amp;жание</source>
            <translation>&amp;Contents</translation>
        </message>
        <message id="TMainF.LoadFileList.Caption">
            <source>&amp;Загрузить</source>
            <translation>&amp;Load</translation>
        </message>
        <message id="TMainF.SaveFileList.Caption">
            <source>З&amp;аписать</source>
            <translation>&amp;Save</translation>
        </message>
        <message id="TMainF.ShowHideRTS.Caption">
            <source>Заменять</source>
            <translation>Replace</translation>
        </message>
        <message id="TMainF.ExitProg.Caption">
            <source>&amp;Выход</source>
            <translation>E&amp;xit</translation>
        </message>
        <message id="TMainF.PrintReport.Caption">
            <source>&amp;Печать</source>
            <translation>&amp;Print</translation>
        </message>
        <message id="TMainF.SaveReport.Caption">
            <source>&amp;Сохранить</source>
            <translation>&amp;Save</translation>
        </message>
        <message id="TMainF.PasteFile.Caption">
            <source>PasteFile</source>
            <translation>PasteFile</translation>
        </message>
        <message id="TMainF.AboutProgramI.Caption">
            <source>&amp;О программе</source>
            <translation>&amp;About</translation>
        </message>
    </context>
    <context>
        <name>TOptionsF</name>
        <message id="TOptionsF.Caption">
            <source>Опции</source>
            <translation>Options</translation>
        </message>
        <message id="TOptionsF.GeneralTS.Caption">
            <source>Общие</source>
            <translation>General</translation>
        </message>
        <message id="TOptionsF.FileTypes.Caption">
            <source>Обрабатывать файлы с расширениями</source>
            <translation>Process files with the extensions</translation>
        </message>
        <message id="TOptionsF.HTMCB.Caption">
            <source>&amp;HTM</source>
            <translation>&amp;HTM</translation>
        </message>
        <message id="TOptionsF.SHTMCB.Caption">
            <source>&amp;SHTM</source>
            <translation>&amp;SHTM</translation>
        </message>
        <message id="TOptionsF.HTMLCB.Caption">
            <source>HT&amp;ML</source>
            <translation>HT&amp;ML</translation>
        </message>
        <message id="TOptionsF.SHTMLCB.Caption">
            <source>SHTM&amp;L</source>
            <translation>SHTM&amp;L</translation>
        </message>
        <message id="TOptionsF.RTFCB.Caption">
            <source>&amp;RTF</source>
            <translation>&amp;RTF</translation>
        </message>
        <message id="TOptionsF.TXTCB.Caption">
            <source>&amp;TXT</source>
            <translation>&amp;TXT</translation>
        </message>
        <message id="TOptionsF.SkipL.Caption">
            <source>Не прос&amp;матривать</source>
            <translation>Ski&amp;p</translation>
        </message>
        <message id="TOptionsF.TableRG.Caption">
            <source>Кодировка файлов</source>
            <translation>File encoding</translation>
        </message>
        <message id="TOptionsF.TableRGItem0.Caption">
            <source>Windos(CP1251)</source>
            <translation>Windos(CP1251)</translation>
        </message>
        <message id="TOptionsF.TableRGItem1.Caption">
            <source>Dos      (CP866)</source>
            <translation>Dos      (CP866)</translation>
        </message>
        <message id="TOptionsF.TableRGItem2.Caption">
            <source>Koi8-r</source>
            <translation>Koi8-r</translation>
        </message>
        <message id="TOptionsF.TableRGItem3.Caption">
            <source>ISO</source>
            <translation>ISO</translation>
        </message>
        <message id="TOptionsF.SearchGB.Caption">
            <source>Поиск</source>
            <translation>Search</translation>
        </message>
        <message id="TOptionsF.CaseSensitiveCB.Caption">
            <source>С учетом &amp;регистра</source>
            <translation>Match cas&amp;e</translation>
        </message>
        <message id="TOptionsF.ConfirmCB.Caption">
            <source>Подтверждать &amp;замену</source>
            <translation>C&amp;onfirm replacements</translation>
        </message>
        <message id="TOptionsF.OptionGB.Caption">
            <source>Настройки</source>
            <translation>Settings</translation>
        </message>
        <message id="TOptionsF.DynamicEditCB.Caption">
            <source>Д&amp;инамическое редактирование</source>
            <translation>D&amp;ynamic editing</translation>
        </message>
        <message id="TOptionsF.BackupRG.Caption">
            <source>Резервные копии</source>
            <translation>Backup copies</translation>
        </message>
        <message id="TOptionsF.BackupRGItem0.Caption">
            <source>&amp;Не делать</source>
            <translation>Do &amp;not make</translation>
        </message>
        <message id="TOptionsF.BackupRGItem1.Caption">
            <source>&amp;Делать</source>
            <translation>Ma&amp;ke</translation>
        </message>
        <message id="TOptionsF.BackupDirE.AccessibleName">
            <source>Папка резервных копий</source>
            <translation>Backup folder</translation>
        </message>
        <message id="TOptionsF.SelectBackupFolderB.Hint">
            <source>Выбрать папку резервных копий</source>
            <translation>Choose the backup folder</translation>
        </message>
        <message id="TOptionsF.SelectBackupFolderB.Caption">
            <source>...</source>
            <translation>...</translation>
        </message>
        <message id="TOptionsF.JournalCB.Caption">
            <source>&amp;Журнал для отмены обработки</source>
            <translation>&amp;Journal for undoing a run</translation>
        </message>
        <message id="TOptionsF.JournalRunsE.AccessibleName">
            <source>Хранить обработок</source>
            <translation>Runs to keep</translation>
        </message>
        <message id="TOptionsF.JournalRunsE.Suffix">
            <source> обраб.</source>
            <translation> runs</translation>
        </message>
        <message id="TOptionsF.JournalSizeE.AccessibleName">
            <source>Хранить не более, ГБ</source>
            <translation>Keep at most, GB</translation>
        </message>
        <message id="TOptionsF.JournalSizeE.Suffix">
            <source> ГБ</source>
            <translation> GB</translation>
        </message>
        <message id="TOptionsF.JournalSpaceL.Caption">
            <source>занято %1 МБ</source>
            <translation>%1 MB used</translation>
        </message>
        <message id="TOptionsF.LangGB.Caption">
            <source>Язык</source>
            <translation>Language</translation>
        </message>
        <message id="TOptionsF.LanguageEnglish.Caption">
            <source>Английский</source>
            <translation>English</translation>
        </message>
        <message id="TOptionsF.LanguageRussian.Caption">
            <source>Русский</source>
            <translation>Russian</translation>
        </message>
        <message id="TOptionsF.AutoSaveCB.Caption">
            <source>&amp;Автосохранение</source>
            <translation>A&amp;utosave</translation>
        </message>
        <message id="TOptionsF.OkB.Caption">
            <source>&amp;Принять</source>
            <translation>&amp;Accept</translation>
        </message>
        <message id="TOptionsF.CancelB.Caption">
            <source>О&amp;тменить</source>
            <translation>&amp;Cancel</translation>
        </message>
        <message id="TOptionsF.ChangeConfirm.Caption">
            <source>Подтверждать &amp;замену</source>
            <translation>C&amp;onfirm replacements</translation>
        </message>
        <message id="TOptionsF.ChangeCS.Caption">
            <source>С учетом &amp;регистра</source>
            <translation>Match cas&amp;e</translation>
        </message>
        <message id="TOptionsF.LoadOptions.Caption">
            <source>&amp;Загрузить</source>
            <translation>&amp;Load</translation>
        </message>
        <message id="TOptionsF.SaveOptions.Caption">
            <source>&amp;Сохранить</source>
            <translation>&amp;Save</translation>
        </message>
        <message id="TOptionsF.RestoreDefault.Caption">
            <source>&amp;Восстановить по умолчанию</source>
            <translation>&amp;Restore defaults</translation>
        </message>
    </context>
    <context>
        <name>TPreviewTS</name>
        <message id="TPreviewTS.Caption">
            <source>Просмотр</source>
            <translation>Preview</translation>
        </message>
        <message id="TPreviewTS.PreviewTV.AccessibleName">
            <source>Вхождения</source>
            <translation>Occurrences</translation>
        </message>
        <message id="TPreviewTS.ApplyB.Caption">
            <source>&amp;Применить</source>
            <translation>&amp;Apply</translation>
        </message>
        <message id="TPreviewTS.ClosePreviewB.Caption">
            <source>&amp;Закрыть</source>
            <translation>&amp;Close</translation>
        </message>
    </context>
    <context>
        <name>TMainF</name>
        <message id="TMainF.SaveDialog1.Filter">
            <source>Текстовый файл|*.txt|Документ RTF|*.rtf</source>
            <translation>Text file|*.txt|RTF document|*.rtf</translation>
        </message>
        <message id="TMainF.ReportRE.PrintJobTitle">
            <source>Отчет о проделанной работе</source>
            <translation>Report on the work done</translation>
        </message>
        <message id="TMainF.BitBtn1.Caption">
            <source>&amp;Печать</source>
            <translation>&amp;Print</translation>
        </message>
        <message id="TMainF.SaveReportBB.Caption">
            <source>&amp;Сохранить</source>
            <translation>&amp;Save</translation>
        </message>
        <message id="TMainF.BitBtn3.Caption">
            <source>&amp;Ok</source>
            <translation>O&amp;K</translation>
        </message>
    </context>
    <context>
        <name>TProcessF</name>
        <message id="TProcessF.Caption">
            <source>Обработка файла</source>
            <translation>Processing File</translation>
        </message>
        <message id="TProcessF.ProcessRE.AccessibleName">
            <source>Текст файла</source>
            <translation>Text of the file</translation>
        </message>
        <message id="TProcessF.BEdit.Hint">
            <source>Редактировать текст</source>
            <translation>Edit the text</translation>
        </message>
        <message id="TProcessF.BEdit.Caption">
            <source>Р</source>
            <translation>E</translation>
        </message>
        <message id="TProcessF.AskRL.Caption">
            <source>Заменить ?</source>
            <translation>Replace?</translation>
        </message>
        <message id="TProcessF.YesB.Caption">
            <source>&amp;Да</source>
            <translation>&amp;Yes</translation>
        </message>
        <message id="TProcessF.YesToAllB.Caption">
            <source>Д&amp;а, для всех</source>
            <translation>Yes to &amp;all</translation>
        </message>
        <message id="TProcessF.NoB.Caption">
            <source>&amp;Нет</source>
            <translation>&amp;No</translation>
        </message>
        <message id="TProcessF.NoToAllB.Caption">
            <source>Н&amp;ет, для всех</source>
            <translation>N&amp;o to all</translation>
        </message>
        <message id="TProcessF.AbortB.Caption">
            <source>&amp;Прервать</source>
            <translation>A&amp;bort</translation>
        </message>
        <message id="TProcessF.OkB.Caption">
            <source>&amp;Ok</source>
            <translation>&amp;OK</translation>
        </message>
        <message id="TProcessF.CancelB.Caption">
            <source>От&amp;менить</source>
            <translation>&amp;Cancel</translation>
        </message>
        <message id="TProcessF.AskCL.Caption">
            <source>Продолжить ?</source>
            <translation>Continue?</translation>
        </message>
        <message id="TProcessF.Ok1b.Caption">
            <source>&amp;Да</source>
            <translation>&amp;Yes</translation>
        </message>
        <message id="TProcessF.YesToAll1B.Caption">
            <source>Н&amp;е спрашивать</source>
            <translation>&amp;Don't ask</translation>
        </message>
        <message id="TProcessF.Abort1B.Caption">
            <source>&amp;Нет</source>
            <translation>&amp;No</translation>
        </message>
        <message id="TProcessF.Label1.Caption">
            <source>Продолжить:</source>
            <translation>Continue:</translation>
        </message>
        <message id="TProcessF.RBCurPos.Caption">
            <source>С текущей позиции</source>
            <translation>From the current position</translation>
        </message>
        <message id="TProcessF.RBBegFile.Caption">
            <source>С начала файла</source>
            <translation>From the start of the file</translation>
        </message>
        <message id="TProcessF.RBNextFile.Caption">
            <source>Со следующего файла</source>
            <translation>With the next file</translation>
        </message>
        <message id="TProcessF.BBOk.Caption">
            <source>&amp;Ok</source>
            <translation>&amp;OK</translation>
        </message>
        <message id="TProcessF.TryToAbort.Caption">
            <source>&amp;Прервать</source>
            <translation>A&amp;bort</translation>
        </message>
        <message id="TProcessF.PrepareEdit.Caption">
            <source>Р</source>
            <translation>E</translation>
        </message>
    </context>
</TS>
