#include "sheet/PageComposer.h"

#include "platform/Canvas.h"
#include "symbol/BarImage.h"

#include <QDir>

namespace korbena {

QString barcodeErrorMessage()
{
    return QStringLiteral("バーコード番号にエラーがあります。生成できませんでした。");
}

PageComposer::PageComposer(BarImage& symbol, QString dataFolder, QString installFolder)
    : m_symbol(&symbol), m_dataFolder(std::move(dataFolder)), m_installFolder(std::move(installFolder))
{
}

PageComposer::PageComposer(QString dataFolder, QString installFolder)
    : m_ownedSymbol(std::make_unique<BarImage>()), m_symbol(m_ownedSymbol.get()),
      m_dataFolder(std::move(dataFolder)), m_installFolder(std::move(installFolder))
{
}

PageComposer::~PageComposer() = default;

PageResult PageComposer::compose(Canvas&, const LabelStyle&, const DataList&, const DeviceMetrics&,
                                 const PageRequest& request)
{
    PageResult result;
    result.page = request.page < 1 ? 1 : request.page;
    return result;
}

PreviewPage PageComposer::composePreview(const LabelStyle&, const DataList&, const DeviceMetrics&, int page,
                                         int)
{
    PreviewPage preview;
    preview.result.page = page < 1 ? 1 : page;
    return preview;
}

QString PageComposer::imagePath(int cell) const
{
    return m_dataFolder + QStringLiteral("/barimage/") + labelImageFileName(cell);
}

int cellsPerPage(const LabelStyle&)
{
    return 0;
}

bool pageExists(const DataList&, int, int)
{
    return false;
}

QString labelImageFileName(int cell)
{
    return QStringLiteral("barcode_%1.bmp").arg(cell, 3, 10, QLatin1Char('0'));
}

} // namespace korbena
