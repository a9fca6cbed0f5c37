#pragma once

#include <QString>

namespace korbena {

// What the program says about itself: the header, the product information window
// and the help commands.
inline constexpr char16_t kProductName[] = u"Korbena";
inline constexpr char16_t kMakerName[] = u"Tesselink";
inline constexpr char16_t kCopyright[] = u"Copyright (C) Tesselink";
inline constexpr char16_t kComments[] = u"バーコードラベル作成・印刷";

// The maker's web pages, given when the program is built (KORBENA_HELP_URL and
// KORBENA_HOME_URL); empty without a web site, and the help opens the manual instead.
QString onlineHelpUrl();
QString homePageUrl();

// The manual shipped beside the executable.
inline constexpr char16_t kManualFileName[] = u"barcode.pdf";

QString productVersion();
// "ProductVersion" left-aligned in 16 characters, " : " and the version:
// "ProductVersion   : 2.0.0.0".
QString versionLine();

} // namespace korbena
