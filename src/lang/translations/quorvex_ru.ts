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
        <message id="Message.65322">
            <source>quorvex: нет дисплея, окно программы показать негде. Без окна работает quorvex-batch (см. README).</source>
            <translation>quorvex: нет дисплея, окно программы показать негде. Без окна работает quorvex-batch (см. README).</translation>
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
            <translation>Использование: quorvex-batch -f ТЕКСТ [-r ТЕКСТ] [параметры] [файлы и папки...]</translation>
        </message>
        <message id="Message.65341">
            <source>Подробнее: quorvex-batch --help</source>
            <translation>Подробнее: quorvex-batch --help</translation>
        </message>
        <message id="Message.65342">
            <source>Пакетный поиск и замена в текстовых, HTML- и RTF-файлах.

Ищет образец в каждом указанном файле (в папках берутся файлы с включенными расширениями) и, если задана замена, заменяет его. Без -i заменяется каждое вхождение. Печатает отчет о работе.

Код выхода: 0 что-то найдено, 1 ничего не найдено, 2 ошибка или прерванный запуск.</source>
            <translation>Пакетный поиск и замена в текстовых, HTML- и RTF-файлах.

Ищет образец в каждом указанном файле (в папках берутся файлы с включенными расширениями) и, если задана замена, заменяет его. Без -i заменяется каждое вхождение. Печатает отчет о работе.

