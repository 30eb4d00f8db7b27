#pragma once

#include <QString>
#include <QtGlobal>

class QWidget;
class VorlenApp;

// Small helpers every part of the browser uses, the start tab's first
// navigation and the main window's layout pass.
namespace modBase {

// "" -> 0, "ID12" -> 12; a key that is not "ID" + a number gives 0.
qint16 TabKeyToIndex(const QString &key);
QString IndexToTabKey(qint16 index);

// Trims the process working set when PurgelValue is exactly 1.
void TrimWorkingSet(VorlenApp &app);

void SetAlwaysOnTop(QWidget *window, bool onTop);

void InitStartPage(VorlenApp &app);

// The layout pass of the main window and its frame companion.
void ArrangeMainWindow(VorlenApp &app);
void ArrangeFrame(VorlenApp &app);

} // namespace modBase
