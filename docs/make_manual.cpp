// Lays out the Markdown manual and writes it as a PDF with the IPA fonts embedded,
// so its Japanese text can be searched. Pictures of the window are taken from the
// images folder beside the Markdown when they exist; a missing picture is left out.
//
// usage: make_manual MANUAL.md OUT.pdf VERSION

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>

#include <cstdio>

namespace {

const QString kBodyFont = QStringLiteral("IPAPGothic");
const QString kFixedFont = QStringLiteral("IPAGothic");
const QString kGalleryMark = QStringLiteral("<!-- 画面の図 -->");
constexpr qreal kMarginMm = 18;
constexpr qreal kImageWidthPx = 600; // layout pixels (96 per inch): a little under the text width

// Keeps the pictures that exist, drops the others, and puts every picture of the
// images folder that the text does not show where the gallery mark stands.
QString withPictures(QString text, const QDir& base)
{
    static const QRegularExpression image(QStringLiteral(R"(!\[([^\]]*)\]\(([^)\s]+)\))"));
    QSet<QString> shown;
    QString kept;
    qsizetype last = 0;
    for (auto it = image.globalMatch(text); it.hasNext();) {
        const auto match = it.next();
        kept += text.mid(last, match.capturedStart() - last);
        const QString path = match.captured(2);
        if (QFileInfo(base.filePath(path)).isFile()) {
            kept += match.captured();
            shown.insert(QDir::cleanPath(path));
        }
        last = match.capturedEnd();
    }
    kept += text.mid(last);

    QString gallery;
    const QStringList pictures = QDir(base.filePath(QStringLiteral("images")))
                                     .entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
    for (const QString& name : pictures) {
        const QString path = QStringLiteral("images/") + name;
        if (!shown.contains(path))
            gallery += QStringLiteral("![%1](%2)\n\n").arg(QFileInfo(name).completeBaseName(), path);
    }
    kept.replace(kGalleryMark, gallery);
    return kept;
}

// Loads the pictures into the document, scaled down to the text width, and gives code
// the fixed-pitch IPA face, so that only the IPA fonts are embedded.
void prepareFragments(QTextDocument& doc, const QDir& base)
{
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = fragment.charFormat();
            if (format.isImageFormat()) {
                QTextImageFormat picture = format.toImageFormat();
                const QImage image(base.filePath(picture.name()));
                if (image.isNull())
                    continue;
                doc.addResource(QTextDocument::ImageResource, QUrl(picture.name()), image);
                const qreal width = qMin<qreal>(image.width(), kImageWidthPx);
                picture.setWidth(width);
                picture.setHeight(width * image.height() / image.width());
                format = picture;
            } else if (format.fontFixedPitch() ||
                       format.fontFamilies().toStringList().contains(QStringLiteral("monospace"))) {
                format.setFontFamilies({kFixedFont});
            } else {
                continue;
            }
            QTextCursor cursor(&doc);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fputs("usage: make_manual MANUAL.md OUT.pdf VERSION\n", stderr);
        return 2;
    }
    const QString source = QString::fromLocal8Bit(argv[1]);
    const QString target = QString::fromLocal8Bit(argv[2]);
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "make_manual: cannot read %s\n", argv[1]);
        return 1;
    }
    const QDir base = QFileInfo(source).absoluteDir();
    QString text = QString::fromUtf8(file.readAll());
    // Japanese runs on without spaces: a line break inside Japanese text only wraps the source.
    static const QRegularExpression wrapped(QStringLiteral(R"(([^\x00-\x7f])\n[ \t]*(?=[^\x00-\x7f\s]))"));
    text.replace(wrapped, QStringLiteral("\\1"));
    text.replace(QStringLiteral("{{VERSION}}"), QString::fromLocal8Bit(argv[3]));

    QTextDocument doc;
    doc.setDefaultFont(QFont(kBodyFont, 10));
    doc.setMarkdown(withPictures(text, base));
    prepareFragments(doc, base);

    QPdfWriter writer(target);
    writer.setTitle(QStringLiteral("Korbena 取扱説明書"));
    writer.setCreator(QStringLiteral("Korbena ") + QString::fromLocal8Bit(argv[3]));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                     QPageLayout::Millimeter));
    doc.print(&writer);
    if (!QFileInfo(target).isFile() || QFileInfo(target).size() == 0) {
        std::fprintf(stderr, "make_manual: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
