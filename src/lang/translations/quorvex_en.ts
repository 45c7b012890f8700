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
        <message id="TOptionsF.SelectBackupFolderB.Caption">
            <source>...</source>
            <translation>...</translation>
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
</TS>
