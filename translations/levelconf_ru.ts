<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>BrokerUrl</name>
    <message>
        <source>the broker is given as mqtt://HOST[:PORT] or mqtts://HOST[:PORT], not &quot;%1&quot;</source>
        <translation>брокер задаётся как mqtt://ХОСТ[:ПОРТ] или mqtts://ХОСТ[:ПОРТ], а не «%1»</translation>
    </message>
    <message>
        <source>no user name or password in the broker&apos;s address: give --username and --password-file</source>
        <translation>имя пользователя и пароль не пишутся в адресе брокера: укажите --username и --password-file</translation>
    </message>
    <message>
        <source>the broker is given as a host and a port only, not &quot;%1&quot;</source>
        <translation>брокер задаётся только хостом и портом, а не «%1»</translation>
    </message>
</context>
<context>
    <name>BusPoller</name>
    <message>
        <source>no such device</source>
        <translation>нет такого устройства</translation>
    </message>
    <message>
        <source>no permission; the gateway&apos;s user must be in the dialout group</source>
        <translation>нет прав; пользователь шлюза должен входить в группу dialout</translation>
    </message>
    <message>
        <source>in use by another program</source>
        <translation>занят другой программой</translation>
    </message>
    <message>
        <source>it would not open</source>
        <translation>не открывается</translation>
    </message>
    <message>
        <source>Port %1 cannot be opened (%2); trying again every %3 s</source>
        <translation>Порт %1 не открывается (%2); новая попытка каждые %3 с</translation>
    </message>
    <message>
        <source>Port %1 opened</source>
        <translation>Порт %1 открыт</translation>
    </message>
    <message>
        <source>Port %1 lost: every sensor is offline; trying again every %2 s</source>
        <translation>Порт %1 потерян: все датчики недоступны; новая попытка каждые %2 с</translation>
    </message>
    <message>
        <source>port lost</source>
        <translation>порт потерян</translation>
    </message>
    <message>
        <source>Search: no sensor answered</source>
        <translation>Поиск: ни один датчик не ответил</translation>
    </message>
    <message>
        <source>Search: addresses %1</source>
        <translation>Поиск: адреса %1</translation>
    </message>
    <message>
        <source>Sensor %1 at address %2: firmware %3</source>
        <translation>Датчик %1 по адресу %2: прошивка %3</translation>
    </message>
    <message>
        <source>Sensor %1: online</source>
        <translation>Датчик %1: на связи</translation>
    </message>
    <message>
        <source>Sensor %1: offline (%2)</source>
        <translation>Датчик %1: нет связи (%2)</translation>
    </message>
    <message numerus="yes">
        <source>%n polls in a row missed</source>
        <translation>
            <numerusform>%n опрос подряд без ответа</numerusform>
            <numerusform>%n опроса подряд без ответа</numerusform>
            <numerusform>%n опросов подряд без ответа</numerusform>
        </translation>
    </message>
    <message>
        <source>not a serial device</source>
        <translation>не последовательное устройство</translation>
    </message>
    <message>
        <source>its symbolic links lead round in a loop</source>
        <translation>его символические ссылки замыкаются в кольцо</translation>
    </message>
    <message>
        <source>Sensor %1: answering; not published while the MQTT broker cannot be reached</source>
        <translation>Датчик %1: отвечает; не публикуется, пока брокер MQTT недоступен</translation>
    </message>
    <message>
        <source>Sensor %1: offline (%2); not published while the MQTT broker cannot be reached</source>
        <translation>Датчик %1: нет связи (%2); не публикуется, пока брокер MQTT недоступен</translation>
    </message>
</context>
<context>
    <name>CalibrationPart</name>
    <message>
        <source>Automatic tank calibration</source>
        <translation>Автоматическая тарировка бака</translation>
    </message>
    <message>
        <source>tbl Files (*.trr)</source>
        <translation>Файлы тарировки (*.trr)</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Файл не найден</translation>
    </message>
    <message>
        <source>tbl Files (*.pl5)</source>
        <translation>Файлы тарировочной таблицы (*.pl5)</translation>
    </message>
    <message>
        <source>No sensor address is selected. Search the network and pick the sensor&apos;s address first.</source>
        <translation>Адрес датчика не выбран. Сначала найдите датчики в сети и выберите адрес нужного.</translation>
    </message>
    <message>
        <source>Enter portion size</source>
        <translation>Введите размер порции</translation>
    </message>
    <message>
        <source>the portion size must be a whole number from -32768 to 32767</source>
        <translation>размер порции должен быть целым числом от -32768 до 32767</translation>
    </message>
    <message>
        <source>the portion size must be a whole number from -32768 to 32767, not 0</source>
        <translation>размер порции должен быть целым числом от -32768 до 32767, отличным от 0</translation>
    </message>
    <message>
        <source>Tank calibration points</source>
        <translation>Точки тарировки бака</translation>
    </message>
    <message>
        <source>Table answer damaged: not read.</source>
        <translation>Ответ с таблицей повреждён: таблица не прочитана.</translation>
    </message>
    <message>
        <source>Table read.</source>
        <translation>Таблица прочитана.</translation>
    </message>
    <message>
        <source>Схранить</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>The table was not saved to %1: %2. A file already there is left as it was.</source>
        <translation>Таблица не сохранена в %1: %2. Прежний файл с этим именем оставлен без изменений.</translation>
    </message>
    <message>
        <source>Открыть</source>
        <translation>Открыть</translation>
    </message>
    <message>
        <source>The table file %1 could not be read: %2</source>
        <translation>Не удалось прочитать файл таблицы %1: %2</translation>
    </message>
    <message numerus="yes">
        <source>The file %1 ends inside a table: it has %n lines, and a table takes %2. The cells keep what they held before that table.</source>
        <translation>
            <numerusform>Файл %1 обрывается внутри таблицы: в нём %n строка, а таблица занимает %2. В ячейках осталось то, что было в них до этой таблицы.</numerusform>
            <numerusform>Файл %1 обрывается внутри таблицы: в нём %n строки, а таблица занимает %2. В ячейках осталось то, что было в них до этой таблицы.</numerusform>
            <numerusform>Файл %1 обрывается внутри таблицы: в нём %n строк, а таблица занимает %2. В ячейках осталось то, что было в них до этой таблицы.</numerusform>
        </translation>
    </message>
    <message>
        <source>Wrong portion size</source>
        <translation>Неверный размер порции</translation>
    </message>
    <message>
        <source>Cannot create the file %1: %2.</source>
        <translation>Не удалось создать файл %1: %2.</translation>
    </message>
    <message>
        <source>Tank calibration portion size</source>
        <translation>Размер порции тарировки</translation>
    </message>
    <message>
        <source>Wrong portion size value</source>
        <translation>Неверное значение размера порции</translation>
    </message>
    <message>
        <source>Point %1 was not recorded: the file %2 did not take it (%3). Check the file and the disk, then record the point again.</source>
        <translation>Точка %1 не записана: файл %2 её не принял (%3). Проверьте файл и диск и запишите точку снова.</translation>
    </message>
    <message>
        <source>File not found

%1: %2.

No point is recorded until a calibration is started or continued.</source>
        <translation>Файл не найден

%1: %2.

Точки не записываются, пока тарировка не будет начата заново или продолжена.</translation>
    </message>
</context>
<context>
    <name>CalibrationTable</name>
    <message>
        <source>Показания датчика</source>
        <translation>Показания датчика</translation>
    </message>
    <message>
        <source>Литры</source>
        <translation>Литры</translation>
    </message>
    <message>
        <source>Point %1, %2: &quot;%3&quot; is not a number from 0 to 32767</source>
        <translation>Точка %1, %2: «%3» — не число от 0 до 32767</translation>
    </message>
</context>
<context>
    <name>CliArguments</name>
    <message>
        <source>The serial device of the bus.</source>
        <translation>Последовательное устройство шины.</translation>
    </message>
    <message>
        <source>Print results as JSON, one object a line.</source>
        <translation>Выводить результаты в JSON, по объекту в строке.</translation>
    </message>
    <message>
        <source>search: list every byte answered, without asking each address.</source>
        <translation>search: перечислить все байты ответа, не опрашивая каждый адрес.</translation>
    </message>
    <message>
        <source>watch: stop after N readings.</source>
        <translation>watch: остановиться после N показаний.</translation>
    </message>
    <message>
        <source>watch: print the readings as the readings file (CSV, CR LF).</source>
        <translation>watch: выводить показания в формате файла показаний (CSV, CR LF).</translation>
    </message>
    <message>
        <source>table write: the sensor outputs per cent of the table.</source>
        <translation>table write: датчик выдаёт проценты по таблице.</translation>
    </message>
    <message>
        <source>table write: the sensor outputs litres through the table.</source>
        <translation>table write: датчик выдаёт литры по таблице.</translation>
    </message>
    <message>
        <source>flash: the sensor type, PL540 or PL140.</source>
        <translation>flash: тип датчика, PL540 или PL140.</translation>
    </message>
    <message>
        <source>flash: also reset the calibration values (the data EEPROM).</source>
        <translation>flash: также сбросить калибровочные значения (EEPROM данных).</translation>
    </message>
    <message>
        <source>Messages and help in LANGUAGE: en (English), ru (Russian) or described (the window&apos;s first texts, half Russian, half English). Without it the locale chooses: ru_* Russian, any other English.</source>
        <translation>Сообщения и справка на языке LANGUAGE: en (английский), ru (русский) или described (исходные тексты окна, наполовину русские, наполовину английские). Без этого параметра язык выбирает локаль: ru_* — русский, любая другая — английский.</translation>
    </message>
    <message>
        <source>Write the session log into DIR instead of the program&apos;s log folder.</source>
        <translation>Писать журнал сеанса в DIR, а не в папку журналов программы.</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>не задана команда</translation>
    </message>
    <message>
        <source>unknown command %1</source>
        <translation>неизвестная команда %1</translation>
    </message>
    <message>
        <source>wrong number of arguments for %1</source>
        <translation>неверное число аргументов для %1</translation>
    </message>
    <message>
        <source>table takes read or write</source>
        <translation>table принимает read или write</translation>
    </message>
    <message>
        <source>%1 does not take --%2</source>
        <translation>%1 не принимает --%2</translation>
    </message>
    <message>
        <source>--csv and --json are two ways to print the readings: give one</source>
        <translation>--csv и --json — два способа вывести показания: задайте один</translation>
    </message>
    <message>
        <source>table read to - prints the table file itself; --json has nothing to add</source>
        <translation>table read в - выводит сам файл таблицы; --json здесь нечего добавить</translation>
    </message>
    <message>
        <source>--count takes a number of readings, 1 or more</source>
        <translation>--count принимает число показаний, от 1</translation>
    </message>
    <message>
        <source>--port DEVICE is required</source>
        <translation>нужен --port DEVICE</translation>
    </message>
    <message>
        <source>flash needs --type PL540 or --type PL140</source>
        <translation>для flash нужен --type PL540 или --type PL140</translation>
    </message>
    <message>
        <source>ADDR &quot;%1&quot; is not a sensor&apos;s network address, 0 to %2</source>
        <translation>ADDR «%1» — не сетевой адрес датчика (от 0 до %2)</translation>
    </message>
    <message>
        <source>Usage: levelconf-cli --port DEVICE COMMAND [ARGUMENTS] [OPTIONS]
