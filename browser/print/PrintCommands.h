#pragma once

#include <QString>

class QWidget;
class TabSet;
class VorlenApp;

// Defines Print (the print dialog on the selected tab's page; a page's own
// window.print() asks the same for its page) and SavePdf ("PDF로 저장": the
// page as a PDF file the user names, the downloads folder and the page's
// title offered). Failures are told with the path; nothing fails silently.
void installPrintCommands(VorlenApp &app, TabSet &tabs, QWidget &mainWindow);

namespace pagePrint {

// The file name offered for a page's PDF: its title after the favorite title
// rule, kept inside the folder, else the address's host, else "페이지"; with ".pdf".
QString pdfFileName(const QString &title, const QString &address);

// The folder offered: the user's downloads folder, or the home folder.
QString pdfFolder();

} // namespace pagePrint
