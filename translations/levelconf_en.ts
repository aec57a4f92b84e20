<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>BrokerUrl</name>
    <message>
        <source>the broker is given as mqtt://HOST[:PORT] or mqtts://HOST[:PORT], not &quot;%1&quot;</source>
        <translation>the broker is given as mqtt://HOST[:PORT] or mqtts://HOST[:PORT], not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>no user name or password in the broker&apos;s address: give --username and --password-file</source>
        <translation>no user name or password in the broker&apos;s address: give --username and --password-file</translation>
    </message>
    <message>
        <source>the broker is given as a host and a port only, not &quot;%1&quot;</source>
        <translation>the broker is given as a host and a port only, not &quot;%1&quot;</translation>
    </message>
</context>
<context>
    <name>BusPoller</name>
    <message>
        <source>no such device</source>
        <translation>no such device</translation>
    </message>
    <message>
        <source>no permission; the gateway&apos;s user must be in the dialout group</source>
        <translation>no permission; the gateway&apos;s user must be in the dialout group</translation>
    </message>
    <message>
        <source>in use by another program</source>
        <translation>in use by another program</translation>
    </message>
    <message>
        <source>it would not open</source>
        <translation>it would not open</translation>
    </message>
    <message>
        <source>Port %1 cannot be opened (%2); trying again every %3 s</source>
        <translation>Port %1 cannot be opened (%2); trying again every %3 s</translation>
    </message>
    <message>
        <source>Port %1 opened</source>
        <translation>Port %1 opened</translation>
    </message>
    <message>
        <source>Port %1 lost: every sensor is offline; trying again every %2 s</source>
        <translation>Port %1 lost: every sensor is offline; trying again every %2 s</translation>
    </message>
    <message>
        <source>port lost</source>
        <translation>port lost</translation>
    </message>
    <message>
        <source>Search: no sensor answered</source>
        <translation>Search: no sensor answered</translation>
    </message>
    <message>
        <source>Search: addresses %1</source>
        <translation>Search: addresses %1</translation>
    </message>
    <message>
        <source>Sensor %1 at address %2: firmware %3</source>
        <translation>Sensor %1 at address %2: firmware %3</translation>
    </message>
    <message>
        <source>Sensor %1: online</source>
        <translation>Sensor %1: online</translation>
    </message>
    <message>
        <source>Sensor %1: offline (%2)</source>
        <translation>Sensor %1: offline (%2)</translation>
    </message>
    <message numerus="yes">
        <source>%n polls in a row missed</source>
        <translation>
            <numerusform>%n poll in a row missed</numerusform>
            <numerusform>%n polls in a row missed</numerusform>
        </translation>
    </message>
    <message>
        <source>not a serial device</source>
        <translation>not a serial device</translation>
    </message>
    <message>
        <source>its symbolic links lead round in a loop</source>
        <translation>its symbolic links lead round in a loop</translation>
    </message>
    <message>
        <source>Sensor %1: answering; not published while the MQTT broker cannot be reached</source>
        <translation>Sensor %1: answering; not published while the MQTT broker cannot be reached</translation>
    </message>
    <message>
        <source>Sensor %1: offline (%2); not published while the MQTT broker cannot be reached</source>
        <translation>Sensor %1: offline (%2); not published while the MQTT broker cannot be reached</translation>
    </message>
</context>
<context>
    <name>CalibrationPart</name>
    <message>
        <source>Automatic tank calibration</source>
        <translation>Automatic tank calibration</translation>
    </message>
    <message>
        <source>tbl Files (*.trr)</source>
        <translation>Tank calibration files (*.trr)</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>File not found</translation>
    </message>
    <message>
        <source>tbl Files (*.pl5)</source>
        <translation>Calibration table files (*.pl5)</translation>
    </message>
    <message>
        <source>No sensor address is selected. Search the network and pick the sensor&apos;s address first.</source>
        <translation>No sensor address is selected. Search the network and pick the sensor&apos;s address first.</translation>
    </message>
    <message>
        <source>Enter portion size</source>
        <translation>Enter the portion size</translation>
    </message>
    <message>
        <source>the portion size must be a whole number from -32768 to 32767</source>
        <translation>the portion size must be a whole number from -32768 to 32767</translation>
    </message>
    <message>
        <source>the portion size must be a whole number from -32768 to 32767, not 0</source>
        <translation>the portion size must be a whole number from -32768 to 32767, not 0</translation>
    </message>
    <message>
        <source>Tank calibration points</source>
        <translation>Tank calibration points</translation>
    </message>
    <message>
        <source>Table answer damaged: not read.</source>
        <translation>Table answer damaged: not read.</translation>
    </message>
    <message>
        <source>Table read.</source>
        <translation>Table read.</translation>
    </message>
    <message>
        <source>Схранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>The table was not saved to %1: %2. A file already there is left as it was.</source>
        <translation>The table was not saved to %1: %2. A file already there is left as it was.</translation>
    </message>
    <message>
        <source>Открыть</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>The table file %1 could not be read: %2</source>
        <translation>The table file %1 could not be read: %2</translation>
    </message>
    <message numerus="yes">
        <source>The file %1 ends inside a table: it has %n lines, and a table takes %2. The cells keep what they held before that table.</source>
        <translation>
            <numerusform>The file %1 ends inside a table: it has %n line, and a table takes %2. The cells keep what they held before that table.</numerusform>
            <numerusform>The file %1 ends inside a table: it has %n lines, and a table takes %2. The cells keep what they held before that table.</numerusform>
        </translation>
    </message>
    <message>
        <source>Wrong portion size</source>
        <translation>Wrong portion size</translation>
    </message>
    <message>
        <source>Cannot create the file %1: %2.</source>
        <translation>Cannot create the file %1: %2.</translation>
    </message>
    <message>
        <source>Tank calibration portion size</source>
        <translation>Tank calibration portion size</translation>
    </message>
    <message>
        <source>Wrong portion size value</source>
        <translation>Wrong portion size value</translation>
    </message>
    <message>
        <source>Point %1 was not recorded: the file %2 did not take it (%3). Check the file and the disk, then record the point again.</source>
        <translation>Point %1 was not recorded: the file %2 did not take it (%3). Check the file and the disk, then record the point again.</translation>
    </message>
    <message>
        <source>File not found

%1: %2.

No point is recorded until a calibration is started or continued.</source>
        <translation>File not found

%1: %2.

No point is recorded until a calibration is started or continued.</translation>
    </message>
</context>
<context>
    <name>CalibrationTable</name>
    <message>
        <source>Показания датчика</source>
        <translation>Sensor reading</translation>
    </message>
    <message>
        <source>Литры</source>
        <translation>Litres</translation>
    </message>
    <message>
        <source>Point %1, %2: &quot;%3&quot; is not a number from 0 to 32767</source>
        <translation>Point %1, %2: &quot;%3&quot; is not a number from 0 to 32767</translation>
    </message>
</context>
<context>
    <name>CliArguments</name>
    <message>
        <source>The serial device of the bus.</source>
        <translation>The serial device of the bus.</translation>
    </message>
    <message>
        <source>Print results as JSON, one object a line.</source>
        <translation>Print results as JSON, one object a line.</translation>
    </message>
    <message>
        <source>search: list every byte answered, without asking each address.</source>
        <translation>search: list every byte answered, without asking each address.</translation>
    </message>
    <message>
        <source>watch: stop after N readings.</source>
        <translation>watch: stop after N readings.</translation>
    </message>
    <message>
        <source>watch: print the readings as the readings file (CSV, CR LF).</source>
        <translation>watch: print the readings as the readings file (CSV, CR LF).</translation>
    </message>
    <message>
        <source>table write: the sensor outputs per cent of the table.</source>
        <translation>table write: the sensor outputs per cent of the table.</translation>
    </message>
    <message>
        <source>table write: the sensor outputs litres through the table.</source>
        <translation>table write: the sensor outputs litres through the table.</translation>
    </message>
    <message>
        <source>flash: the sensor type, PL540 or PL140.</source>
        <translation>flash: the sensor type, PL540 or PL140.</translation>
    </message>
    <message>
        <source>flash: also reset the calibration values (the data EEPROM).</source>
        <translation>flash: also reset the calibration values (the data EEPROM).</translation>
    </message>
    <message>
        <source>Messages and help in LANGUAGE: en (English), ru (Russian) or described (the window&apos;s first texts, half Russian, half English). Without it the locale chooses: ru_* Russian, any other English.</source>
        <translation>Messages and help in LANGUAGE: en (English), ru (Russian) or described (the window&apos;s first texts, half Russian, half English). Without it the locale chooses: ru_* Russian, any other English.</translation>
    </message>
    <message>
        <source>Write the session log into DIR instead of the program&apos;s log folder.</source>
        <translation>Write the session log into DIR instead of the program&apos;s log folder.</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>no command given</translation>
    </message>
    <message>
        <source>unknown command %1</source>
        <translation>unknown command %1</translation>
    </message>
    <message>
        <source>wrong number of arguments for %1</source>
        <translation>wrong number of arguments for %1</translation>
    </message>
    <message>
        <source>table takes read or write</source>
        <translation>table takes read or write</translation>
    </message>
    <message>
        <source>%1 does not take --%2</source>
        <translation>%1 does not take --%2</translation>
    </message>
    <message>
        <source>--csv and --json are two ways to print the readings: give one</source>
        <translation>--csv and --json are two ways to print the readings: give one</translation>
    </message>
    <message>
        <source>table read to - prints the table file itself; --json has nothing to add</source>
        <translation>table read to - prints the table file itself; --json has nothing to add</translation>
    </message>
    <message>
        <source>--count takes a number of readings, 1 or more</source>
        <translation>--count takes a number of readings, 1 or more</translation>
    </message>
    <message>
        <source>--port DEVICE is required</source>
        <translation>--port DEVICE is required</translation>
    </message>
    <message>
        <source>flash needs --type PL540 or --type PL140</source>
        <translation>flash needs --type PL540 or --type PL140</translation>
    </message>
    <message>
        <source>ADDR &quot;%1&quot; is not a sensor&apos;s network address, 0 to %2</source>
        <translation>ADDR &quot;%1&quot; is not a sensor&apos;s network address, 0 to %2</translation>
    </message>
    <message>
        <source>Usage: levelconf-cli --port DEVICE COMMAND [ARGUMENTS] [OPTIONS]