Configure QX-510 and HZL-310 liquid-level sensors on RS-485 from scripts.
</source>
        <translation>Использование: levelconf-cli --port DEVICE COMMAND [ARGUMENTS] [OPTIONS]
Настройка датчиков уровня жидкости QX-510 и HZL-310 на RS-485 из сценариев.
</translation>
    </message>
    <message>
        <source>Commands (ADDR is a sensor&apos;s network address, a whole number 0 to 254):
  search [--raw]              the addresses of the sensors on the bus: each
                              address answered is asked for its identity and
                              listed only when it answers intact
  info ADDR                   serial number, firmware, mode and settings
  watch ADDR [--count N] [--csv]
                              one reading a second, after a header line:
                              time address distance_cm amplitude
                              temperature_C stability; a reading that did
                              not come is a line of its time and address
  set ADDR KEY=VALUE...       settings, in the order given, each confirmed by
                              the sensor before the next one
  table read ADDR FILE.pl5    the calibration table into a file (- for
                              standard output)
  table write ADDR FILE.pl5 [--percent] [--litres]
                              a file into the sensor, then the mode with
                              these two flags as given
  flash IMAGE.cri --type PL540|PL140 [--eeprom]
                              firmware through the boot loader
</source>
        <translation>Команды (ADDR — сетевой адрес датчика, целое число от 0 до 254):
  search [--raw]              адреса датчиков на шине: у каждого ответившего
                              адреса запрашивается идентификация, и в список
                              он попадает, только если ответ пришёл целым
  info ADDR                   серийный номер, прошивка, режим и настройки
  watch ADDR [--count N] [--csv]
                              одно показание в секунду после строки
                              заголовка: time address distance_cm amplitude
                              temperature_C stability; показание, которое
                              не пришло, — строка из его времени и адреса
  set ADDR KEY=VALUE...       настройки в заданном порядке; каждую датчик
                              подтверждает до отправки следующей
  table read ADDR FILE.pl5    тарировочная таблица в файл (- — в стандартный
                              вывод)
  table write ADDR FILE.pl5 [--percent] [--litres]
                              файл в датчик, затем режим с этими двумя
                              флагами, как они заданы
  flash IMAGE.cri --type PL540|PL140 [--eeprom]
                              прошивка через загрузчик
</translation>
    </message>
    <message>
        <source>The stability of watch is the level-stability lamp, green, yellow or red;
it is left empty for the first 38 readings, until the lamp&apos;s smoothed
amplitude, which starts from nothing, can tell a steady level at all.
</source>
        <translation>Стабильность в watch — цвет лампы стабильности уровня: зелёный, жёлтый
или красный (в --csv — green, yellow, red). Первые 38 показаний поле
пусто: сглаженная амплитуда лампы начинается с нуля и до тех пор
не позволяет судить, устойчив ли уровень.
</translation>
    </message>
    <message>
        <source>Values are numbers as the window takes them: decimal, with a dot whatever
the locale, an exponent allowed (1e2). Each is rounded to what the sensor
takes, the nearest whole number (halves to even) or hundredth of a degree,
and a value that rounding changed is named on standard error before it
is sent. Anything else is refused, and nothing is sent.
</source>
        <translation>Значения — числа в том виде, в каком их принимает окно программы:
десятичные, с точкой при любой локали, можно с порядком (1e2). Каждое
округляется до того, что принимает датчик: до ближайшего целого
(половины — к чётному) или до сотой доли градуса; значение, изменённое
округлением, называется в стандартном потоке ошибок до отправки.
Всё остальное отклоняется, и ничего не отправляется.
</translation>
    </message>
    <message>
        <source>Mode words:
  OUTPUT                      rs485, analog, frequency, impulse, active-rs485
  FLAG                        inverted, filtration, range4096, litres, percent
  level=0..15, echo=closest|further|both
                              firmware 1.7.6: filtration level and echo
                              selection; left out, they stay as they are
</source>
        <translation>Слова режима:
  OUTPUT                      rs485, analog, frequency, impulse, active-rs485
  FLAG                        inverted, filtration, range4096, litres, percent
  level=0..15, echo=closest|further|both
                              прошивка 1.7.6: уровень фильтрации и выбор
                              эха; если не заданы, остаются как есть
</translation>
    </message>
    <message>
        <source>Exit status:
  0    done
  1    bad usage: unknown command, key or option, an option the command
       does not take, missing argument
  2    the port cannot be opened, or was lost
  3    no answer from the sensor, after three tries, or a damaged one: a
       setting so left unconfirmed may have been taken; read it back
       before sending it again (a shift is sent once)
  4    refused by the sensor: wrong password, frequency mode, wrong answer,
       a setting or table its firmware does not have, or a new address
       another sensor answers at (nothing is sent)
  5    bad input or file: ADDR or a value out of range, a table file or
       firmware image that cannot be sent, a file to write that is not a
       regular file (nothing is sent)
  6    the firmware update failed, or its start was not confirmed
  7    the results could not be written to standard output (a full disk,
       a closed output)
  130  interrupted (Ctrl+C or SIGTERM); a watch without --count ends this
       way with 0
  141  the reader of standard output went away (watch ... | head -3):
       the run ends quietly, as a tool that SIGPIPE stops
</source>
        <translation>Код завершения:
  0    выполнено
  1    неверный вызов: неизвестная команда, ключ или параметр, параметр,
       которого команда не принимает, недостающий аргумент
  2    порт не открывается или потерян
  3    нет ответа от датчика после трёх попыток, или ответ повреждён:
       настройка, оставшаяся так без подтверждения, могла быть принята;
       прочитайте её, прежде чем отправлять снова (сдвиг отправляется
       один раз)
  4    отказ датчика: неверный пароль, частотный режим, неверный ответ,
       настройка или таблица, которых нет в его прошивке, или новый
       адрес, по которому отвечает другой датчик (ничего не отправлено)
  5    неверные данные или файл: ADDR или значение вне диапазона, файл
       таблицы или образ прошивки, который нельзя отправить, файл для
       записи, который не является обычным файлом (ничего не отправлено)
  6    обновление прошивки не удалось, или её запуск не подтверждён
  7    результаты не удалось записать в стандартный вывод (диск заполнен,
       вывод закрыт)
  130  прервано (Ctrl+C или SIGTERM); watch без --count завершается так
       с кодом 0
  141  читатель стандартного вывода ушёл (watch ... | head -3): работа
       завершается молча, как у программы, которую остановил SIGPIPE
</translation>
    </message>
    <message>
        <source>Every run writes a session log of its own, as the window does, into the
program&apos;s log folder or --log-folder; a new folder is made for its owner
alone, and each log file is readable by its owner alone.
</source>
        <translation>Каждый запуск, как и окно программы, пишет собственный журнал сеанса
в папку журналов программы или в --log-folder; новая папка создаётся
только для владельца, и каждый файл журнала может читать только он.
</translation>
    </message>
    <message>
        <source>Messages and this help are in English, or in Russian where the locale
asks for it: LC_ALL, else LC_MESSAGES, else LANG is ru_* (and LANGUAGE,
where set, does not put English first). --language en, ru or described
chooses whatever the locale. The session log, the JSON and CSV output,
the files and the words of the command line (commands, keys, mode words)
are the same in every language.
</source>
        <translation>Сообщения и эта справка выводятся по-английски или по-русски, если так
велит локаль: LC_ALL, иначе LC_MESSAGES, иначе LANG имеет вид ru_* (а
LANGUAGE, если задана, не ставит английский первым). --language en, ru
или described выбирает язык независимо от локали. Журнал сеанса, вывод
JSON и CSV, файлы и слова командной строки (команды, ключи, слова
режима) одинаковы на любом языке.
</translation>
    </message>
    <message>
        <source>Settings (set ADDR KEY=VALUE...):
</source>
        <translation>Настройки (set ADDR KEY=VALUE...):
</translation>
    </message>
    <message>
        <source>shift the full level, -1000 to 1000</source>
        <translation>сдвиг верхнего уровня, от -1000 до 1000</translation>
    </message>
    <message>
        <source>shift the empty level, -1000 to 1000</source>
        <translation>сдвиг нижнего уровня, от -1000 до 1000</translation>
    </message>
    <message>
        <source>distance limit, 1 to 1200 cm</source>
        <translation>предельное расстояние, от 1 до 1200 см</translation>
    </message>
    <message>
        <source>between two objects, 1 to 99 cm</source>
        <translation>между двумя объектами, от 1 до 99 см</translation>
    </message>
    <message>
        <source>new network address, 0 to 254; refused when
another sensor answers at N</source>
        <translation>новый сетевой адрес, от 0 до 254; отклоняется,
если по адресу N отвечает другой датчик</translation>
    </message>
    <message>
        <source>change the password, 0 to 2000000000</source>
        <translation>сменить пароль, от 0 до 2000000000</translation>
    </message>
    <message>
        <source>unlock the sensor with its password,
0 to 2000000000</source>
        <translation>разблокировать датчик его паролем,
от 0 до 2000000000</translation>
    </message>
    <message>
        <source>temperature -60 to 60 degrees C, in hundredths;
pressure 500 to 1200 hPa and humidity 1 to 100
per cent, whole</source>
        <translation>температура от -60 до 60 °C, до сотых;
давление от 500 до 1200 гПа и влажность
от 1 до 100 %, целые</translation>
    </message>
    <message>
        <source>the mode, in the words below</source>
        <translation>режим, словами из списка ниже</translation>
    </message>
</context>
<context>
    <name>CliOutput</name>
    <message>
        <source>the write did not complete</source>
        <translation>запись не завершилась</translation>
    </message>
