#pragma once

namespace korbena {

// Installs libzint as the encoder of QR Code, DataMatrix and PDF417 (see
// symbol/ModuleMatrix.h). Programs call this once at start-up.
void installZintMatrixEncoder();

} // namespace korbena