Configure QX-510 and HZL-310 liquid-level sensors on RS-485 from scripts.
</source>
        <translation>Usage: levelconf-cli --port DEVICE COMMAND [ARGUMENTS] [OPTIONS]
Configure QX-510 and HZL-310 liquid-level sensors on RS-485 from scripts.
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
        <translation>Commands (ADDR is a sensor&apos;s network address, a whole number 0 to 254):
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
</translation>
    </message>
    <message>
        <source>The stability of watch is the level-stability lamp, green, yellow or red;
it is left empty for the first 38 readings, until the lamp&apos;s smoothed
amplitude, which starts from nothing, can tell a steady level at all.
</source>
        <translation>The stability of watch is the level-stability lamp, green, yellow or red;
it is left empty for the first 38 readings, until the lamp&apos;s smoothed
amplitude, which starts from nothing, can tell a steady level at all.
</translation>
    </message>
    <message>
        <source>Values are numbers as the window takes them: decimal, with a dot whatever
the locale, an exponent allowed (1e2). Each is rounded to what the sensor
takes, the nearest whole number (halves to even) or hundredth of a degree,
and a value that rounding changed is named on standard error before it
is sent. Anything else is refused, and nothing is sent.
</source>
        <translation>Values are numbers as the window takes them: decimal, with a dot whatever
the locale, an exponent allowed (1e2). Each is rounded to what the sensor
takes, the nearest whole number (halves to even) or hundredth of a degree,
and a value that rounding changed is named on standard error before it
is sent. Anything else is refused, and nothing is sent.
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
        <translation>Mode words:
  OUTPUT                      rs485, analog, frequency, impulse, active-rs485
  FLAG                        inverted, filtration, range4096, litres, percent
  level=0..15, echo=closest|further|both
                              firmware 1.7.6: filtration level and echo
                              selection; left out, they stay as they are
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
        <translation>Exit status:
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
</translation>
    </message>
    <message>
        <source>Every run writes a session log of its own, as the window does, into the
program&apos;s log folder or --log-folder; a new folder is made for its owner
alone, and each log file is readable by its owner alone.
</source>
        <translation>Every run writes a session log of its own, as the window does, into the
program&apos;s log folder or --log-folder; a new folder is made for its owner
alone, and each log file is readable by its owner alone.
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
        <translation>Messages and this help are in English, or in Russian where the locale
asks for it: LC_ALL, else LC_MESSAGES, else LANG is ru_* (and LANGUAGE,
where set, does not put English first). --language en, ru or described
chooses whatever the locale. The session log, the JSON and CSV output,
the files and the words of the command line (commands, keys, mode words)
are the same in every language.
</translation>
    </message>
    <message>
        <source>Settings (set ADDR KEY=VALUE...):
</source>
        <translation>Settings (set ADDR KEY=VALUE...):
</translation>
    </message>
    <message>
        <source>shift the full level, -1000 to 1000</source>
        <translation>shift the full level, -1000 to 1000</translation>
    </message>
    <message>
        <source>shift the empty level, -1000 to 1000</source>
        <translation>shift the empty level, -1000 to 1000</translation>
    </message>
    <message>
        <source>distance limit, 1 to 1200 cm</source>
        <translation>distance limit, 1 to 1200 cm</translation>
    </message>
    <message>
        <source>between two objects, 1 to 99 cm</source>
        <translation>between two objects, 1 to 99 cm</translation>
    </message>
    <message>
        <source>new network address, 0 to 254; refused when
another sensor answers at N</source>
        <translation>new network address, 0 to 254; refused when
another sensor answers at N</translation>
    </message>
    <message>
        <source>change the password, 0 to 2000000000</source>
        <translation>change the password, 0 to 2000000000</translation>
    </message>
    <message>
        <source>unlock the sensor with its password,
0 to 2000000000</source>
        <translation>unlock the sensor with its password,
0 to 2000000000</translation>
    </message>
    <message>
        <source>temperature -60 to 60 degrees C, in hundredths;
pressure 500 to 1200 hPa and humidity 1 to 100
per cent, whole</source>
        <translation>temperature -60 to 60 degrees C, in hundredths;
pressure 500 to 1200 hPa and humidity 1 to 100
per cent, whole</translation>
    </message>
    <message>
        <source>the mode, in the words below</source>
        <translation>the mode, in the words below</translation>
    </message>
</context>
<context>
    <name>CliOutput</name>
    <message>
        <source>the write did not complete</source>
        <translation>the write did not complete</translation>
    </message>
</context>
<context>
    <name>CliRunner</name>
    <message>
        <source>Sensor set to Frequency mode.</source>
        <translation>Sensor set to Frequency mode.</translation>
    </message>
    <message>
        <source>Com Port %1 unavailable.</source>
        <translation>Com Port %1 unavailable.</translation>
    </message>
    <message>
        <source>Standard output cannot be written: %1</source>
        <translation>Standard output cannot be written: %1</translation>
    </message>
    <message>
        <source>%1 (running without a session log)</source>
        <translation>%1 (running without a session log)</translation>
    </message>
    <message>
        <source>%1. Nothing was sent.</source>
        <translation>%1. Nothing was sent.</translation>
    </message>
    <message>
        <source>Error! COM port unavailable</source>
        <translation>Error! COM port unavailable</translation>
    </message>
    <message>
        <source>Interrupted.</source>
        <translation>Interrupted.</translation>
    </message>
    <message>
        <source>No intact answer from sensor with address %1</source>
        <translation>No intact answer from sensor with address %1</translation>
    </message>
    <message>
        <source>Firmware update done.</source>
        <translation>Firmware update done.</translation>
    </message>
    <message>
        <source>No sensor answered the search.</source>
        <translation>No sensor answered the search.</translation>
    </message>
    <message numerus="yes">
        <source>Interrupted after %1 of %n readings.</source>
        <translation>
            <numerusform>Interrupted after %1 of %n reading.</numerusform>
            <numerusform>Interrupted after %1 of %n readings.</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: a sensor answers at address %2 already; nothing was changed</source>
        <translation>%1: a sensor answers at address %2 already; nothing was changed</translation>
    </message>
    <message>
        <source>%1: not confirmed: sensor %2 may have taken it, but its answer was damaged; read it back (info) before sending it again</source>
        <translation>%1: not confirmed: sensor %2 may have taken it, but its answer was damaged; read it back (info) before sending it again</translation>
    </message>
    <message>
        <source>%1: not confirmed: sensor %2 may have taken it, but it did not answer; read it back (info) before sending it again</source>
        <translation>%1: not confirmed: sensor %2 may have taken it, but it did not answer; read it back (info) before sending it again</translation>
    </message>
    <message>
        <source>%1: Wrong response (%2)</source>
        <translation>%1: Wrong response (%2)</translation>
    </message>
    <message>
        <source>Table read.</source>
        <translation>Table read.</translation>
    </message>
    <message numerus="yes">
        <source>%1: a table file holds %2 lines, this one %n</source>
        <translation>
            <numerusform>%1: a table file holds %2 lines, this one %n</numerusform>
            <numerusform>%1: a table file holds %2 lines, this one %n</numerusform>
        </translation>
    </message>
    <message>
        <source>Com Port %1 is %2.</source>
        <translation>Com Port %1 is %2.</translation>
    </message>
    <message>
        <source>For %1 in the current folder give ./%1.</source>
        <translation>For %1 in the current folder give ./%1.</translation>
    </message>
</context>
<context>
    <name>CommandFlow</name>
    <message>
        <source> Wrong data! </source>
        <translation> Wrong data! </translation>
    </message>
    <message>
        <source>Wrong response</source>
        <translation>Unexpected answer</translation>
    </message>
</context>
<context>
    <name>ConfigFile</name>
    <message>
        <source>%1, line %2: &quot;%3&quot; is not key = value</source>
        <translation>%1, line %2: &quot;%3&quot; is not key = value</translation>
    </message>
    <message>
        <source>%1, line %2: %3 is given twice</source>
        <translation>%1, line %2: %3 is given twice</translation>
    </message>
    <message>
        <source>larger than %1 bytes</source>
        <translation>larger than %1 bytes</translation>
    </message>