</context>
<context>
    <name>CliRunner</name>
    <message>
        <source>Sensor set to Frequency mode.</source>
        <translation>Датчик в частотном режиме.</translation>
    </message>
    <message>
        <source>Com Port %1 unavailable.</source>
        <translation>COM-порт %1 недоступен.</translation>
    </message>
    <message>
        <source>Standard output cannot be written: %1</source>
        <translation>Не удаётся писать в стандартный вывод: %1</translation>
    </message>
    <message>
        <source>%1 (running without a session log)</source>
        <translation>%1 (работа идёт без журнала сеанса)</translation>
    </message>
    <message>
        <source>%1. Nothing was sent.</source>
        <translation>%1. Ничего не отправлено.</translation>
    </message>
    <message>
        <source>Error! COM port unavailable</source>
        <translation>Ошибка! COM-порт недоступен.</translation>
    </message>
    <message>
        <source>Interrupted.</source>
        <translation>Прервано.</translation>
    </message>
    <message>
        <source>No intact answer from sensor with address %1</source>
        <translation>Нет неповреждённого ответа от датчика с адресом %1</translation>
    </message>
    <message>
        <source>Firmware update done.</source>
        <translation>Обновление прошивки завершено.</translation>
    </message>
    <message>
        <source>No sensor answered the search.</source>
        <translation>Ни один датчик не ответил на поиск.</translation>
    </message>
    <message numerus="yes">
        <source>Interrupted after %1 of %n readings.</source>
        <translation>
            <numerusform>Прервано после %1 из %n показания.</numerusform>
            <numerusform>Прервано после %1 из %n показаний.</numerusform>
            <numerusform>Прервано после %1 из %n показаний.</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: a sensor answers at address %2 already; nothing was changed</source>
        <translation>%1: по адресу %2 уже отвечает датчик; ничего не изменено</translation>
    </message>
    <message>
        <source>%1: not confirmed: sensor %2 may have taken it, but its answer was damaged; read it back (info) before sending it again</source>
        <translation>%1: не подтверждено: датчик %2 мог принять настройку, но его ответ повреждён; прочитайте её (info), прежде чем отправлять снова</translation>
    </message>
    <message>
        <source>%1: not confirmed: sensor %2 may have taken it, but it did not answer; read it back (info) before sending it again</source>
        <translation>%1: не подтверждено: датчик %2 мог принять настройку, но не ответил; прочитайте её (info), прежде чем отправлять снова</translation>
    </message>
    <message>
        <source>%1: Wrong response (%2)</source>
        <translation>%1: неожиданный ответ (%2)</translation>
    </message>
    <message>
        <source>Table read.</source>
        <translation>Таблица прочитана.</translation>
    </message>
    <message numerus="yes">
        <source>%1: a table file holds %2 lines, this one %n</source>
        <translation>
            <numerusform>%1: в файле таблицы %2 строк, а в этом %n строка</numerusform>
            <numerusform>%1: в файле таблицы %2 строк, а в этом %n строки</numerusform>
            <numerusform>%1: в файле таблицы %2 строк, а в этом %n строк</numerusform>
        </translation>
    </message>
    <message>
        <source>Com Port %1 is %2.</source>
        <translation>COM-порт %1 — это %2.</translation>
    </message>
    <message>
        <source>For %1 in the current folder give ./%1.</source>
        <translation>Чтобы открыть %1 из текущей папки, укажите ./%1.</translation>
    </message>
</context>
<context>
    <name>CommandFlow</name>
    <message>
        <source> Wrong data! </source>
        <translation> Неверные данные! </translation>
    </message>
    <message>
        <source>Wrong response</source>
        <translation>Неожиданный ответ</translation>
    </message>
</context>
<context>
    <name>ConfigFile</name>
    <message>
        <source>%1, line %2: &quot;%3&quot; is not key = value</source>
        <translation>%1, строка %2: «%3» не имеет вида ключ = значение</translation>
    </message>
    <message>
        <source>%1, line %2: %3 is given twice</source>
        <translation>%1, строка %2: %3 задан дважды</translation>
    </message>
    <message>
        <source>larger than %1 bytes</source>
        <translation>больше %1 байт</translation>
    </message>
</context>
<context>
    <name>Confirmations</name>
    <message>
        <source> Empty value set.</source>
        <translation> Уровень пустого установлен.</translation>
    </message>
    <message>
        <source> Full value set.</source>
        <translation> Уровень полного установлен.</translation>
    </message>
    <message>
        <source>Serial number set.</source>
        <translation>Серийный номер установлен.</translation>
    </message>
    <message>
        <source>Wrong password.</source>
        <translation>Неверный пароль.</translation>
    </message>
    <message>
        <source>Par.</source>
        <translation>Параметр установлен.</translation>
    </message>
    <message>
        <source>Empty value shifted.</source>
        <translation>Уровень пустого сдвинут.</translation>
    </message>
    <message>
        <source>Full value shifted.</source>
        <translation>Уровень полного сдвинут.</translation>
    </message>
    <message>
        <source>Empty value changed manually.</source>
        <translation>Уровень пустого изменён вручную.</translation>
    </message>
    <message>
        <source>Full value changed manually.</source>
        <translation>Уровень полного изменён вручную.</translation>
    </message>
    <message>
        <source> New mode set</source>
        <translation> Новый режим установлен.</translation>
    </message>
    <message>
        <source>Ambient conditions changed.</source>
        <translation>Параметры окружающей среды изменены.</translation>
    </message>
    <message>
        <source>Min dist b/n 2 objects set.</source>
        <translation>Минимальное расстояние между двумя объектами установлено.</translation>
    </message>
    <message>
        <source>Max distance set</source>
        <translation>Предельное расстояние установлено.</translation>
    </message>
    <message>
        <source> Network address modified.</source>
        <translation> Сетевой адрес изменён.</translation>
    </message>
    <message>
        <source>Password accepted.</source>
        <translation>Пароль принят.</translation>
    </message>
    <message>
        <source>Password changed.</source>
        <translation>Пароль изменён.</translation>
    </message>
    <message>
        <source>Tank calibration table set.</source>
        <translation>Тарировочная таблица записана.</translation>
    </message>
    <message>
        <source>No data from sensor with address %1</source>
        <translation>Нет данных от датчика с адресом %1</translation>
    </message>
</context>
<context>
    <name>DataAnswer</name>
    <message>
        <source>%1 Гц</source>
        <translation>%1 Гц</translation>
    </message>
    <message>
        <source>%1 В</source>
        <translation>%1 В</translation>
    </message>
    <message>
        <source>Warning! Empty value length is equal to %1 cm.</source>
        <translation>Внимание! Уровень пустого — %1 см.</translation>
    </message>
</context>
<context>
    <name>FirmwareFile</name>
    <message numerus="yes">
        <source>it is larger than %n bytes, far more than any firmware image</source>
        <translation>
            <numerusform>он больше %n байта — намного больше любого образа прошивки</numerusform>
            <numerusform>он больше %n байт — намного больше любого образа прошивки</numerusform>
            <numerusform>он больше %n байт — намного больше любого образа прошивки</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FirmwareImage</name>
    <message numerus="yes">
        <source>it holds %n bytes, but a %1 image needs at least %2 (the header and blocks 0 to %3)</source>
        <translation>
            <numerusform>в нём %n байт, а образу для %1 нужно не меньше %2 (заголовок и блоки с 0 по %3)</numerusform>
            <numerusform>в нём %n байта, а образу для %1 нужно не меньше %2 (заголовок и блоки с 0 по %3)</numerusform>
            <numerusform>в нём %n байт, а образу для %1 нужно не меньше %2 (заголовок и блоки с 0 по %3)</numerusform>
        </translation>
    </message>
    <message>
        <source>its length is not the header plus whole blocks of %1 bytes (%2 left over)</source>
        <translation>его длина — не заголовок плюс целые блоки по %1 байт (лишних: %2)</translation>
    </message>
    <message>
        <source>1 byte</source>
        <translation>1 байт</translation>
    </message>
    <message numerus="yes">
        <source>%n bytes</source>
        <translation>
            <numerusform>%n байт</numerusform>
            <numerusform>%n байта</numerusform>
            <numerusform>%n байт</numerusform>
        </translation>
    </message>
    <message>
        <source>block %1, where the %2 application begins, does not start with 0x23</source>
        <translation>блок %1, с которого начинается программа %2, не начинается с 0x23</translation>
    </message>
    <message numerus="yes">
        <source>its application is %n blocks long, but the %1&apos;s program memory ends at 0x%2 and holds %3 (blocks %4 to %5 of the file)</source>
        <translation>
            <numerusform>его программа длиной %n блок, а память программ %1 кончается на 0x%2 и вмещает %3 (блоки с %4 по %5 файла)</numerusform>
            <numerusform>его программа длиной %n блока, а память программ %1 кончается на 0x%2 и вмещает %3 (блоки с %4 по %5 файла)</numerusform>
            <numerusform>его программа длиной %n блоков, а память программ %1 кончается на 0x%2 и вмещает %3 (блоки с %4 по %5 файла)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FirmwarePart</name>
    <message>
        <source>
Ok! 
</source>
        <translation>
Успешно!
</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Открыть</translation>
    </message>
    <message>
        <source>Bin Files (*.cri)</source>
        <translation>Образы прошивки (*.cri)</translation>
    </message>
    <message>
        <source>No firmware file is chosen: press &quot;Open file&quot; and choose one.
</source>
        <translation>Файл прошивки не выбран: нажмите «Открыть файл» и выберите его.
</translation>
    </message>
    <message>
        <source>Прошиваем !  </source>
        <translation>Запись прошивки...  </translation>
    </message>
    <message>
        <source>Error! COM port unavailable</source>
        <translation>Ошибка! COM-порт недоступен.</translation>
    </message>
</context>
<context>
    <name>FirmwareUpdate</name>
    <message>
        <source>the port did not take the data</source>
        <translation>порт не принял данные</translation>
    </message>
    <message>
        <source>the erase</source>
        <translation>стирание</translation>
    </message>
    <message>
        <source>the option bytes</source>
        <translation>байты опций</translation>
    </message>
    <message>
        <source>block %1</source>
        <translation>блок %1</translation>
    </message>
    <message>
        <source>the start command</source>
        <translation>команду запуска</translation>
    </message>
    <message>
        <source>cancelled by the operator</source>
        <translation>отменено оператором</translation>
    </message>
    <message>
        <source>the image is damaged</source>
        <translation>образ повреждён</translation>
    </message>
    <message>
        <source>no answer to the start command</source>
        <translation>нет ответа на команду запуска</translation>
    </message>
    <message>
        <source>the loader refused %1</source>
        <translation>загрузчик отклонил %1</translation>
    </message>
    <message>
        <source>no answer from the loader to %1</source>
        <translation>загрузчик не ответил на %1</translation>
    </message>
    <message>
        <source>the port is gone</source>
        <translation>порт отключён</translation>
    </message>
    <message>
        <source>the loader refused the start command</source>
        <translation>загрузчик отклонил команду запуска</translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>QX-510 &amp; HZL-310 configurator v2.6.4</source>
        <translation>Конфигуратор QX-510 &amp; HZL-310 v2.6.4</translation>
    </message>
    <message>
        <source>configurator v2.6.4</source>
        <translation>конфигуратор v2.6.4</translation>
    </message>
    <message>
        <source>RS-485 level sensors</source>
        <translation>Датчики уровня RS-485</translation>
    </message>