Код выхода: 0 что-то найдено, 1 ничего не найдено, 2 ошибка или прерванный запуск.</translation>
        </message>
        <message id="Message.65343">
            <source>Примеры:
  пронумеровать все заголовки &lt;h2&gt; сайта, ничего не спрашивая:
    quorvex-batch -f '&lt;h2&gt;' -r '&lt;h2&gt;[1I]. ' -W -R site/
  сколько ссылок ведет на old.htm (только файлы .htm и .html):
    quorvex-batch -f 'href=&quot;old.htm&quot;' -e htm,html -R site/
  где было бы заменено &quot;colour&quot;, в виде JSON, ничего не меняя:
    quorvex-batch -n --json -f colour -r color notes.txt</source>
            <translation>Примеры:
  пронумеровать все заголовки &lt;h2&gt; сайта, ничего не спрашивая:
    quorvex-batch -f '&lt;h2&gt;' -r '&lt;h2&gt;[1I]. ' -W -R site/
  сколько ссылок ведет на old.htm (только файлы .htm и .html):
    quorvex-batch -f 'href=&quot;old.htm&quot;' -e htm,html -R site/
  где было бы заменено &quot;colour&quot;, в виде JSON, ничего не меняя:
    quorvex-batch -n --json -f colour -r color notes.txt</translation>
        </message>
        <message id="Message.65344">
            <source>Образец поиска.</source>
            <translation>Образец поиска.</translation>
        </message>
        <message id="Message.65345">
            <source>Прочитать образец поиска из файла.</source>
            <translation>Прочитать образец поиска из файла.</translation>
        </message>
        <message id="Message.65346">
            <source>Замена (без нее - только поиск).</source>
            <translation>Замена (без нее - только поиск).</translation>
        </message>
        <message id="Message.65347">
            <source>Прочитать замену из файла.</source>
            <translation>Прочитать замену из файла.</translation>
        </message>
        <message id="Message.65348">
            <source>В образце поиска есть подстановочные знаки.</source>
            <translation>В образце поиска есть подстановочные знаки.</translation>
        </message>
        <message id="Message.65349">
            <source>В замене есть подстановочные знаки.</source>
            <translation>В замене есть подстановочные знаки.</translation>
        </message>
        <message id="Message.65350">
            <source>Учитывать регистр букв.</source>
            <translation>Учитывать регистр букв.</translation>
        </message>
        <message id="Message.65351">
            <source>Просматривать и вложенные папки указанных папок.</source>
            <translation>Просматривать и вложенные папки указанных папок.</translation>
        </message>
        <message id="Message.65352">
            <source>Расширения файлов, берущихся из папок, через запятую (по умолчанию htm,html,shtml,shtm,rtf,txt; * - все файлы).</source>
            <translation>Расширения файлов, берущихся из папок, через запятую (по умолчанию htm,html,shtml,shtm,rtf,txt; * - все файлы).</translation>
        </message>
        <message id="Message.65353">
            <source>Добавить файлы сохраненного списка (.lst).</source>
            <translation>Добавить файлы сохраненного списка (.lst).</translation>
        </message>
        <message id="Message.65354">
            <source>Копировать каждый файл в эту папку перед первым изменением.</source>
            <translation>Копировать каждый файл в эту папку перед первым изменением.</translation>
        </message>
        <message id="Message.65355">
            <source>Подсчитать возможные замены, ничего не записывая.</source>
            <translation>Подсчитать возможные замены, ничего не записывая.</translation>
        </message>
        <message id="Message.65356">
            <source>Спрашивать о каждом вхождении.</source>
            <translation>Спрашивать о каждом вхождении.</translation>
        </message>
        <message id="Message.65357">
            <source>Записать отчет также в файл.</source>
            <translation>Записать отчет также в файл.</translation>
        </message>
        <message id="Message.65358">
            <source>Показывать ход работы в stderr (по умолчанию, если stderr - терминал).</source>
            <translation>Показывать ход работы в stderr (по умолчанию, если stderr - терминал).</translation>
        </message>
        <message id="Message.65359">
            <source>Не показывать ход работы.</source>
            <translation>Не показывать ход работы.</translation>
        </message>
        <message id="Message.65360">
            <source>Печатать JSON: по объекту на каждое вхождение и каждый файл, затем итоги.</source>
            <translation>Печатать JSON: по объекту на каждое вхождение и каждый файл, затем итоги.</translation>
        </message>
        <message id="Message.65361">
            <source>Когда записанное сбрасывается на диск: file - каждый файл, batch - пакетами (по умолчанию), none - никогда.</source>
            <translation>Когда записанное сбрасывается на диск: file - каждый файл, batch - пакетами (по умолчанию), none - никогда.</translation>
        </message>
        <message id="Message.65362">
            <source>Язык сообщений: ru или en (по умолчанию - по LANG).</source>
            <translation>Язык сообщений: ru или en (по умолчанию - по LANG).</translation>
        </message>
        <message id="Message.65363">
            <source>Обрабатываемые файлы и папки.</source>
            <translation>Обрабатываемые файлы и папки.</translation>
        </message>
        <message id="Message.65364">
            <source>Показать эту справку.</source>
            <translation>Показать эту справку.</translation>
        </message>
        <message id="Message.65365">
            <source>Показать версию программы.</source>
            <translation>Показать версию программы.</translation>
        </message>
        <message id="Message.65366">
            <source>нет образца поиска: укажите -f ТЕКСТ или --find-file ФАЙЛ</source>
            <translation>нет образца поиска: укажите -f ТЕКСТ или --find-file ФАЙЛ</translation>
        </message>
        <message id="Message.65367">
            <source>нет файлов: укажите файлы, папки или список (-l ФАЙЛ.lst)</source>
            <translation>нет файлов: укажите файлы, папки или список (-l ФАЙЛ.lst)</translation>
        </message>
        <message id="Message.65368">
            <source>%s и %s исключают друг друга</source>
            <translation>%s и %s исключают друг друга</translation>
        </message>
        <message id="Message.65369">
            <source>не удается прочитать файл образца %s</source>
            <translation>не удается прочитать файл образца %s</translation>
        </message>
        <message id="Message.65370">
            <source>файл образца %s содержит нулевые байты: это не текст</source>
            <translation>файл образца %s содержит нулевые байты: это не текст</translation>
        </message>
        <message id="Message.65371">
            <source>не удается прочитать список файлов %s</source>
            <translation>не удается прочитать список файлов %s</translation>
        </message>
        <message id="Message.65372">
            <source>нет такого файла или папки: %s</source>
            <translation>нет такого файла или папки: %s</translation>
        </message>
        <message id="Message.65373">
            <source>имя файла - не UTF-8, файл не обработан: %s</source>
            <translation>имя файла - не UTF-8, файл не обработан: %s</translation>
        </message>
        <message id="Message.65374">
            <source>не удается создать папку для копий %s</source>
            <translation>не удается создать папку для копий %s</translation>
        </message>
        <message id="Message.65375">
            <source>не удается записать отчет в %s</source>
            <translation>не удается записать отчет в %s</translation>
        </message>
        <message id="Message.65376">
            <source>недопустимое значение %s параметра %s</source>
            <translation>недопустимое значение %s параметра %s</translation>
        </message>
        <message id="Message.65377">
            <source>неизвестный параметр %s</source>
            <translation>неизвестный параметр %s</translation>
        </message>
        <message id="Message.65378">
            <source>у параметра %s нет значения</source>
            <translation>у параметра %s нет значения</translation>
        </message>
        <message id="Message.65379">
            <source>не удалось записать %s: %s</source>
            <translation>не удалось записать %s: %s</translation>
        </message>
        <message id="Message.65380">
            <source>резервная копия не сделана, поэтому запуск прерван: %s</source>
            <translation>резервная копия не сделана, поэтому запуск прерван: %s</translation>
        </message>
        <message id="Message.65381">
            <source>Заменить? [y] да (Enter), [a] все, [n] нет, [N] нет для всех, [q] выход: </source>
            <translation>Заменить? [y] да (Enter), [a] все, [n] нет, [N] нет для всех, [q] выход: </translation>
        </message>
        <message id="Message.65382">
            <source>Дальше? [y] да (Enter), [a] все без вопросов, [q] выход: </source>
            <translation>Дальше? [y] да (Enter), [a] все без вопросов, [q] выход: </translation>
        </message>
        <message id="Message.65383">
            <source> [y] да, [n] нет (Enter): </source>
            <translation> [y] да, [n] нет (Enter): </translation>
        </message>
        <message id="Message.65384">
            <source> [a] прервать (Enter), [r] повторить, [i] пропустить: </source>
            <translation> [a] прервать (Enter), [r] повторить, [i] пропустить: </translation>
        </message>
        <message id="Message.65385">
            <source>нет</source>
            <translation>нет</translation>
        </message>
        <message id="Message.65387">
            <source>вывод закрыт, отчет дальше не печатается</source>
            <translation>вывод закрыт, отчет дальше не печатается</translation>
        </message>
        <message id="Message.65389">
            <source>Папка резервных копий %s содержит обрабатываемый файл %s. Выберите другую папку.</source>
            <translation>Папка резервных копий %s содержит обрабатываемый файл %s. Выберите другую папку.</translation>
        </message>
        <message id="Message.65390">
            <source>Файл %s записан без своих атрибутов (%s); права группы не расширены</source>
            <translation>Файл %s записан без своих атрибутов (%s); права группы не расширены</translation>
        </message>
        <message id="Message.65393">
            <source>не удается записать отчет в %s: %s</source>
            <translation>не удается записать отчет в %s: %s</translation>
        </message>
        <message id="Message.65394">
            <source>аргумент %s - не текст в кодировке %s</source>
            <translation>аргумент %s - не текст в кодировке %s</translation>
        </message>
        <message id="Message.65395">
            <source>файл образца %s - не текст в кодировке %s</source>
            <translation>файл образца %s - не текст в кодировке %s</translation>
        </message>
        <message id="Message.65397">
            <source>Взять имена файлов из ФАЙЛА, по одному в строке (- : стандартный ввод; относительные - от текущей папки).</source>
            <translation>Взять имена файлов из ФАЙЛА, по одному в строке (- : стандартный ввод; относительные - от текущей папки).</translation>
        </message>
        <message id="Message.65398">
            <source>Имена в --files-from разделены нулевым байтом (как пишет find -print0).</source>
            <translation>Имена в --files-from разделены нулевым байтом (как пишет find -print0).</translation>
        </message>
        <message id="Message.65399">
            <source>-0 (--null) действует только вместе с --files-from</source>
            <translation>-0 (--null) действует только вместе с --files-from</translation>
        </message>
        <message id="Message.65403">
            <source>Файл %s не обработан: это не обычный файл</source>
            <translation>Файл %s не обработан: это не обычный файл</translation>
        </message>
        <message id="Message.65404">
            <source>не удается прочитать %s, пропущено: %s</source>
            <translation>не удается прочитать %s, пропущено: %s</translation>
        </message>
        <message id="Message.65408">
            <source>При сохранении файла %s возникла ошибка: %s. Повторить операцию ?</source>
            <translation>При сохранении файла %s возникла ошибка: %s. Повторить операцию ?</translation>
        </message>
        <message id="Message.65409">
            <source>Идет обработка файлов: изменения вступят в силу при следующем запуске.</source>
            <translation>Идет обработка файлов: изменения вступят в силу при следующем запуске.</translation>
        </message>
        <message id="Message.65410">
            <source>Файл %s не изменен: регулярное выражение превысило предел сложности поиска</source>
            <translation>Файл %s не изменен: регулярное выражение превысило предел сложности поиска</translation>
        </message>
        <message id="Message.65411">
            <source>Ошибка в регулярном выражении (позиция %s): %s</source>
            <translation>Ошибка в регулярном выражении (позиция %s): %s</translation>
        </message>
        <message id="Message.65412">
            <source>Образец поиска - регулярное выражение (PCRE2); в замене $1, ${имя}, $$.</source>
            <translation>Образец поиска - регулярное выражение (PCRE2); в замене $1, ${имя}, $$.</translation>
        </message>
        <message id="Message.65413">
            <source>В регулярном выражении нет группы, названной в замене: %s</source>
            <translation>В регулярном выражении нет группы, названной в замене: %s</translation>
        </message>
        <message id="Message.65415">
            <source>Файл %s прочитан в кодировке %s, но похож на текст в кодировке %s</source>
            <translation>Файл %s прочитан в кодировке %s, но похож на текст в кодировке %s</translation>
        </message>
        <message id="Message.65416">
            <source>Файл %s не изменен: его кодировка под сомнением, замены в нем делаются только с подтверждением</source>
            <translation>Файл %s не изменен: его кодировка под сомнением, замены в нем делаются только с подтверждением</translation>
        </message>
        <message id="Message.65417">
            <source>Кодировка файлов не в UTF-8 и без метки: cp1251 (по умолчанию), cp866, koi8-r, iso-8859-5.</source>
            <translation>Кодировка файлов не в UTF-8 и без метки: cp1251 (по умолчанию), cp866, koi8-r, iso-8859-5.</translation>
        </message>
        <message id="Message.65418">
            <source>Не просматривать файлы и папки, подходящие под маску (например node_modules или *.min.js); можно повторять.</source>
            <translation>Не просматривать файлы и папки, подходящие под маску (например node_modules или *.min.js); можно повторять.</translation>
        </message>
        <message id="Message.65419">
            <source>Не оставлять в стороне .git, .svn и .hg (скрытые папки не просматриваются и так).</source>
            <translation>Не оставлять в стороне .git, .svn и .hg (скрытые папки не просматриваются и так).</translation>
        </message>
        <message id="Message.65420">
            <source>Исходный файл %s не сохранен в журнале: это изменение нельзя будет отменить</source>
            <translation>Исходный файл %s не сохранен в журнале: это изменение нельзя будет отменить</translation>
        </message>
        <message id="Message.65421">
            <source>Отмена обработки %s</source>
            <translation>Отмена обработки %s</translation>
        </message>
        <message id="Message.65422">
            <source>Файл %s восстановлен</source>
            <translation>Файл %s восстановлен</translation>
        </message>
        <message id="Message.65423">
            <source>Файл %s изменен после обработки и оставлен как есть</source>
            <translation>Файл %s изменен после обработки и оставлен как есть</translation>
        </message>
        <message id="Message.65424">
            <source>Не вести журнал этой обработки (ее нельзя будет отменить).</source>
            <translation>Не вести журнал этой обработки (ее нельзя будет отменить).</translation>
        </message>
        <message id="Message.65425">
            <source>Нет обработки, которую можно отменить</source>
            <translation>Нет обработки, которую можно отменить</translation>
        </message>
        <message id="Message.65426">
            <source>Восстановлено файлов: %s, оставлено как есть: %s</source>
            <translation>Восстановлено файлов: %s, оставлено как есть: %s</translation>
        </message>
        <message id="Message.65427">
            <source>%s  «%s» → «%s»  изменено файлов: %s</source>
            <translation>%s  «%s» → «%s»  изменено файлов: %s</translation>
        </message>
        <message id="Message.65428">
            <source>Отменить обработку ЗАПУСК (без него - последнюю): вернуть каждый измененный ею файл, если он с тех пор не менялся.</source>
            <translation>Отменить обработку ЗАПУСК (без него - последнюю): вернуть каждый измененный ею файл, если он с тех пор не менялся.</translation>
        </message>
        <message id="Message.65429">
            <source>Показать сохраненные в журнале обработки: дата, образец, число измененных файлов.</source>
            <translation>Показать сохраненные в журнале обработки: дата, образец, число измененных файлов.</translation>
        </message>
        <message id="Message.65430">
            <source>Напечатать разницу (unified diff) того, что было бы записано, ничего не записывая: patch сделает с копией файлов то же, что обработка.</source>
            <translation>Напечатать разницу (unified diff) того, что было бы записано, ничего не записывая: patch сделает с копией файлов то же, что обработка.</translation>
        </message>
        <message id="Message.65431">
            <source>Цвет разницы: auto - на терминале (по умолчанию), always - всегда, never - никогда.</source>
            <translation>Цвет разницы: auto - на терминале (по умолчанию), always - всегда, never - никогда.</translation>
        </message>
        <message id="Message.65432">
            <source>Вхождений: %d, файлов: %d, отмечено: %d</source>
            <translation>Вхождений: %d, файлов: %d, отмечено: %d</translation>
        </message>
        <message id="Message.65433">
            <source>(файл изменен после просмотра)</source>
            <translation>(файл изменен после просмотра)</translation>
        </message>
        <message id="Message.65442">
            <source>Используются переносимые файловые вызовы: файл, измененный другой программой во время работы, распознается только по размеру и времени изменения; новые файлы не сбрасываются на диск до замены старых; из атрибутов файла сохраняются только права доступа</source>
            <translation>Используются переносимые файловые вызовы: файл, измененный другой программой во время работы, распознается только по размеру и времени изменения; новые файлы не сбрасываются на диск до замены старых; из атрибутов файла сохраняются только права доступа</translation>
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
            <translation>О программе</translation>
        </message>
        <message id="TAboutF.ProgramL.Caption">
            <source>Quorvex</source>
            <translation>Quorvex</translation>
        </message>
        <message id="TAboutF.PurposeL.Caption">
            <source>Поиск и замена в текстовых, HTML и RTF файлах</source>
            <translation>Поиск и замена в текстовых, HTML и RTF файлах</translation>
        </message>
        <message id="TAboutF.QtCaptionL.Caption">
            <source>Библиотека Qt:</source>
            <translation>Библиотека Qt:</translation>
        </message>
        <message id="TAboutF.SystemCaptionL.Caption">
            <source>Система:</source>
            <translation>Система:</translation>
        </message>
        <message id="TAboutF.UserCaptionL.Caption">
            <source>Пользователь:</source>
            <translation>Пользователь:</translation>
        </message>
        <message id="TAboutF.HostCaptionL.Caption">
            <source>Компьютер:</source>
            <translation>Компьютер:</translation>
        </message>
        <message id="TAboutF.OkB.Caption">
            <source>Ok</source>
            <translation>Ok</translation>
        </message>
    </context>
    <context>
        <name>TFolderDF</name>
        <message id="TFolderDF.FolderDF.Caption">
            <source>Выбор каталога</source>
            <translation>Выбор каталога</translation>
        </message>
        <message id="TFolderDF.DrivesL.Caption">
            <source>Диски:</source>
            <translation>Диски:</translation>
        </message>
        <message id="TFolderDF.DirsL.Caption">
            <source>Каталоги:</source>
            <translation>Каталоги:</translation>
        </message>
        <message id="TFolderDF.RecurseCB.Caption">
            <source>Включая подкаталоги</source>
            <translation>Включая подкаталоги</translation>
        </message>
        <message id="TFolderDF.OkBB.Caption">
            <source>Оk</source>
            <translation>Оk</translation>
        </message>
        <message id="TFolderDF.CancelBB.Caption">
            <source>Отмена</source>
            <translation>Отмена</translation>
        </message>
    </context>
    <context>
        <name>THelpF</name>
        <message id="THelpF.HelpF.Caption">
            <source>Справка</source>
            <translation>Справка</translation>
        </message>
        <message id="THelpF.BackB.Caption">
            <source>Назад</source>
            <translation>Назад</translation>
        </message>
        <message id="THelpF.ForwardB.Caption">
            <source>Вперед</source>
            <translation>Вперед</translation>
        </message>
        <message id="THelpF.ContentsB.Caption">
            <source>Содержание</source>
            <translation>Содержание</translation>
        </message>
        <message id="THelpF.ContentsLB.AccessibleName">
            <source>Разделы справки</source>
            <translation>Разделы справки</translation>
        </message>
    </context>
    <context>
        <name>TMainF</name>
        <message id="TMainF.MainF.Caption">
            <source>Поиск и замена</source>
            <translation>Поиск и замена</translation>
        </message>
        <message id="TMainF.FilesPMAddFile.Caption">
            <source>Добавить файл(ы)</source>
            <translation>Добавить файл(ы)</translation>
        </message>
        <message id="TMainF.FilesPMAddDir.Caption">
            <source>Добавить каталог</source>
            <translation>Добавить каталог</translation>
        </message>
        <message id="TMainF.FilesPMRemoveFiles.Caption">
            <source>Убрать файл(ы)</source>
            <translation>Убрать файл(ы)</translation>
        </message>
        <message id="TMainF.FilesPMRemoveAll.Caption">
            <source>Убрать все</source>
            <translation>Убрать все</translation>
        </message>
        <message id="TMainF.FilesPMLoadFileList.Caption">
            <source>Загрузить список</source>
            <translation>Загрузить список</translation>
        </message>
        <message id="TMainF.FilesPMSaveFileList.Caption">
            <source>Сохранить список</source>
            <translation>Сохранить список</translation>
        </message>
        <message id="TMainF.EditPMClipboard.Caption">
            <source>Вставить из буфера</source>
            <translation>Вставить из буфера</translation>
        </message>
        <message id="TMainF.EditPMFromFile.Caption">
            <source>Вставить из файла</source>
            <translation>Вставить из файла</translation>
        </message>
        <message id="TMainF.EditPMFile.Caption">
            <source>Вставить файл</source>
            <translation>Вставить файл</translation>
        </message>
        <message id="TMainF.EditPMClear.Caption">
            <source>Очистить</source>
            <translation>Очистить</translation>
        </message>
        <message id="TMainF.InsertPMClipboard.Caption">
            <source>Из буфера</source>
            <translation>Из буфера</translation>
        </message>
        <message id="TMainF.InsertPMFromFile.Caption">
            <source>Из файла</source>
            <translation>Из файла</translation>
        </message>
        <message id="TMainF.InsertPMFile.Caption">
            <source>Файл</source>
            <translation>Файл</translation>
        </message>
        <message id="TMainF.FilesTS.Caption">
            <source>В файлах</source>
            <translation>В файлах</translation>
        </message>
        <message id="TMainF.FilesLB.AccessibleName">
            <source>Список файлов</source>
            <translation>Список файлов</translation>
        </message>
        <message id="TMainF.FileListBB.Caption">
            <source>Списки</source>
            <translation>Списки</translation>
        </message>
        <message id="TMainF.AddFileB.Caption">
            <source>Добавить</source>
            <translation>Добавить</translation>
        </message>
        <message id="TMainF.SubFileB.Caption">
            <source>Убрать</source>
            <translation>Убрать</translation>
        </message>
        <message id="TMainF.PreviewB.Caption">
            <source>Прос&amp;мотр</source>
            <translation>Прос&amp;мотр</translation>
        </message>
        <message id="TMainF.BitBtn2.Caption">
            <source>&amp;Обработать</source>
            <translation>&amp;Обработать</translation>
        </message>
        <message id="TMainF.SourceTS.Caption">
            <source>Найти</source>
            <translation>Найти</translation>
        </message>
        <message id="TMainF.MSCB.Caption">
            <source>Подстановочные знаки при поиске</source>
            <translation>Подстановочные знаки при поиске</translation>
        </message>
        <message id="TMainF.RegexCB.Caption">
            <source>Регулярные выражения</source>
            <translation>Регулярные выражения</translation>
        </message>
        <message id="TMainF.RCB.Caption">
            <source>Заменять</source>
            <translation>Заменять</translation>
        </message>
        <message id="TMainF.S1ClearB.Caption">
            <source>&amp;Очистить</source>
            <translation>&amp;Очистить</translation>
        </message>
        <message id="TMainF.InsertSB.Caption">
            <source>&amp;Вставить</source>
            <translation>&amp;Вставить</translation>
        </message>
        <message id="TMainF.TargetTS.Caption">
            <source>Заменить на</source>
            <translation>Заменить на</translation>
        </message>
        <message id="TMainF.MRCB.Caption">
            <source>Подстановочные знаки при замене</source>
            <translation>Подстановочные знаки при замене</translation>
        </message>
        <message id="TMainF.TClearB.Caption">
            <source>&amp;Очистить</source>
            <translation>&amp;Очистить</translation>
        </message>
        <message id="TMainF.InsertTB.Caption">
            <source>&amp;Вставить</source>
            <translation>&amp;Вставить</translation>
        </message>
        <message id="TMainF.ReportTS.Caption">
            <source>Отчет</source>
            <translation>Отчет</translation>
        </message>
        <message id="TMainF.FilesI.Caption">
            <source>&amp;Файлы</source>
            <translation>&amp;Файлы</translation>
        </message>
        <message id="TMainF.N11.Caption">
            <source>&amp;Добавить</source>
            <translation>&amp;Добавить</translation>
        </message>
        <message id="TMainF.N12.Caption">
            <source>&amp;Убрать</source>
            <translation>&amp;Убрать</translation>
        </message>
        <message id="TMainF.N1.Caption">
            <source>&amp;Опции</source>
            <translation>&amp;Опции</translation>
        </message>
        <message id="TMainF.HelpI.Caption">
            <source>&amp;Помощь</source>
            <translation>&amp;Помощь</translation>
        </message>
        <message id="TMainF.StopB.Caption">
            <source>Стоп</source>
            <translation>Стоп</translation>
        </message>
        <message id="TMainF.StopB.Hint">
            <source>Остановить обработку (Esc)</source>
            <translation>Остановить обработку (Esc)</translation>
        </message>
        <message id="TMainF.ClearCurrentRE.Caption">
            <source>&amp;Очистить</source>
            <translation>&amp;Очистить</translation>
        </message>
        <message id="TMainF.AddFile.Caption">
            <source>&amp;Файл(ы)</source>
            <translation>&amp;Файл(ы)</translation>
        </message>
        <message id="TMainF.InsertToCurrentRE.Caption">
            <source>&amp;Вставить</source>
            <translation>&amp;Вставить</translation>
        </message>
        <message id="TMainF.AddDir.Caption">
            <source>&amp;Каталог</source>
            <translation>&amp;Каталог</translation>
        </message>
        <message id="TMainF.RemoveFiles.Caption">
            <source>&amp;Файл(ы)</source>
            <translation>&amp;Файл(ы)</translation>
        </message>
        <message id="TMainF.RemoveAll.Caption">
            <source>&amp;Все</source>
            <translation>&amp;Все</translation>
        </message>
        <message id="TMainF.ProcessFiles.Caption">
            <source>&amp;Обработать</source>
            <translation>&amp;Обработать</translation>
        </message>
        <message id="TMainF.PreviewFiles.Caption">
            <source>Прос&amp;мотр</source>
            <translation>Прос&amp;мотр</translation>
        </message>
        <message id="TMainF.UndoRun.Caption">
            <source>Отменить последнюю обработку</source>
            <translation>Отменить последнюю обработку</translation>
        </message>
        <message id="TMainF.PasteFromFile.Caption">
            <source>Из &amp;файла</source>
            <translation>Из &amp;файла</translation>
        </message>
        <message id="TMainF.PasteFromClipboard.Caption">
            <source>Из &amp;буфера</source>
            <translation>Из &amp;буфера</translation>
        </message>
        <message id="TMainF.ChangeOptions.Caption">
            <source>&amp;Настройка</source>
            <translation>&amp;Настройка</translation>
        </message>
        <message id="TMainF.ShowHelp.Caption">
            <source>Содер&amp;жание</source>
            <translation>Содер&amp;жание</translation>
        </message>
        <message id="TMainF.LoadFileList.Caption">
            <source>&amp;Загрузить</source>
            <translation>&amp;Загрузить</translation>
        </message>
        <message id="TMainF.SaveFileList.Caption">
            <source>З&amp;аписать</source>
            <translation>З&amp;аписать</translation>
        </message>
        <message id="TMainF.ShowHideRTS.Caption">
            <source>Заменять</source>
            <translation>Заменять</translation>
        </message>
        <message id="TMainF.ExitProg.Caption">
            <source>&amp;Выход</source>
            <translation>&amp;Выход</translation>
        </message>
        <message id="TMainF.PrintReport.Caption">
            <source>&amp;Печать</source>
            <translation>&amp;Печать</translation>
        </message>
        <message id="TMainF.SaveReport.Caption">
            <source>&amp;Сохранить</source>
            <translation>&amp;Сохранить</translation>
        </message>
        <message id="TMainF.PasteFile.Caption">
            <source>PasteFile</source>
            <translation>PasteFile</translation>
        </message>
        <message id="TMainF.AboutProgramI.Caption">
            <source>&amp;О программе</source>
            <translation>&amp;О программе</translation>
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
        <message id="TOptionsF.SkipL.Caption">
            <source>Не прос&amp;матривать</source>
            <translation>Не прос&amp;матривать</translation>
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
        <message id="TOptionsF.BackupDirE.AccessibleName">
            <source>Папка резервных копий</source>
            <translation>Папка резервных копий</translation>
        </message>
        <message id="TOptionsF.SelectBackupFolderB.Hint">
            <source>Выбрать папку резервных копий</source>
            <translation>Выбрать папку резервных копий</translation>
        </message>
        <message id="TOptionsF.SelectBackupFolderB.Caption">
            <source>...</source>
            <translation>...</translation>
        </message>
        <message id="TOptionsF.JournalCB.Caption">
            <source>&amp;Журнал для отмены обработки</source>
            <translation>&amp;Журнал для отмены обработки</translation>
        </message>
        <message id="TOptionsF.JournalRunsE.AccessibleName">
            <source>Хранить обработок</source>
            <translation>Хранить обработок</translation>
        </message>
        <message id="TOptionsF.JournalRunsE.Suffix">
            <source> обраб.</source>
            <translation> обраб.</translation>
        </message>
        <message id="TOptionsF.JournalSizeE.AccessibleName">
            <source>Хранить не более, ГБ</source>
            <translation>Хранить не более, ГБ</translation>
        </message>
        <message id="TOptionsF.JournalSizeE.Suffix">
            <source> ГБ</source>
            <translation> ГБ</translation>
        </message>
        <message id="TOptionsF.JournalSpaceL.Caption">
            <source>занято %1 МБ</source>
            <translation>занято %1 МБ</translation>
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
    <context>
        <name>TPreviewTS</name>
        <message id="TPreviewTS.Caption">
            <source>Просмотр</source>
            <translation>Просмотр</translation>
        </message>
        <message id="TPreviewTS.PreviewTV.AccessibleName">
            <source>Вхождения</source>
            <translation>Вхождения</translation>
        </message>
        <message id="TPreviewTS.ApplyB.Caption">
            <source>&amp;Применить</source>
            <translation>&amp;Применить</translation>
        </message>
        <message id="TPreviewTS.ClosePreviewB.Caption">
            <source>&amp;Закрыть</source>
            <translation>&amp;Закрыть</translation>
        </message>
    </context>
    <context>
        <name>TMainF</name>
        <message id="TMainF.SaveDialog1.Filter">
            <source>Текстовый файл|*.txt|Документ RTF|*.rtf</source>
            <translation>Текстовый файл|*.txt|Документ RTF|*.rtf</translation>
        </message>
        <message id="TMainF.ReportRE.PrintJobTitle">
            <source>Отчет о проделанной работе</source>
            <translation>Отчет о проделанной работе</translation>
        </message>
        <message id="TMainF.BitBtn1.Caption">
            <source>&amp;Печать</source>
            <translation>&amp;Печать</translation>
        </message>
        <message id="TMainF.SaveReportBB.Caption">
            <source>&amp;Сохранить</source>
            <translation>&amp;Сохранить</translation>
        </message>
        <message id="TMainF.BitBtn3.Caption">
            <source>&amp;Ok</source>
            <translation>&amp;Ok</translation>
        </message>
    </context>
    <context>
        <name>TProcessF</name>
        <message id="TProcessF.Caption">
            <source>Обработка файла</source>
            <translation>Обработка файла</translation>
        </message>
        <message id="TProcessF.ProcessRE.AccessibleName">
            <source>Текст файла</source>
            <translation>Текст файла</translation>
        </message>
        <message id="TProcessF.BEdit.Hint">
            <source>Редактировать текст</source>
            <translation>Редактировать текст</translation>
        </message>
        <message id="TProcessF.BEdit.Caption">
            <source>Р</source>
            <translation>Р</translation>
        </message>
        <message id="TProcessF.AskRL.Caption">
            <source>Заменить ?</source>
            <translation>Заменить ?</translation>
        </message>
        <message id="TProcessF.YesB.Caption">
            <source>&amp;Да</source>
            <translation>&amp;Да</translation>
        </message>
        <message id="TProcessF.YesToAllB.Caption">
            <source>Д&amp;а, для всех</source>
            <translation>Д&amp;а, для всех</translation>
        </message>
        <message id="TProcessF.NoB.Caption">
            <source>&amp;Нет</source>
            <translation>&amp;Нет</translation>
        </message>
        <message id="TProcessF.NoToAllB.Caption">
            <source>Н&amp;ет, для всех</source>
            <translation>Н&amp;ет, для всех</translation>
        </message>
        <message id="TProcessF.AbortB.Caption">
            <source>&amp;Прервать</source>
            <translation>&amp;Прервать</translation>
        </message>
        <message id="TProcessF.OkB.Caption">
            <source>&amp;Ok</source>
            <translation>&amp;Ok</translation>
        </message>
        <message id="TProcessF.CancelB.Caption">
            <source>От&amp;менить</source>
            <translation>От&amp;менить</translation>
        </message>
        <message id="TProcessF.AskCL.Caption">
            <source>Продолжить ?</source>
            <translation>Продолжить ?</translation>
        </message>
        <message id="TProcessF.Ok1b.Caption">
            <source>&amp;Да</source>
            <translation>&amp;Да</translation>
        </message>
        <message id="TProcessF.YesToAll1B.Caption">
            <source>Н&amp;е спрашивать</source>
            <translation>Н&amp;е спрашивать</translation>
        </message>
        <message id="TProcessF.Abort1B.Caption">
            <source>&amp;Нет</source>
            <translation>&amp;Нет</translation>
        </message>
        <message id="TProcessF.Label1.Caption">
            <source>Продолжить:</source>
            <translation>Продолжить:</translation>
        </message>
        <message id="TProcessF.RBCurPos.Caption">
            <source>С текущей позиции</source>
            <translation>С текущей позиции</translation>
        </message>
        <message id="TProcessF.RBBegFile.Caption">
            <source>С начала файла</source>
            <translation>С начала файла</translation>
        </message>
        <message id="TProcessF.RBNextFile.Caption">
            <source>Со следующего файла</source>
            <translation>Со следующего файла</translation>
        </message>
        <message id="TProcessF.BBOk.Caption">
            <source>&amp;Ok</source>
            <translation>&amp;Ok</translation>
        </message>
        <message id="TProcessF.TryToAbort.Caption">
            <source>&amp;Прервать</source>
            <translation>&amp;Прервать</translation>
        </message>
        <message id="TProcessF.PrepareEdit.Caption">
            <source>Р</source>
            <translation>Р</translation>
        </message>
    </context>
</TS>
