#include "session/WindowSettings.h"

#include "platform/AtomicFile.h"
#include "platform/Error.h"
#include "platform/TextCodec932.h"
#include "platform/TextFile.h"

#include <QFileInfo>

namespace korbena {

namespace {

const QString kSection = QStringLiteral("PosSize");

} // namespace

IniFile IniFile::read(const QString& path)
{
    try {
        return readForUpdate(path);
    } catch (const Error&) {
        return {};
    }
}

IniFile IniFile::readForUpdate(const QString& path)
{
    if (!QFileInfo::exists(path) && !QFileInfo(path).isSymLink())
        return {};
    const QByteArray bytes = readWholeFile(path);
    IniFile ini = fromBytes(bytes);
    refuseLongLines(ini.lines(), path);
    return ini;
}

IniFile IniFile::fromBytes(const QByteArray& bytes)
{
    const bool utf8 = looksLikeUtf8(bytes) || QString::fromUtf8(bytes).toUtf8() == bytes;
    QString text = utf8 ? QString::fromUtf8(bytes) : cp932::decode(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return fromLines(splitLines(text));
}

IniFile IniFile::fromLines(const QStringList& lines)
{
    IniFile ini;
    Section* current = nullptr;
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty())
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            ini.m_sections.push_back({line.mid(1, line.size() - 2), {}});
            current = &ini.m_sections.back();
            continue;
        }
        if (!current) {
            ini.m_sections.push_back({QString(), {}, true});
            current = &ini.m_sections.back();
        }
        // A value is kept as written: a path may end in a blank.
        const qsizetype eq = raw.indexOf(u'=');
        if (eq < 0 || line.startsWith(u';') || current->preamble) {
            current->entries.push_back({QString(), raw, true});
            continue;
        }
        const QString key = raw.left(eq).trimmed();
        const QString value = raw.mid(eq + 1);
        bool replaced = false;
        for (Entry& entry : current->entries) {
            if (!entry.raw && entry.key.compare(key, Qt::CaseInsensitive) == 0) {
                entry.value = value;
                replaced = true;
            }
        }
        if (!replaced)
            current->entries.push_back({key, value});
    }
    return ini;
}

const IniFile::Section* IniFile::find(const QString& section) const
{
    for (const Section& s : m_sections) {
        if (!s.preamble && s.name.compare(section, Qt::CaseInsensitive) == 0)
            return &s;
    }
    return nullptr;
}

QString IniFile::value(const QString& section, const QString& key, const QString& fallback) const
{
    if (const Section* s = find(section)) {
        for (const Entry& entry : s->entries) {
            if (!entry.raw && entry.key.compare(key, Qt::CaseInsensitive) == 0)
                return entry.value;
        }
    }
    return fallback;
}

int IniFile::intValue(const QString& section, const QString& key, int fallback) const
{
    bool ok = false;
    const int n = value(section, key).trimmed().toInt(&ok);
    return ok ? n : fallback;
}

void IniFile::setValue(const QString& section, const QString& key, const QString& value)
{
    Section* s = const_cast<Section*>(find(section));
    if (!s) {
        m_sections.push_back({section, {}});
        s = &m_sections.back();
    }
    for (Entry& entry : s->entries) {
        if (!entry.raw && entry.key.compare(key, Qt::CaseInsensitive) == 0) {
            entry.value = value;
            return;
        }
    }
    s->entries.push_back({key, value});
}

void IniFile::setValue(const QString& section, const QString& key, int value)
{
    setValue(section, key, QString::number(value));
}

QStringList IniFile::lines() const
{
    QStringList out;
    for (const Section& s : m_sections) {
        if (!out.isEmpty())
            out << QString();
        if (!s.preamble)
            out << u'[' + s.name + u']';
        for (const Entry& entry : s.entries)
            out << (entry.raw ? entry.value : entry.key + u'=' + entry.value);
    }
    return out;
}

void IniFile::write(const QString& path) const
{
    writeFileAtomically(path, joinLinesCrLf(lines()).toUtf8());
}

WindowSettings readWindowSettings(const QString& iniPath)
{
    const IniFile ini = IniFile::read(iniPath);
    WindowSettings s;
    s.formTop = ini.intValue(kSection, QStringLiteral("FormTop"), 0);
    s.formLeft = ini.intValue(kSection, QStringLiteral("FormLeft"), 0);
    s.formWidth = ini.intValue(kSection, QStringLiteral("FormWidth"), 0);
    s.formHeight = ini.intValue(kSection, QStringLiteral("FormHeight"), 0);
    s.zoom = ini.intValue(kSection, QStringLiteral("TrackBar1"), 0);
    s.splitter = ini.intValue(kSection, QStringLiteral("Splitter1"), 0);
    s.titleColumnWidth = ini.intValue(kSection, QStringLiteral("StrColGrid2.ColWidths[1]"), 0);
    s.numberColumnWidth = ini.intValue(kSection, QStringLiteral("StrColGrid2.ColWidths[2]"), 0);
    s.styleFile = ini.value(kSection, QStringLiteral("StatusBar1.panels[1]"));
    s.dataFile = ini.value(kSection, QStringLiteral("StatusBar1.panels[2]"));
    s.printer = ini.value(kSection, QStringLiteral("Printer"));
    if (s.zoom == 0)
        s.zoom = 100;
    if (s.titleColumnWidth == 0)
        s.titleColumnWidth = 150;
    if (s.numberColumnWidth == 0)
        s.numberColumnWidth = 100;
    return s;
}

void writeWindowSettings(const QString& iniPath, const WindowSettings& s)
{
    IniFile ini = IniFile::readForUpdate(iniPath);
    ini.setValue(kSection, QStringLiteral("FormTop"), s.formTop);
    ini.setValue(kSection, QStringLiteral("FormLeft"), s.formLeft);
    ini.setValue(kSection, QStringLiteral("FormWidth"), s.formWidth);
    ini.setValue(kSection, QStringLiteral("FormHeight"), s.formHeight);
    ini.setValue(kSection, QStringLiteral("TrackBar1"), s.zoom);
    ini.setValue(kSection, QStringLiteral("Splitter1"), s.splitter);
    ini.setValue(kSection, QStringLiteral("StrColGrid2.ColWidths[1]"), s.titleColumnWidth);
    ini.setValue(kSection, QStringLiteral("StrColGrid2.ColWidths[2]"), s.numberColumnWidth);
    ini.setValue(kSection, QStringLiteral("StatusBar1.panels[1]"), s.styleFile);
    ini.setValue(kSection, QStringLiteral("StatusBar1.panels[2]"), s.dataFile);
    // Only once one was chosen: a file written before keeps no empty key.
    if (!s.printer.isEmpty() || !ini.value(kSection, QStringLiteral("Printer")).isEmpty())
        ini.setValue(kSection, QStringLiteral("Printer"), s.printer);
    ini.write(iniPath);
}

} // namespace korbena
