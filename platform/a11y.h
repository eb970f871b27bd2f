#pragma once
// With PRIJEM_A11Y_IDS set, every widget's objectName is copied into its accessible
// description, so black-box tests driving the program through AT-SPI can find widgets by the
// program's own names.

class QApplication;

void installAccessibilityIds(QApplication &app);
