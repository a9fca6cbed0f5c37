#pragma once

// What every fuzz target shares: one offscreen GUI application for fonts and
// pictures, and the ways a fuzz input becomes barcode text.
#include <QGuiApplication>
#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace korbena::fuzz {

inline QGuiApplication* application()
{
    static int argc = 1;
    static char name[] = "korbena-fuzz";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QGuiApplication> app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QGuiApplication>(argc, argv);
    }();
    return app.get();
}

// The input as UTF-8, as raw UTF-16 (lone surrogates included) or as a sequence of
// syntax tokens, so that escapes, escapes cut short and switches turn up in bounded runs.
template <std::size_t N>
QString textFrom(std::uint8_t mode, const std::uint8_t* data, std::size_t size,
                 const std::array<const char*, N>& tokens)
{
    switch (mode % 3) {
    case 0:
        return QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    case 1:
        return QString(reinterpret_cast<const QChar*>(data), static_cast<qsizetype>(size / 2));
    default: {
        QString text;
        for (std::size_t i = 0; i < size; ++i) {
            if (data[i] < tokens.size())
                text += QString::fromUtf8(tokens[data[i]]);
            else
                text += QChar(data[i]);
        }
        return text;
    }
    }
}

} // namespace korbena::fuzz
