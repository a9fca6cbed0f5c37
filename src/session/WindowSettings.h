#pragma once

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace korbena {

// An INI file of sections and key=value lines, keys kept exactly as written (a key
// like "StrColGrid2.ColWidths[1]" stays literal). It is written as UTF-8 so any path
// round-trips; a file that is not valid UTF-8 is read as code page 932.
class IniFile
{
public:
    // Reads a file; a missing or unreadable file gives an empty one.
    static IniFile read(const QString& path);
    // Reads a file about to be rewritten: a missing file gives an empty one, but one
    // that cannot be read throws FileError rather than be replaced by what little
    // the program knows of it.
    static IniFile readForUpdate(const QString& path);
    static IniFile fromLines(const QStringList& lines);
    // A file's bytes: UTF-8 when they are valid UTF-8, code page 932 otherwise.
    static IniFile fromBytes(const QByteArray& bytes);

    QString value(const QString& section, const QString& key, const QString& fallback = {}) const;
    // The value as an integer; the fallback when the key is absent or not a number.
    int intValue(const QString& section, const QString& key, int fallback) const;
    void setValue(const QString& section, const QString& key, const QString& value);
    void setValue(const QString& section, const QString& key, int value);

    QStringList lines() const;
    // Writes atomically, CR LF line ends. Throws FileError.
    void write(const QString& path) const;

private:
    // Lines the program does not read (comments, lines without "=") are kept as raw
    // entries, the line as value, and written back as they were; those above the
    // first section are in a first, nameless section.
    struct Entry
    {
        QString key;
        QString value;
        bool raw = false;
    };
    struct Section
    {
        QString name;
        std::vector<Entry> entries;
        bool preamble = false;
    };
    const Section* find(const QString& section) const;
    std::vector<Section> m_sections;
};

// The window settings kept between runs, section "PosSize" of conf/abacora.ini.
struct WindowSettings
{
    int formTop = 0;
    int formLeft = 0;
    int formWidth = 0;
    int formHeight = 0;
    int zoom = 0;     // "TrackBar1"
    int splitter = 0; // "Splitter1"
    int titleColumnWidth = 0;
    int numberColumnWidth = 0;
    QString styleFile; // "StatusBar1.panels[1]"
    QString dataFile;  // "StatusBar1.panels[2]"
    // "Printer": the printer last chosen in the printer setup or the print dialog,
    // laid out against and printed on at the next start; empty for the default one.
    QString printer;

    bool operator==(const WindowSettings&) const = default;
};

inline constexpr char16_t kSettingsFileName[] = u"abacora.ini";

// Reads the section; absent keys keep the table's defaults (0, empty), and the zero
// defaults of the zoom and the column widths become 100, 150 and 100.
WindowSettings readWindowSettings(const QString& iniPath);
// Writes the section into the file, keeping whatever else it holds. Throws FileError.
void writeWindowSettings(const QString& iniPath, const WindowSettings& settings);

} // namespace korbena
