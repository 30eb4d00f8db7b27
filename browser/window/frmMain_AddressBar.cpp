// The address bar: the address label, the address text box and the tool box at
// its right end.
#include "frmMain.h"

#include "AddressInput.h"
#include "Design.h"
#include "Layout.h"
#include "browser/core/VorlenApp.h"
#include "browser/frame/LabelControl.h"
#include "platform/Settings.h"

namespace {

const char *const kEmptyPrompt = "여기를 (더블 클릭) 하셔서 주소를 입력 하십시오.";

bool alwaysShowToolBox(VorlenApp &app)
{
    return platform::setting::int16(app.environment(), settings::Key::AlwaysShowWebBrowserPlusToolValue) == 1;
}

} // namespace

bool frmMain::addressEditing() const
{
    return !WebAdressInputBar->isHidden();
}

void frmMain::setAddressText(const QString &text)
{
    WebAdressBar->setText(text);
    // What the user is typing is theirs: page events only update the label.
    if (!addressEditing())
        WebAdressInputBar->setText(text);
}

void frmMain::placeToolBox(bool alwaysShow)
{
    if (alwaysShow)
        WebBrowserToolBox->show();
    const int T = Width() - 250; // the tool bar's width, as the layout pass has it
    const int boxWidth = WebBrowserToolBox->width() * design::kTwipsPerPixel;
    WebBrowserToolBox->move(design::px(T - 2100), WebBrowserToolBox->y());
    setAddressWidth(layout::addressWidth(T, WebBrowserToolBox->isVisible(), boxWidth));
}

void frmMain::setAddressWidth(int twips)
{
    // Converted as the layout pass converts it, so both agree to the pixel.
    const QRect r = design::px(QRect(design::kAddressLeft, design::kAddressTop, twips, design::kAddressHeight));
    WebAdressBar->setGeometry(r);
    WebAdressInputBar->setGeometry(r);
}

void frmMain::WebAdressBar_Click()
{
    const bool always = alwaysShowToolBox(m_app);
    if (!always)
        WebBrowserToolBox->setVisible(!WebBrowserToolBox->isVisible());
    placeToolBox(always);
}

void frmMain::WebAdressBar_DblClick()
{
    if (!WebAdressBar->isVisible())
        return;
    AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    WebBrowserToolBox->hide();
    const int T = Width() - 250; // the tool bar's width, as the layout pass has it
    setAddressWidth(T - 1750);
    m_app.afterStep().flushLayout();
    WriteTitle(m_tabs.CurrentTab());
    WriteTabCap(m_tabs.CurrentTab());
    WebAdressBar->hide();
    WebAdressInputBar->show();
    WebAdressInputBar->setFocus();
    WebAdressInputBar->end(false);
}

void frmMain::WebAdressInputBar_Change()
{
    AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    runQuickCommand();
}

void frmMain::WebAdressInputBar_KeyDown(int KeyCode, Qt::KeyboardModifiers Shift, bool &handled)
{
    if (KeyCode == 65 && (Shift & Qt::ControlModifier)) {
        WebAdressInputBar->selectAll();
        handled = true;
    } else if (KeyCode == 27) {
        leaveAddressEditing(true);
        handled = true;
    }
}

void frmMain::WebAdressInputBar_KeyPress(int KeyAscii)
{
    if (KeyAscii != 13)
        return;
    const QString text = WebAdressInputBar->text();
    if (text.isEmpty()) {
        WebAdressInputBar->setText(QString::fromUtf8(kEmptyPrompt));
        WebAdressInputBar->selectAll();
        return;
    }
    // The text goes to the page exactly as typed; the engine completes it.
    if (platform::WebBrowser *page = m_tabs.currentPage())
        page->Navigate(text);
    leaveAddressEditing(false);
}

void frmMain::WebAdressInputBar_LostFocus()
{
    if (!WebAdressInputBar->isVisible())
        return;
    leaveAddressEditing(false);
}

void frmMain::leaveAddressEditing(bool checkEmpty)
{
    AfterStep step(m_app.afterStep(), AfterStep::Kind::TrimOnly);
    if (checkEmpty && WebAdressInputBar->text().isEmpty())
        WebAdressInputBar->setText(QString::fromUtf8(kEmptyPrompt));
    const bool always = alwaysShowToolBox(m_app);
    m_app.afterStep().flushLayout();
    WebAdressBar->show();
    // Hiding the focused box moves the focus; that is not a second leave.
    WebAdressInputBar->hide();
    // Editing has ended, so the page's address goes back into the box too.
    WriteTitle(m_tabs.CurrentTab());
    WriteTabCap(m_tabs.CurrentTab());
    placeToolBox(always);
}