</context>
<context>
    <name>Confirmations</name>
    <message>
        <source> Empty value set.</source>
        <translation> Empty level set.</translation>
    </message>
    <message>
        <source> Full value set.</source>
        <translation> Full level set.</translation>
    </message>
    <message>
        <source>Serial number set.</source>
        <translation>Serial number set.</translation>
    </message>
    <message>
        <source>Wrong password.</source>
        <translation>Wrong password.</translation>
    </message>
    <message>
        <source>Par.</source>
        <translation>Parameter set.</translation>
    </message>
    <message>
        <source>Empty value shifted.</source>
        <translation>Empty level shifted.</translation>
    </message>
    <message>
        <source>Full value shifted.</source>
        <translation>Full level shifted.</translation>
    </message>
    <message>
        <source>Empty value changed manually.</source>
        <translation>Empty level changed manually.</translation>
    </message>
    <message>
        <source>Full value changed manually.</source>
        <translation>Full level changed manually.</translation>
    </message>
    <message>
        <source> New mode set</source>
        <translation> New mode set.</translation>
    </message>
    <message>
        <source>Ambient conditions changed.</source>
        <translation>Ambient conditions changed.</translation>
    </message>
    <message>
        <source>Min dist b/n 2 objects set.</source>
        <translation>Minimum distance between two objects set.</translation>
    </message>
    <message>
        <source>Max distance set</source>
        <translation>Distance limit set.</translation>
    </message>
    <message>
        <source> Network address modified.</source>
        <translation> Network address changed.</translation>
    </message>
    <message>
        <source>Password accepted.</source>
        <translation>Password accepted.</translation>
    </message>
    <message>
        <source>Password changed.</source>
        <translation>Password changed.</translation>
    </message>
    <message>
        <source>Tank calibration table set.</source>
        <translation>Calibration table written.</translation>
    </message>
    <message>
        <source>No data from sensor with address %1</source>
        <translation>No data from the sensor at address %1</translation>
    </message>
</context>
<context>
    <name>DataAnswer</name>
    <message>
        <source>%1 Гц</source>
        <translation>%1 Hz</translation>
    </message>
    <message>
        <source>%1 В</source>
        <translation>%1 V</translation>
    </message>
    <message>
        <source>Warning! Empty value length is equal to %1 cm.</source>
        <translation>Warning! The empty level is at %1 cm.</translation>
    </message>
</context>
<context>
    <name>FirmwareFile</name>
    <message numerus="yes">
        <source>it is larger than %n bytes, far more than any firmware image</source>
        <translation>
            <numerusform>it is larger than %n byte, far more than any firmware image</numerusform>
            <numerusform>it is larger than %n bytes, far more than any firmware image</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FirmwareImage</name>
    <message numerus="yes">
        <source>it holds %n bytes, but a %1 image needs at least %2 (the header and blocks 0 to %3)</source>
        <translation>
            <numerusform>it holds %n byte, but a %1 image needs at least %2 (the header and blocks 0 to %3)</numerusform>
            <numerusform>it holds %n bytes, but a %1 image needs at least %2 (the header and blocks 0 to %3)</numerusform>
        </translation>
    </message>
    <message>
        <source>its length is not the header plus whole blocks of %1 bytes (%2 left over)</source>
        <translation>its length is not the header plus whole blocks of %1 bytes (%2 left over)</translation>
    </message>
    <message>
        <source>1 byte</source>
        <translation>1 byte</translation>
    </message>
    <message numerus="yes">
        <source>%n bytes</source>
        <translation>
            <numerusform>%n byte</numerusform>
            <numerusform>%n bytes</numerusform>
        </translation>
    </message>
    <message>
        <source>block %1, where the %2 application begins, does not start with 0x23</source>
        <translation>block %1, where the %2 application begins, does not start with 0x23</translation>
    </message>
    <message numerus="yes">
        <source>its application is %n blocks long, but the %1&apos;s program memory ends at 0x%2 and holds %3 (blocks %4 to %5 of the file)</source>
        <translation>
            <numerusform>its application is %n block long, but the %1&apos;s program memory ends at 0x%2 and holds %3 (blocks %4 to %5 of the file)</numerusform>
            <numerusform>its application is %n blocks long, but the %1&apos;s program memory ends at 0x%2 and holds %3 (blocks %4 to %5 of the file)</numerusform>
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
OK!
</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Bin Files (*.cri)</source>
        <translation>Firmware images (*.cri)</translation>
    </message>
    <message>
        <source>No firmware file is chosen: press &quot;Open file&quot; and choose one.
</source>
        <translation>No firmware file is chosen: press &quot;Open file&quot; and choose one.
</translation>
    </message>
    <message>
        <source>Прошиваем !  </source>
        <translation>Writing the firmware...  </translation>
    </message>
    <message>
        <source>Error! COM port unavailable</source>
        <translation>Error! The COM port is unavailable.</translation>
    </message>
</context>
<context>
    <name>FirmwareUpdate</name>
    <message>
        <source>the port did not take the data</source>
        <translation>the port did not take the data</translation>
    </message>
    <message>
        <source>the erase</source>
        <translation>the erase</translation>
    </message>
    <message>
        <source>the option bytes</source>
        <translation>the option bytes</translation>
    </message>
    <message>
        <source>block %1</source>
        <translation>block %1</translation>
    </message>
    <message>
        <source>the start command</source>
        <translation>the start command</translation>
    </message>
    <message>
        <source>cancelled by the operator</source>
        <translation>cancelled by the operator</translation>
    </message>
    <message>
        <source>the image is damaged</source>
        <translation>the image is damaged</translation>
    </message>
    <message>
        <source>no answer to the start command</source>
        <translation>no answer to the start command</translation>
    </message>
    <message>
        <source>the loader refused %1</source>
        <translation>the loader refused %1</translation>
    </message>
    <message>
        <source>no answer from the loader to %1</source>
        <translation>no answer from the loader to %1</translation>
    </message>
    <message>
        <source>the port is gone</source>
        <translation>the port is gone</translation>
    </message>
    <message>
        <source>the loader refused the start command</source>
        <translation>the loader refused the start command</translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>QX-510 &amp; HZL-310 configurator v2.6.4</source>
        <translation>QX-510 &amp; HZL-310 configurator v2.6.4</translation>
    </message>
    <message>
        <source>configurator v2.6.4</source>
        <translation>configurator v2.6.4</translation>
    </message>
    <message>
        <source>RS-485 level sensors</source>
        <translation>RS-485 level sensors</translation>
    </message>
</context>
<context>
    <name>Form3</name>
    <message>
        <source>Тарировочная таблица датчика</source>
        <translation>Sensor calibration table</translation>
    </message>
    <message>
        <source>Показания датчика</source>
        <translation>Sensor reading</translation>
    </message>
    <message>
        <source>Литры</source>
        <translation>Litres</translation>
    </message>
    <message>
        <source>Внимание! Эта таблица используется для пересчета уровня в литры внутри датчика.</source>
        <translation>Note: the sensor converts its level into litres with this table.</translation>
    </message>
    <message>
        <source>пересчитывать в проценты</source>
        <translation>Convert to per cent</translation>
    </message>
    <message>
        <source>Пересчитывать в литры</source>
        <translation>Convert to litres</translation>
    </message>
    <message>
        <source>Прочитать из датчика</source>
        <translation>Read from sensor</translation>
    </message>
    <message>
        <source>Записать в датчик</source>
        <translation>Write to sensor</translation>
    </message>
    <message>
        <source>Открыть файл</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>Сохранить в файл</source>
        <translation>Save to file</translation>
    </message>
    <message>
        <source>Выйти</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Point %1, %2</source>
        <translation>Point %1, %2</translation>
    </message>
    <message>
        <source>Zero point, %1</source>
        <translation>Zero point, %1</translation>
    </message>
