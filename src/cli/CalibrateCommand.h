#pragma once

#include <QStringList>

#include <cstdio>

namespace korbena::cli {

// korbena-cli calibrate [--printer NAME] [--out page.pdf] [--measured-shift X,Y]: prints
// the calibration page on the printer (or writes it to a PDF file as the printer's
// paper would hold it), or stores the correction that undoes a shift measured on
// it. Returns 0 done, 1 the printer or file failed, 2 bad arguments.
int runCalibrate(const QStringList& args, std::FILE* out, std::FILE* err);

extern const char* const kCalibrateUsage;

// The settings file of the working folder, where printers' corrections are kept.
QString settingsFilePath();

} // namespace korbena::cli