</context>
<context>
    <name>Form3</name>
    <message>
        <source>Тарировочная таблица датчика</source>
        <translation>Тарировочная таблица датчика</translation>
    </message>
    <message>
        <source>Показания датчика</source>
        <translation>Показания датчика</translation>
    </message>
    <message>
        <source>Литры</source>
        <translation>Литры</translation>
    </message>
    <message>
        <source>Внимание! Эта таблица используется для пересчета уровня в литры внутри датчика.</source>
        <translation>Внимание! Эта таблица используется для пересчёта уровня в литры внутри датчика.</translation>
    </message>
    <message>
        <source>пересчитывать в проценты</source>
        <translation>Пересчитывать в проценты</translation>
    </message>
    <message>
        <source>Пересчитывать в литры</source>
        <translation>Пересчитывать в литры</translation>
    </message>
    <message>
        <source>Прочитать из датчика</source>
        <translation>Прочитать из датчика</translation>
    </message>
    <message>
        <source>Записать в датчик</source>
        <translation>Записать в датчик</translation>
    </message>
    <message>
        <source>Открыть файл</source>
        <translation>Открыть файл</translation>
    </message>
    <message>
        <source>Сохранить в файл</source>
        <translation>Сохранить в файл</translation>
    </message>
    <message>
        <source>Выйти</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Point %1, %2</source>
        <translation>Точка %1, %2</translation>
    </message>
    <message>
        <source>Zero point, %1</source>
        <translation>Нулевая точка, %1</translation>
    </message>
</context>
<context>
    <name>Form4</name>
    <message>
        <source>Shift level</source>
        <translation>Сдвиг уровня</translation>
    </message>
    <message>
        <source>Значения могут быть      от -1000 до 1000</source>
        <translation>Допустимые значения: от -1000 до 1000</translation>
    </message>
    <message>
        <source>Сдвинуть уровень полного</source>
        <translation>Сдвинуть уровень полного</translation>
    </message>
    <message>
        <source>Сдвинуть уровень пустого</source>
        <translation>Сдвинуть уровень пустого</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Закрыть</translation>
    </message>
