# What `cmake --install` puts where, and the Debian package CPack makes of it.
#   bin/                           korbena-cli, korbena
#   share/korbena/                 the templates conf, style, barimage and the manual
#   share/applications, icons, mime, man/man1   the desktop's places

install(TARGETS korbena-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET korbena)
    install(TARGETS korbena RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/conf ${PROJECT_SOURCE_DIR}/resources/style
                  ${PROJECT_SOURCE_DIR}/resources/barimage
    DESTINATION ${KORBENA_SHARED_DIR}
    PATTERN ".keep" EXCLUDE)
if(KORBENA_MANUAL)
    install(FILES ${KORBENA_MANUAL} DESTINATION ${KORBENA_SHARED_DIR})
    install(FILES ${KORBENA_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

# The desktop's menu entry, icons and file types belong to the window program.
if(TARGET korbena)
    set(desktop ${PROJECT_SOURCE_DIR}/desktop)
    install(FILES ${desktop}/korbena.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${desktop}/korbena.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    install(FILES ${desktop}/application-x-korbena-style.svg ${desktop}/application-x-korbena-data.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes)
    install(FILES ${desktop}/korbena-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME korbena.xml)
endif()

# The Debian package. The version is the project's; the libraries it needs are read
# from the programs by dpkg-shlibdeps; the fonts the labels and the manual are set in,
# and fontconfig that finds them, are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korbena)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Tesselink)
set(CPACK_PACKAGE_CONTACT "Korbena developers <korbena@tesselink.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "design and print sheets of barcode labels")
# The summary line comes from CPACK_PACKAGE_DESCRIPTION_SUMMARY.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Korbena lays out one label with one of twelve barcode symbologies (JAN/EAN, UPC,
CODE-39, NW-7, ITF, CTF, IATA, MATRIX, NEC, the Japanese postal customer barcode,
CODE-128, CODE-93), lays out the sheet, takes the rows typed, numbered or imported
from CSV, previews the pages and prints them, one label per row. The user interface
is Japanese. korbena-cli prints the same sheets without a window.
.
バーコードラベル作成ソフト Korbena は、十二種類のバーコードから一つを選んで
ラベルとシートをレイアウトし、入力・連番・CSV 取り込みのデータを一行一枚の
ラベルとしてプレビューして印刷します。korbena-cli はウィンドウなしで同じシートを印刷します。")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libzint draws QR Code, DataMatrix and PDF417; Qt's own Japanese texts serve the
# window's standard dialogs, which the program loads at start.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libzint2.11, fonts-ipafont-gothic, fonts-ipafont-mincho, fontconfig, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
