#pragma once

#include "sheet/PrintCheckReport.h"

namespace korbena {

// Renders the barcode of every row that will print, as the page composer does for
// printing, and reads each back with an independent reader.
PrintCheckReport verifyRows(const LabelStyle& style, const DataList& rows,
                            const PrintCheckOptions& options = {});

} // namespace korbena
