// Arbitrary bytes as the settings file: reading never fails, what it read writes out
// and reads back to the same lines, every key keeps the value it read, and a value
// set is the value read back.
#include "session/WindowSettings.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    korbena::IniFile ini = korbena::IniFile::fromBytes(bytes);
    const QStringList lines = ini.lines();
    const korbena::IniFile again = korbena::IniFile::fromLines(lines);
    if (again.lines() != lines)
        __builtin_trap();
    const QString section = QStringLiteral("PosSize");
    const QString before = ini.value(section, QStringLiteral("FormTop"), QStringLiteral("<none>"));
    if (again.value(section, QStringLiteral("FormTop"), QStringLiteral("<none>")) != before)
        __builtin_trap();
    ini.setValue(QStringLiteral("PrinterCalibration"), QStringLiteral("office"),
                 QStringLiteral("1.50;-0.50"));
    const korbena::IniFile written = korbena::IniFile::fromLines(ini.lines());
    if (written.value(QStringLiteral("PrinterCalibration"), QStringLiteral("office")) != u"1.50;-0.50" ||
        written.value(section, QStringLiteral("FormTop"), QStringLiteral("<none>")) != before)
        __builtin_trap();
    // Every line read comes back but the one set: nothing the program does not know
    // is lost.
    const QStringList after = written.lines();
    for (const QString& line : lines)
        if (!after.contains(line) &&
            line.section(u'=', 0, 0).trimmed().compare(u"office", Qt::CaseInsensitive) != 0)
            __builtin_trap();
    return 0;
}
