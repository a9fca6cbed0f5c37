#pragma once

class QApplication;

namespace korbena {

// The program's look: Fusion with a dark palette, hints after 600 ms on lime green,
// and Qt's own dialogs in Japanese.
void applyProgramLook(QApplication& app);

} // namespace korbena
