<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="ru_RU">
    <context>
        <name>Messages</name>
        <message id="Message.65264">
            <source>Русский</source>
            <translation>Русский</translation>
        </message>
        <message id="Message.65265">
            <source>Версия %s</source>
            <translation>Версия %s</translation>
        </message>
        <message id="Message.65266">
            <source>Убрать все файлы ?</source>
            <translation>Убрать все файлы ?</translation>
        </message>
        <message id="Message.65267">
            <source>Все изменения будут отменены. Продолжить?</source>
            <translation>Все изменения будут отменены. Продолжить?</translation>
        </message>
        <message id="Message.65280">
            <source>Изменен файл %s. Кол-во замен - %d/%d</source>
            <translation>Изменен файл %s. Кол-во замен - %d/%d</translation>
        </message>
        <message id="Message.65281">
            <source>Файл %s не изменен.</source>
            <translation>Файл %s не изменен.</translation>
        </message>
        <message id="Message.65282">
            <source>Файл %s не изменен. Кол-во возможных замен - %d</source>
            <translation>Файл %s не изменен. Кол-во возможных замен - %d</translation>
        </message>
        <message id="Message.65283">
            <source>Общее количество файлов: %d</source>
            <translation>Общее количество файлов: %d</translation>
        </message>
        <message id="Message.65284">
            <source>При сохранении файла возникла ошибка: вероятно, файл занят другой программой. Вы можете освободить файл, или подождать пока он освободится. Повторить операцию ?</source>
            <translation>При сохранении файла возникла ошибка: вероятно, файл занят другой программой. Вы можете освободить файл, или подождать пока он освободится. Повторить операцию ?</translation>
        </message>
        <message id="Message.65285">
            <source>Ошибка при сохранении файла</source>
            <translation>Ошибка при сохранении файла</translation>
        </message>
        <message id="Message.65286">
            <source>Каталога %s не существует.</source>
            <translation>Каталога %s не существует.</translation>
        </message>
        <message id="Message.65287">
            <source> Создать каталог %s ?</source>
            <translation> Создать каталог %s ?</translation>
        </message>
        <message id="Message.65288">
            <source>Не могу создать каталог %s</source>
            <translation>Не могу создать каталог %s</translation>
        </message>
        <message id="Message.65289">
            <source>Не могу создать файл %s.</source>
            <translation>Не могу создать файл %s.</translation>
        </message>
        <message id="Message.65290">
            <source>Диск полон. Освободите место и повторите попытку</source>
            <translation>Диск полон. Освободите место и повторите попытку</translation>
        </message>
        <message id="Message.65291">
            <source>Списки Quorvex</source>
            <translation>Списки Quorvex</translation>
        </message>
        <message id="Message.65292">
            <source>Рекомендуется убрать выделенные файлы, т.к. они не существуют</source>
            <translation>Рекомендуется убрать выделенные файлы, т.к. они не существуют</translation>
        </message>
        <message id="Message.65293">
            <source>Файл %s. Кол-во вхождений - %d</source>
            <translation>Файл %s. Кол-во вхождений - %d</translation>
        </message>
        <message id="Message.65294">
            <source>Всего файлов с найдеными элементам - %d</source>
            <translation>Всего файлов с найдеными элементам - %d</translation>
        </message>
        <message id="Message.65295">
            <source>Всего вхождений - %d</source>
            <translation>Всего вхождений - %d</translation>
        </message>
        <message id="Message.65298">
            <source>Нечего обрабатывать</source>
            <translation>Нечего обрабатывать</translation>
        </message>
        <message id="Message.65299">
            <source>Нечего искать</source>
            <translation>Нечего искать</translation>
        </message>
        <message id="Message.65300">
            <source>Все поддерживаемые расширения</source>
            <translation>Все поддерживаемые расширения</translation>
        </message>
        <message id="Message.65301">
            <source>Подтверждение</source>
            <translation>Подтверждение</translation>
        </message>
        <message id="Message.65302">
            <source>Повторить операцию ?</source>
            <translation>Повторить операцию ?</translation>
        </message>
        <message id="Message.65303">
            <source>Прервать операцию ?</source>
            <translation>Прервать операцию ?</translation>
        </message>
        <message id="Message.65304">
            <source>Операция прервана по желанию пользователя</source>
            <translation>Операция прервана по желанию пользователя</translation>
        </message>
        <message id="Message.65305">
            <source>Выделение блока в файле</source>
            <translation>Выделение блока в файле</translation>
        </message>
        <message id="Message.65306">
            <source>Итого:</source>
            <translation>Итого:</translation>
        </message>
        <message id="Message.65307">
            <source>Обработано %d файлов.</source>
            <translation>Обработано %d файлов.</translation>
        </message>
        <message id="Message.65308">
            <source>Не обработано %d файлов.</source>
            <translation>Не обработано %d файлов.</translation>
        </message>
        <message id="Message.65309">
            <source>Изменено %d файлов.</source>
            <translation>Изменено %d файлов.</translation>
        </message>
        <message id="Message.65310">
            <source>Не изменено %d файлов из %d обработанных</source>
            <translation>Не изменено %d файлов из %d обработанных</translation>
        </message>
        <message id="Message.65311">
            <source>Произведено %d/%d замен</source>
            <translation>Произведено %d/%d замен</translation>
        </message>
        <message id="Message.65312">
            <source>Не удалось прочитать файл %s</source>
            <translation>Не удалось прочитать файл %s</translation>
        </message>
        <message id="Message.65313">
            <source>Файл %s не обработан: это двоичный файл</source>
            <translation>Файл %s не обработан: это двоичный файл</translation>
        </message>
        <message id="Message.65314">
            <source>Файл %s не изменен: замена содержит символы, которых нет в кодировке файла</source>
            <translation>Файл %s не изменен: замена содержит символы, которых нет в кодировке файла</translation>
        </message>
        <message id="Message.65315">
            <source>Файл %s не сохранен</source>
            <translation>Файл %s не сохранен</translation>
        </message>
        <message id="Message.65316">
            <source>Файл %s уже существует. Заменить?</source>
            <translation>Файл %s уже существует. Заменить?</translation>
        </message>
        <message id="Message.65317">
            <source>Не удалось напечатать отчет</source>
            <translation>Не удалось напечатать отчет</translation>
        </message>
        <message id="Message.65318">
            <source>Файл %s изменен другой программой и не сохранен</source>
            <translation>Файл %s изменен другой программой и не сохранен</translation>
        </message>
        <message id="Message.65319">
            <source>Файл %s уже обработан</source>
            <translation>Файл %s уже обработан</translation>
        </message>
        <message id="Message.65320">
            <source>Пробный запуск: ни один файл не записан</source>
            <translation>Пробный запуск: ни один файл не записан</translation>
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
            <translation>Опции</translation>
        </message>
        <message id="TOptionsF.GeneralTS.Caption">
            <source>Общие</source>
            <translation>Общие</translation>
        </message>
        <message id="TOptionsF.FileTypes.Caption">
            <source>Обрабатывать файлы с расширениями</source>
            <translation>Обрабатывать файлы с расширениями</translation>
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
            <translation>Кодировка файлов</translation>
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
            <translation>Поиск</translation>
        </message>
        <message id="TOptionsF.CaseSensitiveCB.Caption">
            <source>С учетом &amp;регистра</source>
            <translation>С учетом &amp;регистра</translation>
        </message>
        <message id="TOptionsF.ConfirmCB.Caption">
            <source>Подтверждать &amp;замену</source>
            <translation>Подтверждать &amp;замену</translation>
        </message>
        <message id="TOptionsF.OptionGB.Caption">
            <source>Настройки</source>
            <translation>Настройки</translation>
        </message>
        <message id="TOptionsF.DynamicEditCB.Caption">
            <source>Д&amp;инамическое редактирование</source>
            <translation>Д&amp;инамическое редактирование</translation>
        </message>
        <message id="TOptionsF.BackupRG.Caption">
            <source>Резервные копии</source>
            <translation>Резервные копии</translation>
        </message>
        <message id="TOptionsF.BackupRGItem0.Caption">
            <source>&amp;Не делать</source>
            <translation>&amp;Не делать</translation>
        </message>
        <message id="TOptionsF.BackupRGItem1.Caption">
            <source>&amp;Делать</source>
            <translation>&amp;Делать</translation>
        </message>
        <message id="TOptionsF.SelectBackupFolderB.Caption">
            <source>...</source>
            <translation>...</translation>
        </message>
        <message id="TOptionsF.LangGB.Caption">
            <source>Язык</source>
            <translation>Язык</translation>
        </message>
        <message id="TOptionsF.LanguageEnglish.Caption">
            <source>Английский</source>
            <translation>Английский</translation>
        </message>
        <message id="TOptionsF.LanguageRussian.Caption">
            <source>Русский</source>
            <translation>Русский</translation>
        </message>
        <message id="TOptionsF.AutoSaveCB.Caption">
            <source>&amp;Автосохранение</source>
            <translation>&amp;Автосохранение</translation>
        </message>
        <message id="TOptionsF.OkB.Caption">
            <source>&amp;Принять</source>
            <translation>&amp;Принять</translation>
        </message>
        <message id="TOptionsF.CancelB.Caption">
            <source>О&amp;тменить</source>
            <translation>О&amp;тменить</translation>
        </message>
        <message id="TOptionsF.ChangeConfirm.Caption">
            <source>Подтверждать &amp;замену</source>
            <translation>Подтверждать &amp;замену</translation>
        </message>
        <message id="TOptionsF.ChangeCS.Caption">
            <source>С учетом &amp;регистра</source>
            <translation>С учетом &amp;регистра</translation>
        </message>
        <message id="TOptionsF.LoadOptions.Caption">
            <source>&amp;Загрузить</source>
            <translation>&amp;Загрузить</translation>
        </message>
        <message id="TOptionsF.SaveOptions.Caption">
            <source>&amp;Сохранить</source>
            <translation>&amp;Сохранить</translation>
        </message>
        <message id="TOptionsF.RestoreDefault.Caption">
            <source>&amp;Восстановить по умолчанию</source>
            <translation>&amp;Восстановить по умолчанию</translation>
        </message>
    </context>
</TS>
