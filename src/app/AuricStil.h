// The program's look, "Auric": Fusion with our palette and style sheet.
#pragma once

class QApplication;

namespace kv::app {

void AuricStiliniUygula(QApplication& app);

}  // namespace kv::app