</context>
<context>
    <name>Gateway</name>
    <message>
        <source>levelconf-gateway %1: bus %2, MQTT broker %3, topics %4/</source>
        <translation>levelconf-gateway %1: шина %2, брокер MQTT %3, топики %4/</translation>
    </message>
    <message>
        <source>Stopping</source>
        <translation>Остановка</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Остановлен</translation>
    </message>
    <message numerus="yes">
        <source>MQTT broker %1 refused the gateway&apos;s user name or password %n times: giving up</source>
        <translation>
            <numerusform>Брокер MQTT %1 %n раз отклонил имя пользователя или пароль шлюза: попытки прекращены</numerusform>
            <numerusform>Брокер MQTT %1 %n раза отклонил имя пользователя или пароль шлюза: попытки прекращены</numerusform>
            <numerusform>Брокер MQTT %1 %n раз отклонил имя пользователя или пароль шлюза: попытки прекращены</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Stopped with %n readings undelivered, kept in the spool for the next start</source>
        <translation>
            <numerusform>Остановлен; %n недоставленное показание сохранено в буфере на диске до следующего запуска</numerusform>
            <numerusform>Остановлен; %n недоставленных показания сохранены в буфере на диске до следующего запуска</numerusform>
            <numerusform>Остановлен; %n недоставленных показаний сохранено в буфере на диске до следующего запуска</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Stopped with %n readings undelivered and lost: the broker could not take them in time</source>
        <translation>
            <numerusform>Остановлен; %n недоставленное показание потеряно: брокер не успел его принять</numerusform>
            <numerusform>Остановлен; %n недоставленных показания потеряны: брокер не успел их принять</numerusform>
            <numerusform>Остановлен; %n недоставленных показаний потеряно: брокер не успел их принять</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GatewayOptions</name>
    <message>
        <source>takes a value</source>
        <translation>требует значения</translation>
    </message>
    <message>
        <source>must be 1 to %1 characters without /, +, # or blanks, not &quot;%2&quot;</source>
        <translation>должен содержать от 1 до %1 символов без /, +, # и пробелов, а не «%2»</translation>
    </message>
    <message>
        <source>must be seconds from 0 to %1, such as 1 or 0.5, not &quot;%2&quot;</source>
        <translation>должен быть числом секунд от 0 до %1, например 1 или 0.5, а не «%2»</translation>
    </message>
    <message>
        <source>must be a number of readings from 1 to %1, not &quot;%2&quot;</source>
        <translation>должен быть числом показаний от 1 до %1, а не «%2»</translation>
    </message>
    <message>
        <source>must be on or off, not &quot;%1&quot;</source>
        <translation>должен быть on или off, а не «%1»</translation>
    </message>
    <message>
        <source>The serial device of the RS-485 bus.</source>
        <translation>Последовательное устройство шины RS-485.</translation>
    </message>
    <message>
        <source>The broker: mqtt://HOST[:PORT], or mqtts://HOST[:PORT] for TLS (default mqtt://localhost).</source>
        <translation>Брокер: mqtt://ХОСТ[:ПОРТ] или mqtts://ХОСТ[:ПОРТ] для TLS (по умолчанию mqtt://localhost).</translation>
    </message>
    <message>
        <source>mqtts: the CA certificates (PEM) to trust instead of the system&apos;s.</source>
        <translation>Для mqtts: сертификаты центров сертификации (PEM), которым доверять вместо системных.</translation>
    </message>
    <message>
        <source>The user name at the broker.</source>
        <translation>Имя пользователя на брокере.</translation>
    </message>
    <message>
        <source>A file whose first line is the password at the broker. A password is never given on the command line.</source>
        <translation>Файл, первая строка которого — пароль на брокере. Пароль никогда не указывается в командной строке.</translation>
    </message>
    <message>
        <source>The client name at the broker, also in the gateway&apos;s status topic (default levelconf- and the host&apos;s name).</source>
        <translation>Имя клиента на брокере, оно же входит в топик состояния шлюза (по умолчанию levelconf- и имя хоста).</translation>
    </message>
    <message>
        <source>Each sensor is polled this often (default 1); 0 polls as fast as the bus goes.</source>
        <translation>Период опроса каждого датчика в секундах (по умолчанию 1); 0 — опрос с наибольшей скоростью шины.</translation>
    </message>
    <message>
        <source>The first levels of every topic (default levelconf).</source>
        <translation>Первые уровни каждого топика (по умолчанию levelconf).</translation>
    </message>
    <message>
        <source>Home Assistant&apos;s discovery prefix (default homeassistant).</source>
        <translation>Префикс обнаружения Home Assistant (по умолчанию homeassistant).</translation>
    </message>
    <message>
        <source>on or off: publish Home Assistant discovery (default on).</source>
        <translation>on или off: публиковать сведения для обнаружения в Home Assistant (по умолчанию on).</translation>
    </message>
    <message>
        <source>Readings kept while the broker cannot be reached; past it the oldest go (default 3600).</source>
        <translation>Сколько показаний хранить, пока брокер недоступен; сверх этого удаляются самые старые (по умолчанию 3600).</translation>
    </message>
    <message>
        <source>Polls every sensor of an RS-485 bus of QX-510/HZL-310 level sensors and publishes their readings to an MQTT broker, with Home Assistant discovery. Every option can also be given in the configuration file as key = value. SIGTERM or SIGINT ends it: its topics are set offline and what is queued is delivered first.</source>
        <translation>Опрашивает все датчики уровня QX-510/HZL-310 на шине RS-485 и публикует их показания на брокере MQTT, с обнаружением в Home Assistant. Любой параметр можно также задать в файле конфигурации как ключ = значение. SIGTERM или SIGINT завершает работу: топики переводятся в offline, а накопленное в очереди сначала доставляется.</translation>
    </message>
    <message>
        <source>Read the options from FILE; the command line wins.</source>
        <translation>Читать параметры из файла FILE; командная строка имеет приоритет.</translation>
    </message>
    <message>
        <source>The same as --discovery off.</source>
        <translation>То же, что --discovery off.</translation>
    </message>
    <message>
        <source>Write the log and the messages in LANGUAGE: en (English), ru (Russian) or described (the window&apos;s first texts). Without it the locale chooses: ru_* Russian, any other English. Topics and payloads are the same in every language.</source>
        <translation>Язык журнала и сообщений: en (английский), ru (русский) или described (исходные тексты окна). Без этого параметра язык выбирается по локали: ru_* — русский, любая другая — английский. Топики и содержимое сообщений MQTT одинаковы на всех языках.</translation>
    </message>
    <message>
        <source>%1, line %2</source>
        <translation>%1, строка %2</translation>
    </message>
    <message>
        <source>%1: no password here; put it in a file only the gateway can read and name it in password-file</source>
        <translation>%1: пароль здесь не указывается; поместите его в файл, доступный для чтения только шлюзу, и укажите этот файл в password-file</translation>
    </message>
    <message>
        <source>%1: unknown key &quot;%2&quot;</source>
        <translation>%1: неизвестный ключ «%2»</translation>
    </message>
    <message>
        <source>a password file needs a user name (--username)</source>
        <translation>для файла пароля нужно имя пользователя (--username)</translation>
    </message>
    <message>
        <source>--port DEVICE is required</source>
        <translation>нужно указать --port DEVICE</translation>
    </message>
    <message>
        <source>a password is never given on the command line, where every user of the machine can read it: give --password-file</source>
        <translation>пароль никогда не указывается в командной строке, которую может прочесть любой пользователь машины: укажите --password-file</translation>
    </message>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <translation>лишний аргумент «%1»</translation>
    </message>
    <message>
        <source>Usage: levelconf-gateway [options]</source>
        <translation>Использование: levelconf-gateway [параметры]</translation>
    </message>
    <message>
        <source>must be addresses from 0 to %1 such as 1,2,5 or 1-30, not &quot;%2&quot;</source>
        <translation>должен быть списком адресов от 0 до %1, например 1,2,5 или 1-30, а не «%2»</translation>
    </message>
    <message>
        <source>names address %1 twice</source>
        <translation>называет адрес %1 дважды</translation>
    </message>
    <message>
        <source>must be all or changes, not &quot;%1&quot;</source>
        <translation>должно быть all или changes, а не &quot;%1&quot;</translation>
    </message>
    <message>
        <source>must be a time such as 7d, 12h, 30m or 45s, not &quot;%1&quot;</source>
        <translation>должно быть временем вида 7d, 12h, 30m или 45s, а не &quot;%1&quot;</translation>
    </message>
    <message>
        <source>The sensors&apos; addresses, e.g. 1,2,5 or 1-30. Without it the bus is searched at start and again every 20 s at most.</source>
        <translation>Адреса датчиков, например 1,2,5 или 1-30. Без этого шина опрашивается поиском при запуске и затем не реже чем каждые 20 с.</translation>
    </message>
    <message>
        <source>all: a state for every reading (default); changes: only when a value changed, and at least every heartbeat.</source>
        <translation>all: состояние на каждое измерение (по умолчанию); changes: только когда значение изменилось, и не реже чем раз в heartbeat.</translation>
    </message>
    <message>
        <source>With --publish changes, a sensor&apos;s state at least this often (default 60s).</source>
        <translation>При --publish changes состояние датчика публикуется не реже чем с этим интервалом (по умолчанию 60s).</translation>
    </message>
    <message>
        <source>A sensor not heard for this long has its discovery configs and availability cleared (default 7d; 0 never).</source>
        <translation>У датчика, молчащего так долго, очищаются конфигурации обнаружения и доступность (по умолчанию 7d; 0 — никогда).</translation>
    </message>
    <message>
        <source>Clear the topics of the sensor with this serial number on the broker, also for the gateway of this client id if it runs, and exit.</source>
        <translation>Очистить на брокере топики датчика с этим серийным номером, также для работающего шлюза с этим именем клиента, и выйти.</translation>
    </message>
    <message>
        <source>--forget takes a serial number, not &quot;%1&quot;</source>
        <translation>--forget принимает серийный номер, а не &quot;%1&quot;</translation>
    </message>
    <message>
        <source>must be topic levels joined by /, none of them empty, without + or #, in UTF-8 and at most %1 bytes, not &quot;%2&quot;</source>
        <translation>должен состоять из уровней темы через /, без пустых, без + и #, в UTF-8 и не длиннее %1 байт, а не «%2»</translation>
    </message>
    <message>
        <source>must be a number of refusals from 1 to %1, or forever, not &quot;%2&quot;</source>
        <translation>должен быть числом отказов от 1 до %1 или forever, а не «%2»</translation>
    </message>
    <message>
        <source>mqtts: the gateway&apos;s own certificate (PEM), for a broker that knows its clients by certificate; with --key-file.</source>
        <translation>mqtts: собственный сертификат шлюза (PEM) для брокера, узнающего клиентов по сертификату; вместе с --key-file.</translation>
    </message>
    <message>
        <source>mqtts: the private key (PEM, without a pass phrase) of --cert-file.</source>
        <translation>mqtts: закрытый ключ (PEM, без парольной фразы) к --cert-file.</translation>
    </message>
    <message>
        <source>Take a password file that other users can read (refused without it).</source>
        <translation>Принять файл пароля, доступный для чтения другим пользователям (без этого он отклоняется).</translation>
    </message>
    <message>
        <source>End with status 4 after the broker has refused the credentials this many times (default forever).</source>
        <translation>Завершиться с кодом 4 после стольких отказов брокера в учётных данных (по умолчанию forever — никогда).</translation>
    </message>
    <message>
        <source>Keep the queue in this folder as well, so that a restart or a power cut loses no reading (default: in memory only).</source>
        <translation>Хранить очередь также в этой папке, чтобы ни одно показание не терялось при перезапуске или отключении питания (по умолчанию только в памяти).</translation>
    </message>
    <message>
        <source>%1: not UTF-8 text</source>
        <translation>%1: это не текст в UTF-8</translation>
    </message>
    <message>
        <source>%1: other users can read it; make it readable by the gateway alone (chmod 600), or give --allow-readable-password</source>
        <translation>%1: его могут читать другие пользователи; сделайте его доступным только шлюзу (chmod 600) или укажите --allow-readable-password</translation>
    </message>
    <message>
        <source>%1: no password on its first line</source>
        <translation>%1: в первой строке нет пароля</translation>
    </message>
    <message>
        <source>a CA file, a certificate and a key are for a broker over TLS (mqtts://)</source>
        <translation>файл CA, сертификат и ключ нужны только для брокера по TLS (mqtts://)</translation>
    </message>
    <message>
        <source>%1 must not hold control characters, not &quot;%2&quot;</source>
        <translation>%1 не должен содержать управляющих символов, а не «%2»</translation>
    </message>
</context>
<context>
    <name>ModeText</name>
    <message>
        <source>rs485</source>
        <translation>rs485</translation>
    </message>
    <message>
        <source>analog</source>
        <translation>аналоговый</translation>
    </message>
    <message>
        <source>frequency</source>
        <translation>частотный</translation>
    </message>
    <message>
        <source>impulse</source>
        <translation>импульсный</translation>
    </message>
    <message>
        <source>active-rs485</source>
        <translation>активный-rs485</translation>
    </message>
    <message>
        <source>inverted</source>
        <translation>инверсия</translation>
    </message>
    <message>
        <source>filtration</source>
        <translation>фильтрация</translation>
    </message>
    <message>
        <source>percent</source>
        <translation>проценты</translation>
    </message>
    <message>
        <source>litres</source>
        <translation>литры</translation>
    </message>
    <message>
        <source>range4096</source>
        <translation>диапазон4096</translation>
    </message>
    <message>
        <source>closest</source>
        <translation>ближнее</translation>
    </message>
    <message>
        <source>further</source>
        <translation>дальнее</translation>
    </message>
    <message>
        <source>both</source>
        <translation>оба</translation>
    </message>
    <message>
        <source>the mode starts with its output: %1</source>
        <translation>режим начинается с выхода: %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a mode flag (inverted, filtration, range4096, litres, percent, level=0..15, echo=closest|further|both)</source>
        <translation>«%1» — не флаг режима (inverted, filtration, range4096, litres, percent, level=0..15, echo=closest|further|both)</translation>
    </message>
</context>
<context>
    <name>MonitorPart</name>
    <message>
        <source>Network polled.</source>
        <translation>Поиск в сети завершён.</translation>
    </message>
    <message>
        <source>Identity answer damaged: asking again.</source>
        <translation>Ответ с серийным номером повреждён: запрос повторяется.</translation>
    </message>
    <message>
        <source> S/n and FW received</source>
        <translation> Серийный номер и версия прошивки получены</translation>
    </message>
    <message>
        <source>Sensor set to Frequency mode.</source>
        <translation>Датчик в частотном режиме.</translation>
    </message>
    <message>
        <source>%1 Гц.</source>
        <translation>%1 Гц</translation>
    </message>
    <message>
        <source>No data</source>
        <translation>Нет данных</translation>
    </message>
    <message>
        <source>Change empty value</source>
        <translation>Задайте уровень пустого</translation>
    </message>
    <message>
        <source>Change full value</source>
        <translation>Задайте уровень полного</translation>
    </message>
    <message>
        <source>Coefficient K</source>
        <translation>Коэффициент K</translation>
    </message>
    <message>
        <source>--------</source>
        <comment>firmware version of no sensor</comment>
        <translation>Версия ---------</translation>
    </message>
    <message>
        <source>Mode answer damaged: not confirmed.</source>
        <translation>Ответ о режиме повреждён: режим не подтверждён.</translation>
    </message>
</context>
<context>
    <name>MqttLink</name>
    <message>
        <source>the MQTT client cannot be made</source>
        <translation>не удаётся создать клиент MQTT</translation>
    </message>
    <message>
        <source>the MQTT client cannot be set up: %1</source>
        <translation>не удаётся настроить клиент MQTT: %1</translation>
    </message>
</context>
<context>
    <name>PointFile</name>
    <message>
        <source>the volume &quot;%1&quot; in line %2 is not a whole number</source>
        <translation>объём «%1» в строке %2 — не целое число</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>файл пуст</translation>
    </message>
    <message>
        <source>line %1 is not number;volume;level</source>
        <translation>строка %1 — не номер;объём;уровень</translation>
    </message>
    <message>
        <source>the last two volumes differ by %1, more than a portion can be (-32768 to 32767)</source>
        <translation>последние два объёма различаются на %1 — больше, чем может быть порция (от -32768 до 32767)</translation>
    </message>
    <message>
        <source>the file was removed while it was written</source>
        <translation>файл удалён во время записи</translation>
    </message>
</context>
<context>
    <name>PortAdvice</name>
    <message>
        <source>No permission to use the port: add your user to the &quot;dialout&quot; group (sudo usermod -aG dialout $USER), then log out and in again.</source>
        <translation>Нет прав на работу с портом: добавьте своего пользователя в группу «dialout» (sudo usermod -aG dialout $USER), затем выйдите из системы и войдите снова.</translation>
    </message>
    <message>
        <source>It is not a serial port.</source>
        <translation>Это не последовательный порт.</translation>
    </message>
    <message>
        <source>It is a folder, not a serial port.</source>
        <translation>Это папка, а не последовательный порт.</translation>
    </message>
    <message>
        <source>It is a regular file, not a serial port.</source>
        <translation>Это обычный файл, а не последовательный порт.</translation>
    </message>
    <message>
        <source>It is not a serial port: it takes no line settings.</source>
        <translation>Это не последовательный порт: он не принимает параметры линии.</translation>
    </message>
    <message>
        <source>It is in use by another program.</source>
        <translation>Он занят другой программой.</translation>
    </message>
    <message>
        <source>There is no such device.</source>
        <translation>Такого устройства нет.</translation>
    </message>
    <message>
        <source>Its symbolic links lead round in a loop.</source>
        <translation>Его символические ссылки замыкаются в кольцо.</translation>
    </message>
</context>
<context>
    <name>PortBarPart</name>
    <message>
        <source>Com Port %1 unavailable. Select the right COM port.</source>
        <translation>COM-порт %1 недоступен. Выберите правильный COM-порт.</translation>
    </message>
    <message>
        <source>Error! COM port unavailable</source>
        <translation>Ошибка! COM-порт недоступен.</translation>
    </message>
    <message>
        <source>Port device</source>
        <translation>Устройство порта</translation>
    </message>
</context>
<context>
    <name>ProgramOptions</name>
    <message>
        <source>Show this help.</source>
        <translation>Показать эту справку.</translation>
    </message>
    <message>
        <source>Show the program&apos;s version.</source>
        <translation>Показать версию программы.</translation>
    </message>
    <message>
        <source>--language takes en, ru or described, not %1</source>
        <translation>--language принимает en, ru или described, а не %1</translation>
    </message>
</context>
<context>
    <name>Publisher</name>
    <message>
        <source>not reached yet; trying again</source>
        <translation>пока недоступен; новая попытка</translation>
    </message>
    <message>
        <source>MQTT broker %1: %2</source>
        <translation>Брокер MQTT %1: %2</translation>
    </message>
    <message numerus="yes">
        <source>Queue full (%n readings): the oldest readings are dropped</source>
        <translation>
            <numerusform>Очередь заполнена (%n показание): самые старые показания удаляются</numerusform>
            <numerusform>Очередь заполнена (%n показания): самые старые показания удаляются</numerusform>
            <numerusform>Очередь заполнена (%n показаний): самые старые показания удаляются</numerusform>
        </translation>
    </message>
    <message>
        <source>connected</source>
        <translation>подключён</translation>
    </message>
    <message numerus="yes">
        <source>%n readings were dropped while the broker could not be reached</source>
        <translation>
            <numerusform>%n показание удалено, пока брокер был недоступен</numerusform>
            <numerusform>%n показания удалены, пока брокер был недоступен</numerusform>
            <numerusform>%n показаний удалено, пока брокер был недоступен</numerusform>
        </translation>
    </message>
    <message>
        <source>cannot connect (%1); trying again</source>
        <translation>не удаётся подключиться (%1); новая попытка</translation>
    </message>
    <message>
        <source>refused the gateway (%1); trying again</source>
        <translation>отказал шлюзу (%1); новая попытка</translation>
    </message>
    <message>
        <source>connection lost (%1); reconnecting</source>
        <translation>соединение потеряно (%1); переподключение</translation>
    </message>
    <message>
        <source>%1, waiting up to %2 s between tries; readings are queued meanwhile</source>
        <translation>%1, пауза между попытками до %2 с; показания тем временем копятся в очереди</translation>
    </message>
    <message>
        <source>A reading for %1 was refused by the MQTT library</source>
        <translation>Библиотека MQTT отклонила показание для %1</translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n день</numerusform>
            <numerusform>%n дня</numerusform>
            <numerusform>%n дней</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hours</source>
        <translation>
            <numerusform>%n час</numerusform>
            <numerusform>%n часа</numerusform>
            <numerusform>%n часов</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n s</source>
        <translation>
            <numerusform>%n с</numerusform>
            <numerusform>%n с</numerusform>
            <numerusform>%n с</numerusform>
        </translation>
    </message>
    <message>
        <source>forgotten on request</source>
        <translation>забыт по запросу</translation>
    </message>
    <message>
        <source>not heard for %1</source>
        <translation>не отвечал %1</translation>
    </message>
    <message>
        <source>Sensor %1: %2; its topics are cleared</source>
        <translation>Датчик %1: %2; его топики очищены</translation>
    </message>
    <message>
        <source>refused the gateway&apos;s user name or password (%1); trying again</source>
        <translation>отклонил имя пользователя или пароль шлюза (%1); новая попытка</translation>
    </message>
    <message>
        <source>client id %1 is in use by another client; each takes the connection from the other, so the gateway waits longer and longer before it takes it back</source>
        <translation>идентификатор клиента %1 занят другим клиентом; они отбирают соединение друг у друга, поэтому шлюз ждёт всё дольше, прежде чем вернуть его</translation>
    </message>
</context>
<context>
    <name>ReadingSpool</name>
    <message>
        <source>spool %1: %2</source>
        <translation>буфер %1: %2</translation>
    </message>
    <message>
        <source>the folder cannot be made</source>
        <translation>папку не удаётся создать</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>это не обычный файл</translation>
    </message>
    <message>
        <source>not a spool file of levelconf-gateway</source>
        <translation>это не файл буфера levelconf-gateway</translation>
    </message>
    <message numerus="yes">
        <source>Spool %1: the last record was cut short (%n bytes); it is dropped</source>
        <translation>
            <numerusform>Буфер %1: последняя запись оборвана (%n байт); она отброшена</numerusform>
            <numerusform>Буфер %1: последняя запись оборвана (%n байта); она отброшена</numerusform>
            <numerusform>Буфер %1: последняя запись оборвана (%n байт); она отброшена</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Spool %1: %n readings from before the start go out first</source>
        <translation>
            <numerusform>Буфер %1: %n показание, снятое до запуска, отправляется первым</numerusform>
            <numerusform>Буфер %1: %n показания, снятые до запуска, отправляются первыми</numerusform>
            <numerusform>Буфер %1: %n показаний, снятых до запуска, отправляются первыми</numerusform>
        </translation>
    </message>
    <message>
        <source>Spool %1: writing again</source>
        <translation>Буфер %1: запись снова идёт</translation>
    </message>
    <message>
        <source>Spool %1: cannot write (%2); readings are kept in memory only until it can, and lost if the gateway stops before the broker has them</source>
        <translation>Буфер %1: запись невозможна (%2); пока она не пойдёт, показания хранятся только в памяти и пропадут, если шлюз остановится раньше, чем брокер их примет</translation>
    </message>
    <message>
        <source>in use by another levelconf-gateway</source>
        <translation>занят другим levelconf-gateway</translation>
    </message>
</context>
<context>
    <name>ReadingsCsv</name>
    <message>
        <source>green</source>
        <translation>зелёный</translation>
    </message>
    <message>
        <source>red</source>
        <translation>красный</translation>
    </message>
    <message>
        <source>yellow</source>
        <translation>жёлтый</translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <source>it cannot be opened (%1)</source>
        <translation>его не удаётся открыть (%1)</translation>
    </message>
    <message>
        <source>it cannot be read (%1)</source>
        <translation>его не удаётся прочитать (%1)</translation>
    </message>
    <message>
        <source>it is %1, not a regular file</source>
        <translation>это %1, а не обычный файл</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>папка</translation>
    </message>
    <message>
        <source>a named pipe</source>
        <translation>именованный канал</translation>
    </message>
    <message>
        <source>a character device</source>
        <translation>символьное устройство</translation>
    </message>
    <message>
        <source>a block device</source>
        <translation>блочное устройство</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>сокет</translation>
    </message>
    <message>
        <source>something else</source>
        <translation>что-то иное</translation>
    </message>
</context>
<context>
    <name>RemotePart</name>
    <message>
        <source>Ввести пароль</source>
        <translation>Ввести пароль</translation>
    </message>
    <message>
        <source>Запрс состояния</source>
        <translation>Запрос состояния</translation>
    </message>
    <message>
        <source>Запрсить версию прошивки и серийный номер</source>
        <translation>Запросить версию прошивки и серийный номер</translation>
    </message>
    <message>
        <source>Сдвинуть уровень полного</source>
        <translation>Сдвинуть уровень полного</translation>
    </message>
    <message>
        <source>Сдвинуть уровень пустого</source>
        <translation>Сдвинуть уровень пустого</translation>
    </message>
    <message>
        <source>Установить уровень полного</source>
        <translation>Установить уровень полного</translation>
    </message>
    <message>
        <source>Установить уровень пустого</source>
        <translation>Установить уровень пустого</translation>
    </message>
    <message>
        <source>Set mode</source>
        <translation>Установить режим</translation>
    </message>
    <message>
        <source>Set password</source>
        <translation>Установить пароль</translation>
    </message>
    <message>
        <source>Enter figures-only password:</source>
        <translation>Пароль (только цифры):</translation>
    </message>
    <message>
        <source>Full value shift in lvl units</source>
        <translation>Сдвиг уровня полного, ед. уровня</translation>
    </message>
    <message>
        <source>Empty value shift in lvl units</source>
        <translation>Сдвиг уровня пустого, ед. уровня</translation>
    </message>
    <message>
        <source>Set as full value</source>
        <translation>Новый уровень полного</translation>
    </message>
    <message>
        <source>Set as empty value</source>
        <translation>Новый уровень пустого</translation>
    </message>
    <message>
        <source>Set as password</source>
        <translation>Новый пароль</translation>
    </message>
    <message>
        <source>Enter figures-only password, acceptable values 0....2 000 000 000</source>
        <translation>Введите пароль из одних цифр, от 0 до 2 000 000 000</translation>
    </message>
    <message>
        <source>Acceptable values -1000 to 1000</source>
        <translation>Допустимые значения: от -1000 до 1000</translation>
    </message>
    <message>
        <source>Enter level value from 0....2 000 000 000</source>
        <translation>Введите уровень от 0 до 2 000 000 000</translation>
    </message>
</context>
<context>
    <name>SessionLog</name>
    <message>
        <source>Path not found: %1</source>
        <translation>Путь не найден: %1</translation>
    </message>
    <message>
        <source>Path/File access error: %1</source>
        <translation>Ошибка доступа к пути или файлу: %1</translation>
    </message>
</context>
<context>
    <name>SettingKeys</name>
    <message>
        <source>%1: %2 is sent as %3</source>
        <translation>%1: %2 отправляется как %3</translation>
    </message>
    <message>
        <source>air takes T,P,H: temperature, pressure, humidity</source>
        <translation>air принимает T,P,H: температуру, давление, влажность</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not a number</source>
        <translation>%1: «%2» — не число</translation>
    </message>
    <message>
        <source>%1: 255 is the search address, which every sensor answers; a sensor takes 0 to 254</source>
        <translation>%1: 255 — адрес поиска, на который отвечает любой датчик; адрес датчика — от 0 до 254</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not KEY=VALUE with a key of: %2</source>
        <translation>«%1» — не KEY=VALUE с одним из ключей: %2</translation>
    </message>
    <message>
        <source>%1: needs firmware 1.6.3 or newer</source>
        <translation>%1: нужна прошивка 1.6.3 или новее</translation>
    </message>
    <message>
        <source>%1: level= and echo= need firmware 1.7.6 or newer</source>
        <translation>%1: для level= и echo= нужна прошивка 1.7.6 или новее</translation>
    </message>
    <message>
        <source>table: needs firmware 1.7.0 or newer</source>
        <translation>table: нужна прошивка 1.7.0 или новее</translation>
    </message>
</context>
<context>
    <name>SettingRules</name>
    <message>
        <source>Acceptable values -1000 to 1000</source>
        <translation>Допустимые значения: от -1000 до 1000</translation>
    </message>
    <message>
        <source>Acceptable values -1000 до 1000</source>
        <translation>Допустимые значения: от -1000 до 1000</translation>
    </message>
    <message>
        <source>Full value will be changed. Please, confirm?</source>
        <translation>Уровень полного будет изменён. Продолжить?</translation>
    </message>
    <message>
        <source>Empty value will be changed. Please, confirm?</source>
        <translation>Уровень пустого будет изменён. Продолжить?</translation>
    </message>
    <message>
        <source>Values can be from 1 to 1200 cm</source>
        <translation>Допустимые значения: от 1 до 1200 см</translation>
    </message>
    <message>
        <source>Max value will be set. Please, confirm.</source>
        <translation>Будет установлено предельное расстояние. Продолжить?</translation>
    </message>
    <message>
        <source>Acceptable values 1 to 99</source>
        <translation>Допустимые значения: от 1 до 99</translation>
    </message>
    <message>
        <source>The min distance between 2 objects used to distinguish them one from another will be changed. Confirm??</source>
        <translation>Минимальное расстояние, на котором различаются два объекта, будет изменено. Продолжить?</translation>
    </message>
    <message>
        <source>Enter new network address</source>
        <translation>Введите новый сетевой адрес</translation>
    </message>
    <message>
        <source>Setting network address</source>
        <translation>Смена сетевого адреса</translation>
    </message>
    <message>
        <source>Select the configured network address</source>
        <translation>Сначала выберите сетевой адрес датчика</translation>
    </message>
    <message>
        <source>Enter a value from the range 0....255</source>
        <translation>Введите значение от 0 до 255</translation>
    </message>
    <message>
        <source>You are about to change the password. If you forget it, only the manufacturer&apos;s tech support will be able to reset it. Change the password?</source>
        <translation>Вы собираетесь сменить пароль. Если вы его забудете, сбросить его сможет только техническая поддержка производителя. Сменить пароль?</translation>
    </message>
    <message>
        <source>Enter new password</source>
        <translation>Введите новый пароль</translation>
    </message>
    <message>
        <source>Setting new password</source>
        <translation>Смена пароля</translation>
    </message>
    <message>
        <source>Select acceptable password</source>
        <translation>Сначала выберите сетевой адрес датчика</translation>
    </message>
    <message>
        <source>Enter password as a value 0....2 000 000 000</source>
        <translation>Введите пароль — число от 0 до 2 000 000 000</translation>
    </message>
    <message>
        <source>Enter password</source>
        <translation>Ввести пароль</translation>
    </message>
    <message>
        <source>Set an acceptable password</source>
        <translation>Сначала выберите сетевой адрес датчика</translation>
    </message>
    <message>
        <source>Enter a figures-only pasword, acceptable values 0....2 000 000 000</source>
        <translation>Введите пароль из одних цифр, от 0 до 2 000 000 000</translation>
    </message>
    <message>
        <source>Wrong parameter values </source>
        <translation>Неверные значения параметров</translation>
    </message>
    <message>
        <source>Acceptable temperature values -60.00 to 60.00 dgr</source>
        <translation>Допустимая температура: от -60.00 до 60.00 °C</translation>
    </message>
    <message>
        <source>Acceptable atm pressure values 500.0 to 1200.0 GPa</source>
        <translation>Допустимое атмосферное давление: от 500.0 до 1200.0 гПа</translation>
    </message>
    <message>
        <source>Acceptable humidity values 1 to 100 %</source>
        <translation>Допустимая влажность: от 1 до 100 %</translation>
    </message>
    <message>
        <source>Sensor not connected!</source>
        <translation>Датчик не подключён!</translation>
    </message>
    <message>
        <source>The mode is about to be changed. Please, confirm?</source>
        <translation>Режим будет изменён. Продолжить?</translation>
    </message>
</context>
<context>
    <name>ShellDisplay</name>
    <message>
        <source>This command cannot be executed in Frequency mode. Disconnect the sensor, reconnect it and click Search sensors</source>
        <translation>В частотном режиме эта команда невыполнима. Отключите датчик, подключите его снова и нажмите «Поиск датчиков».</translation>
    </message>
    <message>
        <source>Sensor connected</source>
        <translation>Датчик подключён</translation>
    </message>
</context>
<context>
    <name>TextFile</name>
    <message numerus="yes">
        <source>it is larger than %n bytes, far more than any calibration file</source>
        <translation>
            <numerusform>он больше %n байта — намного больше любого файла тарировки</numerusform>
            <numerusform>он больше %n байт — намного больше любого файла тарировки</numerusform>
            <numerusform>он больше %n байт — намного больше любого файла тарировки</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TlsFiles</name>
    <message>
        <source>larger than %1 bytes</source>
        <translation>больше %1 байт</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>не удаётся прочитать</translation>
    </message>
    <message>
        <source>holds no certificate in PEM form</source>
        <translation>не содержит сертификата в формате PEM</translation>
    </message>
    <message>
        <source>the key is encrypted; give it without a pass phrase, readable by the gateway alone</source>
        <translation>ключ зашифрован; укажите ключ без парольной фразы, доступный только шлюзу</translation>
    </message>
    <message>
        <source>holds no private key in PEM form</source>
        <translation>не содержит закрытого ключа в формате PEM</translation>
    </message>
    <message>
        <source>a client certificate (--cert-file) and its key (--key-file) go together</source>
        <translation>сертификат клиента (--cert-file) и его ключ (--key-file) указываются вместе</translation>
    </message>
    <message>
        <source>the certificate has expired</source>
        <translation>срок действия сертификата истёк</translation>
    </message>
    <message>
        <source>not the key of the certificate in %1</source>
        <translation>это не ключ сертификата из %1</translation>
    </message>
</context>
<context>
    <name>TrendPage</name>
    <message>
        <source>1 min</source>
        <translation>1 мин</translation>
    </message>
    <message>
        <source>10 min</source>
        <translation>10 мин</translation>
    </message>
    <message>
        <source>1 h</source>
        <translation>1 ч</translation>
    </message>
    <message>
        <source>Trend of distance, amplitude and temperature</source>
        <translation>Тренд расстояния, амплитуды и температуры</translation>
    </message>
    <message>
        <source>Time span:</source>
        <translation>Интервал:</translation>
    </message>
    <message>
        <source>Trend time span</source>
        <translation>Интервал тренда</translation>
    </message>
    <message>
        <source>Save readings…</source>
        <translation>Сохранить показания…</translation>
    </message>
    <message>
        <source>Save readings</source>
        <translation>Сохранить показания</translation>
    </message>
</context>
<context>
    <name>TrendPart</name>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Файлы CSV (*.csv)</translation>
    </message>
    <message>
        <source>No readings have been recorded yet: there is nothing to save.</source>
        <translation>Показаний ещё нет: сохранять нечего.</translation>
    </message>
    <message>
        <source>Save readings</source>
        <translation>Сохранить показания</translation>
    </message>
    <message>
        <source>The readings were not saved to %1: %2. A file already there is left as it was.</source>
        <translation>Показания не сохранены в %1: %2. Прежний файл с этим именем оставлен без изменений.</translation>
    </message>
</context>
<context>
    <name>TrendWidget</name>
    <message>
        <source>Distance, cm</source>
        <translation>Расстояние, см</translation>
    </message>
    <message>
        <source>Amplitude</source>
        <translation>Амплитуда</translation>
    </message>
    <message>
        <source>Temp, °C</source>
        <translation>Темп., °C</translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>нет ответа</translation>
    </message>
    <message>
        <source>No readings yet: open the port and pick a sensor.</source>
        <translation>Показаний пока нет: откройте порт и выберите датчик.</translation>
    </message>
    <message>
        <source>Network address %1</source>
        <translation>Сетевой адрес %1</translation>
    </message>
</context>
<context>
    <name>UpdateSequence</name>
    <message>
        <source> 31 %1,wrong block</source>
        <translation>Блок %1: сбой команды записи</translation>
    </message>
    <message>
        <source>addr %1,wrong block</source>
        <translation>Блок %1: сбой адреса</translation>
    </message>
    <message>
        <source> data %1,wrong block</source>
        <translation>Блок %1: сбой данных</translation>
    </message>
    <message>
        <source>Block %1</source>
        <translation>Блок %1</translation>
    </message>
</context>
<context>
    <name>UpdateTexts</name>
    <message>
        <source>Nothing was written to the sensor.</source>
        <translation>В датчик ничего не записано.</translation>
    </message>
    <message>
        <source>The sensor&apos;s firmware is incomplete and the sensor must be updated again: switch the sensor off, press &quot;Start&quot;, then switch the sensor on.</source>
        <translation>Прошивка датчика неполная, и датчик нужно обновить ещё раз: выключите датчик, нажмите «Пуск», затем включите датчик.</translation>
    </message>
    <message>
        <source>Waiting for the loader: switch the sensor off and on</source>
        <translation>Ожидание загрузчика: выключите и включите датчик</translation>
    </message>
    <message>
        <source>Erasing</source>
        <translation>Стирание</translation>
    </message>
    <message>
        <source>Writing the option bytes</source>
        <translation>Запись байтов опций</translation>
    </message>
    <message>
        <source>Block %v of %m</source>
        <translation>Блок %v из %m</translation>
    </message>
    <message>
        <source>Starting the firmware</source>
        <translation>Запуск прошивки</translation>
    </message>
    <message>
        <source>%v of %m blocks written</source>
        <translation>Записано блоков: %v из %m</translation>
    </message>
    <message>
        <source>-----Готово------</source>
        <translation>----- Готово -----</translation>
    </message>
    <message>
        <source>The firmware is written, but the loader did not confirm the start command: switch the sensor off and on again.</source>
        <translation>Прошивка записана, но загрузчик не подтвердил команду запуска: выключите и снова включите датчик.</translation>
    </message>
    <message>
        <source>Written; start not confirmed: switch the sensor off and on.</source>
        <translation>Записано; запуск не подтверждён: выключите и включите датчик.</translation>
    </message>
    <message>
        <source>Firmware update cancelled before the loader answered. </source>
        <translation>Обновление прошивки отменено до ответа загрузчика. </translation>
    </message>
    <message>
        <source>Update cancelled: nothing was written.</source>
        <translation>Обновление отменено: ничего не записано.</translation>
    </message>
    <message>
        <source>Firmware update cancelled.
</source>
        <translation>Обновление прошивки отменено.
</translation>
    </message>
    <message>
        <source>Update cancelled: the sensor must be updated again.</source>
        <translation>Обновление отменено: датчик нужно обновить ещё раз.</translation>
    </message>
    <message>
        <source>Firmware update stopped before the loader answered: %1. </source>
        <translation>Обновление прошивки прервано до ответа загрузчика: %1. </translation>
    </message>
    <message>
        <source>Update stopped: nothing was written.</source>
        <translation>Обновление прервано: ничего не записано.</translation>
    </message>
    <message>
        <source>Firmware update failed: %1.
</source>
        <translation>Обновление прошивки не удалось: %1.
</translation>
    </message>
    <message>
        <source>Update failed: the sensor must be updated again.</source>
        <translation>Обновление не удалось: датчик нужно обновить ещё раз.</translation>
    </message>
    <message>
        <source>Nothing was sent to the sensor.</source>
        <translation>В датчик ничего не отправлено.</translation>
    </message>
    <message>
        <source>The firmware file %1 cannot be written to a %2 sensor: %3.
</source>
        <translation>Файл прошивки %1 нельзя записать в датчик %2: %3.
</translation>
    </message>
    <message>
        <source>The sensor&apos;s firmware is incomplete and the sensor must be updated again: switch the sensor off, run the update again, then switch the sensor on.</source>
        <translation>Прошивка датчика неполная, и датчик нужно обновить ещё раз: выключите датчик, запустите обновление снова, затем включите датчик.</translation>
    </message>
    <message>
        <source>The firmware is written, but the loader refused the start command: switch the sensor off and on again.</source>
        <translation>Прошивка записана, но загрузчик отклонил команду запуска: выключите и снова включите датчик.</translation>
    </message>
    <message>
        <source>Written; start refused: switch the sensor off and on.</source>
        <translation>Записано; запуск отклонён: выключите и включите датчик.</translation>
    </message>
</context>
<context>
    <name>frmSerial</name>
    <message>
        <source>QX-510 &amp; HZL-310 configurator v2.6.4</source>
        <translation>Конфигуратор QX-510 &amp; HZL-310 v2.6.4</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>Подключение</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Порт</translation>
    </message>
    <message>
        <source>Open port</source>
        <translation>Открыть порт</translation>
    </message>
    <message>
        <source>Close port</source>
        <translation>Закрыть порт</translation>
    </message>
    <message>
        <source>Poll network add</source>
        <translation>Адрес опроса</translation>
    </message>
    <message>
        <source>Search sensors</source>
        <translation>Поиск датчиков</translation>
    </message>
    <message>
        <source>Devices found:</source>
        <translation>Найдены датчики:</translation>
    </message>
    <message>
        <source>Ver ---------</source>
        <translation>Версия ---------</translation>
    </message>
    <message>
        <source>Distance, cm</source>
        <translation>Расстояние, см</translation>
    </message>
    <message>
        <source>No data</source>
        <translation>Нет данных</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Уровень</translation>
    </message>
    <message>
        <source>Amplitude</source>
        <translation>Амплитуда</translation>
    </message>
    <message>
        <source>Temp</source>
        <translation>Темп.</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Частота</translation>
    </message>
    <message>
        <source>Analog</source>
        <translation>Аналог</translation>
    </message>
    <message>
        <source>Signal quality</source>
        <translation>Качество сигнала</translation>
    </message>
    <message>
        <source>Impulse Period</source>
        <translation>Период импульсов</translation>
    </message>
    <message>
        <source>Network address</source>
        <translation>Сетевой адрес</translation>
    </message>
    <message>
        <source>Level stability</source>
        <translation>Стабильность уровня</translation>
    </message>
    <message>
        <source>Commands and Results</source>
        <translation>Команды и результаты</translation>
    </message>
    <message>
        <source>Text Returned:</source>
        <translation>Ответ:</translation>
    </message>
    <message>
        <source>Modes</source>
        <translation>Режимы</translation>
    </message>
    <message>
        <source>RS-485 Passive</source>
        <translation>RS-485 пассивный</translation>
    </message>
    <message>
        <source>Analog mode</source>
        <translation>Аналоговый</translation>
    </message>
    <message>
        <source>Frequency mode</source>
        <translation>Частотный</translation>
    </message>
    <message>
        <source>Impulse/Periodic</source>
        <translation>Импульсный</translation>
    </message>
    <message>
        <source>RS-485 Active</source>
        <translation>RS-485 активный</translation>
    </message>
    <message>
        <source>Inverted indicator</source>
        <translation>Инверсный индикатор</translation>
    </message>
    <message>
        <source>Filtration</source>
        <translation>Фильтрация</translation>
    </message>
    <message>
        <source>Range 4096</source>
        <translation>Диапазон 4096</translation>
    </message>
    <message>
        <source>Recalculate in ltrs/gal</source>
        <translation>Пересчёт в объём</translation>
    </message>
    <message>
        <source>Closest object</source>
        <translation>Ближний объект</translation>
    </message>
    <message>
        <source>Further object</source>
        <translation>Дальний объект</translation>
    </message>
    <message>
        <source>Closest and further</source>
        <translation>Ближний и дальний</translation>
    </message>
    <message>
        <source>Measurement period</source>
        <translation>Период измерений</translation>
    </message>
    <message>
        <source>Turn off thermal compensation</source>
        <translation>Отключить термокомпенсацию</translation>
    </message>
    <message>
        <source>Set mode</source>
        <translation>Установить режим</translation>
    </message>
    <message>
        <source>&amp;Set</source>
        <translation>Установить</translation>
    </message>
    <message>
        <source>Ambient conditions</source>
        <translation>Окружающая среда</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Температура</translation>
    </message>
    <message>
        <source>Pressure, gPa</source>
        <translation>Давление, гПа</translation>
    </message>
    <message>
        <source>Humidity, %</source>
        <translation>Влажность, %</translation>
    </message>
    <message>
        <source>Set ambient conditions</source>
        <translation>Установить параметры окружающей среды</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Установить</translation>
    </message>
    <message>
        <source>Distance limit, cm</source>
        <translation>Предельное
расстояние, см</translation>
    </message>
    <message>
        <source>Set distance limit</source>
        <translation>Установить предельное расстояние</translation>
    </message>
    <message>
        <source>Min dist b/n 2 objects, cm</source>
        <translation>Мин. расстояние между
объектами, см</translation>
    </message>
    <message>
        <source>Set minimum distance between two objects</source>
        <translation>Установить минимальное расстояние между двумя объектами</translation>
    </message>
    <message>
        <source>Threshold value for signal lamp in %</source>
        <translation>Порог сигнальной лампы, %</translation>
    </message>
    <message>
        <source>Change &amp;network address</source>
        <translation>Сменить сетевой адрес</translation>
    </message>
    <message>
        <source>Enter password</source>
        <translation>Ввести пароль</translation>
    </message>
    <message>
        <source>Set password</source>
        <translation>Установить пароль</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Страницы</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Calibration balance</source>
        <translation>Баланс калибровки</translation>
    </message>
    <message>
        <source>Shift level</source>
        <translation>Сдвиг уровня</translation>
    </message>
    <message>
        <source>Calculate in %</source>
        <translation>Пересчёт в %</translation>
    </message>
    <message>
        <source> Tank calibration</source>
        <translation>Тарировка</translation>
    </message>
    <message>
        <source>New tank calibration</source>
        <translation>Новая тарировка</translation>
    </message>
    <message>
        <source>Continue tank calibration</source>
        <translation>Продолжить тарировку</translation>
    </message>
    <message>
        <source>Tank calibration portion</source>
        <translation>Порция тарировки</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Изменить</translation>
    </message>
    <message>
        <source>Save to file:</source>
        <translation>Запись в файл:</translation>
    </message>
    <message>
        <source>Enter value  (F9)</source>
        <translation>Записать точку (F9)</translation>
    </message>
    <message>
        <source>Tank calibration table for server</source>
        <translation>Тарировочная таблица для сервера</translation>
    </message>
    <message>
        <source>Point</source>
        <translation>Точка</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Объём</translation>
    </message>
    <message>
        <source> Remote. control.</source>
        <translation>Удал. управление</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>Команда</translation>
    </message>
    <message>
        <source>Enter figures-only password:</source>
        <translation>Пароль (только цифры):</translation>
    </message>
    <message>
        <source>For FW 1.7.6 or newer only</source>
        <translation>Только прошивка 1.7.6 и новее</translation>
    </message>
    <message>
        <source>Generate request</source>
        <translation>Сформировать запрос</translation>
    </message>
    <message>
        <source>Recalculate in %</source>
        <translation>Пересчёт в %</translation>
    </message>
    <message>
        <source>Copy the request to paste and send it</source>
        <translation>Скопируйте запрос, чтобы вставить и отправить его</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>FW Update</source>
        <translation>Прошивка</translation>
    </message>
    <message>
        <source>Switch sensor off</source>
        <translation>Выключите датчик</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Открыть файл</translation>
    </message>
    <message>
        <source>No file</source>
        <translation>Файл не выбран</translation>
    </message>
    <message>
        <source>Sensor type</source>
        <translation>Тип датчика</translation>
    </message>
    <message>
        <source>Reset calibration values</source>
        <translation>Сбросить калибровочные значения</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Пуск</translation>
    </message>
    <message>
        <source>Firmware update progress</source>
        <translation>Ход обновления прошивки</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Cancel firmware update</source>
        <translation>Отменить обновление прошивки</translation>
    </message>
    <message>
        <source>Firmware update log</source>
        <translation>Журнал обновления прошивки</translation>
    </message>
    <message>
        <source>Running without a session log.</source>
        <translation>Журнал сеанса не ведётся.</translation>
    </message>
    <message>
        <source>Trend</source>
        <translation>Тренд</translation>
    </message>
    <message>
        <source>Error#%1</source>
        <translation>Ошибка %1</translation>
    </message>
</context>
<context>
    <name>levelconf-cli</name>
    <message>
        <source>%1. Try levelconf-cli --help.</source>
        <translation>%1. Справка: levelconf-cli --help.</translation>
    </message>
</context>
<context>
    <name>levelconf-gateway</name>
    <message>
        <source>levelconf-gateway: %1
Try levelconf-gateway --help.
</source>
        <translation>levelconf-gateway: %1
См. levelconf-gateway --help.
</translation>
    </message>
    <message>
        <source>MQTT broker %1: not reached in %2 s</source>
        <translation>MQTT-брокер %1: недоступен в течение %2 с</translation>
    </message>
    <message>
        <source>Sensor %1: its topics are cleared</source>
        <translation>Датчик %1: его топики очищены</translation>
    </message>
</context>
<context>
    <name>levelconf::FirmwareUpdate</name>
    <message>
        <source> File damaged </source>
        <translation>Файл повреждён.</translation>
    </message>
    <message>
        <source>Error 1F !!!!</source>
        <translation>Ошибка 1F: загрузчик отклонил кадр.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Add DEVICE (a serial device or a pseudo-terminal) to the port list and select it.</source>
        <translation>Добавить DEVICE (последовательное устройство или псевдотерминал) в список портов и выбрать его.</translation>
    </message>
    <message>
        <source>Show the window in LANGUAGE: described (the texts as first written, half Russian, half English), en (English) or ru (Russian). Without it the locale chooses: ru_* Russian, C and POSIX the described texts, any other English.</source>
        <translation>Показывать окно на языке LANGUAGE: described (тексты в первоначальном виде, наполовину русские, наполовину английские), en (английский) или ru (русский). Без этого параметра язык выбирается по локали: ru_* — русский, C и POSIX — первоначальные тексты, любая другая — английский.</translation>
    </message>
    <message>
        <source>Configurator for QX-510 and HZL-310 liquid-level sensors on RS-485.</source>
        <translation>Конфигуратор датчиков уровня жидкости QX-510 и HZL-310 на шине RS-485.</translation>
    </message>
</context>
</TS>