</context>
<context>
    <name>Form4</name>
    <message>
        <source>Shift level</source>
        <translation>Shift level</translation>
    </message>
    <message>
        <source>Значения могут быть      от -1000 до 1000</source>
        <translation>Values from -1000 to 1000</translation>
    </message>
    <message>
        <source>Сдвинуть уровень полного</source>
        <translation>Shift full level</translation>
    </message>
    <message>
        <source>Сдвинуть уровень пустого</source>
        <translation>Shift empty level</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>Gateway</name>
    <message>
        <source>levelconf-gateway %1: bus %2, MQTT broker %3, topics %4/</source>
        <translation>levelconf-gateway %1: bus %2, MQTT broker %3, topics %4/</translation>
    </message>
    <message>
        <source>Stopping</source>
        <translation>Stopping</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Stopped</translation>
    </message>
    <message numerus="yes">
        <source>MQTT broker %1 refused the gateway&apos;s user name or password %n times: giving up</source>
        <translation>
            <numerusform>MQTT broker %1 refused the gateway&apos;s user name or password %n time: giving up</numerusform>
            <numerusform>MQTT broker %1 refused the gateway&apos;s user name or password %n times: giving up</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Stopped with %n readings undelivered, kept in the spool for the next start</source>
        <translation>
            <numerusform>Stopped with %n reading undelivered, kept in the spool for the next start</numerusform>
            <numerusform>Stopped with %n readings undelivered, kept in the spool for the next start</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Stopped with %n readings undelivered and lost: the broker could not take them in time</source>
        <translation>
            <numerusform>Stopped with %n reading undelivered and lost: the broker could not take it in time</numerusform>
            <numerusform>Stopped with %n readings undelivered and lost: the broker could not take them in time</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>GatewayOptions</name>
    <message>
        <source>takes a value</source>
        <translation>takes a value</translation>
    </message>
    <message>
        <source>must be 1 to %1 characters without /, +, # or blanks, not &quot;%2&quot;</source>
        <translation>must be 1 to %1 characters without /, +, # or blanks, not &quot;%2&quot;</translation>
    </message>
    <message>
        <source>must be seconds from 0 to %1, such as 1 or 0.5, not &quot;%2&quot;</source>
        <translation>must be seconds from 0 to %1, such as 1 or 0.5, not &quot;%2&quot;</translation>
    </message>
    <message>
        <source>must be a number of readings from 1 to %1, not &quot;%2&quot;</source>
        <translation>must be a number of readings from 1 to %1, not &quot;%2&quot;</translation>
    </message>
    <message>
        <source>must be on or off, not &quot;%1&quot;</source>
        <translation>must be on or off, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>The serial device of the RS-485 bus.</source>
        <translation>The serial device of the RS-485 bus.</translation>
    </message>
    <message>
        <source>The broker: mqtt://HOST[:PORT], or mqtts://HOST[:PORT] for TLS (default mqtt://localhost).</source>
        <translation>The broker: mqtt://HOST[:PORT], or mqtts://HOST[:PORT] for TLS (default mqtt://localhost).</translation>
    </message>
    <message>
        <source>mqtts: the CA certificates (PEM) to trust instead of the system&apos;s.</source>
        <translation>mqtts: the CA certificates (PEM) to trust instead of the system&apos;s.</translation>
    </message>
    <message>
        <source>The user name at the broker.</source>
        <translation>The user name at the broker.</translation>
    </message>
    <message>
        <source>A file whose first line is the password at the broker. A password is never given on the command line.</source>
        <translation>A file whose first line is the password at the broker. A password is never given on the command line.</translation>
    </message>
    <message>
        <source>The client name at the broker, also in the gateway&apos;s status topic (default levelconf- and the host&apos;s name).</source>
        <translation>The client name at the broker, also in the gateway&apos;s status topic (default levelconf- and the host&apos;s name).</translation>
    </message>
    <message>
        <source>Each sensor is polled this often (default 1); 0 polls as fast as the bus goes.</source>
        <translation>Each sensor is polled this often (default 1); 0 polls as fast as the bus goes.</translation>
    </message>
    <message>
        <source>The first levels of every topic (default levelconf).</source>
        <translation>The first levels of every topic (default levelconf).</translation>
    </message>
    <message>
        <source>Home Assistant&apos;s discovery prefix (default homeassistant).</source>
        <translation>Home Assistant&apos;s discovery prefix (default homeassistant).</translation>
    </message>
    <message>
        <source>on or off: publish Home Assistant discovery (default on).</source>
        <translation>on or off: publish Home Assistant discovery (default on).</translation>
    </message>
    <message>
        <source>Readings kept while the broker cannot be reached; past it the oldest go (default 3600).</source>
        <translation>Readings kept while the broker cannot be reached; past it the oldest go (default 3600).</translation>
    </message>
    <message>
        <source>Polls every sensor of an RS-485 bus of QX-510/HZL-310 level sensors and publishes their readings to an MQTT broker, with Home Assistant discovery. Every option can also be given in the configuration file as key = value. SIGTERM or SIGINT ends it: its topics are set offline and what is queued is delivered first.</source>
        <translation>Polls every sensor of an RS-485 bus of QX-510/HZL-310 level sensors and publishes their readings to an MQTT broker, with Home Assistant discovery. Every option can also be given in the configuration file as key = value. SIGTERM or SIGINT ends it: its topics are set offline and what is queued is delivered first.</translation>
    </message>
    <message>
        <source>Read the options from FILE; the command line wins.</source>
        <translation>Read the options from FILE; the command line wins.</translation>
    </message>
    <message>
        <source>The same as --discovery off.</source>
        <translation>The same as --discovery off.</translation>
    </message>
    <message>
        <source>Write the log and the messages in LANGUAGE: en (English), ru (Russian) or described (the window&apos;s first texts). Without it the locale chooses: ru_* Russian, any other English. Topics and payloads are the same in every language.</source>
        <translation>Write the log and the messages in LANGUAGE: en (English), ru (Russian) or described (the window&apos;s first texts). Without it the locale chooses: ru_* Russian, any other English. Topics and payloads are the same in every language.</translation>
    </message>
    <message>
        <source>%1, line %2</source>
        <translation>%1, line %2</translation>
    </message>
    <message>
        <source>%1: no password here; put it in a file only the gateway can read and name it in password-file</source>
        <translation>%1: no password here; put it in a file only the gateway can read and name it in password-file</translation>
    </message>
    <message>
        <source>%1: unknown key &quot;%2&quot;</source>
        <translation>%1: unknown key &quot;%2&quot;</translation>
    </message>
    <message>
        <source>a password file needs a user name (--username)</source>
        <translation>a password file needs a user name (--username)</translation>
    </message>
    <message>
        <source>--port DEVICE is required</source>
        <translation>--port DEVICE is required</translation>
    </message>
    <message>
        <source>a password is never given on the command line, where every user of the machine can read it: give --password-file</source>
        <translation>a password is never given on the command line, where every user of the machine can read it: give --password-file</translation>
    </message>
    <message>
        <source>unexpected argument &quot;%1&quot;</source>
        <translation>unexpected argument &quot;%1&quot;</translation>
    </message>
    <message>
        <source>Usage: levelconf-gateway [options]</source>
        <translation>Usage: levelconf-gateway [options]</translation>
    </message>
    <message>
        <source>must be addresses from 0 to %1 such as 1,2,5 or 1-30, not &quot;%2&quot;</source>
        <translation>must be addresses from 0 to %1 such as 1,2,5 or 1-30, not &quot;%2&quot;</translation>
    </message>
    <message>
        <source>names address %1 twice</source>
        <translation>names address %1 twice</translation>
    </message>
    <message>
        <source>must be all or changes, not &quot;%1&quot;</source>
        <translation>must be all or changes, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>must be a time such as 7d, 12h, 30m or 45s, not &quot;%1&quot;</source>
        <translation>must be a time such as 7d, 12h, 30m or 45s, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>The sensors&apos; addresses, e.g. 1,2,5 or 1-30. Without it the bus is searched at start and again every 20 s at most.</source>
        <translation>The sensors&apos; addresses, e.g. 1,2,5 or 1-30. Without it the bus is searched at start and again every 20 s at most.</translation>
    </message>
    <message>
        <source>all: a state for every reading (default); changes: only when a value changed, and at least every heartbeat.</source>
        <translation>all: a state for every reading (default); changes: only when a value changed, and at least every heartbeat.</translation>
    </message>
    <message>
        <source>With --publish changes, a sensor&apos;s state at least this often (default 60s).</source>
        <translation>With --publish changes, a sensor&apos;s state at least this often (default 60s).</translation>
    </message>
    <message>
        <source>A sensor not heard for this long has its discovery configs and availability cleared (default 7d; 0 never).</source>
        <translation>A sensor not heard for this long has its discovery configs and availability cleared (default 7d; 0 never).</translation>
    </message>
    <message>
        <source>Clear the topics of the sensor with this serial number on the broker, also for the gateway of this client id if it runs, and exit.</source>
        <translation>Clear the topics of the sensor with this serial number on the broker, also for the gateway of this client id if it runs, and exit.</translation>
    </message>
    <message>
        <source>--forget takes a serial number, not &quot;%1&quot;</source>
        <translation>--forget takes a serial number, not &quot;%1&quot;</translation>
    </message>
    <message>
        <source>must be topic levels joined by /, none of them empty, without + or #, in UTF-8 and at most %1 bytes, not &quot;%2&quot;</source>
        <translation>must be topic levels joined by /, none of them empty, without + or #, in UTF-8 and at most %1 bytes, not &quot;%2&quot;</translation>
    </message>
    <message>
        <source>must be a number of refusals from 1 to %1, or forever, not &quot;%2&quot;</source>
        <translation>must be a number of refusals from 1 to %1, or forever, not &quot;%2&quot;</translation>
    </message>
    <message>
        <source>mqtts: the gateway&apos;s own certificate (PEM), for a broker that knows its clients by certificate; with --key-file.</source>
        <translation>mqtts: the gateway&apos;s own certificate (PEM), for a broker that knows its clients by certificate; with --key-file.</translation>
    </message>
    <message>
        <source>mqtts: the private key (PEM, without a pass phrase) of --cert-file.</source>
        <translation>mqtts: the private key (PEM, without a pass phrase) of --cert-file.</translation>
    </message>
    <message>
        <source>Take a password file that other users can read (refused without it).</source>
        <translation>Take a password file that other users can read (refused without it).</translation>
    </message>
    <message>
        <source>End with status 4 after the broker has refused the credentials this many times (default forever).</source>
        <translation>End with status 4 after the broker has refused the credentials this many times (default forever).</translation>
    </message>
    <message>
        <source>Keep the queue in this folder as well, so that a restart or a power cut loses no reading (default: in memory only).</source>
        <translation>Keep the queue in this folder as well, so that a restart or a power cut loses no reading (default: in memory only).</translation>
    </message>
    <message>
        <source>%1: not UTF-8 text</source>
        <translation>%1: not UTF-8 text</translation>
    </message>
    <message>
        <source>%1: other users can read it; make it readable by the gateway alone (chmod 600), or give --allow-readable-password</source>
        <translation>%1: other users can read it; make it readable by the gateway alone (chmod 600), or give --allow-readable-password</translation>
    </message>
    <message>
        <source>%1: no password on its first line</source>
        <translation>%1: no password on its first line</translation>
    </message>
    <message>
        <source>a CA file, a certificate and a key are for a broker over TLS (mqtts://)</source>
        <translation>a CA file, a certificate and a key are for a broker over TLS (mqtts://)</translation>
    </message>
    <message>
        <source>%1 must not hold control characters, not &quot;%2&quot;</source>
        <translation>%1 must not hold control characters, not &quot;%2&quot;</translation>
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
        <translation>analog</translation>
    </message>
    <message>
        <source>frequency</source>
        <translation>frequency</translation>
    </message>
    <message>
        <source>impulse</source>
        <translation>impulse</translation>
    </message>
    <message>
        <source>active-rs485</source>
        <translation>active-rs485</translation>
    </message>
    <message>
        <source>inverted</source>
        <translation>inverted</translation>
    </message>
    <message>
        <source>filtration</source>
        <translation>filtration</translation>
    </message>
    <message>
        <source>percent</source>
        <translation>percent</translation>
    </message>
    <message>
        <source>litres</source>
        <translation>litres</translation>
    </message>
    <message>
        <source>range4096</source>
        <translation>range4096</translation>
    </message>
    <message>
        <source>closest</source>
        <translation>closest</translation>
    </message>
    <message>
        <source>further</source>
        <translation>further</translation>
    </message>
    <message>
        <source>both</source>
        <translation>both</translation>
    </message>
    <message>
        <source>the mode starts with its output: %1</source>
        <translation>the mode starts with its output: %1</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a mode flag (inverted, filtration, range4096, litres, percent, level=0..15, echo=closest|further|both)</source>
        <translation>&quot;%1&quot; is not a mode flag (inverted, filtration, range4096, litres, percent, level=0..15, echo=closest|further|both)</translation>
    </message>
</context>
<context>
    <name>MonitorPart</name>
    <message>
        <source>Network polled.</source>
        <translation>Network searched.</translation>
    </message>
    <message>
        <source>Identity answer damaged: asking again.</source>
        <translation>Identity answer damaged: asking again.</translation>
    </message>
    <message>
        <source> S/n and FW received</source>
        <translation> Serial number and firmware version received</translation>
    </message>
    <message>
        <source>Sensor set to Frequency mode.</source>
        <translation>The sensor is in frequency mode.</translation>
    </message>
    <message>
        <source>%1 Гц.</source>
        <translation>%1 Hz</translation>
    </message>
    <message>
        <source>No data</source>
        <translation>No data</translation>
    </message>
    <message>
        <source>Change empty value</source>
        <translation>Set the empty level</translation>
    </message>
    <message>
        <source>Change full value</source>
        <translation>Set the full level</translation>
    </message>
    <message>
        <source>Coefficient K</source>
        <translation>Coefficient K</translation>
    </message>
    <message>
        <source>--------</source>
        <comment>firmware version of no sensor</comment>
        <translation>Version ---------</translation>
    </message>
    <message>
        <source>Mode answer damaged: not confirmed.</source>
        <translation>Mode answer damaged: not confirmed.</translation>
    </message>
</context>
<context>
    <name>MqttLink</name>
    <message>
        <source>the MQTT client cannot be made</source>
        <translation>the MQTT client cannot be made</translation>
    </message>
    <message>
        <source>the MQTT client cannot be set up: %1</source>
        <translation>the MQTT client cannot be set up: %1</translation>
    </message>
</context>
<context>
    <name>PointFile</name>
    <message>
        <source>the volume &quot;%1&quot; in line %2 is not a whole number</source>
        <translation>the volume &quot;%1&quot; in line %2 is not a whole number</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>line %1 is not number;volume;level</source>
        <translation>line %1 is not number;volume;level</translation>
    </message>
    <message>
        <source>the last two volumes differ by %1, more than a portion can be (-32768 to 32767)</source>
        <translation>the last two volumes differ by %1, more than a portion can be (-32768 to 32767)</translation>
    </message>
    <message>
        <source>the file was removed while it was written</source>
        <translation>the file was removed while it was written</translation>
    </message>
</context>
<context>
    <name>PortAdvice</name>
    <message>
        <source>No permission to use the port: add your user to the &quot;dialout&quot; group (sudo usermod -aG dialout $USER), then log out and in again.</source>
        <translation>No permission to use the port: add your user to the &quot;dialout&quot; group (sudo usermod -aG dialout $USER), then log out and in again.</translation>
    </message>
    <message>
        <source>It is not a serial port.</source>
        <translation>It is not a serial port.</translation>
    </message>
    <message>
        <source>It is a folder, not a serial port.</source>
        <translation>It is a folder, not a serial port.</translation>
    </message>
    <message>
        <source>It is a regular file, not a serial port.</source>
        <translation>It is a regular file, not a serial port.</translation>
    </message>
    <message>
        <source>It is not a serial port: it takes no line settings.</source>
        <translation>It is not a serial port: it takes no line settings.</translation>
    </message>
    <message>
        <source>It is in use by another program.</source>
        <translation>It is in use by another program.</translation>
    </message>
    <message>
        <source>There is no such device.</source>
        <translation>There is no such device.</translation>
    </message>
    <message>
        <source>Its symbolic links lead round in a loop.</source>
        <translation>Its symbolic links lead round in a loop.</translation>
    </message>
</context>
<context>
    <name>PortBarPart</name>
    <message>
        <source>Com Port %1 unavailable. Select the right COM port.</source>
        <translation>COM port %1 is unavailable. Select the right COM port.</translation>
    </message>
    <message>
        <source>Error! COM port unavailable</source>
        <translation>Error! The COM port is unavailable.</translation>
    </message>
    <message>
        <source>Port device</source>
        <translation>Port device</translation>
    </message>
</context>
<context>
    <name>ProgramOptions</name>
    <message>
        <source>Show this help.</source>
        <translation>Show this help.</translation>
    </message>
    <message>
        <source>Show the program&apos;s version.</source>
        <translation>Show the program&apos;s version.</translation>
    </message>
    <message>
        <source>--language takes en, ru or described, not %1</source>
        <translation>--language takes en, ru or described, not %1</translation>
    </message>
</context>
<context>
    <name>Publisher</name>
    <message>
        <source>not reached yet; trying again</source>
        <translation>not reached yet; trying again</translation>
    </message>
    <message>
        <source>MQTT broker %1: %2</source>
        <translation>MQTT broker %1: %2</translation>
    </message>
    <message numerus="yes">
        <source>Queue full (%n readings): the oldest readings are dropped</source>
        <translation>
            <numerusform>Queue full (%n reading): the oldest readings are dropped</numerusform>
            <numerusform>Queue full (%n readings): the oldest readings are dropped</numerusform>
        </translation>
    </message>
    <message>
        <source>connected</source>
        <translation>connected</translation>
    </message>
    <message numerus="yes">
        <source>%n readings were dropped while the broker could not be reached</source>
        <translation>
            <numerusform>%n reading was dropped while the broker could not be reached</numerusform>
            <numerusform>%n readings were dropped while the broker could not be reached</numerusform>
        </translation>
    </message>
    <message>
        <source>cannot connect (%1); trying again</source>
        <translation>cannot connect (%1); trying again</translation>
    </message>
    <message>
        <source>refused the gateway (%1); trying again</source>
        <translation>refused the gateway (%1); trying again</translation>
    </message>
    <message>
        <source>connection lost (%1); reconnecting</source>
        <translation>connection lost (%1); reconnecting</translation>
    </message>
    <message>
        <source>%1, waiting up to %2 s between tries; readings are queued meanwhile</source>
        <translation>%1, waiting up to %2 s between tries; readings are queued meanwhile</translation>
    </message>
    <message>
        <source>A reading for %1 was refused by the MQTT library</source>
        <translation>A reading for %1 was refused by the MQTT library</translation>
    </message>
    <message numerus="yes">
        <source>%n days</source>
        <translation>
            <numerusform>%n day</numerusform>
            <numerusform>%n days</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n hours</source>
        <translation>
            <numerusform>%n hour</numerusform>
            <numerusform>%n hours</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n s</source>
        <translation>
            <numerusform>%n s</numerusform>
            <numerusform>%n s</numerusform>
        </translation>
    </message>
    <message>
        <source>forgotten on request</source>
        <translation>forgotten on request</translation>
    </message>
    <message>
        <source>not heard for %1</source>
        <translation>not heard for %1</translation>
    </message>
    <message>
        <source>Sensor %1: %2; its topics are cleared</source>
        <translation>Sensor %1: %2; its topics are cleared</translation>
    </message>
    <message>
        <source>refused the gateway&apos;s user name or password (%1); trying again</source>
        <translation>refused the gateway&apos;s user name or password (%1); trying again</translation>
    </message>
    <message>
        <source>client id %1 is in use by another client; each takes the connection from the other, so the gateway waits longer and longer before it takes it back</source>
        <translation>client id %1 is in use by another client; each takes the connection from the other, so the gateway waits longer and longer before it takes it back</translation>
    </message>
</context>
<context>
    <name>ReadingSpool</name>
    <message>
        <source>spool %1: %2</source>
        <translation>spool %1: %2</translation>
    </message>
    <message>
        <source>the folder cannot be made</source>
        <translation>the folder cannot be made</translation>
    </message>
    <message>
        <source>not a regular file</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>not a spool file of levelconf-gateway</source>
        <translation>not a spool file of levelconf-gateway</translation>
    </message>
    <message numerus="yes">
        <source>Spool %1: the last record was cut short (%n bytes); it is dropped</source>
        <translation>
            <numerusform>Spool %1: the last record was cut short (%n byte); it is dropped</numerusform>
            <numerusform>Spool %1: the last record was cut short (%n bytes); it is dropped</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Spool %1: %n readings from before the start go out first</source>
        <translation>
            <numerusform>Spool %1: %n reading from before the start goes out first</numerusform>
            <numerusform>Spool %1: %n readings from before the start go out first</numerusform>
        </translation>
    </message>
    <message>
        <source>Spool %1: writing again</source>
        <translation>Spool %1: writing again</translation>
    </message>
    <message>
        <source>Spool %1: cannot write (%2); readings are kept in memory only until it can, and lost if the gateway stops before the broker has them</source>
        <translation>Spool %1: cannot write (%2); readings are kept in memory only until it can, and lost if the gateway stops before the broker has them</translation>
    </message>
    <message>
        <source>in use by another levelconf-gateway</source>
        <translation>in use by another levelconf-gateway</translation>
    </message>
</context>
<context>
    <name>ReadingsCsv</name>
    <message>
        <source>green</source>
        <translation>green</translation>
    </message>
    <message>
        <source>red</source>
        <translation>red</translation>
    </message>
    <message>
        <source>yellow</source>
        <translation>yellow</translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <source>it cannot be opened (%1)</source>
        <translation>it cannot be opened (%1)</translation>
    </message>
    <message>
        <source>it cannot be read (%1)</source>
        <translation>it cannot be read (%1)</translation>
    </message>
    <message>
        <source>it is %1, not a regular file</source>
        <translation>it is %1, not a regular file</translation>
    </message>
    <message>
        <source>a folder</source>
        <translation>a folder</translation>
    </message>
    <message>
        <source>a named pipe</source>
        <translation>a named pipe</translation>
    </message>
    <message>
        <source>a character device</source>
        <translation>a character device</translation>
    </message>
    <message>
        <source>a block device</source>
        <translation>a block device</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>a socket</translation>
    </message>
    <message>
        <source>something else</source>
        <translation>something else</translation>
    </message>
</context>
<context>
    <name>RemotePart</name>
    <message>
        <source>Ввести пароль</source>
        <translation>Enter password</translation>
    </message>
    <message>
        <source>Запрс состояния</source>
        <translation>Request status</translation>
    </message>
    <message>
        <source>Запрсить версию прошивки и серийный номер</source>
        <translation>Request firmware version and serial number</translation>
    </message>
    <message>
        <source>Сдвинуть уровень полного</source>
        <translation>Shift full level</translation>
    </message>
    <message>
        <source>Сдвинуть уровень пустого</source>
        <translation>Shift empty level</translation>
    </message>
    <message>
        <source>Установить уровень полного</source>
        <translation>Set full level</translation>
    </message>
    <message>
        <source>Установить уровень пустого</source>
        <translation>Set empty level</translation>
    </message>
    <message>
        <source>Set mode</source>
        <translation>Set mode</translation>
    </message>
    <message>
        <source>Set password</source>
        <translation>Set password</translation>
    </message>
    <message>
        <source>Enter figures-only password:</source>
        <translation>Password (digits only):</translation>
    </message>
    <message>
        <source>Full value shift in lvl units</source>
        <translation>Full level shift, level units</translation>
    </message>
    <message>
        <source>Empty value shift in lvl units</source>
        <translation>Empty level shift, level units</translation>
    </message>
    <message>
        <source>Set as full value</source>
        <translation>New full level</translation>
    </message>
    <message>
        <source>Set as empty value</source>
        <translation>New empty level</translation>
    </message>
    <message>
        <source>Set as password</source>
        <translation>New password</translation>
    </message>
    <message>
        <source>Enter figures-only password, acceptable values 0....2 000 000 000</source>
        <translation>Enter a password of digits only, from 0 to 2 000 000 000</translation>
    </message>
    <message>
        <source>Acceptable values -1000 to 1000</source>
        <translation>Acceptable values: -1000 to 1000</translation>
    </message>
    <message>
        <source>Enter level value from 0....2 000 000 000</source>
        <translation>Enter a level from 0 to 2 000 000 000</translation>
    </message>
</context>
<context>
    <name>SessionLog</name>
    <message>
        <source>Path not found: %1</source>
        <translation>Path not found: %1</translation>
    </message>
    <message>
        <source>Path/File access error: %1</source>
        <translation>Path or file access error: %1</translation>
    </message>
</context>
<context>
    <name>SettingKeys</name>
    <message>
        <source>%1: %2 is sent as %3</source>
        <translation>%1: %2 is sent as %3</translation>
    </message>
    <message>
        <source>air takes T,P,H: temperature, pressure, humidity</source>
        <translation>air takes T,P,H: temperature, pressure, humidity</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not a number</source>
        <translation>%1: &quot;%2&quot; is not a number</translation>
    </message>
    <message>
        <source>%1: 255 is the search address, which every sensor answers; a sensor takes 0 to 254</source>
        <translation>%1: 255 is the search address, which every sensor answers; a sensor takes 0 to 254</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not KEY=VALUE with a key of: %2</source>
        <translation>&quot;%1&quot; is not KEY=VALUE with a key of: %2</translation>
    </message>
    <message>
        <source>%1: needs firmware 1.6.3 or newer</source>
        <translation>%1: needs firmware 1.6.3 or newer</translation>
    </message>
    <message>
        <source>%1: level= and echo= need firmware 1.7.6 or newer</source>
        <translation>%1: level= and echo= need firmware 1.7.6 or newer</translation>
    </message>
    <message>
        <source>table: needs firmware 1.7.0 or newer</source>
        <translation>table: needs firmware 1.7.0 or newer</translation>
    </message>
</context>
<context>
    <name>SettingRules</name>
    <message>
        <source>Acceptable values -1000 to 1000</source>
        <translation>Acceptable values: -1000 to 1000</translation>
    </message>
    <message>
        <source>Acceptable values -1000 до 1000</source>
        <translation>Acceptable values: -1000 to 1000</translation>
    </message>
    <message>
        <source>Full value will be changed. Please, confirm?</source>
        <translation>The full level will be changed. Continue?</translation>
    </message>
    <message>
        <source>Empty value will be changed. Please, confirm?</source>
        <translation>The empty level will be changed. Continue?</translation>
    </message>
    <message>
        <source>Values can be from 1 to 1200 cm</source>
        <translation>Acceptable values: 1 to 1200 cm</translation>
    </message>
    <message>
        <source>Max value will be set. Please, confirm.</source>
        <translation>The distance limit will be set. Continue?</translation>
    </message>
    <message>
        <source>Acceptable values 1 to 99</source>
        <translation>Acceptable values: 1 to 99</translation>
    </message>
    <message>
        <source>The min distance between 2 objects used to distinguish them one from another will be changed. Confirm??</source>
        <translation>The minimum distance at which two objects are told apart will be changed. Continue?</translation>
    </message>
    <message>
        <source>Enter new network address</source>
        <translation>Enter the new network address</translation>
    </message>
    <message>
        <source>Setting network address</source>
        <translation>New network address</translation>
    </message>
    <message>
        <source>Select the configured network address</source>
        <translation>Select the sensor&apos;s network address first</translation>
    </message>
    <message>
        <source>Enter a value from the range 0....255</source>
        <translation>Enter a value from 0 to 255</translation>
    </message>
    <message>
        <source>You are about to change the password. If you forget it, only the manufacturer&apos;s tech support will be able to reset it. Change the password?</source>
        <translation>You are about to change the password. If you forget it, only the manufacturer&apos;s technical support can reset it. Change the password?</translation>
    </message>
    <message>
        <source>Enter new password</source>
        <translation>Enter the new password</translation>
    </message>
    <message>
        <source>Setting new password</source>
        <translation>New password</translation>
    </message>
    <message>
        <source>Select acceptable password</source>
        <translation>Select the sensor&apos;s network address first</translation>
    </message>
    <message>
        <source>Enter password as a value 0....2 000 000 000</source>
        <translation>Enter the password as a number from 0 to 2 000 000 000</translation>
    </message>
    <message>
        <source>Enter password</source>
        <translation>Enter password</translation>
    </message>
    <message>
        <source>Set an acceptable password</source>
        <translation>Select the sensor&apos;s network address first</translation>
    </message>
    <message>
        <source>Enter a figures-only pasword, acceptable values 0....2 000 000 000</source>
        <translation>Enter a password of digits only, from 0 to 2 000 000 000</translation>
    </message>
    <message>
        <source>Wrong parameter values </source>
        <translation>Wrong parameter values</translation>
    </message>
    <message>
        <source>Acceptable temperature values -60.00 to 60.00 dgr</source>
        <translation>Acceptable temperatures: -60.00 to 60.00 °C</translation>
    </message>
    <message>
        <source>Acceptable atm pressure values 500.0 to 1200.0 GPa</source>
        <translation>Acceptable air pressures: 500.0 to 1200.0 hPa</translation>
    </message>
    <message>
        <source>Acceptable humidity values 1 to 100 %</source>
        <translation>Acceptable humidity: 1 to 100 %</translation>
    </message>
    <message>
        <source>Sensor not connected!</source>
        <translation>The sensor is not connected!</translation>
    </message>
    <message>
        <source>The mode is about to be changed. Please, confirm?</source>
        <translation>The mode will be changed. Continue?</translation>
    </message>
</context>
<context>
    <name>ShellDisplay</name>
    <message>
        <source>This command cannot be executed in Frequency mode. Disconnect the sensor, reconnect it and click Search sensors</source>
        <translation>This command cannot be carried out in frequency mode. Disconnect the sensor, connect it again and press &quot;Search sensors&quot;.</translation>
    </message>
    <message>
        <source>Sensor connected</source>
        <translation>Sensor connected</translation>
    </message>
</context>
<context>
    <name>TextFile</name>
    <message numerus="yes">
        <source>it is larger than %n bytes, far more than any calibration file</source>
        <translation>
            <numerusform>it is larger than %n byte, far more than any calibration file</numerusform>
            <numerusform>it is larger than %n bytes, far more than any calibration file</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TlsFiles</name>
    <message>
        <source>larger than %1 bytes</source>
        <translation>larger than %1 bytes</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>cannot be read</translation>
    </message>
    <message>
        <source>holds no certificate in PEM form</source>
        <translation>holds no certificate in PEM form</translation>
    </message>
    <message>
        <source>the key is encrypted; give it without a pass phrase, readable by the gateway alone</source>
        <translation>the key is encrypted; give it without a pass phrase, readable by the gateway alone</translation>
    </message>
    <message>
        <source>holds no private key in PEM form</source>
        <translation>holds no private key in PEM form</translation>
    </message>
    <message>
        <source>a client certificate (--cert-file) and its key (--key-file) go together</source>
        <translation>a client certificate (--cert-file) and its key (--key-file) go together</translation>
    </message>
    <message>
        <source>the certificate has expired</source>
        <translation>the certificate has expired</translation>
    </message>
    <message>
        <source>not the key of the certificate in %1</source>
        <translation>not the key of the certificate in %1</translation>
    </message>
</context>
<context>
    <name>TrendPage</name>
    <message>
        <source>1 min</source>
        <translation>1 min</translation>
    </message>
    <message>
        <source>10 min</source>
        <translation>10 min</translation>
    </message>
    <message>
        <source>1 h</source>
        <translation>1 h</translation>
    </message>
    <message>
        <source>Trend of distance, amplitude and temperature</source>
        <translation>Trend of distance, amplitude and temperature</translation>
    </message>
    <message>
        <source>Time span:</source>
        <translation>Time span:</translation>
    </message>
    <message>
        <source>Trend time span</source>
        <translation>Trend time span</translation>
    </message>
    <message>
        <source>Save readings…</source>
        <translation>Save readings…</translation>
    </message>
    <message>
        <source>Save readings</source>
        <translation>Save readings</translation>
    </message>
</context>
<context>
    <name>TrendPart</name>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>No readings have been recorded yet: there is nothing to save.</source>
        <translation>No readings have been recorded yet: there is nothing to save.</translation>
    </message>
    <message>
        <source>Save readings</source>
        <translation>Save readings</translation>
    </message>
    <message>
        <source>The readings were not saved to %1: %2. A file already there is left as it was.</source>
        <translation>The readings were not saved to %1: %2. A file already there is left as it was.</translation>
    </message>
</context>
<context>
    <name>TrendWidget</name>
    <message>
        <source>Distance, cm</source>
        <translation>Distance, cm</translation>
    </message>
    <message>
        <source>Amplitude</source>
        <translation>Amplitude</translation>
    </message>
    <message>
        <source>Temp, °C</source>
        <translation>Temp., °C</translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>no answer</translation>
    </message>
    <message>
        <source>No readings yet: open the port and pick a sensor.</source>
        <translation>No readings yet: open the port and pick a sensor.</translation>
    </message>
    <message>
        <source>Network address %1</source>
        <translation>Network address %1</translation>
    </message>
</context>
<context>
    <name>UpdateSequence</name>
    <message>
        <source> 31 %1,wrong block</source>
        <translation>Block %1: the write command failed</translation>
    </message>
    <message>
        <source>addr %1,wrong block</source>
        <translation>Block %1: the address failed</translation>
    </message>
    <message>
        <source> data %1,wrong block</source>
        <translation>Block %1: the data failed</translation>
    </message>
    <message>
        <source>Block %1</source>
        <translation>Block %1</translation>
    </message>
</context>
<context>
    <name>UpdateTexts</name>
    <message>
        <source>Nothing was written to the sensor.</source>
        <translation>Nothing was written to the sensor.</translation>
    </message>
    <message>
        <source>The sensor&apos;s firmware is incomplete and the sensor must be updated again: switch the sensor off, press &quot;Start&quot;, then switch the sensor on.</source>
        <translation>The sensor&apos;s firmware is incomplete and the sensor must be updated again: switch the sensor off, press &quot;Start&quot;, then switch the sensor on.</translation>
    </message>
    <message>
        <source>Waiting for the loader: switch the sensor off and on</source>
        <translation>Waiting for the loader: switch the sensor off and on</translation>
    </message>
    <message>
        <source>Erasing</source>
        <translation>Erasing</translation>
    </message>
    <message>
        <source>Writing the option bytes</source>
        <translation>Writing the option bytes</translation>
    </message>
    <message>
        <source>Block %v of %m</source>
        <translation>Block %v of %m</translation>
    </message>
    <message>
        <source>Starting the firmware</source>
        <translation>Starting the firmware</translation>
    </message>
    <message>
        <source>%v of %m blocks written</source>
        <translation>%v of %m blocks written</translation>
    </message>
    <message>
        <source>-----Готово------</source>
        <translation>----- Done -----</translation>
    </message>
    <message>
        <source>The firmware is written, but the loader did not confirm the start command: switch the sensor off and on again.</source>
        <translation>The firmware is written, but the loader did not confirm the start command: switch the sensor off and on again.</translation>
    </message>
    <message>
        <source>Written; start not confirmed: switch the sensor off and on.</source>
        <translation>Written; start not confirmed: switch the sensor off and on.</translation>
    </message>
    <message>
        <source>Firmware update cancelled before the loader answered. </source>
        <translation>Firmware update cancelled before the loader answered. </translation>
    </message>
    <message>
        <source>Update cancelled: nothing was written.</source>
        <translation>Update cancelled: nothing was written.</translation>
    </message>
    <message>
        <source>Firmware update cancelled.
</source>
        <translation>Firmware update cancelled.
</translation>
    </message>
    <message>
        <source>Update cancelled: the sensor must be updated again.</source>
        <translation>Update cancelled: the sensor must be updated again.</translation>
    </message>
    <message>
        <source>Firmware update stopped before the loader answered: %1. </source>
        <translation>Firmware update stopped before the loader answered: %1. </translation>
    </message>
    <message>
        <source>Update stopped: nothing was written.</source>
        <translation>Update stopped: nothing was written.</translation>
    </message>
    <message>
        <source>Firmware update failed: %1.
</source>
        <translation>Firmware update failed: %1.
</translation>
    </message>
    <message>
        <source>Update failed: the sensor must be updated again.</source>
        <translation>Update failed: the sensor must be updated again.</translation>
    </message>
    <message>
        <source>Nothing was sent to the sensor.</source>
        <translation>Nothing was sent to the sensor.</translation>
    </message>
    <message>
        <source>The firmware file %1 cannot be written to a %2 sensor: %3.
</source>
        <translation>The firmware file %1 cannot be written to a %2 sensor: %3.
</translation>
    </message>
    <message>
        <source>The sensor&apos;s firmware is incomplete and the sensor must be updated again: switch the sensor off, run the update again, then switch the sensor on.</source>
        <translation>The sensor&apos;s firmware is incomplete and the sensor must be updated again: switch the sensor off, run the update again, then switch the sensor on.</translation>
    </message>
    <message>
        <source>The firmware is written, but the loader refused the start command: switch the sensor off and on again.</source>
        <translation>The firmware is written, but the loader refused the start command: switch the sensor off and on again.</translation>
    </message>
    <message>
        <source>Written; start refused: switch the sensor off and on.</source>
        <translation>Written; start refused: switch the sensor off and on.</translation>
    </message>
</context>
<context>
    <name>frmSerial</name>
    <message>
        <source>QX-510 &amp; HZL-310 configurator v2.6.4</source>
        <translation>QX-510 &amp; HZL-310 configurator v2.6.4</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>Connection</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Open port</source>
        <translation>Open port</translation>
    </message>
    <message>
        <source>Close port</source>
        <translation>Close port</translation>
    </message>
    <message>
        <source>Poll network add</source>
        <translation>Poll address</translation>
    </message>
    <message>
        <source>Search sensors</source>
        <translation>Search sensors</translation>
    </message>
    <message>
        <source>Devices found:</source>
        <translation>Sensors found:</translation>
    </message>
    <message>
        <source>Ver ---------</source>
        <translation>Version ---------</translation>
    </message>
    <message>
        <source>Distance, cm</source>
        <translation>Distance, cm</translation>
    </message>
    <message>
        <source>No data</source>
        <translation>No data</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>Amplitude</source>
        <translation>Amplitude</translation>
    </message>
    <message>
        <source>Temp</source>
        <translation>Temp.</translation>
    </message>
    <message>
        <source>Frequency</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <source>Analog</source>
        <translation>Analogue</translation>
    </message>
    <message>
        <source>Signal quality</source>
        <translation>Signal quality</translation>
    </message>
    <message>
        <source>Impulse Period</source>
        <translation>Pulse period</translation>
    </message>
    <message>
        <source>Network address</source>
        <translation>Network address</translation>
    </message>
    <message>
        <source>Level stability</source>
        <translation>Level stability</translation>
    </message>
    <message>
        <source>Commands and Results</source>
        <translation>Commands and results</translation>
    </message>
    <message>
        <source>Text Returned:</source>
        <translation>Answer:</translation>
    </message>
    <message>
        <source>Modes</source>
        <translation>Modes</translation>
    </message>
    <message>
        <source>RS-485 Passive</source>
        <translation>RS-485 passive</translation>
    </message>
    <message>
        <source>Analog mode</source>
        <translation>Analogue</translation>
    </message>
    <message>
        <source>Frequency mode</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <source>Impulse/Periodic</source>
        <translation>Pulse/periodic</translation>
    </message>
    <message>
        <source>RS-485 Active</source>
        <translation>RS-485 active</translation>
    </message>
    <message>
        <source>Inverted indicator</source>
        <translation>Inverted indicator</translation>
    </message>
    <message>
        <source>Filtration</source>
        <translation>Filtration</translation>
    </message>
    <message>
        <source>Range 4096</source>
        <translation>Range 4096</translation>
    </message>
    <message>
        <source>Recalculate in ltrs/gal</source>
        <translation>Convert to litres/gallons</translation>
    </message>
    <message>
        <source>Closest object</source>
        <translation>Nearest object</translation>
    </message>
    <message>
        <source>Further object</source>
        <translation>Farther object</translation>
    </message>
    <message>
        <source>Closest and further</source>
        <translation>Nearest and farther</translation>
    </message>
    <message>
        <source>Measurement period</source>
        <translation>Measurement period</translation>
    </message>
    <message>
        <source>Turn off thermal compensation</source>
        <translation>Turn off thermal compensation</translation>
    </message>
    <message>
        <source>Set mode</source>
        <translation>Set mode</translation>
    </message>
    <message>
        <source>&amp;Set</source>
        <translation>&amp;Set</translation>
    </message>
    <message>
        <source>Ambient conditions</source>
        <translation>Ambient conditions</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <source>Pressure, gPa</source>
        <translation>Pressure, hPa</translation>
    </message>
    <message>
        <source>Humidity, %</source>
        <translation>Humidity, %</translation>
    </message>
    <message>
        <source>Set ambient conditions</source>
        <translation>Set ambient conditions</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>Distance limit, cm</source>
        <translation>Distance limit, cm</translation>
    </message>
    <message>
        <source>Set distance limit</source>
        <translation>Set distance limit</translation>
    </message>
    <message>
        <source>Min dist b/n 2 objects, cm</source>
        <translation>Min. distance between objects, cm</translation>
    </message>
    <message>
        <source>Set minimum distance between two objects</source>
        <translation>Set minimum distance between two objects</translation>
    </message>
    <message>
        <source>Threshold value for signal lamp in %</source>
        <translation>Signal lamp threshold, %</translation>
    </message>
    <message>
        <source>Change &amp;network address</source>
        <translation>Change &amp;network address</translation>
    </message>
    <message>
        <source>Enter password</source>
        <translation>Enter password</translation>
    </message>
    <message>
        <source>Set password</source>
        <translation>Set password</translation>
    </message>
    <message>
        <source>Pages</source>
        <translation>Pages</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Calibration balance</source>
        <translation>Calibration balance</translation>
    </message>
    <message>
        <source>Shift level</source>
        <translation>Shift level</translation>
    </message>
    <message>
        <source>Calculate in %</source>
        <translation>Convert to %</translation>
    </message>
    <message>
        <source> Tank calibration</source>
        <translation>Tank calibration</translation>
    </message>
    <message>
        <source>New tank calibration</source>
        <translation>New tank calibration</translation>
    </message>
    <message>
        <source>Continue tank calibration</source>
        <translation>Continue tank calibration</translation>
    </message>
    <message>
        <source>Tank calibration portion</source>
        <translation>Tank calibration portion</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>Save to file:</source>
        <translation>Saving to file:</translation>
    </message>
    <message>
        <source>Enter value  (F9)</source>
        <translation>Record point (F9)</translation>
    </message>
    <message>
        <source>Tank calibration table for server</source>
        <translation>Tank calibration table for the server</translation>
    </message>
    <message>
        <source>Point</source>
        <translation>Point</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source> Remote. control.</source>
        <translation>Remote control</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>Enter figures-only password:</source>
        <translation>Password (digits only):</translation>
    </message>
    <message>
        <source>For FW 1.7.6 or newer only</source>
        <translation>Firmware 1.7.6 or newer only</translation>
    </message>
    <message>
        <source>Generate request</source>
        <translation>Generate request</translation>
    </message>
    <message>
        <source>Recalculate in %</source>
        <translation>Convert to %</translation>
    </message>
    <message>
        <source>Copy the request to paste and send it</source>
        <translation>Copy the request to paste and send it</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>FW Update</source>
        <translation>Firmware update</translation>
    </message>
    <message>
        <source>Switch sensor off</source>
        <translation>Switch the sensor off</translation>
    </message>
    <message>
        <source>Open file</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>No file</source>
        <translation>No file</translation>
    </message>
    <message>
        <source>Sensor type</source>
        <translation>Sensor type</translation>
    </message>
    <message>
        <source>Reset calibration values</source>
        <translation>Reset calibration values</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Firmware update progress</source>
        <translation>Firmware update progress</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Cancel firmware update</source>
        <translation>Cancel firmware update</translation>
    </message>
    <message>
        <source>Firmware update log</source>
        <translation>Firmware update log</translation>
    </message>
    <message>
        <source>Running without a session log.</source>
        <translation>Running without a session log.</translation>
    </message>
    <message>
        <source>Trend</source>
        <translation>Trend</translation>
    </message>
    <message>
        <source>Error#%1</source>
        <translation>Error %1</translation>
    </message>
</context>
<context>
    <name>levelconf-cli</name>
    <message>
        <source>%1. Try levelconf-cli --help.</source>
        <translation>%1. Try levelconf-cli --help.</translation>
    </message>
</context>
<context>
    <name>levelconf-gateway</name>
    <message>
        <source>levelconf-gateway: %1
Try levelconf-gateway --help.
</source>
        <translation>levelconf-gateway: %1
Try levelconf-gateway --help.
</translation>
    </message>
    <message>
        <source>MQTT broker %1: not reached in %2 s</source>
        <translation>MQTT broker %1: not reached in %2 s</translation>
    </message>
    <message>
        <source>Sensor %1: its topics are cleared</source>
        <translation>Sensor %1: its topics are cleared</translation>
    </message>
</context>
<context>
    <name>levelconf::FirmwareUpdate</name>
    <message>
        <source> File damaged </source>
        <translation>The file is damaged.</translation>
    </message>
    <message>
        <source>Error 1F !!!!</source>
        <translation>Error 1F: the loader refused the frame.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Add DEVICE (a serial device or a pseudo-terminal) to the port list and select it.</source>
        <translation>Add DEVICE (a serial device or a pseudo-terminal) to the port list and select it.</translation>
    </message>
    <message>
        <source>Show the window in LANGUAGE: described (the texts as first written, half Russian, half English), en (English) or ru (Russian). Without it the locale chooses: ru_* Russian, C and POSIX the described texts, any other English.</source>
        <translation>Show the window in LANGUAGE: described (the texts as first written, half Russian, half English), en (English) or ru (Russian). Without it the locale chooses: ru_* Russian, C and POSIX the described texts, any other English.</translation>
    </message>
    <message>
        <source>Configurator for QX-510 and HZL-310 liquid-level sensors on RS-485.</source>
        <translation>Configurator for QX-510 and HZL-310 liquid-level sensors on RS-485.</translation>
    </message>
</context>
</TS>
